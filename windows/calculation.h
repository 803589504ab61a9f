#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Holm's sequentially rejective Bonferroni procedure on the texts of the window's three fields.

inline constexpr std::string_view kCreditLine = "Quorvel (c) 2026 the Quorvel developers";

inline constexpr std::string_view kTestsRangeMessage = "Tests must range from 2-999";
inline constexpr std::string_view kErrorRateRangeMessage = "Error rate must range from .00001 to .9999";
inline constexpr std::string_view kNoTestDataMessage = "No test data.";
inline constexpr std::string_view kBadStatisticMessage = "Please check the accuracy of test statistics";

// Either a message for the user (and nothing else changes) or the result table, one line per
// element, every line but the last ending in CR.
struct CalculationResult {
    std::optional<std::string> message;
    std::vector<std::string> lines;
};

// testsText is the number of tests (digits only, 2..999), alphaText the family error rate (one
// decimal number, .00001...9999), each with blanks or line ends around it at most; pText the
// p-values (0...9999999), one per line (CR, LF or CR LF) or separated by tabs, of which only the
// first n are read. Ranges, verdicts and printed digits are worked out on the values exactly as
// typed. yield is called once per pass of each loop so a long run can let the interface breathe.
CalculationResult Calculate(std::string_view testsText, std::string_view alphaText, std::string_view pText,
                            const std::function<void()>& yield = {});
