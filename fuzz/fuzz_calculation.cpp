// Feeds three texts (the input cut at its first two NUL bytes: tests, error rate, p-values) to the
// calculation and checks that it answers with one of its messages or a well-formed table whose
// verdicts agree with an exact reference of the harness's own.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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

// The first n fields of the list: a tab or a line ending (CR LF, CR or LF) ends each.
std::vector<std::string_view> FirstFields(std::string_view list, int32_t n)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (static_cast<int32_t>(fields.size()) < n) {
        std::size_t end = start;
        while (end < list.size() && list[end] != '\t' && list[end] != '\r' && list[end] != '\n')
            ++end;
        fields.push_back(list.substr(start, end - start));
        if (end + 1 < list.size() && list[end] == '\r' && list[end + 1] == '\n')
            ++end;
        start = std::min(end + 1, list.size());
    }
    return fields;
}

// A decimal number exactly: the whole number `digits` times 10^exponent.
struct Exact {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    long long exponent = 0;
};

// Reads a text that is one decimal number (blanks, sign, digits, point, exponent). Exponents are
// held at a million million, far past anything that a table's limits or an input's digits
// could balance.
Exact ReadExact(std::string_view text)
{
    Exact value;
    std::size_t i = text.find_first_not_of(" \t");
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        value.negative = text[i++] == '-';
    long long fractionDigits = 0;
    bool point = false;
    for (; i < text.size() && (text[i] == '.' || (text[i] >= '0' && text[i] <= '9')); ++i) {
        if (text[i] == '.') {
            point = true;
            continue;
        }
        if (!value.digits.empty() || text[i] != '0')
            value.digits += text[i];
        if (point)
            ++fractionDigits;
    }
    long long exponent = 0;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000000000LL);
    }
    value.exponent = (negativeExponent ? -exponent : exponent) - fractionDigits;
    return value;
}

// digits times a factor from 1 to 999, schoolbook.
std::string Multiply(const std::string& digits, int32_t factor)
{
    std::string reversed;
    int32_t carry = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        carry += (*it - '0') * factor;
        reversed += static_cast<char>('0' + carry % 10);
        carry /= 10;
    }
    for (; carry > 0; carry /= 10)
        reversed += static_cast<char>('0' + carry % 10);
    return {reversed.rbegin(), reversed.rend()};
}

// The sign of x * 10^xs - y * 10^ys for whole numbers x, y without leading zeros: both are
// brought to the lower power of ten by writing zeros, unless one would then have more digits
// than the other has in all, which already decides.
int CompareScaled(std::string x, long long xs, std::string y, long long ys)
{
    if (x.empty() || y.empty())
        return (x.empty() ? 0 : 1) - (y.empty() ? 0 : 1);
    const long long low = std::min(xs, ys);
    if (xs - low > static_cast<long long>(y.size()))
        return 1;
    if (ys - low > static_cast<long long>(x.size()))
        return -1;
    x.append(static_cast<std::size_t>(xs - low), '0');
    y.append(static_cast<std::size_t>(ys - low), '0');
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return x.compare(y) < 0 ? -1 : (x.compare(y) > 0 ? 1 : 0);
}

// The sign of a * factor - b.
int CompareExact(const Exact& a, int32_t factor, const Exact& b)
{
    const int aSign = a.digits.empty() ? 0 : (a.negative ? -1 : 1);
    const int bSign = b.digits.empty() ? 0 : (b.negative ? -1 : 1);
    if (aSign != bSign)
        return aSign < bSign ? -1 : 1;
    const int magnitude = CompareScaled(Multiply(a.digits, factor), a.exponent, b.digits, b.exponent);
    return aSign < 0 ? -magnitude : magnitude;
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

    const std::size_t testsStart = tests.find_first_not_of(" \t");
    Check(testsStart != std::string_view::npos &&
              tests.substr(testsStart, tests.find_last_not_of(" \t") + 1 - testsStart)
                      .find_first_not_of("0123456789") == std::string_view::npos,
          "table for a number of tests that is not all digits");
    Check(IsDecimalNumber(alpha), "table for an error rate that is not one number");
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

    // Row i (from 1) passes when the i-th smallest p value times n - i + 1 is at most alpha,
    // exactly, and every row before it passed.
    std::vector<Exact> p;
    for (std::string_view field : FirstFields(list, n))
        p.push_back(ReadExact(field));
    std::sort(p.begin(), p.end(), [](const Exact& a, const Exact& b) { return CompareExact(a, 1, b) < 0; });
    const Exact exactAlpha = ReadExact(alpha);
    bool passing = true;

    const Row firstRow = ParseRow(lines[4]);
    Row previous = firstRow;
    for (int32_t i = 0; i < n; ++i) {
        const Row row = ParseRow(lines[static_cast<std::size_t>(i) + 4]);
        passing = passing && CompareExact(p[static_cast<std::size_t>(i)], n - i, exactAlpha) <= 0;
        Check(row.significant == passing, "verdict differs from the exact reference");
        Check(Val(row.p) >= Val(previous.p), "p-values out of order");
        Check(Val(row.critical) >= Val(previous.critical), "critical values out of order");
        Check(row.simple == firstRow.simple, "simple critical value changes");
        Check(previous.significant || !row.significant, "significant after a kept hypothesis");
        previous = row;
    }
    return 0;
}
