#include "framework/core/text.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view SkipBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return text.substr(i);
}

// Length of the decimal number at the start of the text (no blanks skipped), 0 when none starts
// there. An exponent without digits ("1e", "1e+") is not part of the number.
std::size_t NumberLength(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t exponentStart = j;
        while (j < text.size() && IsDigit(text[j]))
            ++j;
        if (j > exponentStart)
            i = j;
    }
    return i;
}

// Whether a number that the conversion found out of range is too large (rather than too small):
// the decimal position of its first significant digit plus its exponent decides.
bool IsOverflow(std::string_view number)
{
    std::size_t i = 0;
    if (number[i] == '+' || number[i] == '-')
        ++i;
    long long position = 0;  // power of ten of the first significant digit
    bool found = false;
    long long integerDigits = 0;
    for (; i < number.size() && IsDigit(number[i]); ++i) {
        found = found || number[i] != '0';
        if (found)
            ++integerDigits;
    }
    if (found)
        position = integerDigits - 1;
    if (i < number.size() && number[i] == '.') {
        ++i;
        for (long long place = -1; i < number.size() && IsDigit(number[i]); ++i, --place) {
            if (!found && number[i] != '0') {
                found = true;
                position = place;
            }
        }
    }
    long long exponent = 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = number[i] == '-';
        if (number[i] == '+' || number[i] == '-')
            ++i;
        // Saturate: anything past a billion is far outside a double's range either way.
        for (; i < number.size(); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), 1000000000LL);
        if (negative)
            exponent = -exponent;
    }
    return position + exponent > 0;
}

// The integer and fraction digits of a finite, non-negative value rounded to `decimals` places,
// halves away from zero. Rounding works on the exact decimal expansion of the binary value, so
// 0.00005 (a little above in binary) goes up, and so does 0.03125 (an exact half).
struct RoundedDigits {
    std::string integer;  // no leading zeros: empty when the integer part is zero
    std::string fraction;
};

RoundedDigits Round(double value, int decimals)
{
    int binaryExponent = 0;
    std::frexp(value, &binaryExponent);
    // The exact expansion of a double ends within 53 - exponent fraction digits, and never
    // needs more than 1074.
    const int exactDigits = value == 0 ? 0 : std::min(std::max(53 - binaryExponent, 0), 1074);
    const int precision = std::max(exactDigits, decimals + 1);
    std::string text(DBL_MAX_10_EXP + 8 + static_cast<std::size_t>(precision), '\0');
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, precision);
    text.resize(static_cast<std::size_t>(result.ptr - text.data()));

    const std::size_t point = text.find('.');
    std::string digits = text.substr(0, point) + text.substr(point + 1, static_cast<std::size_t>(decimals));
    if (text[point + 1 + static_cast<std::size_t>(decimals)] >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    const std::size_t integerLength = digits.size() - static_cast<std::size_t>(decimals);
    RoundedDigits rounded;
    rounded.integer = digits.substr(0, integerLength);
    rounded.integer.erase(0, std::min(rounded.integer.find_first_not_of('0'), rounded.integer.size()));
    rounded.fraction = digits.substr(integerLength);
    return rounded;
}

bool IsPlaceholder(char c)
{
    return c == '#' || c == '0';
}

std::string GroupThousands(const std::string& digits)
{
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

// The part of a formatted number before the point. Placeholders take digits from the right; the
// leftmost one takes every digit left over, so no integer digit is ever lost.
std::string FormatInteger(const std::string& integerDigits, std::string_view mask)
{
    const auto placeholders = static_cast<std::size_t>(std::count_if(mask.begin(), mask.end(), IsPlaceholder));
    // A '0' placeholder forces a digit in its place and in every place to its right.
    std::size_t forced = 0;
    bool zeroSeen = false;
    for (char c : mask) {
        zeroSeen = zeroSeen || c == '0';
        if (zeroSeen && IsPlaceholder(c))
            ++forced;
    }
    std::string digits = integerDigits;
    if (digits.size() < forced)
        digits.insert(0, forced - digits.size(), '0');
    const bool grouping = mask.find(',') != std::string_view::npos;
    if (grouping)
        digits = GroupThousands(digits);

    std::string out;
    if (placeholders == 0) {
        for (char c : mask)
            if (c != ',')
                out += c;
        return out + digits;
    }
    std::size_t remaining = digits.size();
    std::size_t placeholdersLeft = placeholders;
    for (std::size_t m = mask.size(); m-- > 0;) {
        const char c = mask[m];
        if (c == ',')
            continue;
        if (!IsPlaceholder(c)) {
            out.insert(out.begin(), c);
            continue;
        }
        --placeholdersLeft;
        std::size_t take = 0;
        if (placeholdersLeft == 0) {
            take = remaining;
        } else if (remaining > 0) {
            take = 1;
            if (remaining > 1 && digits[remaining - 2] == ',')
                take = 2;
        }
        out.insert(0, digits, remaining - take, take);
        remaining -= take;
    }
    return out;
}

// The part after the point: digits in order, a '#' shown only when a significant digit or a '0'
// placeholder follows it (trailing zeros of '#' are dropped).
std::string FormatFraction(const std::string& fractionDigits, std::string_view mask)
{
    std::size_t shown = 0;  // placeholders shown, counted from the left
    std::size_t k = 0;
    for (char c : mask) {
        if (!IsPlaceholder(c))
            continue;
        if (c == '0' || fractionDigits[k] != '0')
            shown = k + 1;
        ++k;
    }
    std::string out;
    k = 0;
    for (char c : mask) {
        if (!IsPlaceholder(c)) {
            out += c;
            continue;
        }
        if (k < shown)
            out += fractionDigits[k];
        ++k;
    }
    return out;
}

}  // namespace

