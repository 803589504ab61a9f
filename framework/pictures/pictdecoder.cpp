#include "framework/pictures/pictdecoder.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <new>

namespace {

constexpr size_t kFileHeaderSize = 512;
// Larger pictures are not ours: the program's own are a few hundred pixels wide.
constexpr int kMaxSide = 4096;
constexpr int kOpcodeBudget = 100000;
// Pixel bytes one picture may unpack, all its pixel maps together; a 4096 x 4096 picture
// in 32-bit pixels is a quarter of it.
constexpr uint64_t kDecodeBudget = uint64_t{256} << 20;
// QuickDraw draws a picture onto a white port, so what no pixel map covers stays white.
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlack = 0xFF000000u;

constexpr uint16_t kOpEndPic = 0x00FF;

struct Refused {};

[[noreturn]] void Refuse()
{
    throw Refused{};
}

class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Position() const { return pos_; }
    size_t Remaining() const { return bytes_.size() - pos_; }
    void Seek(size_t pos) { pos_ = pos; }

    std::span<const uint8_t> Take(size_t n)
    {
        if (n > Remaining()) {
            Refuse();
        }
        auto taken = bytes_.subspan(pos_, n);
        pos_ += n;
        return taken;
    }
    void Skip(size_t n) { Take(n); }
    uint8_t U8() { return Take(1)[0]; }
    uint16_t U16()
    {
        auto b = Take(2);
        return static_cast<uint16_t>(b[0] << 8 | b[1]);
    }
    int16_t S16() { return static_cast<int16_t>(U16()); }
    uint32_t U32()
    {
        uint32_t high = U16();
        return high << 16 | U16();
    }
    // Version 2 opcodes start on even offsets; odd-sized data is followed by a pad byte.
    void AlignToWord()
    {
        if (pos_ % 2 != 0) {
            Skip(1);
        }
    }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

struct Rect {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(const Rect& r) const
    {
        return r.top >= top && r.left >= left && r.bottom <= bottom && r.right <= right;
    }
};

Rect ReadRect(Reader& r)
{
    Rect rect{r.S16(), r.S16(), r.S16(), r.S16()};
    if (rect.bottom < rect.top || rect.right < rect.left) {
        Refuse();
    }
    return rect;
}

// How long an opcode's data is, after Apple's table of version 2 opcodes: a byte count, or
// one of the rules below for data whose length is stated inside it.
enum : int8_t {
    kSized = -1,        // region or polygon: a leading word gives the size, itself included
    kWordCounted = -2,  // a word gives the length of the data after it
    kLongCounted = -3,  // a long gives the length of the data after it
    kText = -4,         // a few fixed bytes, then a count byte and that many characters
    kPattern = -5,      // a pixel pattern
    kLongComment = -6,  // a kind word, then a word-counted block
    kPixels = -7,       // the pixel map opcodes, decoded rather than skipped
};

constexpr std::array<int8_t, 0x100> MakeLengths()
{
    std::array<int8_t, 0x100> t{};
    auto set = [&t](int first, int last, int8_t length) {
        for (int op = first; op <= last; ++op) {
            t[op] = length;
        }
    };
    set(0x01, 0x01, kSized);
    set(0x02, 0x02, 8);
    set(0x03, 0x03, 2);
    set(0x04, 0x04, 1);
    set(0x05, 0x05, 2);
    set(0x06, 0x07, 4);
    set(0x08, 0x08, 2);
    set(0x09, 0x0A, 8);
    set(0x0B, 0x0C, 4);
    set(0x0D, 0x0D, 2);
    set(0x0E, 0x0F, 4);
    set(0x10, 0x10, 8);
    set(0x11, 0x11, 2);
    set(0x12, 0x14, kPattern);
    set(0x15, 0x16, 2);
    set(0x1A, 0x1B, 6);
    set(0x1D, 0x1D, 6);
    set(0x1F, 0x1F, 6);
    set(0x20, 0x20, 8);
    set(0x21, 0x21, 4);
    set(0x22, 0x22, 6);
    set(0x23, 0x23, 2);
    set(0x24, 0x27, kWordCounted);
    set(0x28, 0x2B, kText);
    set(0x2C, 0x2F, kWordCounted);
    set(0x30, 0x37, 8);
    set(0x40, 0x47, 8);
    set(0x50, 0x57, 8);
    set(0x60, 0x67, 12);
    set(0x68, 0x6F, 4);
    set(0x70, 0x77, kSized);
    set(0x80, 0x87, kSized);
    set(0x90, 0x91, kPixels);
    set(0x92, 0x97, kWordCounted);
    set(0x98, 0x9B, kPixels);
    set(0x9C, 0x9F, kWordCounted);
    set(0xA0, 0xA0, 2);
    set(0xA1, 0xA1, kLongComment);
    set(0xA2, 0xAF, kWordCounted);
    set(0xD0, 0xFE, kLongCounted);
    return t;
}

constexpr std::array<int8_t, 0x100> kLengths = MakeLengths();

void SkipSized(Reader& r)
{
    // The smallest region or polygon is its size word and bounding box.
    uint16_t size = r.U16();
    if (size < 10) {
        Refuse();
    }
    r.Skip(size - 2u);
}

// The unpacked form of one pixel row, as stored in the picture.
enum class RowLayout {
    Indexed,  // pixelSize bits per pixel, indexes into the colour table
    Xrgb,     // four bytes per pixel, the first unused
    Rgb,      // three bytes per pixel
    Planes,   // all the red bytes of the row, then green, then blue (an alpha plane first when four)
};

struct PixMap {
    Rect bounds;
    int rowBytes = 0;
    int pixelSize = 1;
    int packType = 0;
    int cmpCount = 1;
    bool direct = false;
    std::array<uint32_t, 256> palette{};
    std::bitset<256> defined;
};

struct Context {
    // Apple stores rows shorter than 8 bytes unpacked; some writers pack them all the same.
    bool smallRowsPacked = false;
    bool sawSmallRows = false;
    uint64_t decoded = 0;
};

// Reads the pixel map fields after rowBytes and bounds: version, packing, resolution, pixel format.
void ReadPixMapFields(Reader& r, PixMap& pm)
{
    r.U16();  // pmVersion
    pm.packType = r.U16();
    r.Skip(12);  // packSize, hRes, vRes
    r.U16();     // pixelType
    pm.pixelSize = r.U16();
    pm.cmpCount = r.U16();
    int cmpSize = r.U16();
    r.Skip(12);  // planeBytes, pmTable, pmReserved
    pm.direct = pm.pixelSize > 8;
    if (pm.direct) {
        // 16-bit pixels (packType 3) are not supported; 32-bit ones come as 3 or 4 8-bit components.
        if (pm.pixelSize != 32 || cmpSize != 8 || (pm.cmpCount != 3 && pm.cmpCount != 4)) {
            Refuse();
        }
        if (pm.packType == 3 || pm.packType > 4) {
            Refuse();
        }
    } else if (pm.pixelSize != 1 && pm.pixelSize != 2 && pm.pixelSize != 4 && pm.pixelSize != 8) {
        Refuse();
    }
}

void ReadColorTable(Reader& r, PixMap& pm)
{
    r.U32();  // ctSeed
    uint16_t flags = r.U16();
    int entries = r.S16() + 1;
    if (entries < 0 || entries > 256) {
        Refuse();
    }
    // A device table lists its colours in index order and leaves the value fields unused.
    bool byPosition = (flags & 0x8000) != 0;
    for (int i = 0; i < entries; ++i) {
        uint16_t value = r.U16();
        uint32_t red = r.U16() >> 8;
        uint32_t green = r.U16() >> 8;
        uint32_t blue = r.U16() >> 8;
        size_t index = byPosition ? static_cast<size_t>(i) : value;
        if (index < pm.palette.size()) {
            pm.palette[index] = 0xFF000000u | red << 16 | green << 8 | blue;
            pm.defined.set(index);
        }
    }
}

// Reads rowBytes and bounds, then for a pixel map its fields and (unless direct) colour table;
// a plain bitmap is one bit per pixel, 1 black on 0 white.
PixMap ReadPixMap(Reader& r, bool direct)
{
    PixMap pm;
    uint16_t rowBytes = r.U16();
    bool isPixMap = (rowBytes & 0x8000) != 0;
    // The top two bits are flags.
    pm.rowBytes = rowBytes & 0x3FFF;
    pm.bounds = ReadRect(r);
    if (pm.bounds.Width() == 0 || pm.bounds.Height() == 0 || pm.bounds.Width() > kMaxSide ||
        pm.bounds.Height() > kMaxSide) {
        Refuse();
    }
    if (isPixMap) {
        ReadPixMapFields(r, pm);
        if (pm.direct != direct) {
            Refuse();
        }
        if (!direct) {
            ReadColorTable(r, pm);
        }
    } else {
        if (direct) {
            Refuse();
        }
        pm.palette[0] = kWhite;
        pm.palette[1] = kBlack;
        pm.defined.set(0);
        pm.defined.set(1);
    }
    return pm;
}

// Unpacks PackBits data into exactly out.size() bytes; false when a literal or run would
// write past the row's end, the data ends before the row is full, or more than no-ops follow.
bool UnpackBits(std::span<const uint8_t> in, std::span<uint8_t> out)
{
    size_t i = 0;
    size_t o = 0;
    while (o < out.size()) {
        if (i == in.size()) {
            return false;
        }
        int header = static_cast<int8_t>(in[i++]);
        if (header == -128) {
            continue;  // PackBits' no-op
        }
        size_t n = header >= 0 ? static_cast<size_t>(header) + 1 : static_cast<size_t>(1 - header);
        if (n > out.size() - o) {
            return false;
        }
        if (header >= 0) {
            if (n > in.size() - i) {
                return false;
            }
            std::copy_n(in.begin() + static_cast<std::ptrdiff_t>(i), n,
                        out.begin() + static_cast<std::ptrdiff_t>(o));
            i += n;
        } else {
            if (i == in.size()) {
                return false;
            }
            std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(o), n, in[i++]);
        }
        o += n;
    }
    return std::all_of(in.begin() + static_cast<std::ptrdiff_t>(i), in.end(),
                       [](uint8_t b) { return b == 0x80; });
}

