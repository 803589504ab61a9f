// Feeds three texts (the input cut at its first two NUL bytes: tests, error rate, p-values) to the
// calculation and checks that it answers with one of its messages or a well-formed table.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/core/text.h"
#include "windows/calculation.h"

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_calculation: %s\n", what);
        std::abort();
    }
}

bool IsMessage(std::string_view text)
{
    return text == kTestsRangeMessage || text == kErrorRateRangeMessage || text == kNoTestDataMessage ||
           text == kBadStatisticMessage;
}

// ".dddd", or "1.0000" for a value that rounds up to one.
bool IsFourPlaces(std::string_view text)
{
    if (text == "1.0000")
        return true;
    if (text.size() != 5 || text[0] != '.')
        return false;
    for (char c : text.substr(1))
        if (c < '0' || c > '9')
            return false;
    return true;
}

struct Row {
    std::string_view p;
    std::string_view critical;
    bool significant;
    std::string_view simple;
};

// Row layout: p, 7 blanks, critical p, 6 blanks, "    yes" or "     no", 9 blanks, simple, CR.
Row ParseRow(std::string_view line)
{
    Check(!line.empty() && line.back() == '\r', "row without CR");
    line.remove_suffix(1);
    const std::size_t pLength = line.starts_with("1.") ? 6 : 5;
    Check(line.size() == pLength + 7 + 5 + 6 + 7 + 9 + 5, "row of the wrong length");
    Row row;
    row.p = line.substr(0, pLength);
    line.remove_prefix(pLength);
    Check(line.substr(0, 7) == "       ", "blanks after p");
    row.critical = line.substr(7, 5);
    line.remove_prefix(12);
    Check(line.substr(0, 6) == "      ", "blanks after critical p");
    const std::string_view verdict = line.substr(6, 7);
    Check(verdict == "    yes" || verdict == "     no", "verdict");
    row.significant = verdict == "    yes";
    line.remove_prefix(13);
    Check(line.substr(0, 9) == "         ", "blanks after verdict");
    row.simple = line.substr(9);
    Check(IsFourPlaces(row.p) && IsFourPlaces(row.critical) && IsFourPlaces(row.simple), "number column");
    return row;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t first = input.find('\0');
    const std::string_view tests = input.substr(0, first);
    const std::string_view rest = first == std::string_view::npos ? std::string_view() : input.substr(first + 1);
    const std::size_t second = rest.find('\0');
    const std::string_view alpha = rest.substr(0, second);
    const std::string_view list = second == std::string_view::npos ? std::string_view() : rest.substr(second + 1);

    int yields = 0;
    const CalculationResult result = Calculate(tests, alpha, list, [&] { ++yields; });
    if (result.message) {
        Check(IsMessage(*result.message), "unknown message");
        Check(result.lines.empty(), "message with a table");
        return 0;
    }

    const int32_t n = RuntimeCvtReal64ToSInt32(Val(tests));
    Check(n >= 2 && n <= 999, "table for a number of tests out of range");
    Check(yields == 3 * n, "yield count");
    const auto& lines = result.lines;
    Check(lines.size() == static_cast<std::size_t>(n) + 6, "line count");
    const std::string rule = std::string(47, '+') + "\r";
    Check(lines[0] == rule && lines[static_cast<std::size_t>(n) + 4] == rule, "rule lines");
    Check(lines[1] == "          Sequential                   Simple\r", "first heading");
    Check(lines[2] == "Test p    Critical p   Significant   Critical p\r", "second heading");
    Check(lines[3] == "++++++    ++++++++++   +++++++++++   ++++++++++\r", "heading rule");
    Check(lines.back() == kCreditLine, "credit line");

    const Row firstRow = ParseRow(lines[4]);
    Row previous = firstRow;
    for (int32_t i = 1; i < n; ++i) {
        const Row row = ParseRow(lines[static_cast<std::size_t>(i) + 4]);
        Check(Val(row.p) >= Val(previous.p), "p-values out of order");
        Check(Val(row.critical) >= Val(previous.critical), "critical values out of order");
        Check(row.simple == firstRow.simple, "simple critical value changes");
        Check(previous.significant || !row.significant, "significant after a kept hypothesis");
        previous = row;
    }
    return 0;
}
