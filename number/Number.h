#pragma once
// Arbitrary-precision decimal number.
//
// A value is sign * mantissa * 10^k with an exact GMP integer mantissa that
// carries no trailing zeros, so every decimal value the user can type is held
// exactly. Addition, subtraction and multiplication are exact; every other
// operation takes a digit count `places` (decimals of the scientific form, so
// the result carries places + 1 significant digits) and returns the exact value
// rounded half away from zero to that many digits.
//
// The precision rule: overloads without `places` compute with
//   one-argument functions: places = max(significant digits of x, default)
//   division and power:     places = max(sig(left), default, sig(right))
// where `default` is one process-wide atomic setting (values below 2 become 2).
//
// Errors are raised, never printed: an argument outside a function's domain
// raises NumberDomainError, a result whose exponent the type cannot hold raises
// NumberOverflowError (NumberUnderflowError, a kind of it, when the result is
// too close to zero), and so does an exact result too large to hold in
// memory. Running out of memory prints "MAPM Error: Out of memory" to stderr
// and ends the process with exit code 100.
//
// Thread safety: Number is a value type; distinct objects may be used from
// different threads at once (MPFR settings are made per call on the calling
// thread).

#include <compare>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include <gmpxx.h>

class NumberDomainError : public std::domain_error {
public:
    using std::domain_error::domain_error;
};

class NumberOverflowError : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

// A result too close to zero for the exponent range. It is a kind of
// NumberOverflowError, so callers that catch that see it too; callers that
// treat tiny results as zero can catch it first.
class NumberUnderflowError : public NumberOverflowError {
public:
    using NumberOverflowError::NumberOverflowError;
};

class NumberParseError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

class Number {
public:
    Number();                       // 0
    Number(long long value);        // NOLINT(google-explicit-constructor): integers convert freely
    Number(int value) : Number(static_cast<long long>(value)) {}
    Number(long value) : Number(static_cast<long long>(value)) {}  // NOLINT: as above

    // Strict parsing of `[blanks][sign](digits[.digits] | .digits)[(e|E)[sign]digits][blanks]`.
    // Absent exponent digits read as exponent 0 ("1E", "1E-" are 1). Anything
    // else, and exponents the type cannot hold, give nullopt.
    static std::optional<Number> parse(std::string_view text);
    // As parse, but raises NumberParseError for text that is not a number.
    static Number from_text(std::string_view text);

    // ---- queries ----
    int sign() const;                        // -1, 0, 1
    bool is_zero() const;
    bool is_integer() const;
    // Decimal exponent of the scientific form: 150 -> 2, 0.00123 -> -3, 0 -> 0.
    std::int64_t exponent() const;
    // Significant digits: 150 -> 2, 1E+100 -> 1, 0 -> 1.
    std::int64_t significant_digits() const;
    // The last significant digit: 150 -> 5, 0.25 -> 5, 0 -> 0.
    int last_digit() const;
    // The value as a 64-bit integer when it is an integer that fits.
    std::optional<std::int64_t> to_int64() const;
    double to_double() const;                // nearest double; +-inf/0 beyond range

    // ---- exact arithmetic ----
    Number operator-() const;
    Number abs() const;
    friend Number operator+(const Number& a, const Number& b);
    friend Number operator-(const Number& a, const Number& b);
    friend Number operator*(const Number& a, const Number& b);
    Number& operator+=(const Number& b);
    Number& operator-=(const Number& b);
    Number& operator*=(const Number& b);
    friend bool operator==(const Number& a, const Number& b);
    friend std::strong_ordering operator<=>(const Number& a, const Number& b);

    // ---- rounded to `places` decimals of the scientific form ----
    Number round(int places) const;
    Number divide(const Number& divisor, int places) const;   // exact when the quotient is
    friend Number operator/(const Number& a, const Number& b); // precision rule
    // Truncating integer division (toward zero) and its remainder a - q*b
    // (sign of a). Both exact.
    Number integer_divide(const Number& divisor) const;
    Number remainder(const Number& divisor) const;

    Number sqrt(int places) const;
    Number cbrt(int places) const;
    Number exp(int places) const;
    Number ln(int places) const;
    Number log10(int places) const;
    Number sin(int places) const;
    Number cos(int places) const;
    Number tan(int places) const;
    Number asin(int places) const;
    Number acos(int places) const;
    Number atan(int places) const;
    Number sinh(int places) const;
    Number cosh(int places) const;
    Number tanh(int places) const;
    Number asinh(int places) const;
    Number acosh(int places) const;
    Number atanh(int places) const;
    Number pow(const Number& exponent, int places) const;

    // The same functions under the precision rule.
    Number sqrt() const;
    Number cbrt() const;
    Number exp() const;
    Number ln() const;
    Number log10() const;
    Number sin() const;
    Number cos() const;
    Number tan() const;
    Number asin() const;
    Number acos() const;
    Number atan() const;
    Number sinh() const;
    Number cosh() const;
    Number tanh() const;
    Number asinh() const;
    Number acosh() const;
    Number atanh() const;
    Number pow(const Number& exponent) const;

    // Exact n! for a non-negative integer.
    Number factorial() const;
    // n! rounded to `places`: the value of factorial().round(places) (and the
    // same errors), computed from log-gamma without the exact product when
    // that would be much longer than the digits asked for.
    Number factorial(int places) const;
    // n! / (r! (n - r)!) and n! / (n - r)! for integers 0 <= r <= n (others
    // raise NumberDomainError), the exact value rounded once to `places`;
    // computed like factorial(places).
    static Number combinations(const Number& n, const Number& r, int places);
    static Number permutations(const Number& n, const Number& r, int places);

    static Number pi(int places);
    static Number e(int places);

    // ---- the process-wide default precision of the precision rule ----
    static void set_default_precision(int digits);   // values below 2 become 2
    static int default_precision();

    // ---- text ----
    // Scientific: "1.5E+2", "-1.23E-3", "0.0E+0"; places -1 writes all
    // significant digits ("5E+0" and "1E+100" have no point; zero is
    // "0.0E+0"), places >= 0 rounds to places decimals (places 0: "1E+1").
    std::string to_scientific(int places = -1) const;
    // Fixed point: "150.0", "364.87451"; places -1 writes all digits with at
    // least one decimal, places 0 rounds to an integer with no point.
    std::string to_fixed(int places = -1) const;
    // Integer text, truncated toward zero: "2", "-2", "0".
    std::string to_integer_text() const;

private:
    // value = m_sign * m_mantissa * 10^m_scale; m_mantissa > 0 with no
    // trailing zeros, or m_mantissa == 0 with m_sign == 0 and m_scale == 0.
    mpz_class m_mantissa;
    std::int64_t m_scale = 0;
    int m_sign = 0;

    friend class NumberInternals;
};
