#include "number/EntrySyntax.h"

#include <algorithm>
#include <limits>

#include <boost/regex.hpp>

namespace {

std::string_view Trim(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n\f\v";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// Full match of the trimmed text; false for overlong text and for any failure
// of the pattern engine (it throws when a match grows too complex).
bool FullMatch(std::string_view text, const boost::regex& pattern, boost::cmatch* groups = nullptr)
{
    const std::string_view trimmed = Trim(text);
    if (trimmed.size() > kMaxNumberTextLength)
        return false;
    try {
        boost::cmatch local;
        boost::cmatch& result = groups ? *groups : local;
        return boost::regex_match(trimmed.data(), trimmed.data() + trimmed.size(), result, pattern);
    } catch (const std::exception&) {
        return false;
    }
}

// Each pattern is compiled once, on first use (function-local statics are
// initialised thread-safely and never depend on the order of static
// initialisation of other files).
#define QX_PATTERN(name, text)                 \
    const boost::regex& name()                 \
    {                                          \
        static const boost::regex pattern(text); \
        return pattern;                        \
    }

QX_PATTERN(Pastable, "^[-+]?[0-9]+[.]?[0-9]*([eE][-+]?[0-9]*)?$")
QX_PATTERN(VariableName, "^[a-zA-Z]+[a-zA-Z_0-9.~ ]{0,14}$")
QX_PATTERN(ExponentForm, "^[-+]?(([0-9]+)[.]?([0-9]*))([eE]([-+]?[0-9]*))+$")
QX_PATTERN(FixedForm, "^[-+]?(([0-9]+)[.]([0-9]+))$")
QX_PATTERN(GroupedForm, "^[-+]?(([0-9,]+)[.]([0-9]+))$")
QX_PATTERN(NumberWithInteger, "^[-+]?(([0-9]+)[.]?([0-9]*))([eE]([-+]?[0-9]*))?$")
QX_PATTERN(NumberWithPoint, "^[-+]?([.]?([0-9]+))([eE]([-+]?[0-9]*))?$")
#undef QX_PATTERN

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    return sum;
}

// Value of an exponent part: empty or a lone sign is 0; saturates.
std::int64_t ExponentPartValue(std::string_view part)
{
    bool negative = false;
    if (!part.empty() && (part.front() == '+' || part.front() == '-')) {
        negative = part.front() == '-';
        part.remove_prefix(1);
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (const char c : part) {
        const int digit = c - '0';
        if (value > (kMax - digit) / 10)
            return negative ? std::numeric_limits<std::int64_t>::min() : kMax;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

bool AllZeros(std::string_view digits)
{
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
}

// Power of ten of the first significant digit of integer.fraction; 0 for zero.
std::int64_t DecimalExponent(std::string_view integerDigits, std::string_view fractionDigits)
{
    const auto firstInteger = integerDigits.find_first_not_of('0');
    if (firstInteger != std::string_view::npos)
        return static_cast<std::int64_t>(integerDigits.size() - firstInteger) - 1;
    const auto firstFraction = fractionDigits.find_first_not_of('0');
    if (firstFraction != std::string_view::npos)
        return -static_cast<std::int64_t>(firstFraction) - 1;
    return 0;
}

std::int32_t SignificantDigits(std::string_view integerDigits, std::string_view fractionDigits)
{
    const std::string all = std::string(integerDigits) + std::string(fractionDigits);
    const auto first = all.find_first_not_of('0');
    if (first == std::string::npos)
        return 1;
    const auto last = all.find_last_not_of('0');
    return static_cast<std::int32_t>(last - first + 1);
}

std::string_view Group(const boost::cmatch& m, int index)
{
    if (!m[index].matched)
        return {};
    return {m[index].first, static_cast<std::size_t>(m[index].length())};
}

// The parts of a text that ValidateNumberText accepts.
struct NumberParts {
    bool negative = false;  // a "-" sign (the value may still be zero)
    std::string_view integerDigits;
    bool hasPoint = false;
    std::string_view fractionDigits;
    bool hasExponent = false;
    std::string_view exponentPart;
};

bool ParseNumber(std::string_view text, NumberParts& parts)
{
    boost::cmatch m;
    const std::string_view trimmed = Trim(text);
    if (FullMatch(trimmed, NumberWithInteger(), &m)) {
        parts.integerDigits = Group(m, 2);
        parts.fractionDigits = Group(m, 3);
        parts.hasPoint = Group(m, 1).find('.') != std::string_view::npos;
        parts.hasExponent = m[4].matched;
        parts.exponentPart = Group(m, 5);
    } else if (FullMatch(trimmed, NumberWithPoint(), &m)) {
        parts.hasPoint = Group(m, 1).front() == '.';
        if (parts.hasPoint)
            parts.fractionDigits = Group(m, 2);
        else
            parts.integerDigits = Group(m, 2);
        parts.hasExponent = m[3].matched;
        parts.exponentPart = Group(m, 4);
    } else {
        return false;
    }
    parts.negative = trimmed.front() == '-';
    return true;
}

}  // namespace

bool IsPastableNumber(std::string_view text)
{
    return FullMatch(text, Pastable());
}

bool IsValidVariableName(std::string_view text)
{
    return FullMatch(text, VariableName());
}

bool SplitExponentForm(std::string_view text, std::string& mantissa, std::string& exponentPart)
{
    boost::cmatch m;
    if (!FullMatch(text, ExponentForm(), &m))
        return false;
    mantissa = std::string(Group(m, 1));
    exponentPart = std::string(Group(m, 5));
    return true;
}

bool SplitFixedForm(std::string_view text, std::string& integerDigits, std::string& fractionDigits)
{
    boost::cmatch m;
    if (!FullMatch(text, FixedForm(), &m))
        return false;
    integerDigits = std::string(Group(m, 2));
    fractionDigits = std::string(Group(m, 3));
    return true;
}

bool SplitGroupedForm(std::string_view text, std::string& groupedIntegerDigits,
                      std::string& fractionDigits)
{
    boost::cmatch m;
    if (!FullMatch(text, GroupedForm(), &m))
        return false;
    groupedIntegerDigits = std::string(Group(m, 2));
    fractionDigits = std::string(Group(m, 3));
    return true;
}

bool ValidateNumberText(std::string_view text, std::int32_t& digitCount,
                        std::int32_t& significantDigits, std::int64_t& exponent)
{
    digitCount = -1;
    significantDigits = -1;
    exponent = -1;
    NumberParts parts;
    if (!ParseNumber(text, parts))
        return false;
    const bool integerIsZero = AllZeros(parts.integerDigits);
    const std::size_t digits = integerIsZero ? parts.fractionDigits.size()
                                             : parts.integerDigits.size() + parts.fractionDigits.size();
    digitCount = static_cast<std::int32_t>(digits);
    exponent = SaturatingAdd(DecimalExponent(parts.integerDigits, parts.fractionDigits),
                             ExponentPartValue(parts.exponentPart));
    significantDigits = SignificantDigits(parts.integerDigits, parts.fractionDigits);
    return true;
}

std::string GroupDigits(std::string_view digits)
{
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

bool GroupNumberText(std::string_view text, std::string& display)
{
    display.clear();
    NumberParts parts;
    if (!ParseNumber(text, parts))
        return false;
    const bool valueIsZero = AllZeros(parts.integerDigits) && AllZeros(parts.fractionDigits);
    if (parts.negative && !valueIsZero)
        display += '-';
    const auto firstSignificant = parts.integerDigits.find_first_not_of('0');
    display += firstSignificant == std::string_view::npos
                   ? std::string("0")
                   : GroupDigits(parts.integerDigits.substr(firstSignificant));
    if (parts.hasPoint) {
        display += '.';
        display += parts.fractionDigits;
    }
    if (parts.hasExponent) {
        display += 'E';
        display += parts.exponentPart;
    }
    return true;
}
