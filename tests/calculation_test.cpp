#include "windows/calculation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kRule = std::string(47, '+') + "\r";

std::vector<std::string> Table(const std::vector<std::string>& rows)
{
    std::vector<std::string> lines = {
        kRule,
        "          Sequential                   Simple\r",
        "Test p    Critical p   Significant   Critical p\r",
        "++++++    ++++++++++   +++++++++++   ++++++++++\r",
    };
    lines.insert(lines.end(), rows.begin(), rows.end());
    lines.push_back(kRule);
    lines.emplace_back(kCreditLine);
    return lines;
}

// The significance column of a table, one character per row: 'y' or 'n'.
std::string Verdicts(const CalculationResult& result)
{
    std::string verdicts;
    for (std::size_t i = 4; i + 2 < result.lines.size(); ++i)
        verdicts += result.lines[i].find("yes") != std::string::npos ? 'y' : 'n';
    return verdicts;
}

std::string Message(const CalculationResult& result)
{
    EXPECT_TRUE(result.lines.empty());
    return result.message.value_or("<table>");
}

TEST(Calculate, WorkedExampleByteForByte)
{
    const CalculationResult result = Calculate("3", ".05", ".01\r.04\r.03");
    ASSERT_FALSE(result.message.has_value());
    // .04 is below its critical .05, but .03 already failed: the stop rule keeps it.
    EXPECT_EQ(result.lines, Table({
                                ".0100       .0167          yes         .0167\r",
                                ".0300       .0250           no         .0167\r",
                                ".0400       .0500           no         .0167\r",
                            }));
}

TEST(Calculate, VerdictsFollowTheSortedOrderAndStopRule)
{
    const struct {
        const char* tests;
        const char* list;
        const char* verdicts;
        const char* alpha = ".05";
    } rows[] = {
        {"2", ".05\r.1", "yy", ".1"},            // .1 / 2 is the double nearest .05: equality passes
        {"3", ".01\r.01\r.01", "yyy"},           // ties all pass
        {"3", ".03\r.03\r.03", "nnn"},           // ties all fail
        {"4", ".04\r.001\r.011\r.02", "yyyy"},   // sorted before comparing
        {"4", ".001\r.9\r.002\r.02", "yyyn"},
        {"4", ".001\r.02\r.021\r.03", "ynnn"},   // .021 <= .025 but comes after a failure
        {"2", ".5\r0", "yn"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.list);
        const CalculationResult result = Calculate(row.tests, row.alpha, row.list);
        ASSERT_FALSE(result.message.has_value());
        EXPECT_EQ(Verdicts(result), row.verdicts);
    }
}

TEST(Calculate, EveryLineEndingAndTabSeparatesValues)
{
    const std::vector<std::string> expected = Calculate("3", ".05", ".01\r.04\r.03").lines;
    for (const char* list : {".01\n.04\n.03", ".01\r\n.04\r\n.03", ".01\t.04\t.03", ".01\r\n.04\t.03",
                             ".01\n.04\r.03\r\n", " .01 \r.04\t.03\r.05"}) {
        SCOPED_TRACE(list);
        EXPECT_EQ(Calculate("3", ".05", list).lines, expected);
    }
}

TEST(Calculate, OnlyTheFirstNValuesAreRead)
{
    // The first two in list order, not the two smallest; the junk after them is never looked at.
    const CalculationResult result = Calculate("2", ".05", ".9\r.01\r.001\rabc\r\r");
    EXPECT_EQ(result.lines, Table({
                                ".0100       .0250          yes         .0250\r",
                                ".9000       .0500           no         .0250\r",
                            }));
}

