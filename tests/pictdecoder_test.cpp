#include "framework/pictures/pictdecoder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlack = 0xFF000000u;
// The file header, picSize, frame, version and header opcodes: where the drawing opcodes start.
constexpr std::ptrdiff_t kOpcodesStart = 512 + 2 + 8 + 6 + 24;

Bytes ReadFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "cannot read " << path.toStdString();
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

std::optional<DecodedImage> Decode(const Bytes& bytes)
{
    return DecodePict(std::span<const uint8_t>(bytes.data(), bytes.size()));
}

struct Rect {
    int top, left, bottom, right;
};

// One row as a packed row with a one-byte count: a single literal run (rows of up to 128 bytes).
Bytes Packed(Bytes row)
{
    row.insert(row.begin(), {static_cast<uint8_t>(row.size() + 1), static_cast<uint8_t>(row.size() - 1)});
    return row;
}

// Writes PICT files byte by byte, well-formed or not, for the cases no other program writes.
class Pict {
public:
    explicit Pict(Rect frame = {0, 0, 2, 4})
    {
        bytes_.assign(512, 0);
        U16({0}).Frame(frame).U16({0x0011, 0x02FF, 0x0C00}); // picSize, frame, version, header op
        bytes_.insert(bytes_.end(), 24, 0);
    }

    Pict& Raw(const Bytes& data)
    {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        return *this;
    }
    // Big-endian words and longs.
    Pict& U16(std::initializer_list<int> words)
    {
        for (int w : words)
            Raw({static_cast<uint8_t>(w >> 8), static_cast<uint8_t>(w)});
        return *this;
    }
    Pict& U32(uint32_t v) { return U16({static_cast<int>(v >> 16), static_cast<int>(v & 0xFFFF)}); }
    Pict& Frame(Rect r) { return U16({r.top, r.left, r.bottom, r.right}); }

    // The header of an indexed pixel map with its colour table, colours given as 0xRRGGBB at
    // indexes 0, 1, 2...; a direct-bits opcode carries its base address first, as for 32 bits.
    Pict& IndexedPixMap(int op, int rowBytes, Rect bounds, int pixelSize, const std::vector<uint32_t>& colours)
    {
        U16({op});
        if (op == 0x009A)
            U32(0xFF);
        U16({0x8000 | rowBytes}).Frame(bounds).Fields(0, 0, pixelSize, 1, pixelSize);
        U32(0).U16({0, static_cast<int>(colours.size()) - 1});
        for (size_t i = 0; i < colours.size(); ++i) {
            const int c = static_cast<int>(colours[i]);
            U16({static_cast<int>(i), (c >> 16 & 0xFF) * 0x101, (c >> 8 & 0xFF) * 0x101, (c & 0xFF) * 0x101});
        }
        return *this;
    }

    // DirectBitsRect header of a pixel map.
    Pict& DirectPixMap(int rowBytes, Rect bounds, int packType, int cmpCount = 3, int pixelSize = 32, int cmpSize = 8)
    {
        U16({0x009A}).U32(0xFF).U16({0x8000 | rowBytes}).Frame(bounds);
        return Fields(packType, 16, pixelSize, cmpCount, cmpSize);
    }

    // srcRect, dstRect and srcCopy mode.
    Pict& Copy(Rect src, Rect dst) { return Frame(src).Frame(dst).U16({0}); }

    Bytes End()
    {
        if (bytes_.size() % 2 != 0)
            Raw({0});
        return U16({0x00FF}).bytes_;
    }
    Bytes Unfinished() const { return bytes_; }

private:
    Pict& Fields(int packType, int pixelType, int pixelSize, int cmpCount, int cmpSize)
    {
        U16({0, packType}).U32(0).U32(72u << 16).U32(72u << 16).U16({pixelType, pixelSize, cmpCount, cmpSize});
        return U32(0).U32(0).U32(0);
    }

    Bytes bytes_;
};

const std::vector<uint32_t> kFourColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

// A 4 x 2 picture of four colours, 8-bit indexed, rows packed: red green blue white / the reverse.
Bytes FourColours()
{
    return Pict()
        .IndexedPixMap(0x0098, 8, {0, 0, 2, 4}, 8, kFourColours)
        .Copy({0, 0, 2, 4}, {0, 0, 2, 4})
        .Raw(Packed({0, 1, 2, 3, 0, 0, 0, 0}))
        .Raw(Packed({3, 2, 1, 0, 0, 0, 0, 0}))
        .End();
}

const std::vector<uint32_t> kFourColoursPixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, kWhite,
                                                  kWhite,     0xFF0000FF, 0xFF00FF00, 0xFFFF0000};

// The four-colour picture with the given opcodes before its pixel map.
Bytes Before(const Bytes& opcodes, Rect frame = {0, 0, 2, 4})
{
    const Bytes four = FourColours();
    return Pict(frame).Raw(opcodes).Raw(Bytes(four.begin() + kOpcodesStart, four.end())).Unfinished();
}

