#include "resources/helptext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

TEST(HelpText, IsPlainAsciiWithSingleCrLineEnds)
{
    // Printable ASCII and CR only: this also rules out LF, tab and any other control character.
    const auto bad = std::find_if(kHelpText.begin(), kHelpText.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte != '\r' && (byte < 32 || byte > 126);
    });
    EXPECT_EQ(bad, kHelpText.end()) << "at offset " << (bad - kHelpText.begin());
    EXPECT_NE(kHelpText.back(), '\r') << "a CR after the last line shows as an empty line";
}

TEST(HelpText, OpensWithTheTitleAndKeepsItsHeadingsOnLinesOfTheirOwn)
{
    // The window sets the first 29 characters bold: the title, an empty line and the opening words.
    EXPECT_EQ(kHelpText.substr(0, 9), "Quorvel\r\r");
    EXPECT_GT(kHelpText.find('\r', 9), 29u) << "the bold run ends inside the opening paragraph";

    const std::string headings[] = {"Date Entry", "References", std::string(53, '*'), "Reference as:"};
    size_t at = 0;
    for (const std::string& heading : headings) {
        at = kHelpText.find('\r' + heading + '\r', at);
        EXPECT_NE(at, std::string_view::npos) << heading << ": a line of its own, after the headings before it";
    }
}
