#pragma once

#include <string_view>

// The text of the help window. It is embedded in a layout property list at compile time, so it
// has to stay a constexpr string_view. The text area shows it as it is: plain ASCII, every line
// ending in a single CR (no LF, no CR after the last line), one paragraph per line so that the
// window wraps the long ones itself. The window shows the first 29 characters in bold.
inline constexpr char kHelpTextCharacters[] =
    "Quorvel\r"
    "\r"
    "This program calculates Holm's (1979) modification of the Bonferroni method, which is more "
    "powerful than the traditional Bonferroni correction and still keeps the experimentwise "
    "error rate at the chosen level. Shaffer (1995) calls such a method sequentially rejective: "
    "it may reject hypotheses that the simple Bonferroni correction does not reject.\r"
    "\r"
    "Summarised in our own words from Jaccard and Guilamo-Ramos (2002):\r"
    "\"Begin by obtaining one p value for each contrast in the family. Arrange these p values from "
    "the smallest to the largest; where two or more of them are equal, put them in an arbitrary "
    "order or in an order that theory suggests. Test the smallest p value against .05/k, where k "
    "is the number of contrasts in the family. If this test rejects its null hypothesis, test the "
    "next smallest p value against .05/(k-1). If that null hypothesis is rejected as well, test "
    "the third smallest p value against .05/(k-2), and go on in the same way, dividing .05 by a "
    "number one smaller at every step, until a test is not significant. There the procedure "
    "stops: the contrast whose test failed, and every contrast after it in the order, are "
    "declared non-significant.\" (pp. 130-146).\r"
    "\r"
    "\r"
    "Date Entry\r"
    "First enter how many p values you will type (the number of tests) and the experimentwise "
    "error rate to use. Then type the p values, in any order, into the field under the label "
    "\"Probability Values\", pressing the Return key after each one. Finally click the Calculate "
    "button. Quorvel then sorts the p values from smallest to largest and computes the "
    "sequential critical value for each of them.\r"
    "\r"
    "\r"
    "References\r"
    "Holland, B. S., & Copenhaver, M. D. (1988). Improved Bonferroni-type multiple testing "
    "procedures. Psychological Bulletin, 104, 145-149.\r"
    "\r"
    "Holm, S. (1979). A simple sequentially rejective multiple test procedure. Scandinavian "
    "Journal of Statistics, 6, 65-70.\r"
    "\r"
    "Jaccard, J., & Guilamo-Ramos, V. (2002). Analysis of variance frameworks in clinical child "
    "and adolescent psychology: Issues and recommendations. Journal of Clinical Child and "
    "Adolescent Psychology, 31, 130-146.\r"
    "\r"
    "Shaffer, J. P. (1995). Multiple hypothesis testing. Annual Review of Psychology, 46, "
    "561-584.\r"
    "\r"
    "Seaman, M. A., Levin, J. R., & Serlin, R. C. (1991). New developments in pairwise multiple "
    "comparisons: Some powerful and practicable procedures. Psychological Bulletin, 110, "
    "577-586.\r"
    "*****************************************************\r"
    "Copyright (c) 2026 the Quorvel developers. The program may be used and copied freely for "
    "research and teaching, provided that it is left unchanged and keeps this notice.\r"
    "\r"
    "Reference as:\r"
    "Quorvel [Computer software]. (2026). Self-published by its developers.\r"
    "\r"
    "Quorvel is provided without warranty of any kind, express or implied. Quorvel must be used "
    "with professional care and judgment, and only by users who have the qualifications to use "
    "it. The user alone is responsible for every decision taken and every report written on the "
    "basis of the output of Quorvel. The developers of Quorvel accept no liability towards the "
    "user or any third party for the user's activities, or for any damage that results from a "
    "miscalculation by Quorvel or from its misuse.";
// The view reaches the characters through the array, which the linker keeps once: a view of a
// bare literal may point at a different copy of it in each file that uses it.
inline constexpr std::string_view kHelpText{kHelpTextCharacters, sizeof(kHelpTextCharacters) - 1};