Bytes Patched(Bytes bytes, size_t at, const Bytes& with)
{
    std::copy(with.begin(), with.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

// A one-row 8-bit indexed picture, four pixels wide unless a field says otherwise.
struct Indexed {
    Rect frame{0, 0, 1, 4};
    Rect bounds{0, 0, 1, 4};
    std::vector<uint32_t> colours{0};
    Rect src{0, 0, 1, 4};
    Rect dst{0, 0, 1, 4};
    Bytes rows = Packed(Bytes(8, 0));
    int op = 0x0098;
};

Bytes Make(const Indexed& m)
{
    return Pict(m.frame).IndexedPixMap(m.op, 8, m.bounds, 8, m.colours).Copy(m.src, m.dst).Raw(m.rows).End();
}

void ExpectPixels(const std::optional<DecodedImage>& image, int width, int height, const std::vector<uint32_t>& argb)
{
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, width);
    EXPECT_EQ(image->height, height);
    EXPECT_EQ(image->argb, argb);
}

} // namespace

TEST(PictDecoder, FixturesDecodeToTheirSourcePixels)
{
    // ImageMagick wrote each picture from its PNG, at widths on both sides of the packing rules.
    for (int width : {1, 7, 8, 62, 63, 64, 65, 66, 67, 200, 201, 250, 251}) {
        for (const char* kind : {"direct-", "indexed-"}) {
            const QString base = QString(QUORVEL_TEST_DATA "/pict/%1%2").arg(kind).arg(width);
            SCOPED_TRACE(base.toStdString());
            auto image = Decode(ReadFile(base + ".pict"));
            const QImage png = QImage(base + ".png").convertToFormat(QImage::Format_ARGB32);
            ASSERT_FALSE(png.isNull());
            ASSERT_TRUE(image.has_value());
            ASSERT_EQ(QSize(image->width, image->height), png.size());
            std::vector<uint32_t> expected;
            for (int y = 0; y < png.height(); ++y)
                for (int x = 0; x < png.width(); ++x)
                    expected.push_back(png.pixel(x, y));
            const auto diff = std::mismatch(image->argb.begin(), image->argb.end(), expected.begin()).first;
            EXPECT_EQ(diff - image->argb.begin(), png.width() * png.height()) << "the first differing pixel";
        }
    }
}

TEST(PictDecoder, DecodesEveryPixelLayout)
{
    // A 2 x 1 map of red then blue in 32-bit direct pixels, as stored for a pack type.
    auto direct = [](int packType, int cmpCount, const Bytes& row) {
        Pict p({0, 0, 1, 2});
        return p.DirectPixMap(8, {0, 0, 1, 2}, packType, cmpCount).Copy({0, 0, 1, 2}, {0, 0, 1, 2}).Raw(row).End();
    };
    const std::vector<uint32_t> redBlue = {0xFFFF0000, 0xFF0000FF};
    // The frame starts at (10, 20); the map's middle two columns land one row down and four
    // columns right of the frame's corner, the last one outside the frame.
    std::vector<uint32_t> clipped(15, kWhite);
    clipped[5 + 4] = 0xFF00FF00;
    const std::tuple<const char*, Bytes, int, int, std::vector<uint32_t>> rows[] = { // what, bytes, size, pixels
        {"packed indexed map", FourColours(), 4, 2, kFourColoursPixels},
        {"rows under eight bytes unpacked, as Apple stores them",
         Pict().IndexedPixMap(0x0098, 2, {0, 0, 2, 4}, 4, kFourColours).Copy({0, 0, 2, 4}, {0, 0, 2, 4})
             .Raw({0x01, 0x23, 0x32, 0x10}).End(),
         4, 2, kFourColoursPixels},
        {"row counts of the other width: two bytes where rowBytes 8 calls for one",
         Pict().IndexedPixMap(0x0098, 8, {0, 0, 2, 4}, 8, kFourColours).Copy({0, 0, 2, 4}, {0, 0, 2, 4})
             .Raw({0, 9, 7, 0, 1, 2, 3, 0, 0, 0, 0}).Raw({0, 9, 7, 3, 2, 1, 0, 0, 0, 0, 0}).End(),
         4, 2, kFourColoursPixels},
        {"plain bitmap: 1 black, 0 white, rows never packed",
         Pict({0, 0, 2, 3}).U16({0x0090, 2}).Frame({0, 0, 2, 3}).Copy({0, 0, 2, 3}, {0, 0, 2, 3})
             .Raw({0xA0, 0, 0x40, 0}).End(),
         3, 2, {kBlack, kWhite, kBlack, kWhite, kBlack, kWhite}},
        {"direct unpacked", direct(1, 3, {0, 0xFF, 0, 0, 0, 0, 0, 0xFF}), 2, 1, redBlue},
        {"direct, pad byte removed", direct(2, 3, {0xFF, 0, 0, 0, 0, 0xFF}), 2, 1, redBlue},
        {"direct planes", direct(4, 3, {7, 5, 0xFF, 0, 0, 0, 0, 0xFF}), 2, 1, redBlue},
        // The alpha plane leads; QuickDraw pixels are opaque whatever it holds.
        {"direct planes with alpha", direct(4, 4, {9, 7, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF}), 2, 1, redBlue},
        {"direct, default packing is planes", direct(0, 3, {7, 5, 0xFF, 0, 0, 0, 0, 0xFF}), 2, 1, redBlue},
        {"srcRect to dstRect, clipped to the frame",
         Make({.frame = {10, 20, 13, 25}, .colours = kFourColours, .src = {0, 1, 1, 3}, .dst = {11, 24, 12, 26},
               .rows = Packed({0, 1, 2, 3, 0, 0, 0, 0})}),
         5, 3, clipped},
    };
    for (const auto& [what, bytes, width, height, argb] : rows) {
        SCOPED_TRACE(what);
        ExpectPixels(Decode(bytes), width, height, argb);
    }
}

