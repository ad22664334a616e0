// Parsing and the text forms of Number.
#include <algorithm>

#include "number/Number.h"
#include "number/NumberInternals.h"

using namespace number_detail;

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string exponent_text(std::int64_t e)
{
    std::string s = e < 0 ? "E-" : "E+";
    // Unsigned so that the most negative exponent has a magnitude.
    const std::uint64_t magnitude =
        e < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(e) : static_cast<std::uint64_t>(e);
    return s + std::to_string(magnitude);
}

// Integer and fraction digits of |x| in positional notation.
struct Positional {
    std::string whole;     // "0" when |x| < 1
    std::string fraction;  // without trailing zeros
};

Positional positional(const Number& x)
{
    Positional p;
    if (x.is_zero()) {
        p.whole = "0";
        return p;
    }
    const std::int64_t scale = NumberInternals::scale(x);
    const std::int64_t digits = x.significant_digits();
    const long double width = static_cast<long double>(std::max<std::int64_t>(digits + scale, 1)) +
                              static_cast<long double>(std::max<std::int64_t>(-scale, 0));
    check_exact_size(width, "the fixed-point text");
    std::string ds = decimal_digits(NumberInternals::mantissa(x));
    if (scale >= 0) {
        p.whole = std::move(ds);
        p.whole.append(static_cast<std::size_t>(scale), '0');
        return p;
    }
    const auto k = static_cast<std::size_t>(-scale);
    if (ds.size() > k) {
        p.whole = ds.substr(0, ds.size() - k);
        p.fraction = ds.substr(ds.size() - k);
    } else {
        p.whole = "0";
        p.fraction = std::string(k - ds.size(), '0') + ds;
    }
    return p;
}

}  // namespace

std::optional<Number> Number::parse(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && is_blank(text[i]))
        ++i;
    int sign = 1;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        sign = text[i] == '-' ? -1 : 1;
        ++i;
    }
    const std::size_t whole_begin = i;
    while (i < n && is_digit(text[i]))
        ++i;
    const std::size_t whole_end = i;
    std::size_t fraction_begin = i;
    std::size_t fraction_end = i;
    if (i < n && text[i] == '.') {
        ++i;
        fraction_begin = i;
        while (i < n && is_digit(text[i]))
            ++i;
        fraction_end = i;
    }
    if (whole_end == whole_begin && fraction_end == fraction_begin)
        return std::nullopt;
    __int128 exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        int exponent_sign = 1;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            exponent_sign = text[i] == '-' ? -1 : 1;
            ++i;
        }
        bool too_large = false;
        while (i < n && is_digit(text[i])) {
            if (!too_large) {
                exponent = exponent * 10 + (text[i] - '0');
                if (exponent > static_cast<__int128>(INT64_MAX))
                    too_large = true;
            }
            ++i;
        }
        if (too_large)
            return std::nullopt;
        exponent *= exponent_sign;
    }
    while (i < n && is_blank(text[i]))
        ++i;
    if (i != n)
        return std::nullopt;

    std::string digits;
    digits.reserve(fraction_end - whole_begin);
    digits.append(text.substr(whole_begin, whole_end - whole_begin));
    digits.append(text.substr(fraction_begin, fraction_end - fraction_begin));
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return Number();
    const std::size_t last = digits.find_last_not_of('0');
    const std::size_t trailing = digits.size() - 1 - last;
    __int128 scale = exponent - static_cast<__int128>(fraction_end - fraction_begin) +
                     static_cast<__int128>(trailing);
    digits = digits.substr(first, last + 1 - first);
    const __int128 top = scale + static_cast<__int128>(digits.size()) - 1;
    if (scale > kMaxExponent || scale < -kMaxExponent || top > kMaxExponent ||
        top < -kMaxExponent)
        return std::nullopt;
    mpz_class mantissa;
    mpz_set_str(mantissa.get_mpz_t(), digits.c_str(), 10);
    return NumberInternals::make(sign, std::move(mantissa), static_cast<std::int64_t>(scale));
}

Number Number::from_text(std::string_view text)
{
    if (auto value = parse(text))
        return *value;
    throw NumberParseError("\"" + std::string(text.substr(0, 80)) + "\" is not a number.");
}

std::string Number::to_scientific(int places) const
{
    check_exact_size(static_cast<long double>(places), "the scientific text");
    const Number v = places < 0 ? *this : round(places);
    std::string s;
    if (v.is_zero()) {
        s = "0";
        if (places != 0)
            s += "." + std::string(places < 0 ? 1 : static_cast<std::size_t>(places), '0');
        return s + "E+0";
    }
    if (v.sign() < 0)
        s = "-";
    const std::string ds = decimal_digits(v.m_mantissa);
    s += ds[0];
    std::string rest = ds.substr(1);
    if (places > 0 && rest.size() < static_cast<std::size_t>(places))
        rest.append(static_cast<std::size_t>(places) - rest.size(), '0');
    if (!rest.empty())
        s += "." + rest;
    return s + exponent_text(v.exponent());
}

std::string Number::to_fixed(int places) const
{
    check_exact_size(static_cast<long double>(places), "the fixed-point text");
    Number v = *this;
    if (places >= 0)
        v = NumberInternals::round_at(*this, -static_cast<std::int64_t>(places));
    Positional p = positional(v);
    std::string s = v.sign() < 0 ? "-" : "";
    s += p.whole;
    if (places < 0) {
        s += "." + (p.fraction.empty() ? std::string("0") : p.fraction);
    } else if (places > 0) {
        p.fraction.resize(static_cast<std::size_t>(places), '0');
        s += "." + p.fraction;
    }
    return s;
}

std::string Number::to_integer_text() const
{
    if (is_zero() || exponent() < 0)
        return "0";
    Positional p = positional(*this);
    if (p.whole == "0")
        return "0";
    return (sign() < 0 ? "-" : "") + p.whole;
}
