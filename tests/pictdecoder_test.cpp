#include "framework/pictures/pictdecoder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Pixels = std::vector<uint32_t>;

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;

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

// Writes PICT files word by word, well-formed or not, for the cases no other program writes.
// Made without a frame, it writes a fragment to put inside one.
class Pict {
public:
    Pict() = default;
    explicit Pict(Rect frame)
    {
        bytes_.assign(512, 0);
        U16({0}).Frame(frame).U16({0x0011, 0x02FF, 0x0C00}); // picSize, frame, version, header op
        Raw(Bytes(24, 0));
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

    // A pixel map from rowBytes to its last reserved field.
    Pict& PixMap(int rowBytes, Rect bounds, int packType, int pixelSize, int cmpCount, int cmpSize)
    {
        U16({0x8000 | rowBytes}).Frame(bounds).U16({0, packType}).U32(0).U32(72u << 16).U32(72u << 16);
        return U16({pixelSize > 8 ? 16 : 0, pixelSize, cmpCount, cmpSize}).U32(0).U32(0).U32(0);
    }
    // A colour table of 0xRRGGBB colours at indexes 0, 1, 2...
    Pict& Colours(const std::vector<uint32_t>& colours)
    {
        U32(0).U16({0, static_cast<int>(colours.size()) - 1}); // seed, flags, last index
        for (size_t i = 0; i < colours.size(); ++i) {
            const int c = static_cast<int>(colours[i]);
            U16({static_cast<int>(i), (c >> 16 & 0xFF) * 0x101, (c >> 8 & 0xFF) * 0x101, (c & 0xFF) * 0x101});
        }
        return *this;
    }
    // srcRect, dstRect and srcCopy mode.
    Pict& Copy(Rect src, Rect dst) { return Frame(src).Frame(dst).U16({0}); }

    Bytes End()
    {
        if (bytes_.size() % 2 != 0)
            Raw({0});
        return U16({0x00FF}).bytes_;
    }
    Bytes Fragment() const { return bytes_; }

private:
    Bytes bytes_;
};

// A one-row 8-bit indexed picture of four black pixels, unless a field says otherwise;
// `before` goes between the header and the map.
struct Indexed {
    Rect frame{0, 0, 1, 4};
    Bytes before{};
    int op = 0x0098;
    int rowBytes = 8;
    Rect bounds{0, 0, 1, 4};
    int pixelSize = 8;
    std::vector<uint32_t> colours{0};
    Rect src{0, 0, 1, 4};
    Rect dst{0, 0, 1, 4};
    Bytes rows = Packed(Bytes(8, 0));
};

Bytes Make(const Indexed& m)
{
    Pict pict(m.frame);
    pict.Raw(m.before).U16({m.op});
    if (m.op == 0x009A)
        pict.U32(0xFF); // a direct-bits opcode carries a base address first
    pict.PixMap(m.rowBytes, m.bounds, 0, m.pixelSize, 1, m.pixelSize).Colours(m.colours);
    return pict.Copy(m.src, m.dst).Raw(m.rows).End();
}

// A 2 x 1 map of direct pixels whose one row is stored as `row`.
Bytes Direct(int packType, int cmpCount, const Bytes& row, int pixelSize = 32, int cmpSize = 8)
{
    Pict pict({0, 0, 1, 2});
    pict.U16({0x009A}).U32(0xFF).PixMap(8, {0, 0, 1, 2}, packType, pixelSize, cmpCount, cmpSize);
    return pict.Copy({0, 0, 1, 2}, {0, 0, 1, 2}).Raw(row).End();
}

Bytes Patched(Bytes bytes, size_t at, const Bytes& with)
{
    std::copy(with.begin(), with.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

const std::vector<uint32_t> kFourColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

} // namespace

TEST(PictDecoder, FixturesDecodeToTheirSourcePixels)
{
    // ImageMagick wrote each picture from its PNG, at widths on both sides of the packing rules.
    for (int width : {1, 7, 8, 62, 63, 64, 65, 66, 67, 200, 201, 250, 251}) {
        for (const char* kind : {"direct-", "indexed-"}) {
            const QString base = QString(QUORVEL_TEST_DATA "/pict/%1%2").arg(kind).arg(width);
            SCOPED_TRACE(base.toStdString());
            const auto image = Decode(ReadFile(base + ".pict"));
            const QImage png = QImage(base + ".png").convertToFormat(QImage::Format_ARGB32);
            ASSERT_FALSE(png.isNull());
            ASSERT_TRUE(image.has_value());
            ASSERT_EQ(QSize(image->width, image->height), png.size());
            Pixels expected;
            for (int y = 0; y < png.height(); ++y)
                for (int x = 0; x < png.width(); ++x)
                    expected.push_back(png.pixel(x, y));
            const auto diff = std::mismatch(image->argb.begin(), image->argb.end(), expected.begin()).first;
            EXPECT_EQ(diff - image->argb.begin(), png.width() * png.height()) << "the first differing pixel";
        }
    }
}

TEST(PictDecoder, DecodesTheLayoutsNoFixtureHas)
{
    const Pixels redBlue = {kRed, kBlue};
    // The frame starts at (10, 20); the map's middle two columns land one row down and four
    // columns right of the frame's corner, the last one outside the frame.
    Pixels clipped(15, kWhite);
    clipped[5 + 4] = kGreen;
    const std::tuple<const char*, Bytes, int, int, Pixels> rows[] = { // what, bytes, size, pixels
        {"4-bit rows under eight bytes unpacked, as Apple stores them",
         Make({.rowBytes = 2, .pixelSize = 4, .colours = kFourColours, .rows = {0x01, 0x23}}),
         4, 1, {kRed, kGreen, kBlue, kWhite}},
        {"plain bitmap: 1 black, 0 white",
         Pict({0, 0, 1, 3}).U16({0x0090, 2}).Frame({0, 0, 1, 3}).Copy({0, 0, 1, 3}, {0, 0, 1, 3}).Raw({0xA0, 0}).End(),
         3, 1, {kBlack, kWhite, kBlack}},
        {"PackBits no-ops before and after a row's run", Make({.rows = {4, 0x80, 0xF9, 0, 0x80}}), 4, 1,
         Pixels(4, kBlack)},
        {"direct unpacked", Direct(1, 3, {0, 0xFF, 0, 0, 0, 0, 0, 0xFF}), 2, 1, redBlue},
        {"direct, pad byte removed", Direct(2, 3, {0xFF, 0, 0, 0, 0, 0xFF}), 2, 1, redBlue},
        {"direct, default packing is planes", Direct(0, 3, {7, 5, 0xFF, 0, 0, 0, 0, 0xFF}), 2, 1, redBlue},
        // The alpha plane leads; QuickDraw pixels are opaque whatever it holds.
        {"direct planes with alpha", Direct(4, 4, {9, 7, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF}), 2, 1, redBlue},
        {"srcRect to dstRect, clipped to the frame",
         Make({.frame = {10, 20, 13, 25}, .colours = kFourColours, .src = {0, 1, 1, 3}, .dst = {11, 24, 12, 26},
               .rows = Packed({0, 1, 2, 3, 0, 0, 0, 0})}),
         5, 3, clipped},
        // Two columns fall left of the frame: nothing lands at the end of the row above.
        {"dstRect left of the frame, clipped",
         Make({.frame = {0, 0, 2, 4}, .colours = kFourColours, .dst = {1, -2, 2, 2},
               .rows = Packed({0, 1, 2, 0, 0, 0, 0, 0})}),
         4, 2, {kWhite, kWhite, kWhite, kWhite, kBlue, kRed, kWhite, kWhite}},
        {"rows of the map outside srcRect are not drawn",
         Make({.frame = {0, 0, 2, 4}, .bounds = {0, 0, 2, 4}, .colours = kFourColours,
               .rows = {9, 7, 0, 1, 2, 0, 0, 0, 0, 0, 9, 7, 1, 1, 1, 1, 0, 0, 0, 0}}),
         4, 2, {kRed, kGreen, kBlue, kRed, kWhite, kWhite, kWhite, kWhite}},
        // A table entry names its index; 256 names none and is passed over, whatever its colour.
        {"colour entry for index 256",
         Pict({0, 0, 1, 4}).U16({0x0098}).PixMap(8, {0, 0, 1, 4}, 0, 8, 1, 8).U32(0)
             .U16({0, 1, 0, 0, 0, 0, 256, 0xFFFF, 0, 0}).Copy({0, 0, 1, 4}, {0, 0, 1, 4}).Raw(Packed(Bytes(8, 0))).End(),
         4, 1, Pixels(4, kBlack)},
    };
    for (const auto& [what, bytes, width, height, argb] : rows) {
        SCOPED_TRACE(what);
        const auto image = Decode(bytes);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(QSize(image->width, image->height), QSize(width, height));
        EXPECT_EQ(image->argb, argb);
    }
}

TEST(PictDecoder, SkipsOpcodesByTheirStatedLength)
{
    // One opcode for each way a length is stated, with its data. Most data ends in the word 00FF,
    // so a rule that skips too little meets an early end and finds no pixel map.
    const Bytes rows[] = {
        {0x00, 0x04, 0x01, 0x00},                                           // odd byte count, then a pad byte
        {0x00, 0x01, 0x00, 0x0C, 0, 0, 0, 0, 0, 2, 0, 2, 0x00, 0xFF},       // region: size word included
        {0x00, 0x24, 0x00, 0x04, 0x00, 0xFF, 0x00, 0xFF},                   // word-counted
        {0x00, 0xD0, 0, 0, 0, 2, 0x00, 0xFF}, {0x81, 0x00, 0, 0, 0, 3, 1, 0x00, 0xFF, 0}, // long-counted
        {0x00, 0x28, 0, 1, 0, 1, 3, 'a', 0x00, 0xFF},                       // texts after a point,
        {0x00, 0x2B, 5, 6, 3, 'x', 0x00, 0xFF},                             // after two offsets,
        {0x00, 0x29, 5, 3, 0x00, 0xFF, 0x00, 0xFF},                         // after one
        {0x00, 0xA1, 0x00, 0x64, 0x00, 0x05, 1, 2, 3, 0x00, 0xFF, 0},       // long comment: kind, then counted
        {0x03, 0x42, 1, 2, 3, 4, 0x00, 0xFF},                               // two bytes per high byte of the op
        {0x80, 0x00},                                                       // no data at all
        {0x00, 0x12, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 0x00, 0xFF}, // dither pattern
        // pixel pattern: its type and old pattern, then a 2 x 2 one-bit map and its two rows
        Pict().U16({0x0014, 1, 0, 0, 0, 0}).PixMap(2, {0, 0, 2, 2}, 0, 1, 1, 1).Colours({0, 0xFFFFFF})
            .Raw({0x40, 0x00, 0x80, 0x00}).Fragment(),
    };
    for (const Bytes& row : rows) {
        SCOPED_TRACE(testing::PrintToString(Bytes(row.begin(), row.begin() + 2)));
        const auto image = Decode(Make({.before = row}));
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(image->argb, Pixels(4, kBlack));
    }
}

TEST(PictDecoder, RefusesEveryTruncationOfAValidFile)
{
    for (const char* name : {"indexed-7", "direct-65", "indexed-251"}) {
        const Bytes whole = ReadFile(QString(QUORVEL_TEST_DATA "/pict/") + name + ".pict");
        ASSERT_TRUE(Decode(whole).has_value()) << name;
        for (size_t length = 0; length < whole.size(); ++length) {
            const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            ASSERT_FALSE(Decode(cut).has_value()) << name << " cut to " << length << " bytes";
        }
    }
}

TEST(PictDecoder, RefusesHostilePictures)
{
    const Bytes plain = Make({});
    const std::pair<const char*, Bytes> rows[] = {
        {"Empty", {}},                                  {"NoPixelMap", Pict({0, 0, 1, 4}).End()},
        {"InvertedFrame", Make({.frame = {0, 4, 1, 0}})}, {"EmptyFrame", Make({.frame = {0, 0, 0, 4}})},
        {"FrameTallerThanTheLimit", Make({.frame = {0, 0, 30000, 4}})},
        {"VersionOnePicture", Patched(plain, 522, {0x11, 0x01})}, {"MissingHeaderOp", Patched(plain, 526, {0x00})},
        {"NoEndOfPicture", Bytes(plain.begin(), plain.end() - 2)},
        {"SixteenBitDirectPixels", Direct(3, 3, Packed(Bytes(4, 0)), 16, 5)},
        {"DirectPixelsOfTwoComponents", Direct(0, 2, Packed(Bytes(4, 0)))},
        {"PackBitsRunPastTheRow", Make({.rows = {2, 0xF6, 0}})},       // 11 zeros for an 8-byte row
        {"PackBitsLiteralPastTheRow", Make({.rows = {10, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0}})}, // 9 bytes for 8
        {"PackBitsLiteralPastItsCount", Make({.rows = {3, 7, 0, 0}})}, // an 8-byte literal in a 3-byte row
        {"PackBitsByteAfterTheRow", Make({.rows = {10, 7, 0, 0, 0, 0, 0, 0, 0, 0, 5}})},
        {"RowCountPastTheEnd", Make({.rows = {0xF0, 7, 0, 0, 0, 0, 0, 0, 0, 0}})},
        {"PaletteIndexOutsideTheTable",
         Make({.colours = {0xFF0000, 0x00FF00}, .rows = Packed({0, 1, 5, 0, 0, 0, 0, 0})})},
        {"ColourTableOver256Entries", Make({.colours = std::vector<uint32_t>(257, 0)})},
        {"RowBytesTooSmallForTheWidth",
         Make({.frame = {0, 0, 1, 40}, .bounds = {0, 0, 1, 40}, .src = {0, 0, 1, 40}, .dst = {0, 0, 1, 40}})},
        {"SrcRectOffTheMap", Make({.src = {0, 2, 1, 6}})},
        {"InvertedDstRect", Make({.dst = {1, 4, 0, 0}})},          {"DirectOpcodeIndexedMap", Make({.op = 0x009A})},
        {"SrcAndDstDifferInSizeNothingIsScaled",
         Make({.frame = {10, 20, 13, 25}, .src = {0, 1, 1, 3}, .dst = {11, 23, 12, 26}})},
        {"RegionSmallerThanItsHeader", Make({.before = {0x00, 0x01, 0x00, 0x04, 0, 0, 0, 0}})},
        {"RegionPastTheEnd", Make({.before = {0x00, 0x01, 0xFF, 0xFE}})},
        {"WordsPastTheEnd", Make({.before = {0x00, 0x24, 0xFF, 0xFF}})},
        {"TextPastTheEnd", Make({.before = {0x00, 0x28, 0, 0, 0, 0, 0xFF}})},
        {"ReservedRangePastTheEnd", Make({.before = {0x7F, 0xFF}})},
        {"LongCommentPastTheEnd", Make({.before = {0x00, 0xA1, 0x00, 100, 0x40, 0x00}})},
        {"UnknownPatternType", Make({.before = {0x00, 0x12, 0x00, 7, 0, 0, 0, 0, 0, 0, 0, 0}})},
        {"LongCountedLengthOf4GB", Make({.before = {0x81, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}})},
    };
    for (const auto& [what, bytes] : rows)
        EXPECT_FALSE(Decode(bytes).has_value()) << what;
}

TEST(PictDecoder, LimitsHoldToTheLastOneAllowed)
{
    // 99998 no-ops, the pixel map and the end make 100000 opcodes: the budget, and one more is refused.
    EXPECT_TRUE(Decode(Make({.before = Bytes(2 * 99998, 0)})).has_value());
    EXPECT_FALSE(Decode(Make({.before = Bytes(2 * 99999, 0)})).has_value());

    // A frame 4096 wide is the widest allowed.
    EXPECT_TRUE(Decode(Make({.frame = {0, 0, 1, 4096}})).has_value());
    EXPECT_FALSE(Decode(Make({.frame = {0, 0, 1, 4097}})).has_value());

    // A pixel map 4096 rows tall is the tallest allowed; one row more is refused with all its rows there.
    const auto column = [](int height) {
        return Make({.rowBytes = 1, .bounds = {0, 0, height, 1}, .src = {0, 0, 1, 1}, .dst = {0, 0, 1, 1},
                     .rows = Bytes(static_cast<size_t>(height), 0)});
    };
    EXPECT_TRUE(Decode(column(4096)).has_value());
    EXPECT_FALSE(Decode(column(4097)).has_value());

    // A map 4096 wide, its row bytes counted in two bytes, drawn whole into a frame 4 wide; one
    // column more is refused. Each row is runs of up to 128 zeros.
    const auto wideMap = [](int width) {
        Pict map({0, 0, 1, 4});
        map.U16({0x0098}).PixMap(width, {0, 0, 1, width}, 0, 8, 1, 8).Colours({0});
        map.Copy({0, 0, 1, width}, {0, 0, 1, width}).U16({(width + 127) / 128 * 2});
        for (int left = width; left > 0; left -= 128)
            map.Raw({static_cast<uint8_t>(1 - std::min(left, 128)), 0});
        return map.End();
    };
    const auto wide = Decode(wideMap(4096));
    ASSERT_TRUE(wide.has_value());
    EXPECT_EQ(wide->argb, Pixels(4, kBlack));
    EXPECT_FALSE(Decode(wideMap(4097)).has_value());

    // A colour table of 256 entries is the largest (257 are refused).
    EXPECT_TRUE(Decode(Make({.colours = std::vector<uint32_t>(256, 0)})).has_value());
}
