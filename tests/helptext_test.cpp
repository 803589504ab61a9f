#include "resources/helptext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

// The help text goes into a layout property list at compile time.
static_assert(kHelpText.size() > 0, "the help text must be usable in constant expressions");

namespace {

// Lines as the text area shows them, numbered from 1 (index 0 stays empty).
std::vector<std::string> helpLines()
{
    std::vector<std::string> lines{""};
    std::string_view rest = kHelpText;
    for (;;) {
        const auto end = rest.find('\r');
        lines.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return lines;
}

} // namespace

TEST(HelpText, IsPlainAsciiWithSingleCrLineEnds)
{
    // Printable ASCII and CR only: this also rules out LF, tab and any other control character.
    const auto bad = std::find_if(kHelpText.begin(), kHelpText.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte != '\r' && (byte < 32 || byte > 126);
    });
    EXPECT_EQ(bad, kHelpText.end()) << "at offset " << (bad - kHelpText.begin());
    EXPECT_NE(kHelpText.back(), '\r');
    EXPECT_EQ(std::count(kHelpText.begin(), kHelpText.end(), '\r'), 28);
}

TEST(HelpText, HasItsHeadingsAndListsTheReferencesInAuthorDateForm)
{
    const auto lines = helpLines();
    ASSERT_EQ(lines.size(), 30u);
    const std::pair<size_t, std::string> headings[] = {
        {1, "Quorvel"}, {9, "Date Entry"}, {13, "References"}, {23, std::string(53, '*')}, {26, "Reference as:"}};
    for (const auto& [line, text] : headings)
        EXPECT_EQ(lines[line], text) << "line " << line;
    // Authors (year). Title. Journal, volume, first-last.
    const std::regex reference(R"re([A-Z][^()]+ \(([0-9]{4})\)\. .+\. [A-Z][^.]+, [0-9]+, [0-9]+-[0-9]+\.)re");
    const std::pair<size_t, std::string> years[] = {
        {14, "1988"}, {16, "1979"}, {18, "2002"}, {20, "1995"}, {22, "1991"}};
    for (const auto& [line, year] : years) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(lines[line], match, reference)) << lines[line];
        EXPECT_EQ(match[1], year) << "line " << line;
    }
}

TEST(HelpText, KeepsItsEmptyLinesAndNamesTheProgramNineTimes)
{
    const auto lines = helpLines();
    ASSERT_EQ(lines.size(), 30u);
    const std::vector<size_t> empty = {2, 4, 7, 8, 11, 12, 15, 17, 19, 21, 25, 28};
    std::vector<size_t> names(lines.size(), 0);
    for (size_t line = 1; line < lines.size(); ++line) {
        EXPECT_EQ(lines[line].empty(), std::count(empty.begin(), empty.end(), line) == 1) << "line " << line;
        for (size_t at = lines[line].find("Quorvel"); at != std::string::npos; at = lines[line].find("Quorvel", at + 1))
            ++names[line];
    }
    // The title, the instructions, the copyright, the citation and five times the disclaimer.
    std::vector<size_t> expected(lines.size(), 0);
    for (auto [line, count] : {std::pair{1, 1}, {10, 1}, {24, 1}, {27, 1}, {29, 5}})
        expected[line] = count;
    EXPECT_EQ(names, expected);
}
