// Feeds three texts (the input cut at its first two NUL bytes: tests, error rate, p-values) to the
// calculation and holds its whole answer, which message or every byte of the table, against a
// reference of the harness's own that works on the typed digits by long division.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "windows/calculation.h"

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_calculation: %s\n", what);
        std::abort();
    }
}

// Blanks (space, tab) around one number: a sign, digits with at most one point and at least one
// digit, and an exponent that has digits.
bool IsOneNumber(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    text = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    std::size_t i = text[0] == '+' || text[0] == '-' ? 1 : 0;
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size() && (text[i] == '.' || (text[i] >= '0' && text[i] <= '9')); ++i) {
        if (text[i] == '.') {
            if (point)
                return false;
            point = true;
        } else {
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i == text.size())
        return true;
    if (text[i] != 'e' && text[i] != 'E')
        return false;
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    return i < text.size() && text.find_first_not_of("0123456789", i) == std::string_view::npos;
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

// |value| / divisor to four places, halves away from zero, as the table prints it: the value's
// fraction digits are divided by long division, and the fifth quotient digit decides the rounding.
std::string Printed(const Exact& value, int32_t divisor)
{
    if (value.digits.empty())
        return ".0000";
    // Place of the leading digit: -1 for tenths. Below 10^-8 the quotient is far under a half
    // of the fourth place.
    const long long lead = value.exponent + static_cast<long long>(value.digits.size()) - 1;
    if (lead < -8)
        return ".0000";
    Check(lead < 0, "a printed value of 1 or more");
    const std::string fraction = std::string(static_cast<std::size_t>(-lead - 1), '0') + value.digits;
    long long remainder = 0;
    std::string quotient;
    for (std::size_t place = 0; place < 5; ++place) {
        remainder = remainder * 10 + (place < fraction.size() ? fraction[place] - '0' : 0);
        quotient += static_cast<char>('0' + remainder / divisor);
        remainder %= divisor;
    }
    int tenThousandths = std::stoi(quotient.substr(0, 4)) + (quotient[4] >= '5' ? 1 : 0);
    if (tenThousandths == 10000)
        return "1.0000";
    const std::string digits = std::to_string(tenThousandths);
    return "." + std::string(4 - digits.size(), '0') + digits;
}

std::string_view TrimLineBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos ? std::string_view()
                                           : text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first);
}

// What the calculation must answer.
CalculationResult Expected(std::string_view testsText, std::string_view alphaText, std::string_view list)
{
    CalculationResult expected;
    testsText = TrimLineBlanks(testsText);
    if (testsText.empty() || testsText.find_first_not_of("0123456789") != std::string_view::npos) {
        expected.message = kTestsRangeMessage;
        return expected;
    }
    const std::string_view significant = testsText.substr(std::min(testsText.find_first_not_of('0'), testsText.size()));
    const int32_t n = significant.size() > 3 ? 1000 : static_cast<int32_t>(std::atoi(std::string(significant).c_str()));
    if (n < 2 || n > 999) {
        expected.message = kTestsRangeMessage;
        return expected;
    }
    alphaText = TrimLineBlanks(alphaText);
    const Exact alpha = ReadExact(alphaText);
    if (!IsOneNumber(alphaText) || CompareExact(alpha, 1, ReadExact(".00001")) < 0 ||
        CompareExact(alpha, 1, ReadExact(".9999")) > 0) {
        expected.message = kErrorRateRangeMessage;
        return expected;
    }
    if (list.empty()) {
        expected.message = kNoTestDataMessage;
        return expected;
    }
    std::vector<Exact> p;
    for (std::string_view field : FirstFields(list, n)) {
        const Exact value = ReadExact(field);
        if (!IsOneNumber(field) || CompareExact(value, 1, Exact{}) < 0 ||
            CompareExact(value, 1, ReadExact(".9999999")) > 0) {
            expected.message = kBadStatisticMessage;
            return expected;
        }
        p.push_back(value);
    }
    std::sort(p.begin(), p.end(), [](const Exact& a, const Exact& b) { return CompareExact(a, 1, b) < 0; });

    const std::string rule = std::string(47, '+') + "\r";
    expected.lines = {rule, "          Sequential                   Simple\r",
                      "Test p    Critical p   Significant   Critical p\r",
                      "++++++    ++++++++++   +++++++++++   ++++++++++\r"};
    // Row i (from 1) passes when the i-th smallest p value times n - i + 1 is at most alpha,
    // exactly, and every row before it passed.
    bool passing = true;
    for (int32_t i = 0; i < n; ++i) {
        const Exact& value = p[static_cast<std::size_t>(i)];
        passing = passing && CompareExact(value, n - i, alpha) <= 0;
        expected.lines.push_back(Printed(value, 1) + "       " + Printed(alpha, n - i) + "      " +
                                 (passing ? "    yes" : "     no") + "         " + Printed(alpha, n) + "\r");
    }
    expected.lines.push_back(rule);
    expected.lines.emplace_back(kCreditLine);
    return expected;
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
    const CalculationResult expected = Expected(tests, alpha, list);
    Check(result.message == expected.message, "a message other than the reference's");
    Check(result.lines == expected.lines, "a table other than the reference's");
    // Each of the three loops (p values, critical values, rows) lets the interface breathe once a pass.
    if (!expected.message)
        Check(yields == 3 * static_cast<int>(expected.lines.size() - 6), "yield count");
    return 0;
}
