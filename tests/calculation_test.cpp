#include "windows/calculation.h"

#include <gtest/gtest.h>

#include <algorithm>
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

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line;
    return text;
}

// The whole answer as one text, so that a table and a message never compare equal: the message,
// or the table's lines one after another.
std::string Answer(const CalculationResult& result)
{
    return result.message.value_or("") + Joined(result.lines);
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
    for (auto [tests, alpha, list, verdicts] : {
             std::tuple{"3", ".05", ".01\r.01\r.01", "yyy"},       // ties all pass
             std::tuple{"3", ".05", ".03\r.03\r.03", "nnn"},       // ties all fail
             std::tuple{"4", ".05", ".04\r.001\r.011\r.02", "yyyy"}, // sorted before comparing
             std::tuple{"4", ".05", ".001\r.9\r.002\r.02", "yyyn"},
             std::tuple{"4", ".05", ".001\r.02\r.021\r.03", "ynnn"}, // .021 <= .025 but comes after a failure
             std::tuple{"2", ".05", ".5\r0", "yn"},
             // Equal to its critical value is significant even where the double of alpha / k falls
             // just below the double of p.
             std::tuple{"300", ".03", ".0001", "y"}, std::tuple{"300", ".03", ".00010001", "n"},
             std::tuple{"3", ".15", ".05\r.05\r.05", "yyy"}, std::tuple{"75", ".06", ".0008", "y"},
             std::tuple{"3", ".21", ".07", "y"}, std::tuple{"3", ".30", ".1", "y"}, std::tuple{"7", ".35", ".05", "y"},
             std::tuple{"4", ".21", ".01\r.07", "yy"}, std::tuple{"2", ".05", ".01\r.025", "yy"},
             // Decided on the numbers as typed, in every notation and with every digit.
             std::tuple{"300", "3e-2", "1000E-7", "y"}, std::tuple{"300", ".0300000000000000000000001", ".0001", "y"},
             std::tuple{"300", ".03", ".000100000000000000000000000001", "n"},
             std::tuple{"300", ".03", ".0001000000000000000000001\r.0001", "yy"}, // the lesser takes row 1
             std::tuple{"2", ".05", "1e-99999999999999999999999\r-0e99999999999999999999999", "yy"}}) {
        // Short lists are filled up with .9, which never passes.
        std::string full = list;
        for (auto count = std::count(full.begin(), full.end(), '\r') + 1; count < std::stoi(tests); ++count)
            full += "\r.9";
        const CalculationResult result = Calculate(tests, alpha, full);
        ASSERT_FALSE(result.message.has_value()) << list;
        EXPECT_EQ(Verdicts(result).substr(0, std::string_view(verdicts).size()), verdicts) << alpha << " | " << list;
    }
}

TEST(Calculate, EveryLineEndingAndTabSeparatesValues)
{
    const std::vector<std::string> expected = Table({
        ".0100       .0167          yes         .0167\r",
        ".0300       .0250           no         .0167\r",
        ".0400       .0500           no         .0167\r",
    });
    for (const char* list : {".01\n.04\n.03", ".01\r\n.04\r\n.03", ".01\t.04\t.03", ".01\r\n.04\t.03",
                             ".01\n.04\r.03\r\n", " .01 \r.04\t.03\r.05"})
        EXPECT_EQ(Calculate("3", ".05", list).lines, expected) << testing::PrintToString(list);
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
    // The tests, then the error rate, then an empty list: the first that fails speaks.
    for (auto [tests, alpha, list, message] : {std::tuple{"", "", "", kTestsRangeMessage},
                                               std::tuple{"1", "0", "abc", kTestsRangeMessage},
                                               std::tuple{"3ab", ".05x", "abc", kTestsRangeMessage},
                                               std::tuple{"3", "0", "", kErrorRateRangeMessage},
                                               std::tuple{"3", ".05", "", kNoTestDataMessage}})
        EXPECT_EQ(Message(Calculate(tests, alpha, list)), message) << tests << " | " << alpha << " | " << list;

    // Any of the first n fields that is missing or no p-value gives one message and no table.
    for (const char* list : {".01", // fewer values than tests
                             "\r", "\n", "\r\n", // one line ending: two empty fields
                             ".01\r\r.02", ".01\r\t.02", // a blank line, or a tab after a line ending, is a value
                             "abc\r.01", ".01\r.0.5", ".01\r5%", ".01\r1", ".01\r1.0000001", ".01\r-0.01", ".01\r0x1",
                             // out of range as typed, though the double sits on the limit
                             ".01\r-1e-400", ".01\r-2e-324", ".01\r.99999990000000000001",
                             ".01\r1e", ".01\r ", "+++++++++++++++++++++++++++++++++++++++++++++++\r.01\r.02"})
        EXPECT_EQ(Message(Calculate("2", ".05", list)), kBadStatisticMessage) << testing::PrintToString(list);

    // A former table too, and before any other work is done.
    std::string table;
    for (const auto& line : Calculate("3", ".05", ".01\r.04\r.03").lines)
        table += line;
    int yields = 0;
    EXPECT_EQ(Message(Calculate("3", ".05", table, [&] { ++yields; })), kBadStatisticMessage);
    EXPECT_EQ(yields, 0);
}

