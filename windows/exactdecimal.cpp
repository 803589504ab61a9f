#include "windows/exactdecimal.h"

#include <algorithm>
#include <utility>

namespace {

// A typed exponent is held at 10^17 either way. A value that far out stays far above or below
// every value the calculation holds it against, so no decision changes, and exponent arithmetic
// stays far from the ends of int64 with as many digits as memory holds.
constexpr int64_t kExponentLimit = 100'000'000'000'000'000;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

ExactDecimal::ExactDecimal(std::string_view text)
{
    std::size_t i = std::min(text.find_first_not_of(" \t"), text.size());
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t fractionDigits = 0;
    bool point = false;
    for (; i < text.size() && (IsDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            point = true;
        } else {
            digits += text[i];
            fractionDigits += point ? 1 : 0;
        }
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentLimit);
        if (negativeExponent)
            exponent = -exponent;
    }
    exponent -= fractionDigits;
    Normalise();
}

ExactDecimal::ExactDecimal(bool negative, std::string digits, int64_t exponent)
    : negative(negative), digits(std::move(digits)), exponent(exponent)
{
    Normalise();
}

ExactDecimal ExactDecimal::Times(int32_t factor) const
{
    // Long multiplication from the last digit; the factor adds at most ten digits in front.
    std::string product(digits.size() + 10, '0');
    std::size_t place = product.size();
    int64_t carry = 0;
    for (std::size_t i = digits.size(); i-- > 0;) {
        carry += static_cast<int64_t>(digits[i] - '0') * factor;
        product[--place] = static_cast<char>('0' + carry % 10);
        carry /= 10;
    }
    for (; carry > 0; carry /= 10)
        product[--place] = static_cast<char>('0' + carry % 10);
    return ExactDecimal(negative, std::move(product), exponent);
}

int64_t ExactDecimal::ScaledFloor(int32_t places) const
{
    constexpr int64_t kMostDigits = 18;
    // The digits that stand before the point once the value is scaled.
    const int64_t whole = static_cast<int64_t>(digits.size()) + exponent + places;
    if (digits.empty() || whole <= 0)
        return 0;
    if (whole > kMostDigits)
        return 999'999'999'999'999'999;
    int64_t value = 0;
    for (int64_t k = 0; k < whole; ++k)
        value = value * 10 + (k < static_cast<int64_t>(digits.size()) ? digits[static_cast<std::size_t>(k)] - '0' : 0);
    return value;
}

void ExactDecimal::Normalise()
{
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        digits.clear();
        negative = false;
        exponent = 0;
        return;
    }
    const std::size_t last = digits.find_last_not_of('0');
    exponent += static_cast<int64_t>(digits.size() - 1 - last);
    digits = digits.substr(first, last - first + 1);
}

std::strong_ordering ExactDecimal::CompareMagnitude(const ExactDecimal& other) const
{
    if (digits.empty() || other.digits.empty())
        return !digits.empty() <=> !other.digits.empty();
    // The place of the leading digit decides first; at the same place the digits do, read from
    // the left, a missing digit being a zero (no trailing zeros are kept).
    const int64_t lead = exponent + static_cast<int64_t>(digits.size());
    const int64_t otherLead = other.exponent + static_cast<int64_t>(other.digits.size());
    if (lead != otherLead)
        return lead <=> otherLead;
    return digits.compare(other.digits) <=> 0;
}

std::strong_ordering operator<=>(const ExactDecimal& a, const ExactDecimal& b)
{
    if (a.negative != b.negative)
        return a.negative ? std::strong_ordering::less : std::strong_ordering::greater;
    const std::strong_ordering magnitude = a.CompareMagnitude(b);
    return a.negative ? 0 <=> magnitude : magnitude;
}
