// Roots, powers, factorial, constants and the transcendental functions.
//
// Roots and integer powers are computed exactly with GMP and then rounded;
// everything else is evaluated with MPFR by the Ziv loop of NumberMpfr, with
// an error model per function (the condition number, which says how much the
// rounding of the argument to binary can move the result).
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>
#include <vector>

#include "number/Number.h"
#include "number/NumberInternals.h"
#include "number/NumberMpfr.h"

using namespace number_detail;

namespace {

constexpr double kLn2 = 0.69314718055994530942;

int clamp_places(int places) { return std::max(places, 0); }

// log2(2^a + c) for c >= 0, without overflowing.
double log2_plus(double a, double c)
{
    if (a > 60)
        return a;
    return std::log2(std::exp2(a) + c);
}

// A one-argument MPFR function with the error model `log2_kappa(xv, y)`, the
// log2 of the condition number at the computed value. `extra_bits` is added
// to the working precision from the start (for arguments whose size is known
// to amplify the rounding of the argument).
using MpfrUnary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

template <class Kappa>
Number evaluate(const Number& x, int places, MpfrUnary op, double extra_bits, Kappa log2_kappa)
{
    check_working_precision(extra_bits);
    const auto extra = static_cast<mpfr_prec_t>(std::max(0.0, std::ceil(extra_bits)));
    return ziv_round(clamp_places(places), [&](mpfr_ptr y, mpfr_prec_t prec) {
        const mpfr_prec_t in_prec = prec + extra + 8;
        MpfrValue xv(in_prec);
        const bool exact = to_mpfr(xv, x);
        op(y, xv, MPFR_RNDN);
        if (mpfr_zero_p(y) || mpfr_inf_p(y) || mpfr_nan_p(y))
            return 0.0;
        return error_bound(exact ? kNoError : log2_kappa(xv, y), exact, in_prec, prec);
    });
}

double no_amplification(mpfr_srcptr, mpfr_srcptr) { return 0.0; }

// log2 of |x| / |y|: the condition of functions like sin whose derivative is
// at most 1 in magnitude.
double ratio(mpfr_srcptr x, mpfr_srcptr y) { return log2_abs(x) - log2_abs(y); }

// log2(1 - x^2) for |x| < 1, from the exact distance d = 1 - |x|.
double log2_one_minus_square(const Number& x)
{
    if (x.exponent() < -20)
        return 0.0;  // 1 - x^2 is 1 to within 1E-40
    const Number d = Number(1) - x.abs();
    const double ld = log2_abs(d);
    return ld + std::log2(2.0 - std::exp2(ld));
}

bool is_one(const Number& x) { return x == Number(1); }

// 0.5 < x < 1.5, where logarithms are better computed from x - 1.
bool near_one(const Number& x)
{
    if (x.exponent() < -1 || x.exponent() > 0)
        return false;
    static const Number half = Number(5).divide(Number(10), 1);
    return (x - Number(1)).abs() < half;
}

// Exact x^n for an integer n when the result has a sensible size.
std::optional<Number> exact_integer_power(const Number& x, const mpz_class& n, int places)
{
    if (!mpz_fits_slong_p(n.get_mpz_t()))
        return std::nullopt;
    const long power = mpz_get_si(n.get_mpz_t());
    const unsigned long magnitude = power < 0 ? 0UL - static_cast<unsigned long>(power)
                                              : static_cast<unsigned long>(power);
    const mpz_class& m = NumberInternals::mantissa(x);
    const double digits = static_cast<double>(magnitude) *
                          std::max(0.0, log2_abs(NumberInternals::make(1, m, 0)) / kLog2Of10);
    const double limit = std::max(4.0 * (places + 2), 4000.0);
    if (digits > limit)
        return std::nullopt;
    mpz_class result;
    mpz_pow_ui(result.get_mpz_t(), m.get_mpz_t(), magnitude);
    const std::int64_t scale = checked_exponent(static_cast<__int128>(NumberInternals::scale(x)) *
                                                static_cast<__int128>(magnitude));
    const int sign = (x.sign() < 0 && (magnitude & 1U)) ? -1 : 1;
    const Number value = NumberInternals::make(sign, std::move(result), scale);
    if (power < 0)
        return Number(1).divide(value, places);
    return value.round(places);
}

// The integer value of an integer Number.
mpz_class integer_value(const Number& n)
{
    check_exact_size(static_cast<long double>(n.exponent()) + 1, "an exponent");
    mpz_class v = NumberInternals::mantissa(n) * power_of_ten(NumberInternals::scale(n));
    return n.sign() < 0 ? mpz_class(-v) : v;
}

// x^(p/q) exactly, when x > 0 is the q-th power of a rational number and
// the result has a sensible size; nullopt otherwise.
std::optional<Number> exact_rational_power(const Number& x, const Number& y, int places)
{
    const std::int64_t decimals = -NumberInternals::scale(y);
    if (decimals <= 0 || decimals > 60)
        return std::nullopt;
    mpz_class numerator_p = NumberInternals::mantissa(y);
    if (y.sign() < 0)
        numerator_p = -numerator_p;
    mpz_class q = power_of_ten(decimals);
    mpz_class g;
    mpz_gcd(g.get_mpz_t(), numerator_p.get_mpz_t(), q.get_mpz_t());
    numerator_p /= g;
    q /= g;
    // x = num / den in lowest terms.
    constexpr std::int64_t kLargest = 100000;  // digits; beyond, not worth trying
    const std::int64_t s = NumberInternals::scale(x);
    if (x.exponent() > kLargest || s < -kLargest)
        return std::nullopt;
    mpz_class num = NumberInternals::mantissa(x);
    mpz_class den = 1;
    if (s >= 0) {
        num *= power_of_ten(s);
    } else {
        den = power_of_ten(-s);
        mpz_gcd(g.get_mpz_t(), num.get_mpz_t(), den.get_mpz_t());
        num /= g;
        den /= g;
    }
    const double bits = static_cast<double>(mpz_sizeinbase(num.get_mpz_t(), 2) +
                                            mpz_sizeinbase(den.get_mpz_t(), 2));
    if (!mpz_fits_ulong_p(q.get_mpz_t()) || mpz_get_d(q.get_mpz_t()) > bits)
        return std::nullopt;
    const unsigned long root = mpz_get_ui(q.get_mpz_t());
    mpz_class a, b;
    if (mpz_root(a.get_mpz_t(), num.get_mpz_t(), root) == 0 ||
        mpz_root(b.get_mpz_t(), den.get_mpz_t(), root) == 0)
        return std::nullopt;
    if (!mpz_fits_slong_p(numerator_p.get_mpz_t()))
        return std::nullopt;
    const long p = mpz_get_si(numerator_p.get_mpz_t());
    const unsigned long magnitude = p < 0 ? 0UL - static_cast<unsigned long>(p) : static_cast<unsigned long>(p);
    const double digits = static_cast<double>(magnitude) *
                          static_cast<double>(mpz_sizeinbase(a.get_mpz_t(), 10) + mpz_sizeinbase(b.get_mpz_t(), 10));
    if (digits > std::max(16.0 * (places + 2), 20000.0))
        return std::nullopt;
    mpz_pow_ui(a.get_mpz_t(), a.get_mpz_t(), magnitude);
    mpz_pow_ui(b.get_mpz_t(), b.get_mpz_t(), magnitude);
    const Number top = NumberInternals::make(1, a, 0);
    const Number bottom = NumberInternals::make(1, b, 0);
    return p < 0 ? bottom.divide(top, places) : top.divide(bottom, places);
}

// Product of v[lo, hi) by balanced splitting.
mpz_class product(const std::vector<unsigned long>& v, std::size_t lo, std::size_t hi)
{
    if (hi - lo <= 16) {
        mpz_class r = 1;
        unsigned long word = 1;
        for (std::size_t i = lo; i < hi; ++i) {
            if (word > ULONG_MAX / v[i]) {
                r *= word;
                word = v[i];
            } else {
                word *= v[i];
            }
        }
        r *= word;
        return r;
    }
    const std::size_t mid = lo + (hi - lo) / 2;
    return product(v, lo, mid) * product(v, mid, hi);
}

// Sum of floor(n / p^i): the exponent of the prime p in n!.
unsigned long prime_exponent(unsigned long n, unsigned long p)
{
    unsigned long e = 0;
    for (unsigned long q = n / p; q > 0; q /= p)
        e += q;
    return e;
}

// n! / 10^zeros, where zeros is the number of trailing zeros of n!, built
// from its prime factorisation: the primes are grouped by the bits of their
// exponents and the groups combined by repeated squaring. Leaving out the
// factors 5 (and as many 2s) is free, where dividing them out afterwards
// would cost as much as the factorial itself.
mpz_class factorial_without_trailing_zeros(unsigned long n, unsigned long& zeros)
{
    std::vector<char> composite(n + 1, 0);
    std::vector<std::vector<unsigned long>> groups(64);
    for (unsigned long p = 3; p <= n; p += 2) {
        if (composite[p])
            continue;
        if (p <= n / p)
            for (unsigned long m = p * p; m <= n; m += 2 * p)
                composite[m] = 1;
        if (p == 5)
            continue;
        unsigned long e = prime_exponent(n, p);
        for (std::size_t bit = 0; e != 0; ++bit, e >>= 1)
            if (e & 1U)
                groups[bit].push_back(p);
    }
    zeros = prime_exponent(n, 5);
    mpz_class r = 1;
    for (std::size_t bit = groups.size(); bit-- > 0;) {
        r *= r;
        if (!groups[bit].empty())
            r *= product(groups[bit], 0, groups[bit].size());
    }
    r <<= prime_exponent(n, 2) - zeros;
    return r;
}

// root = sqrt(m * 10^t) rounded half away from zero to an integer, for
// t >= 0, computed with a binary scaling: with t = 2u + r,
// B = floor(sqrt(m 10^r 4^j)) is sqrt(m 10^r) 2^j to within one unit, so
// B 10^u / 2^j is the wanted root to within 10^u / 2^j < 2^-12, and its
// fraction bits decide the rounding. Multiplying the root by 10^u costs half
// of multiplying the long radicand by 10^t. Returns false in the rare case
// where the approximation's error could cross the rounding point or an
// integer.
bool rounded_binary_root(const mpz_class& m, std::int64_t t, mpz_class& root)
{
    const std::int64_t u = t / 2;
    const auto j = static_cast<mp_bitcnt_t>(std::ceil(static_cast<double>(u) * kLog2Of10)) + 12;
    thread_local mpz_class radicand;
    thread_local mpz_class scaled;
    thread_local mpz_class low;
    if (t % 2 != 0)
        mpz_mul_ui(radicand.get_mpz_t(), m.get_mpz_t(), 10);
    else
        radicand = m;
    mpz_mul_2exp(radicand.get_mpz_t(), radicand.get_mpz_t(), 2 * j);
    mpz_sqrt(scaled.get_mpz_t(), radicand.get_mpz_t());
    // B 10^u / 2^j = B 5^u / 2^(j-u): a shorter factor.
    const mpz_class& five_u = power_of_five(u);
    const mp_bitcnt_t shift = j - static_cast<mp_bitcnt_t>(u);
    mpz_mul(scaled.get_mpz_t(), scaled.get_mpz_t(), five_u.get_mpz_t());
    // The root lies in [scaled, scaled + 5^u) / 2^shift; low is its fraction.
    mpz_fdiv_r_2exp(low.get_mpz_t(), scaled.get_mpz_t(), shift);
    const bool up = mpz_tstbit(low.get_mpz_t(), shift - 1) != 0;
    low += five_u;
    // Both ends must lie on the same side of one half, below one.
    if (mpz_sizeinbase(low.get_mpz_t(), 2) > shift ||
        (mpz_tstbit(low.get_mpz_t(), shift - 1) != 0) != up)
        return false;
    mpz_fdiv_q_2exp(root.get_mpz_t(), scaled.get_mpz_t(), shift);
    if (up)
        root += 1;
    return true;
}

}  // namespace

