#include "framework/pictdecoder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kLabelGreen = 0xFF187534u;
// The file header, picSize, frame, version and header opcodes: where the drawing opcodes start.
constexpr std::ptrdiff_t kOpcodesStart = 512 + 2 + 8 + 6 + 24;

Bytes ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

std::optional<DecodedImage> Decode(const Bytes& bytes)
{
    return DecodePict(std::span<const uint8_t>(bytes.data(), bytes.size()));
}

struct Rect {
    int top;
    int left;
    int bottom;
    int right;
};

// Writes PICT files byte by byte, well-formed or not, for the cases no other program writes.
class Pict {
public:
    explicit Pict(Rect frame = {0, 0, 2, 4})
    {
        bytes_.assign(512, 0);
        U16(0);  // picSize
        Frame(frame);
        U16(0x0011).U16(0x02FF).U16(0x0C00);
        bytes_.insert(bytes_.end(), 24, 0);
    }

    Pict& U8(uint8_t v)
    {
        bytes_.push_back(v);
        return *this;
    }
    Pict& U16(uint16_t v) { return U8(static_cast<uint8_t>(v >> 8)).U8(static_cast<uint8_t>(v)); }
    Pict& U32(uint32_t v) { return U16(static_cast<uint16_t>(v >> 16)).U16(static_cast<uint16_t>(v)); }
    Pict& Frame(Rect r)
    {
        return U16(static_cast<uint16_t>(r.top))
            .U16(static_cast<uint16_t>(r.left))
            .U16(static_cast<uint16_t>(r.bottom))
            .U16(static_cast<uint16_t>(r.right));
    }
    Pict& Raw(const Bytes& data)
    {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        return *this;
    }
    Pict& Align()
    {
        if (bytes_.size() % 2 != 0) {
            U8(0);
        }
        return *this;
    }

    // PackBitsRect (or another bits opcode) header of an indexed pixel map with its colour
    // table, colours given as 0xRRGGBB at indexes 0, 1, 2...
    Pict& IndexedPixMap(uint16_t op, int rowBytes, Rect bounds, int pixelSize,
                        const std::vector<uint32_t>& colours)
    {
        U16(op).U16(static_cast<uint16_t>(0x8000 | rowBytes)).Frame(bounds);
        Fields(0, 0, pixelSize, 1, pixelSize);
        U32(0).U16(0).U16(static_cast<uint16_t>(colours.size() - 1));
        for (size_t i = 0; i < colours.size(); ++i) {
            uint32_t c = colours[i];
            U16(static_cast<uint16_t>(i));
            U16(static_cast<uint16_t>((c >> 16 & 0xFF) * 0x101));
            U16(static_cast<uint16_t>((c >> 8 & 0xFF) * 0x101));
            U16(static_cast<uint16_t>((c & 0xFF) * 0x101));
        }
        return *this;
    }

    // DirectBitsRect header of a 32-bit pixel map.
    Pict& DirectPixMap(int rowBytes, Rect bounds, int packType, int cmpCount = 3)
    {
        U16(0x009A).U32(0xFF).U16(static_cast<uint16_t>(0x8000 | rowBytes)).Frame(bounds);
        return Fields(packType, 16, 32, cmpCount, 8);
    }

    // srcRect, dstRect and srcCopy mode.
    Pict& Copy(Rect src, Rect dst) { return Frame(src).Frame(dst).U16(0); }

    // One packed row with a one-byte count, as literal runs of at most 128 bytes.
    Pict& PackedRow(const Bytes& row)
    {
        Bytes packed;
        for (size_t i = 0; i < row.size(); i += 128) {
            size_t n = std::min<size_t>(128, row.size() - i);
            packed.push_back(static_cast<uint8_t>(n - 1));
            packed.insert(packed.end(), row.begin() + static_cast<std::ptrdiff_t>(i),
                          row.begin() + static_cast<std::ptrdiff_t>(i + n));
        }
        return U8(static_cast<uint8_t>(packed.size())).Raw(packed);
    }