TEST(Calculate, RangesOfTestsAndErrorRate)
{
    // Wholly digits and wholly one number, on the values as typed. Blanks and line ends around
    // them (a Return typed after the number) change nothing, the verdicts included.
    const std::string list = ".01\r.02";
    const std::string twoTests = Joined(Table({
        ".0100       .0250          yes         .0250\r",
        ".0200       .0500          yes         .0250\r",
    }));
    // 999 tests are taken, and then the list's two values are too few.
    for (auto [tests, answer] : {std::pair{"2", twoTests}, {" 2\t", twoTests}, {"2\r", twoTests},
                                 {"\r\n999\n", std::string(kBadStatisticMessage)}})
        EXPECT_EQ(Answer(Calculate(tests, ".05", list)), answer) << testing::PrintToString(tests);
    for (const char* tests : {"1", "0", "", "\r", "-2", "1000", "99999999999", "2.9", "2abc", "+2", "1e2", "2\r2"})
        EXPECT_EQ(Message(Calculate(tests, ".05", list)), kTestsRangeMessage) << testing::PrintToString(tests);
    const std::string least = Joined(Table({
        ".0100       .0000           no         .0000\r",
        ".0200       .0000           no         .0000\r",
    }));
    const std::string most = Joined(Table({
        ".0100       .5000          yes         .5000\r",
        ".0200       .9999          yes         .5000\r",
    }));
    const std::string twoPercent = Joined(Table({
        ".0100       .0100          yes         .0100\r",
        ".0200       .0200          yes         .0100\r",
    }));
    for (auto [alpha, answer] : {std::pair{".00001", least}, {"1e-5", least}, {".9999", most}, {" .02\t", twoPercent},
                                 {".02\r", twoPercent}, {"\n.02\r\n", twoPercent}})
        EXPECT_EQ(Answer(Calculate("2", alpha, list)), answer) << testing::PrintToString(alpha);
    EXPECT_EQ(Verdicts(Calculate("2", " .02\r", list)), "yy");
    for (const char* alpha : {"0", "", "1", ".000009", ".99991", "-.05", "abc", ".05x", ".0.5", ".0\r5",
                              ".99990000000000000001", "0.00000999999999999999999"})
        EXPECT_EQ(Message(Calculate("2", alpha, list)), kErrorRateRangeMessage) << testing::PrintToString(alpha);
}

TEST(Calculate, PrintedDigitsRoundTheExactValues)
{
    // A p value equal to its critical value prints as it, whatever the doubles of the two are.
    for (auto [tests, alpha, p, row] : {
             std::tuple{"12", ".009", ".00075", ".0008       .0008          yes         .0008\r"},
             std::tuple{"180", ".009", ".00005", ".0001       .0001          yes         .0001\r"},
             std::tuple{"20", ".003", ".00015", ".0002       .0002          yes         .0002\r"},
         }) {
        std::string full = p;
        for (int i = 1; i < std::stoi(tests); ++i)
            full += "\r.9";
        EXPECT_EQ(Calculate(tests, alpha, full).lines.at(4), row) << alpha << " / " << tests;
    }
    // Ties go away from zero on the typed value (each of these as a double lies just below its
    // tie), and a zero has no sign.
    for (auto [p, printed] : {std::pair{".00925", ".0093"}, {".01705", ".0171"}, {".03845", ".0385"},
                              {".29505", ".2951"}, {".51835", ".5184"}, {".00045", ".0005"}, {".000449999", ".0004"},
                              {"-0", ".0000"}, {"0.99995", "1.0000"}, {"1e-99999999999999999999999", ".0000"}}) {
        const CalculationResult result = Calculate("2", ".05", std::string(p) + "\r" + p);
        ASSERT_FALSE(result.message.has_value()) << p;
        EXPECT_EQ(result.lines[4].substr(0, std::string_view(printed).size() + 1), std::string(printed) + " ") << p;
    }
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
    for (int i = 0; i < 999; ++i) {
        // Appended piece by piece: GCC 12 falsely warns (-Wrestrict) on "." + string when inlined.
        list += '.';
        list += std::to_string(100000 + (i * 7919) % 100000).substr(1);
        list += '\n';
    }
    for (int i = 0; i < 100000 - 999; ++i)
        list += "not a number\r\n";
    int yields = 0;
    const CalculationResult result = Calculate("999", ".05", list, [&] { ++yields; });
    ASSERT_FALSE(result.message.has_value());
    ASSERT_EQ(result.lines.size(), 999u + 6u);
    EXPECT_EQ(yields, 3 * 999); // the interface breathes once a value in each of the three passes
    EXPECT_EQ(result.lines[4], ".0000       .0001          yes         .0001\r");
    EXPECT_EQ(result.lines[5], ".0002       .0001           no         .0001\r");
    EXPECT_EQ(result.lines[1002], ".9984       .0500           no         .0001\r");
    EXPECT_EQ(result.lines[1003], kRule);
    EXPECT_EQ(result.lines[1004], kCreditLine);
    for (std::size_t i = 0; i + 1 < result.lines.size(); ++i)
        EXPECT_EQ(result.lines[i].back(), '\r') << i;
}

}  // namespace