// ---------------------------------------------------------------- roots

Number Number::sqrt(int places) const
{
    if (m_sign < 0)
        throw NumberDomainError("The square root of a negative number is not defined.");
    if (m_sign == 0)
        return Number();
    places = clamp_places(places);
    const std::int64_t d = digit_count(m_mantissa);
    // Scale the mantissa (or truncate it) so that its integer square root has
    // places + 2 digits: truncation to that many digits rounds correctly by
    // its last one.
    const std::int64_t p = static_cast<std::int64_t>(places) + 2;
    std::int64_t t = 2 * p - d;
    if ((m_scale - t) % 2 != 0)
        t -= 1;
    mpz_class n;
    // Fast path for long mantissas: a root of exactly the digits kept,
    // rounded by the binary fraction.
    const std::int64_t keep = p - 1;
    std::int64_t tk = 2 * keep - d;
    if ((m_scale - tk) % 2 != 0)
        tk -= 1;
    if (tk >= 0 && 2 * d > keep && rounded_binary_root(m_mantissa, tk, n))
        return NumberInternals::make(1, std::move(n), (m_scale - tk) / 2);
    // The scaled radicand lives in per-thread scratch space: no allocation
    // once it has grown.
    thread_local mpz_class radicand;
    if (t >= 0)
        mpz_mul(radicand.get_mpz_t(), m_mantissa.get_mpz_t(), power_of_ten(t).get_mpz_t());
    else
        mpz_tdiv_q(radicand.get_mpz_t(), m_mantissa.get_mpz_t(), power_of_ten(-t).get_mpz_t());
    mpz_sqrt(n.get_mpz_t(), radicand.get_mpz_t());
    // n lay in [10^(2p-2), 10^(2p)), so its root has exactly p digits.
    return NumberInternals::round_truncated(1, std::move(n), (m_scale - t) / 2, places, p);
}