TEST(PictDecoder, SkipsOpcodesByTheirStatedLength)
{
    // Most data ends in the word 00FF, so a rule that skips too little meets an early end.
    // Each row is an opcode and its data, word-aligned, named by the opcode in the trace.
    const Bytes rows[] = {
        {0x00, 0x00}, {0x00, 0x04, 0x01, 0x00}, {0x00, 0x17}, {0x00, 0xB0}, {0x80, 0x00}, // no-op, odd byte, zeros
        {0x00, 0x01, 0x00, 0x0A, 0, 0, 0, 0, 0, 2, 0x00, 0xFF},                            // clip region
        {0x00, 0x1A, 1, 2, 3, 4, 0x00, 0xFF},                                               // RGB colour
        {0x00, 0x24, 0x00, 0x04, 0x00, 0xFF, 0x00, 0xFF}, {0x00, 0xA2, 0x00, 0x02, 0x00, 0xFF}, // word-counted
        {0x00, 0x92, 0x00, 0x02, 0x00, 0xFF}, {0x00, 0x9C, 0x00, 0x02, 0x00, 0xFF},
        {0x00, 0x28, 0, 1, 0, 1, 3, 'a', 0x00, 0xFF}, {0x00, 0x29, 5, 2, 0x00, 0xFF},       // texts
        {0x00, 0x2B, 5, 6, 3, 'x', 0x00, 0xFF},
        {0x00, 0x61, 0, 0, 0, 0, 0, 2, 0, 2, 0x00, 0xFF, 0x00, 0xFF},                       // arc
        {0x00, 0x75, 0x00, 0x0C, 0, 0, 0, 0, 0, 1, 0, 1, 0x00, 0xFF},                       // polygon
        {0x00, 0x80, 0x00, 0x0A, 0, 0, 0, 0, 0, 1, 0x00, 0xFF},                             // region
        {0x00, 0xA0, 0x00, 0xFF}, {0x00, 0xA1, 0x00, 0x64, 0x00, 0x05, 1, 2, 3, 0x00, 0xFF, 0}, // comments
        {0x00, 0xD0, 0, 0, 0, 2, 0x00, 0xFF}, {0x81, 0x00, 0, 0, 0, 3, 1, 0x00, 0xFF, 0},   // long-counted
        {0x01, 0x00, 0x00, 0xFF}, {0x03, 0x42, 1, 2, 3, 4, 0x00, 0xFF},                     // sized by the opcode
        {0x0C, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0xFF}, // header op
        {0x00, 0x12, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 0x00, 0xFF},                 // dither pattern
        {0x00, 0x14, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0,                                          // pixel pattern: type, old
         0x80, 0x02, 0, 0, 0, 0, 0, 2, 0, 2,                                                // rowBytes, bounds
         0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                                    // version .. vRes
         0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
         0, 0, 0, 0, 0, 0, 0, 1,                                                            // ctSeed, flags, size
         0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
         0x40, 0x00, 0x80, 0x00},                                                           // two raw rows
    };
    for (const Bytes& row : rows) {
        SCOPED_TRACE(testing::PrintToString(Bytes(row.begin(), row.begin() + 2)));
        ExpectPixels(Decode(Before(row)), 4, 2, kFourColoursPixels);
    }
}

TEST(PictDecoder, RefusesEveryTruncationOfAValidFile)
{
    for (const char* name : {"indexed-7", "direct-65", "indexed-251"}) {
        Bytes whole = ReadFile(QString(QUORVEL_TEST_DATA "/pict/") + name + ".pict");
        ASSERT_TRUE(Decode(whole).has_value()) << name;
        for (size_t length = 0; length < whole.size(); ++length) {
            Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            ASSERT_FALSE(Decode(cut).has_value()) << name << " cut to " << length << " bytes";
        }
    }
}