// One packed row: a byte count `countWidth` bytes wide, then that many PackBits bytes. Leaves
// the reader where it was when the row does not decode exactly.
bool ReadPackedRow(Reader& r, size_t countWidth, std::span<uint8_t> out)
{
    size_t start = r.Position();
    if (r.Remaining() < countWidth) {
        return false;
    }
    size_t count = countWidth == 1 ? r.U8() : r.U16();
    if (count > r.Remaining()) {
        r.Seek(start);
        return false;
    }
    if (!UnpackBits(r.Take(count), out)) {
        r.Seek(start);
        return false;
    }
    return true;
}

struct RowFormat {
    RowLayout layout;
    size_t length;
    bool packed;
};

RowFormat FormatOf(const PixMap& pm, bool packable, Context& ctx)
{
    const size_t width = static_cast<size_t>(pm.bounds.Width());
    bool smallRows = pm.rowBytes < 8;
    if (!pm.direct) {
        if (static_cast<size_t>(pm.rowBytes) * 8 < width * static_cast<size_t>(pm.pixelSize)) {
            Refuse();
        }
        if (packable && smallRows) {
            ctx.sawSmallRows = true;
        }
        bool packed = packable && (!smallRows || ctx.smallRowsPacked);
        return {RowLayout::Indexed, static_cast<size_t>(pm.rowBytes), packed};
    }
    if (pm.packType == 2) {
        return {RowLayout::Rgb, width * 3, false};
    }
    bool packed = pm.packType != 1 && (!smallRows || ctx.smallRowsPacked);
    if (pm.packType != 1 && smallRows) {
        ctx.sawSmallRows = true;
    }
    if (packed) {
        return {RowLayout::Planes, width * static_cast<size_t>(pm.cmpCount), true};
    }
    if (static_cast<size_t>(pm.rowBytes) < width * 4) {
        Refuse();
    }
    return {RowLayout::Xrgb, static_cast<size_t>(pm.rowBytes), false};
}