Number Number::cbrt(int places) const
{
    if (m_sign == 0)
        return Number();
    places = clamp_places(places);
    const std::int64_t p = static_cast<std::int64_t>(places) + 2;
    const std::int64_t d = digit_count(m_mantissa);
    std::int64_t t = 3 * p - d;
    const std::int64_t r = ((m_scale - t) % 3 + 3) % 3;
    t -= (3 - r) % 3;  // keeps m_scale - t divisible by 3
    mpz_class n;
    if (t >= 0)
        n = m_mantissa * power_of_ten(t);
    else
        mpz_tdiv_q(n.get_mpz_t(), m_mantissa.get_mpz_t(), power_of_ten(-t).get_mpz_t());
    mpz_root(n.get_mpz_t(), n.get_mpz_t(), 3);
    // n lay in [10^(3p-3), 10^(3p)), so its root has exactly p digits.
    return NumberInternals::round_truncated(m_sign, std::move(n), (m_scale - t) / 3, places, p);
}

// ---------------------------------------------------------------- exp and logarithms

Number Number::exp(int places) const
{
    if (m_sign == 0)
        return Number(1);
    if (exponent() >= 18 && abs() > Number(3'000'000'000'000'000'000LL)) {
        if (m_sign < 0)
            throw NumberUnderflowError("The result of exp is too small to represent.");
        throw NumberOverflowError("The result of exp is too large to represent.");
    }
    const double lx = log2_abs(*this);
    return evaluate(*this, places, mpfr_exp, lx, [lx](mpfr_srcptr, mpfr_srcptr) { return lx; });
}