    Bytes End()
    {
        Align();
        U16(0x00FF);
        return bytes_;
    }
    Bytes Unfinished() const { return bytes_; }

private:
    Pict& Fields(int packType, int pixelType, int pixelSize, int cmpCount, int cmpSize)
    {
        U16(0).U16(static_cast<uint16_t>(packType)).U32(0).U32(72u << 16).U32(72u << 16);
        U16(static_cast<uint16_t>(pixelType)).U16(static_cast<uint16_t>(pixelSize));
        U16(static_cast<uint16_t>(cmpCount)).U16(static_cast<uint16_t>(cmpSize));
        return U32(0).U32(0).U32(0);
    }

    Bytes bytes_;
};

// A 4 x 2 picture of four colours, 8-bit indexed, rows packed: red green blue white / the reverse.
Pict FourColours()
{
    Pict p;
    p.IndexedPixMap(0x0098, 8, {0, 0, 2, 4}, 8, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF})
        .Copy({0, 0, 2, 4}, {0, 0, 2, 4})
        .PackedRow({0, 1, 2, 3, 0, 0, 0, 0})
        .PackedRow({3, 2, 1, 0, 0, 0, 0, 0});
    return p;
}

// The drawing opcodes of a picture, its end included.
Bytes Body(const Bytes& picture)
{
    return Bytes(picture.begin() + kOpcodesStart, picture.end());
}

const std::vector<uint32_t> kFourColoursPixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, kWhite,
                                                  kWhite,     0xFF0000FF, 0xFF00FF00, 0xFFFF0000};

void ExpectPixels(const std::optional<DecodedImage>& image, int width, int height,
                  const std::vector<uint32_t>& argb)
{
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, width);
    EXPECT_EQ(image->height, height);
    EXPECT_EQ(image->argb, argb);
}

// --- Our own pictures ----------------------------------------------------------------------

struct OwnPicture {
    const char* name;
    int width;
    int height;
};

void PrintTo(const OwnPicture& c, std::ostream* os)
{
    *os << c.name;
}

class OwnPictures : public ::testing::TestWithParam<OwnPicture> {};

TEST_P(OwnPictures, DecodeToTheirSizeWithTheGreenRuleAlongTheBottom)
{
    const OwnPicture& pic = GetParam();
    auto image = Decode(ReadFile(QString(QUORVEL_RESOURCES_DIR "/") + pic.name));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, pic.width);
    EXPECT_EQ(image->height, pic.height);
    const size_t bottomRow = static_cast<size_t>(pic.height - 1) * static_cast<size_t>(pic.width);
    for (int x = 0; x < pic.width; ++x) {
        ASSERT_EQ(image->argb[bottomRow + static_cast<size_t>(x)], kLabelGreen) << "x = " << x;
    }
    EXPECT_EQ(image->argb[static_cast<size_t>(pic.width) - 1], kWhite);  // top right corner
}

INSTANTIATE_TEST_SUITE_P(Banners, OwnPictures,
                         ::testing::Values(OwnPicture{"Vesk.pict", 435, 54},
                                           OwnPicture{"VeskSmall.pict", 265, 45}));

// --- Pictures written by ImageMagick ---------------------------------------------------------

class ImageMagickPictures : public ::testing::TestWithParam<std::string> {};

TEST_P(ImageMagickPictures, DecodeToTheSourcePixels)
{
    const QString base = QString(QUORVEL_TEST_DATA "/pict/") + QString::fromStdString(GetParam());
    auto image = Decode(ReadFile(base + ".pict"));
    QImage expected = QImage(base + ".png").convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(expected.isNull());
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, expected.width());
    ASSERT_EQ(image->height, expected.height());
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            ASSERT_EQ(image->argb[static_cast<size_t>(y * image->width + x)], expected.pixel(x, y))
                << "at " << x << "," << y;
        }
    }
}

