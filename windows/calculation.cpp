#include "windows/calculation.h"

#include <algorithm>
#include <cstdint>

#include "framework/core/text.h"
#include "windows/exactdecimal.h"

namespace {

constexpr std::string_view kMask = ".0000";

// The number of tests is digits only, as its key filter lets it be typed; a paste can bring in
// anything, so the whole text is checked. Blanks (space, tab) around the digits are let through,
// as they are around a p value.
bool IsWholeNumber(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    const std::string_view digits = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void Yield(const std::function<void()>& yield)
{
    if (yield)
        yield();
}

CalculationResult Message(std::string_view text)
{
    return {std::string(text), {}};
}

}  // namespace

CalculationResult Calculate(std::string_view testsText, std::string_view alphaText, std::string_view pText,
                            const std::function<void()>& yield)
{
    if (!IsWholeNumber(testsText))
        return Message(kTestsRangeMessage);
    const int32_t n = RuntimeCvtReal64ToSInt32(Val(testsText));
    if (n < 2 || n > 999)
        return Message(kTestsRangeMessage);
    if (!IsDecimalNumber(alphaText))
        return Message(kErrorRateRangeMessage);
    const double alpha = Val(alphaText);
    if (alpha < .00001 || alpha > .9999)
        return Message(kErrorRateRangeMessage);
    const double simple = alpha / n;
    std::string list = ReplaceLineEndings(pText, EndOfLine::Macintosh);
    if (Len(list) == 0)
        return Message(kNoTestDataMessage);
    // Each line is a field from here on, as is each piece of a line between tabs.
    const std::string tab = Chr(9);
    list = ReplaceAll(list, EndOfLine::Macintosh, tab);

    // A field that is missing or not a p-value stops the whole calculation with one message:
    // read as 0 it would come out significant.
    DoubleArray p(n - 1);
    std::vector<ExactDecimal> exact;
    exact.reserve(static_cast<std::size_t>(n));
    for (int32_t i = 1; i <= n; ++i) {
        const std::string field = NthField(list, tab, i);
        if (!IsDecimalNumber(field))
            return Message(kBadStatisticMessage);
        const double value = Val(field);
        if (value > 0.9999999 || value < 0)
            return Message(kBadStatisticMessage);
        p.Set(i - 1, value);
        exact.emplace_back(field);
        Yield(yield);
    }
    // Rounding to a double keeps the order, so the i-th exact value in order is the one whose
    // double is printed in row i.
    p.Sort();
    std::sort(exact.begin(), exact.end());

    // Holm: the i-th smallest p-value is held against alpha / (n - i + 1).
    DoubleArray critical(n - 1);
    for (int32_t i = 1; i <= n; ++i) {
        critical.Set(i - 1, alpha / RuntimeCvtSInt32ToReal64(n - i + 1));
        Yield(yield);
    }

    const std::string rule = std::string(47, '+') + "\r";
    CalculationResult result;
    result.lines.reserve(static_cast<std::size_t>(n) + 6);
    result.lines.push_back(rule);
    result.lines.push_back(std::string(10, ' ') + "Sequential" + std::string(19, ' ') + "Simple\r");
    result.lines.push_back("Test p    Critical p   Significant   Critical p\r");
    result.lines.push_back("++++++    ++++++++++   +++++++++++   ++++++++++\r");
    const std::string simpleText = Format(simple, kMask);
    // Once one hypothesis is kept, every later (larger) p-value is kept too.
    bool stop = false;
    const ExactDecimal exactAlpha(alphaText);
    for (int32_t i = 0; i < n; ++i) {
        // p <= alpha / k, decided exactly as p * k <= alpha.
        const bool rejected = !stop && exact[static_cast<std::size_t>(i)].Times(n - i) <= exactAlpha;
        stop = !rejected;
        const std::string_view significant = rejected ? "    yes" : "     no";
        result.lines.push_back(Format(p.Get(i), kMask) + std::string(7, ' ') + Format(critical.Get(i), kMask) +
                               std::string(6, ' ') + std::string(significant) + std::string(9, ' ') +
                               simpleText + "\r");
        Yield(yield);
    }
    result.lines.push_back(rule);
    result.lines.emplace_back(kCreditLine);
    return result;
}