Number Number::ln(int places) const
{
    if (m_sign <= 0)
        throw NumberDomainError("The natural logarithm is defined only for positive numbers.");
    if (is_one(*this))
        return Number();
    if (near_one(*this)) {
        // Near 1 the logarithm is computed from the exact x - 1.
        return evaluate(*this - Number(1), places, mpfr_log1p, 0, no_amplification);
    }
    return evaluate(*this, places, mpfr_log, 0,
                    [](mpfr_srcptr, mpfr_srcptr y) { return -log2_abs(y); });
}

Number Number::log10(int places) const
{
    if (m_sign <= 0)
        throw NumberDomainError("The base-10 logarithm is defined only for positive numbers.");
    if (m_mantissa == 1)
        return Number(static_cast<long long>(m_scale)).round(clamp_places(places));
    if (near_one(*this))
        return evaluate(*this - Number(1), places, mpfr_log10p1, 0, no_amplification);
    return evaluate(*this, places, mpfr_log10, 0,
                    [](mpfr_srcptr, mpfr_srcptr y) { return -log2_abs(y) - 1.2; });
}

// ---------------------------------------------------------------- trigonometric

Number Number::sin(int places) const
{
    if (m_sign == 0)
        return Number();
    return evaluate(*this, places, mpfr_sin, std::max(0.0, log2_abs(*this)), ratio);
}

Number Number::cos(int places) const
{
    if (m_sign == 0)
        return Number(1);
    return evaluate(*this, places, mpfr_cos, std::max(0.0, log2_abs(*this)), ratio);
}

Number Number::tan(int places) const
{
    if (m_sign == 0)
        return Number();
    return evaluate(*this, places, mpfr_tan, std::max(0.0, log2_abs(*this)),
                    [](mpfr_srcptr x, mpfr_srcptr y) {
                        const double ly = log2_abs(y);
                        return log2_abs(x) + log2_plus(2 * ly, 1.0) - ly;
                    });
}

Number Number::asin(int places) const
{
    if (abs() > Number(1))
        throw NumberDomainError("The arcsine is defined only for values from -1 to 1.");
    if (m_sign == 0)
        return Number();
    const double gap = abs() == Number(1) ? 0.0 : log2_one_minus_square(*this);
    return evaluate(*this, places, mpfr_asin, -gap / 2, [gap](mpfr_srcptr x, mpfr_srcptr y) {
        return log2_abs(x) - gap / 2 - log2_abs(y);
    });
}

