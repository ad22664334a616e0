#pragma once
// Number text in the calculator's entry syntax: validation, measuring,
// splitting, variable names and the grouped display form.
//
// Every function removes white space at both ends, then matches the WHOLE text
// against its pattern (never a search, so a line break cannot end a match
// early). Texts longer than kMaxNumberTextLength are refused without matching,
// and a pattern engine failure counts as no match. On a failed match the
// outputs are left as they were, unless stated otherwise.

#include <cstdint>
#include <string>
#include <string_view>

// Longest text that is matched at all. A number at the largest Max Digits
// (512) with sign, point and a seven-digit signed exponent is about 530
// characters, so every acceptable number fits with a wide margin.
inline constexpr std::size_t kMaxNumberTextLength = 4096;

// Exponent limits of a typed number.
inline constexpr std::int64_t kMinNumberExponent = -999999;
inline constexpr std::int64_t kMaxNumberExponent = 999999;

// Clipboard text that may be pasted: "^[-+]?[0-9]+[.]?[0-9]*([eE][-+]?[0-9]*)?$".
bool IsPastableNumber(std::string_view text);

// A variable name: an ASCII letter, then letters, digits, "_", ".", "~" and
// blanks; from its first character that is not a letter on at most 14.
bool IsValidVariableName(std::string_view text);

// "^[-+]?(([0-9]+)[.]?([0-9]*))([eE]([-+]?[0-9]*))+$": the unsigned mantissa
// (with its point) and the exponent part after the last mark (empty, a lone
// sign or signed digits). The pattern admits repeated exponent marks; callers
// validate the text with ValidateNumberText first.
bool SplitExponentForm(std::string_view text, std::string& mantissa, std::string& exponentPart);

// "^[-+]?(([0-9]+)[.]([0-9]+))$": integer digits and fraction digits.
bool SplitFixedForm(std::string_view text, std::string& integerDigits, std::string& fractionDigits);

// "^[-+]?(([0-9,]+)[.]([0-9]+))$": grouped integer digits and fraction digits.
bool SplitGroupedForm(std::string_view text, std::string& groupedIntegerDigits,
                      std::string& fractionDigits);

// True when the text is a number. Outputs are first set to -1, then on a match:
// digitCount: the fraction digits when the integer part is zero (leading zeros
//   of the fraction count), else the integer and fraction digits;
// significantDigits: the significant digits of the value (0 has 1);
// exponent: the power of ten of the first significant digit plus the exponent
//   part (0 for a zero value), saturated to the 64-bit range.
// Callers accept a number when digitCount <= Max Digits and
// kMinNumberExponent <= exponent <= kMaxNumberExponent.
bool ValidateNumberText(std::string_view text, std::int32_t& digitCount,
                        std::int32_t& significantDigits, std::int64_t& exponent);

// The grouped display form: sign (only for a negative value), the integer
// digits of the value with "," every three digits ("0" when there are none),
// the point and fraction digits as typed, and "E" with the exponent part as
// typed. Refuses (false, display emptied) every text that ValidateNumberText
// refuses; callers then show the raw text.
// Examples: 1234567 -> 1,234,567; -0.50 -> -0.50; .5 -> 0.5; 1000. -> 1,000.;
// 12345.6789E-12 -> 12,345.6789E-12.
bool GroupNumberText(std::string_view text, std::string& display);

// Inserts "," between groups of three digits of a run of decimal digits.
std::string GroupDigits(std::string_view digits);