std::vector<std::string> FixtureNames()
{
    std::vector<std::string> names;
    for (int width : {1, 7, 8, 62, 63, 64, 65, 66, 67, 200, 201, 250, 251}) {
        names.push_back("direct-" + std::to_string(width));
        names.push_back("indexed-" + std::to_string(width));
    }
    return names;
}

INSTANTIATE_TEST_SUITE_P(Widths, ImageMagickPictures, ::testing::ValuesIn(FixtureNames()),
                         [](const auto& info) {
                             std::string name = info.param;
                             name[name.find('-')] = '_';
                             return name;
                         });

// --- Pixel formats and placement -------------------------------------------------------------

TEST(PictDecoder, DecodesAPackedIndexedPixMap)
{
    ExpectPixels(Decode(FourColours().End()), 4, 2, kFourColoursPixels);
}

TEST(PictDecoder, ReadsRowsUnderEightBytesUnpackedAsAppleStoresThem)
{
    // 4 pixels of 4 bits: rowBytes 2, so the rows are raw.
    Pict p;
    p.IndexedPixMap(0x0098, 2, {0, 0, 2, 4}, 4, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF})
        .Copy({0, 0, 2, 4}, {0, 0, 2, 4})
        .Raw({0x01, 0x23, 0x32, 0x10});
    ExpectPixels(Decode(p.End()), 4, 2, kFourColoursPixels);
}

TEST(PictDecoder, DecodesAPlainOneBitBitMap)
{
    // A BitsRect without the pixel map flag: 1 is black, 0 white; rows are never packed.
    Pict p(Rect{0, 0, 2, 3});
    p.U16(0x0090).U16(2).Frame({0, 0, 2, 3}).Copy({0, 0, 2, 3}, {0, 0, 2, 3}).Raw({0xA0, 0, 0x40, 0});
    ExpectPixels(Decode(p.End()), 3, 2, {kBlack, kWhite, kBlack, kWhite, kBlack, kWhite});
}

struct DirectCase {
    const char* name;
    int packType;
    int cmpCount;
    Bytes rows;  // as stored, for a 2 x 1 map of red then blue
};

void PrintTo(const DirectCase& c, std::ostream* os)
{
    *os << c.name;
}

class DirectPixels : public ::testing::TestWithParam<DirectCase> {};

TEST_P(DirectPixels, DecodeRedThenBlue)
{
    const DirectCase& c = GetParam();
    Pict p(Rect{0, 0, 1, 2});
    p.DirectPixMap(8, {0, 0, 1, 2}, c.packType, c.cmpCount).Copy({0, 0, 1, 2}, {0, 0, 1, 2}).Raw(c.rows);
    ExpectPixels(Decode(p.End()), 2, 1, {0xFFFF0000, 0xFF0000FF});
}