Number Number::acos(int places) const
{
    if (abs() > Number(1))
        throw NumberDomainError("The arccosine is defined only for values from -1 to 1.");
    if (is_one(*this))
        return Number();
    const double gap = abs() == Number(1) ? 0.0 : log2_one_minus_square(*this);
    return evaluate(*this, places, mpfr_acos, -gap, [gap](mpfr_srcptr x, mpfr_srcptr y) {
        return mpfr_zero_p(x) ? 0.0 : log2_abs(x) - gap / 2 - log2_abs(y);
    });
}

Number Number::atan(int places) const
{
    if (m_sign == 0)
        return Number();
    return evaluate(*this, places, mpfr_atan, 0, no_amplification);
}

// ---------------------------------------------------------------- hyperbolic

namespace {

void check_hyperbolic_range(const Number& x, const char* name)
{
    if (x.exponent() >= 18 && x.abs() > Number(3'000'000'000'000'000'000LL))
        throw NumberOverflowError(std::string("The result of ") + name +
                                  " is too large to represent.");
}

}  // namespace

Number Number::sinh(int places) const
{
    if (m_sign == 0)
        return Number();
    check_hyperbolic_range(*this, "sinh");
    const double lx = log2_plus(log2_abs(*this), 1.0);
    return evaluate(*this, places, mpfr_sinh, lx, [lx](mpfr_srcptr, mpfr_srcptr) { return lx; });
}

Number Number::cosh(int places) const
{
    if (m_sign == 0)
        return Number(1);
    check_hyperbolic_range(*this, "cosh");
    const double lx = log2_abs(*this);
    return evaluate(*this, places, mpfr_cosh, lx, [lx](mpfr_srcptr, mpfr_srcptr) { return lx; });
}

Number Number::tanh(int places) const
{
    if (m_sign == 0)
        return Number();
    places = clamp_places(places);
    // 1 - |tanh x| < 2 e^(-2|x|): beyond this the value rounds to +-1.
    const double saturation = (places + 2) * 1.1512925464970228 + 2.0;
    if (exponent() >= 18 || std::fabs(to_double()) > saturation)
        return Number(m_sign);
    return evaluate(*this, places, mpfr_tanh, 0, no_amplification);
}

Number Number::asinh(int places) const
{
    if (m_sign == 0)
        return Number();
    return evaluate(*this, places, mpfr_asinh, 0, no_amplification);
}

Number Number::acosh(int places) const
{
    if (*this < Number(1))
        throw NumberDomainError("The inverse hyperbolic cosine is defined only for values of 1 or more.");
    if (is_one(*this))
        return Number();
    // log2 sqrt(x^2 - 1), from the exact d = x - 1 when x is near 1.
    double gap = log2_abs(*this);
    if (exponent() < 20) {
        const double ld = log2_abs(*this - Number(1));
        gap = (ld + log2_plus(ld, 2.0)) / 2;
    }
    return evaluate(*this, places, mpfr_acosh, -gap, [gap](mpfr_srcptr x, mpfr_srcptr y) {
        return log2_abs(x) - gap - log2_abs(y);
    });
}

Number Number::atanh(int places) const
{
    if (abs() >= Number(1))
        throw NumberDomainError(
            "The inverse hyperbolic tangent is defined only for values between -1 and 1 (exclusive).");
    if (m_sign == 0)
        return Number();
    const double gap = log2_one_minus_square(*this);
    return evaluate(*this, places, mpfr_atanh, -gap, [gap](mpfr_srcptr x, mpfr_srcptr y) {
        return log2_abs(x) - gap - log2_abs(y);
    });
}

// ---------------------------------------------------------------- power

