#include "framework/text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

struct ValRow {
    const char* text;
    double expected;
};

TEST(Val, ReadsTheLongestDecimalPrefix)
{
    const ValRow rows[] = {
        {"12", 12},         {"-12", -12},        {"+12", 12},         {"  \t 7", 7},
        {".5", 0.5},        {"5.", 5},           {"0.05", 0.05},      {"-.25", -0.25},
        {"1e3", 1000},      {"1E+3", 1000},      {"2.5e-2", 0.025},   {"-1.5E2", -150},
        {"12abc", 12},      {"3.5%", 3.5},       {"1.2.3", 1.2},      {"1e", 1},
        {"1e+", 1},         {"1ex", 1},          {"5 6", 5},          {"abc", 0},
        {"", 0},            {"   ", 0},          {"+", 0},            {".", 0},
        {"-", 0},           {"--1", 0},          {"- 5", 0},          {"0x1A", 0},
        {"nan", 0},         {"inf", 0},          {"-Infinity", 0},    {"1,5", 1},
        {"\n5", 0},         {"007", 7},          {"1e-400", 0},       {"0.0001", 0.0001},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Val(row.text), row.expected);
    }
}

TEST(Val, IsCorrectlyRoundedSoLimitsCompareExactly)
{
    EXPECT_EQ(Val(".00001"), .00001);
    EXPECT_EQ(Val(".9999"), .9999);
    EXPECT_EQ(Val("0.9999999"), 0.9999999);
    EXPECT_EQ(Val("0.1"), 0.1);
}

TEST(Val, HugeMagnitudesSaturateInsteadOfBecomingInfinite)
{
    EXPECT_EQ(Val("1e400"), DBL_MAX);
    EXPECT_EQ(Val("-1e400"), -DBL_MAX);
    EXPECT_EQ(Val("123456789e99999999999999999999"), DBL_MAX);
    EXPECT_EQ(Val("0.0000001e-99999999999999999999"), 0);
    EXPECT_GT(Val("1e999"), 999);
    EXPECT_EQ(Val(std::string(400, '9')), DBL_MAX);
}

TEST(IsDecimalNumber, AcceptsOnlyOneWholeNumber)
{
    const struct {
        const char* text;
        bool expected;
    } rows[] = {
        {"0", true},      {".5", true},     {"5.", true},     {"-0.25", true},  {"+1", true},
        {"1e5", true},    {"1E-5", true},   {" .5\t", true},  {"0.9999999", true},
        {"", false},      {" ", false},     {"abc", false},   {".0.5", false},  {"5%", false},
        {"+", false},     {".", false},     {"-.", false},    {"1e", false},    {"1e+", false},
        {"--1", false},   {"++++", false},  {"0x1A", false},  {"nan", false},   {"inf", false},
        {"1 2", false},   {"1,5", false},   {"e5", false},    {"5\n", false},   {"1e5.5", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(IsDecimalNumber(row.text), row.expected);
    }
}

struct FormatRow {
    double value;
    const char* mask;
    const char* expected;
};

TEST(Format, FourDecimalsWithoutLeadingZero)
{
    const FormatRow rows[] = {
        {0.01, ".0000", ".0100"},
        {0.0166666, ".0000", ".0167"},
        {0.05 / 3, ".0000", ".0167"},
        {0, ".0000", ".0000"},
        {0.00005, ".0000", ".0001"},      // a little above the half in binary
        {0.00004999, ".0000", ".0000"},
        {0.03125, ".0000", ".0313"},      // an exact half: away from zero
        {0.99996, ".0000", "1.0000"},
        {0.9999999, ".0000", "1.0000"},
        {0.99994, ".0000", ".9999"},
        {9.99996, ".0000", "10.0000"},
        {1, ".0000", "1.0000"},
        {12.3456, ".0000", "12.3456"},
        {123456.5, ".0000", "123456.5000"},
        {-0.01, ".0000", "-.0100"},
        {-1.5, ".0000", "-1.5000"},
        {-0.03125, ".0000", "-.0313"},
        {-0.00001, ".0000", ".0000"},     // rounds to zero: no sign
        {-0.0, ".0000", ".0000"},
        {5e-324, ".0000", ".0000"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(Format(row.value, row.mask), row.expected);
    }
}

TEST(Format, OtherMasks)
{
    const FormatRow rows[] = {
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {0.5, "#,##0.00", "0.50"},
        {999.999, "#,##0.00", "1,000.00"},
        {-1234.5, "#,##0", "-1,235"},
        {42, "000", "042"},
        {12345, "00", "12345"},
        {0, "#", ""},
        {0.5, "#.##", ".5"},
        {1.25, "#.0#", "1.25"},
        {1.2, "#.0#", "1.2"},
        {7, "$#.00 total", "$7.00 total"},
        {5551234, "###-####", "555-1234"},
        {3.14159, "0", "3"},
        {2.5, "0", "3"},
        {0.1, "", "0.1"},
        {1e20, "", "1e+20"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.mask) + " -> " + row.expected);
        EXPECT_EQ(Format(row.value, row.mask), row.expected);
    }
}

TEST(Format, NonFiniteValuesGiveWords)
{
    EXPECT_EQ(Format(std::numeric_limits<double>::quiet_NaN(), ".0000"), "NaN");
    EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), ".0000"), "Infinity");
    EXPECT_EQ(Format(-std::numeric_limits<double>::infinity(), ".0000"), "-Infinity");
}