double Val(std::string_view text)
{
    std::string_view number = SkipBlanks(text);
    number = number.substr(0, NumberLength(number));
    if (number.empty())
        return 0;
    const bool negative = number.front() == '-';
    // from_chars takes a '-' but no '+'.
    const std::string_view unsignedPart = number.front() == '+' || negative ? number.substr(1) : number;
    double value = 0;
    const auto result = std::from_chars(unsignedPart.data(), unsignedPart.data() + unsignedPart.size(),
                                        value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = IsOverflow(number) ? DBL_MAX : 0.0;
    return negative ? -value : value;
}

bool IsDecimalNumber(std::string_view text)
{
    const std::string_view trimmed = SkipBlanks(text);
    const std::size_t length = NumberLength(trimmed);
    if (length == 0)
        return false;
    const std::string_view rest = trimmed.substr(length);
    return std::all_of(rest.begin(), rest.end(), IsBlank);
}

std::string Format(double value, std::string_view mask)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    if (mask.empty()) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }
    const std::size_t point = mask.find('.');
    const std::string_view integerMask = mask.substr(0, point);
    const std::string_view fractionMask =
        point == std::string_view::npos ? std::string_view() : mask.substr(point + 1);
    const auto decimals = static_cast<int>(std::count_if(fractionMask.begin(), fractionMask.end(), IsPlaceholder));

    const RoundedDigits rounded = Round(std::fabs(value), decimals);
    const bool isZero = rounded.integer.empty() && rounded.fraction.find_first_not_of('0') == std::string::npos;

    std::string out = value < 0 && !isZero ? "-" : "";
    out += FormatInteger(rounded.integer, integerMask);
    if (point != std::string_view::npos) {
        out += '.';
        out += FormatFraction(rounded.fraction, fractionMask);
    }
    return out;
}

std::string NthField(std::string_view text, std::string_view separator, int n)
{
    if (n < 1 || separator.empty())
        return {};
    std::size_t start = 0;
    int skip = n - 1;  // separators before the field
    if (separator.size() == 1) {
        // A caller that walks the fields in turn asks from the start each time, so a one-character
        // separator (a tab, a line ending) is counted a block at a time up to the block that holds
        // the one wanted, and only that block is searched byte by byte.
        constexpr std::size_t kBlock = 64;
        const char mark = separator[0];
        for (; skip > 0 && text.size() - start >= kBlock; start += kBlock) {
            int count = 0;
            for (std::size_t k = 0; k < kBlock; ++k)
                count += text[start + k] == mark ? 1 : 0;
            if (count >= skip)
                break;
            skip -= count;
        }
        for (; skip > 0 && start < text.size(); ++start)
            skip -= text[start] == mark ? 1 : 0;
    }
    for (; skip > 0; --skip) {
        const std::size_t found = text.find(separator, start);
        if (found == std::string_view::npos)
            return {};
        start = found + separator.size();
    }
    const std::size_t end = text.find(separator, start);
    return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement)
{
    if (find.empty())
        return std::string(text);
    std::string out;
    if (find.size() == 1 && replacement.size() == 1) {
        // One character for another (line endings become tabs) in one plain pass.
        const char from = find[0];
        const char to = replacement[0];
        out = text;
        for (char& c : out)
            c = c == from ? to : c;
        return out;
    }
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(find, start)) != std::string_view::npos;
         start = found + find.size()) {
        out += text.substr(start, found - start);
        out += replacement;
    }
    out += text.substr(start);
    return out;
}

std::string ReplaceLineEndings(std::string_view text, std::string_view ending)
{
    // Text typed into a field already ends its lines in CR alone: with no LF in it, that is
    // a copy.
    if (ending == "\r" && text.find('\n') == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += ending;
        } else if (text[i] == '\n') {
            out += ending;
        } else {
            out += text[i];
        }
    }
    return out;
}

Utf8Character DecodeUtf8(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    const Utf8Character single{lead, 1}; // ASCII, or a byte that stands for itself
    std::size_t length = 0;
    int32_t code = 0;
    int32_t minimum = 0;
    if (lead < 0x80) {
        return single;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        return single;
    }
    if (text.size() - pos < length)
        return single;
    for (std::size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[pos + k]);
        if ((byte & 0xC0) != 0x80)
            return single;
        code = (code << 6) | (byte & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return single;
    return {code, length};
}

int32_t Len(std::string_view text)
{
    int32_t count = 0;
    std::size_t pos = 0;
    // Blocks of ASCII, a character a byte, are counted whole.
    constexpr std::size_t kBlock = 64;
    while (text.size() - pos >= kBlock) {
        unsigned char high = 0;
        for (std::size_t k = 0; k < kBlock; ++k)
            high |= static_cast<unsigned char>(text[pos + k]);
        if (high >= 0x80)
            break;
        count += kBlock;
        pos += kBlock;
    }
    for (; pos < text.size(); pos += DecodeUtf8(text, pos).length)
        ++count;
    return count;
}

int32_t Asc(std::string_view text)
{
    return text.empty() ? 0 : DecodeUtf8(text, 0).code;
}

std::string Chr(int32_t code)
{
    std::string out;
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

int32_t RuntimeStringCompare(std::string_view a, std::string_view b)
{
    // char_traits<char> compares as unsigned char.
    const int result = a.compare(b);
    return (result > 0) - (result < 0);
}

std::string RuntimeAddString(std::string_view a, std::string_view b)
{
    std::string sum;
    sum.reserve(a.size() + b.size());
    sum.append(a).append(b);
    return sum;
}

double RuntimeCvtSInt32ToReal64(int32_t value)
{
    return static_cast<double>(value);
}

int32_t RuntimeCvtReal64ToSInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0)
        return INT32_MAX;
    if (value <= -2147483649.0)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}