Number Number::pow(const Number& y, int places) const
{
    places = clamp_places(places);
    if (y.m_sign == 0)
        return Number(1);
    if (m_sign == 0) {
        if (y.m_sign < 0)
            throw NumberDomainError("Zero cannot be raised to a negative power.");
        return Number();
    }
    if (is_one(*this))
        return Number(1);
    int sign = 1;
    const Number base = abs();
    if (y.is_integer()) {
        const bool odd = y.m_scale == 0 && mpz_odd_p(y.m_mantissa.get_mpz_t());
        if (m_sign < 0 && odd)
            sign = -1;
        if (base == Number(1))
            return Number(sign);
        // Refuse results whose decimal exponent is beyond any range before
        // computing anything.
        const double magnitude = log2_abs(y) + std::log2(std::fabs(log2_abs(base)) / kLog2Of10 + 1e-300);
        if (magnitude > 60) {
            if (y.m_sign * (log2_abs(base) > 0 ? 1 : -1) < 0)
                throw NumberUnderflowError("The result of the power is too small to represent.");
            throw NumberOverflowError("The result of the power is too large to represent.");
        }
        if (y.exponent() < 19) {
            if (auto exact = exact_integer_power(*this, integer_value(y), places))
                return *exact;
        }
    } else if (m_sign < 0) {
        throw NumberDomainError("A negative number cannot be raised to a non-integer power.");
    }
    const double lx = log2_abs(base);
    const double ly = log2_abs(y);
    // Relative error of x^y: |y| times that of x, plus |y ln x| times that of y.
    const double log2_kappa = ly + log2_plus(std::log2(std::fabs(lx) * kLn2 + 1e-300), 1.0);
    check_working_precision(log2_kappa);
    const auto extra = static_cast<mpfr_prec_t>(std::max(0.0, std::ceil(log2_kappa)));
    const Number result = ziv_round(
        places,
        [&](mpfr_ptr r, mpfr_prec_t prec) {
            const mpfr_prec_t in_prec = prec + extra + 8;
            MpfrValue xv(in_prec);
            MpfrValue yv(in_prec);
            const bool exact_x = to_mpfr(xv, base);
            const bool exact_y = to_mpfr(yv, y);
            const bool exact = exact_x && exact_y;
            mpfr_pow(r, xv, yv, MPFR_RNDN);
            return error_bound(log2_kappa, exact, in_prec, prec);
        },
        [&]() { return y.is_integer() ? std::nullopt : exact_rational_power(base, y, places); });
    return sign < 0 ? -result : result;
}

// ---------------------------------------------------------------- factorial and constants

Number Number::factorial() const
{
    if (m_sign < 0 || !is_integer())
        throw NumberDomainError("The factorial is defined only for non-negative integers.");
    const auto n = to_int64();
    if (!n || *n > 1'000'000'000)
        throw NumberOverflowError("The factorial of this number is too large to compute.");
    if (*n > 1) {
        const long double digits = std::lgamma(static_cast<long double>(*n) + 1) / std::log(10.0L);
        check_exact_size(digits, "the factorial");
    }
    const auto k = static_cast<unsigned long>(*n);
    if (k < 64) {
        mpz_class f;
        mpz_fac_ui(f.get_mpz_t(), k);
        return NumberInternals::make(1, std::move(f), 0);
    }
    unsigned long zeros = 0;
    mpz_class f = factorial_without_trailing_zeros(k, zeros);
    return NumberInternals::make(1, std::move(f), static_cast<std::int64_t>(zeros), false);
}

namespace {

// Constants are computed once per thread and precision; a few are kept.
template <class Compute>
Number cached_constant(std::vector<std::pair<int, Number>>& cache, int places, Compute compute)
{
    for (const auto& [p, value] : cache)
        if (p == places)
            return value;
    Number value = compute();
    if (cache.size() >= 8)
        cache.erase(cache.begin());
    cache.emplace_back(places, value);
    return value;
}

}  // namespace

Number Number::pi(int places)
{
    thread_local std::vector<std::pair<int, Number>> cache;
    places = clamp_places(places);
    return cached_constant(cache, places, [places] {
        return ziv_round(places, [](mpfr_ptr y, mpfr_prec_t prec) {
            mpfr_const_pi(y, MPFR_RNDN);
            return error_bound(kNoError, true, prec, prec);
        });
    });
}

Number Number::e(int places)
{
    thread_local std::vector<std::pair<int, Number>> cache;
    places = clamp_places(places);
    return cached_constant(cache, places, [places] {
        return ziv_round(places, [](mpfr_ptr y, mpfr_prec_t prec) {
            mpfr_set_ui(y, 1, MPFR_RNDN);
            mpfr_exp(y, y, MPFR_RNDN);
            return error_bound(kNoError, true, prec, prec);
        });
    });
}

double Number::to_double() const
{
    if (m_sign == 0)
        return 0.0;
    prepare_mpfr_thread();
    MpfrValue v(128);
    try {
        to_mpfr(v, *this);
    } catch (const NumberOverflowError&) {
        const double big = exponent() > 0 ? HUGE_VAL : 0.0;
        return m_sign < 0 ? -big : big;
    }
    return mpfr_get_d(v, MPFR_RNDN);
}