void ReadRow(Reader& r, const PixMap& pm, const RowFormat& format, std::span<uint8_t> out)
{
    if (!format.packed) {
        auto data = r.Take(out.size());
        std::copy(data.begin(), data.end(), out.begin());
        return;
    }
    // Apple's rule gives the count's width; some writers use the other one, so a row that
    // does not decode exactly by the rule is tried with the other width before refusing.
    size_t byRule = pm.rowBytes > 250 ? 2 : 1;
    if (!ReadPackedRow(r, byRule, out) && !ReadPackedRow(r, 3 - byRule, out)) {
        Refuse();
    }
}

void ToPixels(const PixMap& pm, RowLayout layout, std::span<const uint8_t> row,
              std::vector<uint32_t>& pixels)
{
    const size_t width = pixels.size();
    for (size_t x = 0; x < width; ++x) {
        uint32_t red = 0;
        uint32_t green = 0;
        uint32_t blue = 0;
        switch (layout) {
        case RowLayout::Indexed: {
            size_t bit = x * static_cast<size_t>(pm.pixelSize);
            int shift = 8 - pm.pixelSize - static_cast<int>(bit % 8);
            size_t index = (row[bit / 8] >> shift) & ((1u << pm.pixelSize) - 1);
            if (!pm.defined.test(index)) {
                Refuse();
            }
            pixels[x] = pm.palette[index];
            continue;
        }
        case RowLayout::Xrgb:
            red = row[4 * x + 1];
            green = row[4 * x + 2];
            blue = row[4 * x + 3];
            break;
        case RowLayout::Rgb:
            red = row[3 * x];
            green = row[3 * x + 1];
            blue = row[3 * x + 2];
            break;
        case RowLayout::Planes: {
            // An alpha plane comes first when there are four; QuickDraw draws 32-bit pixels
            // opaque, and many writers leave that byte zero, so it is not used.
            size_t first = static_cast<size_t>(pm.cmpCount - 3) * width;
            red = row[first + x];
            green = row[first + width + x];
            blue = row[first + 2 * width + x];
            break;
        }
        }
        pixels[x] = 0xFF000000u | red << 16 | green << 8 | blue;
    }
}