TEST(Calculate, MessagesComeInOrderAndEndTheCalculation)
{
    const struct {
        const char* tests;
        const char* alpha;
        const char* list;
        std::string_view message;
    } rows[] = {
        {"", "", "", kTestsRangeMessage},
        {"1", "0", "abc", kTestsRangeMessage},
        {"3", "0", "", kErrorRateRangeMessage},
        {"3", ".05", "", kNoTestDataMessage},
        {"3", ".05", ".01\r.02", kBadStatisticMessage},       // fewer values than tests
        {"2", ".05", "\r", kBadStatisticMessage},             // one line ending: two empty fields
        {"2", ".05", "\n", kBadStatisticMessage},
        {"2", ".05", "\r\n", kBadStatisticMessage},
        {"2", ".05", ".01\r\r.02", kBadStatisticMessage},     // a blank line counts as a value
        {"2", ".05", ".01\r\t.02", kBadStatisticMessage},     // so does a tab after a line ending
        {"2", ".05", "abc\r.01", kBadStatisticMessage},
        {"2", ".05", ".01\r.0.5", kBadStatisticMessage},
        {"2", ".05", ".01\r5%", kBadStatisticMessage},
        {"2", ".05", ".01\r1", kBadStatisticMessage},
        {"2", ".05", ".01\r1.0000001", kBadStatisticMessage},
        {"2", ".05", ".01\r-0.01", kBadStatisticMessage},
        {"2", ".05", ".01\r0x1", kBadStatisticMessage},
        {"2", ".05", ".01\r1e", kBadStatisticMessage},
        {"2", ".05", ".01\r ", kBadStatisticMessage},
        {"2", ".05", "+++++++++++++++++++++++++++++++++++++++++++++++\r.01\r.02", kBadStatisticMessage},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.tests) + " | " + row.alpha + " | " + row.list);
        EXPECT_EQ(Message(Calculate(row.tests, row.alpha, row.list)), row.message);
    }
}

TEST(Calculate, AFormerTableGivesOneMessage)
{
    const CalculationResult first = Calculate("3", ".05", ".01\r.04\r.03");
    std::string text;
    for (const auto& line : first.lines)
        text += line;
    int yields = 0;
    const CalculationResult second = Calculate("3", ".05", text, [&] { ++yields; });
    EXPECT_EQ(Message(second), kBadStatisticMessage);
    EXPECT_EQ(yields, 0);
}

TEST(Calculate, RangesOfTestsAndErrorRate)
{
    for (const char* tests : {"2", " 2", "2.9", "2abc", "+2"})
        EXPECT_FALSE(Calculate(tests, ".05", ".01\r.02").message.has_value()) << tests;
    for (const char* tests : {"1", "1.99", "0", "", "-2", "abc", "1000", "1e12", "99999999999", "1e999"})
        EXPECT_EQ(Message(Calculate(tests, ".05", ".01\r.02")), kTestsRangeMessage) << tests;
    for (const char* alpha : {".00001", "1e-5", ".9999", "0.5"})
        EXPECT_FALSE(Calculate("2", alpha, ".01\r.02").message.has_value()) << alpha;
    for (const char* alpha : {"0", "", "1", ".000009", ".99991", "-.05", "abc"})
        EXPECT_EQ(Message(Calculate("2", alpha, ".01\r.02")), kErrorRateRangeMessage) << alpha;
}

TEST(Calculate, BoundaryValuesAndRounding)
{
    const CalculationResult result = Calculate("2", ".9999", "0.9999999\r0");
    EXPECT_EQ(result.lines, Table({
                                ".0000       .5000          yes         .5000\r",
                                "1.0000       .9999           no         .5000\r",
                            }));
}

TEST(Calculate, NineHundredNinetyNineValuesReadFromAHundredThousandLines)
{
    // The lines past the first 999 are never read, nor is their junk.
    std::string list;
    for (int i = 0; i < 999; ++i)
        list += "." + std::to_string(100000 + (i * 7919) % 100000).substr(1) + "\n";
    for (int i = 0; i < 100000 - 999; ++i)
        list += "not a number\r\n";
    int yields = 0;
    const CalculationResult result = Calculate("999", ".05", list, [&] { ++yields; });
    ASSERT_FALSE(result.message.has_value());
    ASSERT_EQ(result.lines.size(), 999u + 6u);
    EXPECT_EQ(yields, 3 * 999);
    EXPECT_EQ(result.lines[4], ".0000       .0001          yes         .0001\r");
    EXPECT_EQ(result.lines[5], ".0002       .0001           no         .0001\r");
    EXPECT_EQ(result.lines[1002], ".9984       .0500           no         .0001\r");
    EXPECT_EQ(result.lines[1003], kRule);
    EXPECT_EQ(result.lines[1004], kCreditLine);
    for (std::size_t i = 0; i + 1 < result.lines.size(); ++i)
        EXPECT_EQ(result.lines[i].back(), '\r') << i;
}

}  // namespace
