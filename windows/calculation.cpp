#include "windows/calculation.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "framework/core/text.h"
#include "windows/exactdecimal.h"

namespace {

// Spaces and tabs around a number are let through, as they are around a p value. In the two
// one-number fields a line end is a blank too: a Return typed after the number, or a pasted
// spreadsheet cell's "3\n", leaves the number as it was.
std::string_view TrimBlanks(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) + 1 - first);
}

// The number of tests is digits only, as its key filter lets it be typed; text can come in other
// ways, so the whole text is checked.
bool IsWholeNumber(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// |value| / divisor to four places, rounded half away from zero on the exact value, in the form
// the table has always had: ".0167", and "1.0000" where rounding reaches one. Rounding the exact
// value keeps equal values printing alike and a printed p on the right side of its printed
// critical value.
std::string FourPlaces(const ExactDecimal& value, int32_t divisor)
{
    // floor(v * 10^4 + 1/2) is floor((floor(v * 10^5) + 5) / 10), and for a whole divisor k,
    // floor(floor(x) / k) is floor(x / k).
    const int64_t tenThousandths = (value.ScaledFloor(5) / divisor + 5) / 10;
    std::string fraction = std::to_string(tenThousandths % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    const int64_t whole = tenThousandths / 10000;
    return (whole == 0 ? std::string() : std::to_string(whole)) + "." + fraction;
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
    testsText = TrimBlanks(testsText);
    if (!IsWholeNumber(testsText))
        return Message(kTestsRangeMessage);
    const int32_t n = RuntimeCvtReal64ToSInt32(Val(testsText));
    if (n < 2 || n > 999)
        return Message(kTestsRangeMessage);
    // The ranges hold on the values as typed: a double would let ".99990000000000000001" in as
    // .9999, and read "-1e-400" as a zero.
    alphaText = TrimBlanks(alphaText);
    if (!IsDecimalNumber(alphaText))
        return Message(kErrorRateRangeMessage);
    const ExactDecimal alpha(alphaText);
    if (alpha < ExactDecimal(".00001") || alpha > ExactDecimal(".9999"))
        return Message(kErrorRateRangeMessage);
    std::string list = ReplaceLineEndings(pText, EndOfLine::Macintosh);
    if (Len(list) == 0)
        return Message(kNoTestDataMessage);
    // Each line is a field from here on, as is each piece of a line between tabs.
    const std::string tab = Chr(9);
    list = ReplaceAll(list, EndOfLine::Macintosh, tab);

    // A field that is missing or not a p-value stops the whole calculation with one message:
    // read as 0 it would come out significant.
    const ExactDecimal zero("0");
    const ExactDecimal mostP(".9999999");
    std::vector<ExactDecimal> p;
    p.reserve(static_cast<std::size_t>(n));
    for (int32_t i = 1; i <= n; ++i) {
        const std::string field = NthField(list, tab, i);
        if (!IsDecimalNumber(field))
            return Message(kBadStatisticMessage);
        ExactDecimal value(field);
        if (value < zero || value > mostP)
            return Message(kBadStatisticMessage);
        p.push_back(std::move(value));
        Yield(yield);
    }
    std::sort(p.begin(), p.end());

    // Holm: the i-th smallest p-value is held against alpha / (n - i + 1).
    std::vector<std::string> critical;
    critical.reserve(static_cast<std::size_t>(n));
    for (int32_t i = 1; i <= n; ++i) {
        critical.push_back(FourPlaces(alpha, n - i + 1));
        Yield(yield);
    }

    const std::string rule = std::string(47, '+') + "\r";
    CalculationResult result;
    result.lines.reserve(static_cast<std::size_t>(n) + 6);
    result.lines.push_back(rule);
    result.lines.push_back(std::string(10, ' ') + "Sequential" + std::string(19, ' ') + "Simple\r");
    result.lines.push_back("Test p    Critical p   Significant   Critical p\r");
    result.lines.push_back("++++++    ++++++++++   +++++++++++   ++++++++++\r");
    const std::string simple = FourPlaces(alpha, n);
    // Once one hypothesis is kept, every later (larger) p-value is kept too.
    bool stop = false;
    for (int32_t i = 0; i < n; ++i) {
        const auto row = static_cast<std::size_t>(i);
        // p <= alpha / k, decided exactly as p * k <= alpha.
        const bool rejected = !stop && p[row].Times(n - i) <= alpha;
        stop = !rejected;
        const std::string_view significant = rejected ? "    yes" : "     no";
        result.lines.push_back(FourPlaces(p[row], 1) + std::string(7, ' ') + critical[row] + std::string(6, ' ') +
                               std::string(significant) + std::string(9, ' ') + simple + "\r");
        Yield(yield);
    }
    result.lines.push_back(rule);
    result.lines.emplace_back(kCreditLine);
    return result;
}
