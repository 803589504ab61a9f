#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text and number services of the runtime. Strings are UTF-8; nothing here depends on the
// C locale, so a decimal point is always '.' whatever the user's settings are.

namespace EndOfLine {
inline constexpr std::string_view Macintosh = "\r";
}

// Reads the longest decimal number at the start of the text, after leading blanks (space, tab):
// optional sign, digits with an optional point, optional exponent. Whatever follows is ignored,
// and text that does not start with a number reads as 0 ("12abc" -> 12, "abc" -> 0, "0x1A" -> 0).
// "nan", "inf" and hexadecimal are never numbers. A magnitude too large for a double reads as
// +-DBL_MAX (still larger than any real input limit); one too small reads as 0.
double Val(std::string_view text);

// True when the whole text, blanks around it aside, is one decimal number as Val reads it, with
// at least one digit: "5", " -.5e3 " are; "", ".", "1e", "5%", ".0.5", "--1" are not.
bool IsDecimalNumber(std::string_view text);

// Formats a value with a mask: '#' is a digit shown only when significant, '0' a digit always
// shown, the first '.' the decimal point, ',' before the point groups the integer digits by
// thousands; every other character is copied as it is. The integer digits are never cut: when
// there are more than the mask's placeholders, the extra ones go in front of the first one
// (so ".0000" gives "12.3456" for 12.3456 and ".0100" for 0.01). Rounding is to the nearest at
// the last decimal placeholder, from the exact binary value, halves away from zero. A value that
// rounds to zero has no sign. An empty mask gives the shortest text that reads back the same;
// NaN gives "NaN" and infinities "Infinity" / "-Infinity".
std::string Format(double value, std::string_view mask);

// The n-th field (counted from 1) of the text cut at each separator; "" for n < 1, past the last
// field, or for an empty separator (which cuts nothing out).
std::string NthField(std::string_view text, std::string_view separator, int n);

// Every occurrence of find, left to right and not overlapping, replaced; an empty find changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// Every line ending (CR LF, CR or LF; CR LF is one ending) replaced by ending.
std::string ReplaceLineEndings(std::string_view text, std::string_view ending);

// One character of UTF-8 at pos (< text.size()): its code point and its length in bytes. A byte
// that does not start a valid, shortest-form sequence stands for itself, one byte long; the
// other services count characters as this does.
struct Utf8Character {
    int32_t code;
    std::size_t length;
};
Utf8Character DecodeUtf8(std::string_view text, std::size_t pos);

// Length in characters (code points). A byte that is not part of valid UTF-8 counts as one character.
int32_t Len(std::string_view text);

// Code point of the first character; 0 for empty text (as a BASIC gives), and the byte's own value
// when the text does not start with valid UTF-8.
int32_t Asc(std::string_view text);

// The UTF-8 text of a code point; "" for negative values, surrogates and values past U+10FFFF.
std::string Chr(int32_t code);

// Negative, zero or positive as a sorts before, equal to or after b, comparing bytes as unsigned
// values (for UTF-8 this is code point order; no case folding, no locale).
int32_t RuntimeStringCompare(std::string_view a, std::string_view b);

// a followed by b, in one allocation: a text built up a piece at a time is copied once a piece.
std::string RuntimeAddString(std::string_view a, std::string_view b);

double RuntimeCvtSInt32ToReal64(int32_t value);

// Truncates toward zero; values out of range saturate at INT32_MIN / INT32_MAX; NaN gives 0.
int32_t RuntimeCvtReal64ToSInt32(double value);
