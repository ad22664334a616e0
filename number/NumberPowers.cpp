// Powers and the factorial. Integer powers of a sensible size are computed
// exactly and then rounded; other powers go through MPFR, with an exact check
// for rational powers whose result may lie on a rounding midpoint.
#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "number/Number.h"
#include "number/NumberInternals.h"
#include "number/NumberMpfr.h"

using namespace number_detail;

namespace {

constexpr double kLn2 = 0.69314718055994530942;


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

}  // namespace


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


Number Number::factorial() const
{
    if (m_sign < 0 || !is_integer())
        throw NumberDomainError("The factorial is defined only for non-negative integers.");
    const auto n = to_int64();
    if (!n || *n > 1'000'000'000)
        throw NumberOverflowError("The factorial of this number is too large to compute.");
    if (*n > 1) {
        const long double digits = ln_gamma(static_cast<long double>(*n) + 1) / std::log(10.0L);
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