// The picture being drawn: white until the first pixel map, allocated only then.
class Canvas {
public:
    explicit Canvas(const Rect& frame) : frame_(frame) {}

    void Prepare()
    {
        if (pixels_.empty()) {
            pixels_.assign(static_cast<size_t>(frame_.Width()) * static_cast<size_t>(frame_.Height()),
                           kWhite);
        }
    }

    bool Drawn() const { return !pixels_.empty(); }

    // Copies the part of pixel row `y` (in the map's own coordinates) that lies in src to
    // where dst puts it, clipped to the frame.
    void PutRow(const PixMap& pm, const Rect& src, const Rect& dst, int y,
                const std::vector<uint32_t>& row)
    {
        if (y < src.top || y >= src.bottom) {
            return;
        }
        int outY = dst.top + (y - src.top) - frame_.top;
        if (outY < 0 || outY >= frame_.Height()) {
            return;
        }
        // Columns of src whose destination falls inside the frame.
        int shift = dst.left - src.left - frame_.left;
        int first = std::max(src.left, -shift);
        int last = std::min(src.right, frame_.Width() - shift);
        uint32_t* out = pixels_.data() + static_cast<size_t>(outY) * static_cast<size_t>(frame_.Width());
        for (int x = first; x < last; ++x) {
            out[x + shift] = row[static_cast<size_t>(x - pm.bounds.left)];
        }
    }

    DecodedImage Release() &&
    {
        return DecodedImage{frame_.Width(), frame_.Height(), std::move(pixels_)};
    }

private:
    Rect frame_;
    std::vector<uint32_t> pixels_;
};

// Reads every row of a pixel map; with a canvas, draws its src part at dst.
void ReadPixels(Reader& r, const PixMap& pm, bool packable, Context& ctx, Canvas* canvas,
                const Rect& src, const Rect& dst)
{
    RowFormat format = FormatOf(pm, packable, ctx);
    const auto height = static_cast<uint64_t>(pm.bounds.Height());
    ctx.decoded += height * format.length;
    if (ctx.decoded > kDecodeBudget) {
        Refuse();
    }
    std::vector<uint8_t> row(format.length);
    std::vector<uint32_t> pixels(static_cast<size_t>(pm.bounds.Width()));
    for (int y = pm.bounds.top; y < pm.bounds.bottom; ++y) {
        ReadRow(r, pm, format, row);
        ToPixels(pm, format.layout, row, pixels);
        if (canvas != nullptr) {
            canvas->PutRow(pm, src, dst, y, pixels);
        }
    }
}