TEST(Format, HugeValuesKeepEveryIntegerDigit)
{
    const std::string text = Format(DBL_MAX, ".0000");
    EXPECT_EQ(text.size(), 309u + 5u);
    EXPECT_EQ(text.substr(0, 6), "179769");
    EXPECT_EQ(text.substr(309), ".0000");
}

TEST(NthField, CountsFromOne)
{
    EXPECT_EQ(NthField("a,b,c", ",", 1), "a");
    EXPECT_EQ(NthField("a,b,c", ",", 3), "c");
    EXPECT_EQ(NthField("a,b,c", ",", 4), "");
    EXPECT_EQ(NthField("a,b,c", ",", 0), "");
    EXPECT_EQ(NthField("a,b,c", ",", -1), "");
    EXPECT_EQ(NthField("a,,c", ",", 2), "");
    EXPECT_EQ(NthField("a,,c", ",", 3), "c");
    EXPECT_EQ(NthField("a,", ",", 2), "");
    EXPECT_EQ(NthField("", ",", 1), "");
    EXPECT_EQ(NthField("one--two--three", "--", 2), "two");
    EXPECT_EQ(NthField("abc", "", 1), "");
    EXPECT_EQ(NthField("no separator", ",", 1), "no separator");
}

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutRescanning)
{
    EXPECT_EQ(ReplaceAll("a.b.c", ".", "::"), "a::b::c");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "x"), "");
    EXPECT_EQ(ReplaceAll("abc", "abc", ""), "");
}