TEST(PictDecoder, RefusesHostilePictures)
{
    const Bytes four = FourColours();
    Bytes noEnd = four;
    noEnd.resize(noEnd.size() - 2);
    Bytes sixteenBit = Pict().DirectPixMap(8, {0, 0, 1, 4}, 3, 3, 16, 5).Copy({0, 0, 1, 4}, {0, 0, 1, 4})
                           .Raw(Packed(Bytes(8, 0))).End();
    const std::pair<const char*, Bytes> rows[] = {
        {"Empty", {}},                                  {"NoPixelMap", Pict().End()},
        {"InvertedFrame", Pict({0, 4, 2, 0}).End()},     {"EmptyFrame", Pict({0, 0, 0, 4}).End()},
        {"HugeFrameInATinyFile", Before({}, {0, 0, 30000, 30000})},
        {"VersionOnePicture", Patched(four, 522, {0x11, 0x01})}, {"MissingHeaderOp", Patched(four, 526, {0x00})},
        {"NoEndOfPicture", noEnd},                     {"SixteenBitDirectPixels", sixteenBit},
        {"PackBitsRunPastTheRow", Make({.rows = {2, 0xF6, 0}})},       // 11 zeros for an 8-byte row
        {"PackBitsLiteralPastItsCount", Make({.rows = {3, 7, 0, 0}})}, // an 8-byte literal in a 3-byte row
        {"RowCountPastTheEnd", Make({.rows = {0xF0, 7, 0, 0, 0, 0, 0, 0, 0, 0}})},
        {"PaletteIndexOutsideTheTable",
         Make({.colours = {0xFF0000, 0x00FF00}, .rows = Packed({0, 1, 5, 0, 0, 0, 0, 0})})},
        {"ColourTableOver256Entries", Make({.colours = std::vector<uint32_t>(257, 0)})},
        {"RowBytesTooSmallForTheWidth",
         Make({.frame = {0, 0, 1, 40}, .bounds = {0, 0, 1, 40}, .src = {0, 0, 1, 40}, .dst = {0, 0, 1, 40}})},
        {"PixelMapOverTheLimit", Make({.bounds = {0, 0, 5000, 4}})}, {"SrcRectOffTheMap", Make({.src = {0, 2, 1, 6}})},
        {"InvertedDstRect", Make({.dst = {1, 4, 0, 0}})},          {"DirectOpcodeIndexedMap", Make({.op = 0x009A})},
        {"SrcAndDstDifferInSizeNothingIsScaled",
         Make({.frame = {10, 20, 13, 25}, .src = {0, 1, 1, 3}, .dst = {11, 23, 12, 26}})},
        {"RegionSmallerThanItsHeader", Before({0x00, 0x01, 0x00, 0x04, 0, 0, 0, 0})},
        {"RegionPastTheEnd", Before({0x00, 0x01, 0xFF, 0xFE})}, {"WordsPastTheEnd", Before({0x00, 0x24, 0xFF, 0xFF})},
        {"TextPastTheEnd", Before({0x00, 0x28, 0, 0, 0, 0, 0xFF})}, {"ReservedRangePastTheEnd", Before({0x7F, 0xFF})},
        {"LongCommentPastTheEnd", Before({0x00, 0xA1, 0x00, 100, 0x40, 0x00})},
        {"UnknownPatternType", Before({0x00, 0x12, 0x00, 7, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"LongCountedLengthOf4GB", Before({0x81, 0x00, 0xFF, 0xFF, 0xFF, 0xFF})},
    };
    for (const auto& [what, bytes] : rows)
        EXPECT_FALSE(Decode(bytes).has_value()) << what;
}

TEST(PictDecoder, LimitsHoldToTheLastOneAllowed)
{
    // 99998 no-ops, the pixel map and the end make 100000 opcodes: the budget, and one more is refused.
    ExpectPixels(Decode(Before(Bytes(2 * 99998, 0))), 4, 2, kFourColoursPixels);
    EXPECT_FALSE(Decode(Before(Bytes(2 * 99999, 0))).has_value());

    // A frame 4096 wide, the map drawn at its right edge; 4097 is refused.
    auto image = Decode(Make({.frame = {0, 0, 1, 4096}, .dst = {0, 4092, 1, 4096}}));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 4096);
    EXPECT_EQ(image->argb[4091], kWhite);
    EXPECT_EQ(image->argb[4092], kBlack);
    EXPECT_EQ(image->argb[4095], kBlack);
    EXPECT_FALSE(Decode(Make({.frame = {0, 0, 1, 4097}})).has_value());
}