// BitsRect, BitsRgn, PackBitsRect, PackBitsRgn, DirectBitsRect and DirectBitsRgn.
void DrawPixMap(Reader& r, uint16_t op, Context& ctx, Canvas& canvas)
{
    bool direct = op == 0x9A || op == 0x9B;
    if (direct) {
        r.U32();  // baseAddr, a placeholder
    }
    PixMap pm = ReadPixMap(r, direct);
    Rect src = ReadRect(r);
    Rect dst = ReadRect(r);
    r.U16();  // transfer mode
    if (op == 0x91 || op == 0x99 || op == 0x9B) {
        SkipSized(r);  // mask region; the whole rectangle is drawn
    }
    // The picture is drawn one to one; a scaled copy is not supported.
    if (!pm.bounds.Contains(src) || src.Width() != dst.Width() || src.Height() != dst.Height()) {
        Refuse();
    }
    canvas.Prepare();
    bool packable = op >= 0x98;
    ReadPixels(r, pm, packable, ctx, &canvas, src, dst);
}

// BkPixPat, PnPixPat and FillPixPat: read through, since patterns only fill shapes, which are
// not drawn.
void SkipPattern(Reader& r, Context& ctx)
{
    uint16_t patType = r.U16();
    r.Skip(8);  // the one-bit pattern for old ports
    if (patType == 2) {
        r.Skip(6);  // the RGB colour of a dithered pattern
        return;
    }
    if (patType != 1) {
        Refuse();
    }
    PixMap pm = ReadPixMap(r, false);
    ReadPixels(r, pm, true, ctx, nullptr, pm.bounds, pm.bounds);
}

void SkipOpcode(Reader& r, uint16_t op, Context& ctx)
{
    if (op >= 0x8100) {
        r.Skip(r.U32());
        return;
    }
    if (op >= 0x8000) {
        return;
    }
    if (op >= 0x0100) {
        r.Skip(2u * (op >> 8));
        return;
    }
    int8_t length = kLengths[op];
    switch (length) {
    case kSized:
        SkipSized(r);
        break;
    case kWordCounted:
        r.Skip(r.U16());
        break;
    case kLongCounted:
        r.Skip(r.U32());
        break;
    case kText: {
        // LongText has a point before the count, DHDVText two offsets, the others one.
        size_t before = op == 0x28 ? 4 : op == 0x2B ? 2 : 1;
        r.Skip(before);
        r.Skip(r.U8());
        break;
    }
    case kPattern:
        SkipPattern(r, ctx);
        break;
    case kLongComment:
        r.U16();  // kind
        r.Skip(r.U16());
        break;
    default:
        r.Skip(static_cast<size_t>(length));
        break;
    }
}

DecodedImage Decode(std::span<const uint8_t> bytes, Context& ctx)
{
    Reader r(bytes);
    r.Skip(kFileHeaderSize);
    r.U16();  // picSize: only the low 16 bits of the size, so not to be trusted
    Rect frame = ReadRect(r);
    if (frame.Width() == 0 || frame.Height() == 0 || frame.Width() > kMaxSide ||
        frame.Height() > kMaxSide) {
        Refuse();
    }
    // VersionOp with version 2, then HeaderOp and its 24 bytes of version and resolution.
    if (r.U16() != 0x0011 || r.U16() != 0x02FF || r.U16() != 0x0C00) {
        Refuse();
    }
    r.Skip(24);

    Canvas canvas(frame);
    for (int count = 0;; ++count) {
        if (count == kOpcodeBudget) {
            Refuse();
        }
        uint16_t op = r.U16();
        if (op == kOpEndPic) {
            break;
        }
        if (op < 0x100 && kLengths[op] == kPixels) {
            DrawPixMap(r, op, ctx, canvas);
        } else {
            SkipOpcode(r, op, ctx);
        }
        r.AlignToWord();
    }
    // Shapes and text are not drawn; a picture without pixels would come out blank.
    if (!canvas.Drawn()) {
        Refuse();
    }
    return std::move(canvas).Release();
}

}  // namespace

std::optional<DecodedImage> DecodePict(std::span<const uint8_t> bytes)
{
    Context ctx;
    try {
        return Decode(bytes, ctx);
    } catch (const Refused&) {
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    // Read by Apple's rules the picture failed; if it has short rows, they may be packed.
    if (!ctx.sawSmallRows) {
        return std::nullopt;
    }
    Context packed;
    packed.smallRowsPacked = true;
    try {
        return Decode(bytes, packed);
    } catch (const Refused&) {
    } catch (const std::bad_alloc&) {
    }
    return std::nullopt;
}
