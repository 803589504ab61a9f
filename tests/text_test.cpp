#include "framework/core/text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Val, ReadsTheLongestDecimalPrefixCorrectlyRounded)
{
    const std::pair<std::string, double> rows[] = {
        {"-12", -12},       {"+12", 12},         {"  \t 7", 7},       {"5.", 5},
        {"-.25", -0.25},    {"1E+3", 1000},      {"2.5e-2", 0.025},   {"12abc", 12},
        {"1.2.3", 1.2},     {"1e+", 1},          {"1ex", 1},          {"5 6", 5},
        {"", 0},            {".", 0},            {"--1", 0},          {"- 5", 0},
        {"0x1A", 0},        {"nan", 0},          {"-Infinity", 0},    {"\n5", 0},
        // Correctly rounded, so that the limits compare exactly.
        {".00001", .00001}, {".9999", .9999},    {"0.9999999", 0.9999999}, {"0.1", 0.1},
        // Magnitudes too large saturate instead of becoming infinite.
        {"1e400", DBL_MAX}, {"-1e400", -DBL_MAX}, {"123456789e99999999999999999999", DBL_MAX},
        {"0.0000001e-99999999999999999999", 0}, {std::string(400, '9'), DBL_MAX},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(Val(text), expected) << testing::PrintToString(text);
}

TEST(IsDecimalNumber, AcceptsOnlyOneWholeNumber)
{
    const std::pair<const char*, bool> rows[] = {
        {"0", true},      {"5.", true},     {"-0.25", true},  {"1E-5", true},   {" .5\t", true},
        {"", false},      {" ", false},     {".0.5", false},  {"5%", false},    {"-.", false},
        {"1e+", false},   {"--1", false},   {"0x1A", false},  {"inf", false},   {"1 2", false},
        {"1,5", false},   {"e5", false},    {"5\n", false},   {"1e5.5", false},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(IsDecimalNumber(text), expected) << text;
}

TEST(Format, RoundsHalvesAwayFromZeroAtTheLastPlaceholder)
{
    const std::tuple<double, const char*, const char*> rows[] = { // value, mask, text
        // The table's mask: four decimals, no leading zero.
        {0.01, ".0000", ".0100"},              {0.05 / 3, ".0000", ".0167"},
        {0, ".0000", ".0000"},                 {0.00005, ".0000", ".0001"}, // a little above the half in binary
        {0.00004999, ".0000", ".0000"},        {0.03125, ".0000", ".0313"}, // an exact half: away from zero
        {0.99996, ".0000", "1.0000"},          {0.99994, ".0000", ".9999"},
        {123456.5, ".0000", "123456.5000"},    {-0.03125, ".0000", "-.0313"},
        {-0.00001, ".0000", ".0000"},          {5e-324, ".0000", ".0000"}, // rounds to zero: no sign
        {kNaN, ".0000", "NaN"},                {-kInf, ".0000", "-Infinity"},
        // Other masks.
        {1234567.891, "#,##0.00", "1,234,567.89"}, {999.999, "#,##0.00", "1,000.00"},
        {-1234.5, "#,##0", "-1,235"},          {42, "000", "042"},
        {0, "#", ""},                          {1.2, "#.0#", "1.2"},
        {7, "$#.00 total", "$7.00 total"},     {5551234, "###-####", "555-1234"},
        {2.5, "0", "3"},                       {1e20, "", "1e+20"},
    };
    for (const auto& [value, mask, expected] : rows)
        EXPECT_EQ(Format(value, mask), expected) << mask << " -> " << expected;
    // Huge values keep every integer digit.
    const std::string huge = Format(DBL_MAX, ".0000");
    EXPECT_EQ(huge.size(), 309u + 5u);
    EXPECT_EQ(huge.substr(0, 6), "179769");
    EXPECT_EQ(huge.substr(309), ".0000");
}

TEST(TextFunctions, NthFieldReplaceAllAndReplaceLineEndings)
{
    for (auto [text, separator, n, expected] :
         {std::tuple{"a,b,c", ",", 4, ""}, std::tuple{"a,b,c", ",", 0, ""}, std::tuple{"a,,c", ",", 2, ""},
          std::tuple{"a,", ",", 2, ""}, std::tuple{"one--two--three", "--", 2, "two"},
          std::tuple{"abc", "", 1, ""}})
        EXPECT_EQ(NthField(text, separator, n), expected) << text << " " << n;
    // Fields of every length across a long text, where whole blocks are passed over by counting.
    std::string numbers;
    for (int i = 1; i <= 300; ++i)
        numbers += std::to_string(i) + "\t";
    for (int n = 1; n <= 302; ++n)
        EXPECT_EQ(NthField(numbers, "\t", n), n <= 300 ? std::to_string(n) : "") << n;

    // Left to right, without rescanning what was put in.
    for (auto [text, find, replacement, expected] :
         {std::tuple{"a.b.c", ".", "::", "a::b::c"}, std::tuple{"aaa", "aa", "b", "ba"},
          std::tuple{"aaa", "a", "aa", "aaaaaa"}, std::tuple{"abc", "", "x", "abc"}, std::tuple{"", "a", "x", ""},
          std::tuple{"abc", "abc", "", ""}, std::tuple{"a\rb\r", "\r", "\t", "a\tb\t"}})
        EXPECT_EQ(ReplaceAll(text, find, replacement), expected) << text;

    for (auto [text, expected] :
         {std::pair{"a\nb", "a|b"}, std::pair{"a\r\nb", "a|b"}, std::pair{"a\rb", "a|b"},
          std::pair{"a\n\rb", "a||b"}, std::pair{"a\r\r\nb", "a||b"}, std::pair{"a\n\r\n\rb\n", "a|||b|"}})
        EXPECT_EQ(ReplaceLineEndings(text, "|"), expected);
    EXPECT_EQ(ReplaceLineEndings("a\nb\r\nc", EndOfLine::Macintosh), "a\rb\rc");
}

TEST(Utf8, LenAscChrCountCodePoints)
{
    // Invalid bytes (stray, truncated, overlong, an encoded surrogate) count one character each.
    for (auto [text, len, asc] :
         {std::tuple{"", 0, 0}, std::tuple{"A", 1, 65}, std::tuple{"\xC3\xA9t\xC3\xA9", 3, 0xE9},
          std::tuple{"\xE2\x82\xAC", 1, 0x20AC}, std::tuple{"\xF0\x9F\x98\x80x", 2, 0x1F600},
          std::tuple{"\xFF\xC3", 2, 0xFF}, std::tuple{"\xE2\x82", 2, 0xE2}, std::tuple{"\xC0\xAF", 2, 0xC0},
          std::tuple{"\xE0\x80\xAF", 3, 0xE0}, std::tuple{"\xF0\x80\x80\xAF", 4, 0xF0},
          std::tuple{"\xED\xA0\x80", 3, 0xED}, std::tuple{"\xED\xBF\xBF", 3, 0xED}}) {
        EXPECT_EQ(Len(text), len) << testing::PrintToString(std::string(text));
        EXPECT_EQ(Asc(text), asc) << testing::PrintToString(std::string(text));
    }
    EXPECT_EQ(Chr(0), std::string(1, '\0'));
    EXPECT_EQ(Chr(0x1F600), "\xF0\x9F\x98\x80");
    for (int32_t code : {-1, 0xD800, 0x110000})
        EXPECT_EQ(Chr(code), "") << code;
    for (int32_t code : {1, 0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0x10000, 0x10FFFF}) {
        EXPECT_EQ(Asc(Chr(code)), code);
        EXPECT_EQ(Len(Chr(code)), 1) << code;
    }
    EXPECT_EQ(Len(std::string(130, 'a') + "\xC3\xA9" + std::string(70, 'b')), 201);
}

TEST(Runtime, StringCompareIsByUnsignedBytesAndConversionsSaturate)
{
    EXPECT_GT(RuntimeStringCompare("b", "a"), 0);
    EXPECT_EQ(RuntimeStringCompare("abc", "abc"), 0);
    EXPECT_LT(RuntimeStringCompare("ab", "abc"), 0);
    EXPECT_LT(RuntimeStringCompare("z", "\xC3\xA9"), 0); // bytes above 0x7F sort after ASCII

    // Real to Int32 truncates toward zero.
    const std::pair<double, int32_t> rows[] = {
        {2.9, 2},           {-2.9, -2},           {2147483647.9, INT32_MAX}, {2147483648.0, INT32_MAX},
        {kInf, INT32_MAX},  {-2147483648.9, INT32_MIN}, {-1e12, INT32_MIN}, {kNaN, 0},
    };
    for (const auto& [value, expected] : rows)
        EXPECT_EQ(RuntimeCvtReal64ToSInt32(value), expected) << value;
    EXPECT_EQ(RuntimeCvtSInt32ToReal64(INT32_MIN), -2147483648.0);
}

} // namespace