INSTANTIATE_TEST_SUITE_P(
    PackTypes, DirectPixels,
    ::testing::Values(
        DirectCase{"Unpacked", 1, 3, {0, 0xFF, 0, 0, 0, 0, 0, 0xFF}},
        DirectCase{"PadByteRemoved", 2, 3, {0xFF, 0, 0, 0, 0, 0xFF}},
        DirectCase{"PlanesRgb", 4, 3, {7, 5, 0xFF, 0, 0, 0, 0, 0xFF}},
        // The alpha plane leads; QuickDraw pixels are opaque whatever it holds.
        DirectCase{"PlanesArgb", 4, 4, {9, 7, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF}},
        DirectCase{"DefaultPackingIsPlanes", 0, 3, {7, 5, 0xFF, 0, 0, 0, 0, 0xFF}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictDecoder, CopiesSrcRectToDstRectAndClipsToTheFrame)
{
    // The frame starts at (10, 20); the map's middle two columns land one row down and
    // three columns right of the frame's corner, the last one outside the frame.
    Pict p(Rect{10, 20, 13, 25});
    p.IndexedPixMap(0x0098, 8, {0, 0, 1, 4}, 8, {0xFF0000, 0x00FF00, 0x0000FF, 0x000000})
        .Copy({0, 1, 1, 3}, {11, 23, 12, 26})
        .PackedRow({0, 1, 2, 3, 0, 0, 0, 0});
    ASSERT_FALSE(Decode(p.End()).has_value()) << "src and dst differ in size; nothing is scaled";

    Pict q(Rect{10, 20, 13, 25});
    q.IndexedPixMap(0x0098, 8, {0, 0, 1, 4}, 8, {0xFF0000, 0x00FF00, 0x0000FF, 0x000000})
        .Copy({0, 1, 1, 3}, {11, 24, 12, 26})
        .PackedRow({0, 1, 2, 3, 0, 0, 0, 0});
    std::vector<uint32_t> expected(15, kWhite);
    expected[5 + 4] = 0xFF00FF00;  // row 1, column 4; column 5 (blue) is clipped
    ExpectPixels(Decode(q.End()), 5, 3, expected);
}

TEST(PictDecoder, AcceptsRowCountsOfTheOtherWidth)
{
    // rowBytes 8 calls for one-byte counts; this writer used two.
    Pict p;
    p.IndexedPixMap(0x0098, 8, {0, 0, 2, 4}, 8, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF})
        .Copy({0, 0, 2, 4}, {0, 0, 2, 4})
        .Raw({0, 9, 7, 0, 1, 2, 3, 0, 0, 0, 0})
        .Raw({0, 9, 7, 3, 2, 1, 0, 0, 0, 0, 0});
    ExpectPixels(Decode(p.End()), 4, 2, kFourColoursPixels);
}

// --- Opcodes skipped by their length rules ------------------------------------------------------

struct SkippedOpcode {
    const char* name;
    Bytes bytes;  // the opcode and its data, word-aligned
};

void PrintTo(const SkippedOpcode& c, std::ostream* os)
{
    *os << c.name;
}

class SkippedOpcodes : public ::testing::TestWithParam<SkippedOpcode> {};

TEST_P(SkippedOpcodes, AreSkippedByTheirStatedLength)
{
    Pict p;
    Bytes picture = p.Raw(GetParam().bytes).Raw(Body(FourColours().End())).Unfinished();
    ExpectPixels(Decode(picture), 4, 2, kFourColoursPixels);
}

INSTANTIATE_TEST_SUITE_P(
    LengthClasses, SkippedOpcodes,
    // Most data ends in the word 00FF, so a rule that skips too little meets an early end.
    ::testing::Values(
        SkippedOpcode{"Nop", {0x00, 0x00}},
        SkippedOpcode{"OddByteThenPad", {0x00, 0x04, 0x01, 0x00}},
        SkippedOpcode{"ClipRegion", {0x00, 0x01, 0x00, 0x0A, 0, 0, 0, 0, 0, 2, 0x00, 0xFF}},
        SkippedOpcode{"ReservedZero0017", {0x00, 0x17}},
        SkippedOpcode{"RgbFgColor", {0x00, 0x1A, 1, 2, 3, 4, 0x00, 0xFF}},
        SkippedOpcode{"ReservedWordCounted0024", {0x00, 0x24, 0x00, 0x04, 0x00, 0xFF, 0x00, 0xFF}},
        SkippedOpcode{"LongText", {0x00, 0x28, 0, 1, 0, 1, 3, 'a', 0x00, 0xFF}},
        SkippedOpcode{"DhText", {0x00, 0x29, 5, 2, 0x00, 0xFF}},
        SkippedOpcode{"DhDvText", {0x00, 0x2B, 5, 6, 3, 'x', 0x00, 0xFF}},
        SkippedOpcode{"PaintArc", {0x00, 0x61, 0, 0, 0, 0, 0, 2, 0, 2, 0x00, 0xFF, 0x00, 0xFF}},
        SkippedOpcode{"ReservedPolygon0075", {0x00, 0x75, 0x00, 0x0C, 0, 0, 0, 0, 0, 1, 0, 1, 0x00, 0xFF}},
        SkippedOpcode{"FrameRegion", {0x00, 0x80, 0x00, 0x0A, 0, 0, 0, 0, 0, 1, 0x00, 0xFF}},
        SkippedOpcode{"ReservedWordCounted0092", {0x00, 0x92, 0x00, 0x02, 0x00, 0xFF}},
        SkippedOpcode{"ReservedWordCounted009C", {0x00, 0x9C, 0x00, 0x02, 0x00, 0xFF}},
        SkippedOpcode{"ShortComment", {0x00, 0xA0, 0x00, 0xFF}},
        SkippedOpcode{"LongComment", {0x00, 0xA1, 0x00, 0x64, 0x00, 0x05, 1, 2, 3, 0x00, 0xFF, 0}},
        SkippedOpcode{"ReservedWordCounted00A2", {0x00, 0xA2, 0x00, 0x02, 0x00, 0xFF}},
        SkippedOpcode{"ReservedZero00B0", {0x00, 0xB0}},
        SkippedOpcode{"ReservedLongCounted00D0", {0x00, 0xD0, 0, 0, 0, 2, 0x00, 0xFF}},
        SkippedOpcode{"Reserved0100TwoBytes", {0x01, 0x00, 0x00, 0xFF}},
        SkippedOpcode{"Reserved0342SixBytes", {0x03, 0x42, 1, 2, 3, 4, 0x00, 0xFF}},
        SkippedOpcode{"HeaderOpAgain", {0x0C, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,   // 24 bytes
                                        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0xFF}},
        SkippedOpcode{"ReservedZero8000", {0x80, 0x00}},
        SkippedOpcode{"ReservedLongCounted8100", {0x81, 0x00, 0, 0, 0, 3, 1, 0x00, 0xFF, 0}},
        SkippedOpcode{"DitherPattern", {0x00, 0x12, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 0x00, 0xFF}},
        SkippedOpcode{"PixelPattern",
                      {0x00, 0x14, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0,              // type, old pattern
                       0x80, 0x02, 0, 0, 0, 0, 0, 2, 0, 2,                    // rowBytes, bounds
                       0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,        // version .. vRes
                       0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                       0, 0, 0, 0, 0, 0, 0, 1,                                // ctSeed, flags, size
                       0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                       0x40, 0x00, 0x80, 0x00}}),                              // two raw rows
    [](const auto& info) { return std::string(info.param.name); });

// --- Refused pictures ----------------------------------------------------------------------------

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

struct Hostile {
    const char* name;
    Bytes (*make)();
};

void PrintTo(const Hostile& c, std::ostream* os)
{
    *os << c.name;
}

class HostilePictures : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostilePictures, AreRefused)
{
    EXPECT_FALSE(Decode(GetParam().make()).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostilePictures,
    ::testing::Values(
        Hostile{"Empty", [] { return Bytes{}; }},
        Hostile{"NoPixelMap", [] { return Pict().End(); }},
        Hostile{"HugeFrameInATinyFile",
                [] { return Pict(Rect{0, 0, 30000, 30000}).Raw(Body(FourColours().End())).Unfinished(); }},
        Hostile{"FrameJustOverTheLimit",
                [] {
                    Pict p(Rect{0, 0, 1, 4097});
                    return p.IndexedPixMap(0x0098, 8, {0, 0, 1, 4}, 8, {0})
                        .Copy({0, 0, 1, 4}, {0, 0, 1, 4})
                        .PackedRow(Bytes(8, 0))
                        .End();
                }},
        Hostile{"InvertedFrame", [] { return Pict(Rect{0, 4, 2, 0}).End(); }},
        Hostile{"EmptyFrame", [] { return Pict(Rect{0, 0, 0, 4}).End(); }},
        Hostile{"VersionOnePicture",
                [] {
                    Bytes b = FourColours().End();
                    b[522] = 0x11;
                    b[523] = 0x01;
                    return b;
                }},
        Hostile{"MissingHeaderOp",
                [] {
                    Bytes b = FourColours().End();
                    b[526] = 0x00;
                    return b;
                }},
        Hostile{"NoEndOfPicture",
                [] {
                    Bytes b = FourColours().End();
                    b.resize(b.size() - 2);
                    return b;
                }},
        Hostile{"PackBitsRunPastTheRow",
                [] {
                    Pict p;
                    return p.IndexedPixMap(0x0098, 8, {0, 0, 1, 4}, 8, {0})
                        .Copy({0, 0, 1, 4}, {0, 0, 1, 4})
                        .Raw({2, 0xF6, 0})  // 11 zeros for an 8-byte row
                        .End();
                }},
        Hostile{"PackBitsLiteralPastItsCount",
                [] {
                    Pict p;
                    return p.IndexedPixMap(0x0098, 8, {0, 0, 1, 4}, 8, {0})
                        .Copy({0, 0, 1, 4}, {0, 0, 1, 4})
                        .Raw({3, 7, 0, 0})  // an 8-byte literal in a 3-byte row
                        .End();
                }},
        Hostile{"RowCountPastTheEnd",
                [] {
                    Pict p;
                    return p.IndexedPixMap(0x0098, 8, {0, 0, 1, 4}, 8, {0})
                        .Copy({0, 0, 1, 4}, {0, 0, 1, 4})
                        .Raw({0xF0, 7, 0, 0, 0, 0, 0, 0, 0, 0})
                        .End();
                }},
        Hostile{"PaletteIndexOutsideTheTable",
                [] {
                    Pict p;
                    return p.IndexedPixMap(0x0098, 8, {0, 0, 1, 4}, 8, {0xFF0000, 0x00FF00})
                        .Copy({0, 0, 1, 4}, {0, 0, 1, 4})
                        .PackedRow({0, 1, 5, 0, 0, 0, 0, 0})
                        .End();
                }},
        Hostile{"ColourTableOver256Entries",
                [] {
                    Pict p;
                    return p.IndexedPixMap(0x0098, 8, {0, 0, 1, 4}, 8, std::vector<uint32_t>(257, 0))
                        .Copy({0, 0, 1, 4}, {0, 0, 1, 4})
                        .PackedRow(Bytes(8, 0))
                        .End();
                }},
        Hostile{"RowBytesTooSmallForTheWidth",
                [] {
                    Pict p(Rect{0, 0, 1, 40});
                    return p.IndexedPixMap(0x0098, 8, {0, 0, 1, 40}, 8, {0})
                        .Copy({0, 0, 1, 40}, {0, 0, 1, 40})
                        .PackedRow(Bytes(8, 0))
                        .End();
                }},
        Hostile{"PixelMapOverTheLimit",
                [] {
                    Pict p;
                    return p.IndexedPixMap(0x0098, 8, {0, 0, 5000, 4}, 8, {0})
                        .Copy({0, 0, 1, 4}, {0, 0, 1, 4})
                        .PackedRow(Bytes(8, 0))
                        .End();
                }},
        Hostile{"SrcRectOutsideTheMap",
                [] {
                    Pict p;
                    return p.IndexedPixMap(0x0098, 8, {0, 0, 1, 4}, 8, {0})
                        .Copy({0, 2, 1, 6}, {0, 0, 1, 4})
                        .PackedRow(Bytes(8, 0))
                        .End();
                }},
        Hostile{"InvertedDstRect",
                [] {
                    Pict p;
                    return p.IndexedPixMap(0x0098, 8, {0, 0, 1, 4}, 8, {0})
                        .Copy({0, 0, 1, 4}, {1, 4, 0, 0})
                        .PackedRow(Bytes(8, 0))
                        .End();
                }},
        Hostile{"SixteenBitDirectPixels",
                [] {
                    Pict p;
                    p.U16(0x009A).U32(0xFF).U16(0x8008).Frame({0, 0, 1, 4});
                    p.U16(0).U16(3).U32(0).U32(0).U32(0).U16(16).U16(16).U16(3).U16(5);
                    return p.U32(0).U32(0).U32(0).Copy({0, 0, 1, 4}, {0, 0, 1, 4}).PackedRow(Bytes(8, 0)).End();
                }},
        Hostile{"DirectOpcodeWithAnIndexedMap",
                [] {
                    Pict p;
                    p.U16(0x009A).U32(0xFF);
                    Pict q;
                    q.IndexedPixMap(0x0098, 8, {0, 0, 1, 4}, 8, {0});
                    Bytes indexed = q.Unfinished();
                    return p.Raw(Bytes(indexed.begin() + kOpcodesStart + 2, indexed.end()))
                        .Copy({0, 0, 1, 4}, {0, 0, 1, 4})
                        .PackedRow(Bytes(8, 0))
                        .End();
                }},
        Hostile{"RegionSmallerThanItsHeader",
                [] { return Pict().U16(0x0001).U16(4).U32(0).Raw(Body(FourColours().End())).Unfinished(); }},
        Hostile{"RegionPastTheEnd",
                [] { return Pict().U16(0x0001).U16(0xFFFE).Raw(Body(FourColours().End())).Unfinished(); }},
        Hostile{"WordCountedPastTheEnd",
                [] { return Pict().U16(0x0024).U16(0xFFFF).Raw(Body(FourColours().End())).Unfinished(); }},
        Hostile{"TextPastTheEnd",
                [] { return Pict().U16(0x0028).U32(0).U8(0xFF).Raw(Body(FourColours().End())).Unfinished(); }},
        Hostile{"LongCommentPastTheEnd",
                [] { return Pict().U16(0x00A1).U16(100).U16(0x4000).Raw(Body(FourColours().End())).Unfinished(); }},
        Hostile{"ReservedRangePastTheEnd",
                [] { return Pict().U16(0x7FFF).Raw(Body(FourColours().End())).Unfinished(); }},
        Hostile{"UnknownPatternType",
                [] { return Pict().U16(0x0012).U16(7).U32(0).U32(0).Raw(Body(FourColours().End())).Unfinished(); }},
        Hostile{"LongCountedLengthOf4GB",
                [] { return Pict().U16(0x8100).U32(0xFFFFFFFF).Raw(Body(FourColours().End())).Unfinished(); }},
        Hostile{"OpcodeFlood",
                [] {
                    Pict p;
                    for (int i = 0; i < 100000; ++i) {
                        p.U16(0x0000);
                    }
                    return p.Raw(Body(FourColours().End())).Unfinished();
                }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictDecoder, AcceptsOpcodesUpToTheBudget)
{
    // 99998 no-ops, the pixel map and the end: 100000 opcodes in all.
    Pict p;
    for (int i = 0; i < 99998; ++i) {
        p.U16(0x0000);
    }
    ExpectPixels(Decode(p.Raw(Body(FourColours().End())).Unfinished()), 4, 2, kFourColoursPixels);
}

TEST(PictDecoder, AcceptsAFrameAtTheSizeLimit)
{
    Pict p(Rect{0, 0, 1, 4096});
    p.IndexedPixMap(0x0098, 8, {0, 0, 1, 4}, 8, {0x000000})
        .Copy({0, 0, 1, 4}, {0, 4092, 1, 4096})
        .PackedRow(Bytes(8, 0));
    auto image = Decode(p.End());
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 4096);
    EXPECT_EQ(image->argb[4091], kWhite);
    EXPECT_EQ(image->argb[4092], kBlack);
    EXPECT_EQ(image->argb[4095], kBlack);
}

}  // namespace
