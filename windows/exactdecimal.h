#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

// A decimal number exactly as typed, however many digits it has: its significant digits times a
// power of ten (a typed exponent past 10^17 either way is held there). The calculation checks,
// decides and prints on these: the double of alpha / k can land just below the double of a p
// value that equals it, and a double rounded to four places can land on the other side of a tie.
class ExactDecimal {
public:
    // text is one decimal number as IsDecimalNumber accepts it: blanks around it, an optional
    // sign, digits with an optional point, an optional exponent.
    explicit ExactDecimal(std::string_view text);

    // The value times a factor of 0 or more.
    ExactDecimal Times(int32_t factor) const;
    // floor(|value| * 10^places), held at 10^18 - 1 for a magnitude past that.
    int64_t ScaledFloor(int32_t places) const;

    friend std::strong_ordering operator<=>(const ExactDecimal& a, const ExactDecimal& b);

private:
    ExactDecimal(bool negative, std::string digits, int64_t exponent);
    // Drops leading and trailing zeros, so that every value has one form; zero has no sign.
    void Normalise();
    std::strong_ordering CompareMagnitude(const ExactDecimal& other) const;

    bool negative = false;
    std::string digits;    // most significant first; empty for zero
    int64_t exponent = 0;  // the value is digits * 10^exponent
};