TEST(ReplaceLineEndings, EveryKindOfEndingBecomesOne)
{
    const struct {
        const char* text;
        const char* expected;
    } rows[] = {
        {"a\nb", "a|b"},          {"a\r\nb", "a|b"},         {"a\rb", "a|b"},
        {"a\r\n\r\nb", "a||b"},   {"a\n\rb", "a||b"},        {"a\r\r\nb", "a||b"},
        {"\r\n", "|"},            {"a\n", "a|"},             {"", ""},
        {"a\n\r\n\rb\n", "a|||b|"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(ReplaceLineEndings(row.text, "|"), row.expected);
    }
    EXPECT_EQ(ReplaceLineEndings("a\nb\r\nc", EndOfLine::Macintosh), "a\rb\rc");
    EXPECT_EQ(ReplaceLineEndings("a\rb", EndOfLine::Windows), "a\r\nb");
    EXPECT_EQ(ReplaceLineEndings("a\r\nb", EndOfLine::Unix), "a\nb");
}

TEST(Utf8, LenAscChrCountCodePoints)
{
    EXPECT_EQ(Len(""), 0);
    EXPECT_EQ(Len("abc"), 3);
    EXPECT_EQ(Len("\xC3\xA9t\xC3\xA9"), 3);            // été
    EXPECT_EQ(Len("\xE2\x82\xAC"), 1);                 // euro sign
    EXPECT_EQ(Len("\xF0\x9F\x98\x80"), 1);             // emoji
    EXPECT_EQ(Len("\xFF\xC3"), 2);                     // invalid bytes count one each
    EXPECT_EQ(Len("\xE2\x82"), 2);                     // truncated sequence
    EXPECT_EQ(Len("\xC0\xAF"), 2);                     // overlong form

    EXPECT_EQ(Asc(""), 0);
    EXPECT_EQ(Asc("A"), 65);
    EXPECT_EQ(Asc("\xC3\xA9"), 0xE9);
    EXPECT_EQ(Asc("\xF0\x9F\x98\x80x"), 0x1F600);
    EXPECT_EQ(Asc("\xFF"), 0xFF);
    EXPECT_EQ(Asc("\xED\xA0\x80"), 0xED);              // an encoded surrogate is not a character

    EXPECT_EQ(Chr(9), "\t");
    EXPECT_EQ(Chr(0), std::string(1, '\0'));
    EXPECT_EQ(Chr(0xE9), "\xC3\xA9");
    EXPECT_EQ(Chr(0x20AC), "\xE2\x82\xAC");
    EXPECT_EQ(Chr(0x1F600), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Chr(-1), "");
    EXPECT_EQ(Chr(0xD800), "");
    EXPECT_EQ(Chr(0x110000), "");
    for (int32_t code : {1, 0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0x10000, 0x10FFFF}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(Asc(Chr(code)), code);
        EXPECT_EQ(Len(Chr(code)), 1);
    }
}

TEST(RuntimeStringCompare, ComparesUnsignedBytes)
{
    EXPECT_LT(RuntimeStringCompare("a", "b"), 0);
    EXPECT_GT(RuntimeStringCompare("b", "a"), 0);
    EXPECT_EQ(RuntimeStringCompare("abc", "abc"), 0);
    EXPECT_LT(RuntimeStringCompare("ab", "abc"), 0);
    EXPECT_LT(RuntimeStringCompare("B", "a"), 0);
    EXPECT_LT(RuntimeStringCompare("z", "\xC3\xA9"), 0);  // bytes above 0x7F sort after ASCII
    EXPECT_EQ(RuntimeAddString("ab", "cd"), "abcd");
}

TEST(RuntimeCvt, Real64ToSInt32TruncatesAndSaturates)
{
    const struct {
        double value;
        int32_t expected;
    } rows[] = {
        {2.9, 2},
        {-2.9, -2},
        {0.5, 0},
        {2147483647.9, INT32_MAX},
        {2147483648.0, INT32_MAX},
        {1e12, INT32_MAX},
        {99999999999.0, INT32_MAX},
        {DBL_MAX, INT32_MAX},
        {std::numeric_limits<double>::infinity(), INT32_MAX},
        {-2147483648.9, INT32_MIN},
        {-1e12, INT32_MIN},
        {-std::numeric_limits<double>::infinity(), INT32_MIN},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(RuntimeCvtReal64ToSInt32(row.value), row.expected);
    }
    EXPECT_EQ(RuntimeCvtSInt32ToReal64(INT32_MIN), -2147483648.0);
}

TEST(DoubleArray, SortsAscendingAndChecksBounds)
{
    DoubleArray values(4);
    EXPECT_EQ(values.Ubound(), 4);
    const double input[] = {0.3, -1, 0.3, 1e300, 0};
    for (int32_t i = 0; i <= 4; ++i)
        values.Set(i, input[i]);
    values.Sort();
    const double sorted[] = {-1, 0, 0.3, 0.3, 1e300};
    for (int32_t i = 0; i <= 4; ++i)
        EXPECT_EQ(values.Get(i), sorted[i]);

    EXPECT_THROW(values.Get(5), std::out_of_range);
    EXPECT_THROW(values.Get(-1), std::out_of_range);
    EXPECT_THROW(values.Set(5, 1), std::out_of_range);
    EXPECT_THROW(DoubleArray(-2), std::out_of_range);
}

TEST(DoubleArray, RedimKeepsValuesAndEmptyArraysWork)
{
    DoubleArray values(1);
    values.Set(0, 7);
    values.Set(1, 8);
    values.Redim(3);
    EXPECT_EQ(values.Get(1), 8);
    EXPECT_EQ(values.Get(3), 0);
    values.Redim(0);
    EXPECT_EQ(values.Get(0), 7);
    EXPECT_THROW(values.Get(1), std::out_of_range);
    values.Redim(-1);
    EXPECT_EQ(values.Ubound(), -1);
    values.Sort();
    EXPECT_THROW(values.Get(0), std::out_of_range);
}

TEST(DoubleArray, NanDoesNotBreakTheOrder)
{
    DoubleArray values(5);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double input[] = {3, nan, 1, nan, 2, -0.0};
    for (int32_t i = 0; i <= 5; ++i)
        values.Set(i, input[i]);
    values.Sort();
    EXPECT_EQ(values.Get(0), 0);
    EXPECT_EQ(values.Get(1), 1);
    EXPECT_EQ(values.Get(2), 2);
    EXPECT_EQ(values.Get(3), 3);
    EXPECT_TRUE(std::isnan(values.Get(4)));
    EXPECT_TRUE(std::isnan(values.Get(5)));
}

}  // namespace
