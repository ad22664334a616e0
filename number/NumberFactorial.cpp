// Factorials and their quotients n!/(n-r)! and n!/(r!(n-r)!), rounded.
//
// A result much longer than the digits asked for is evaluated as
// exp(ln n! - ln a! - ln b!) (Stirling's series or MPFR's log-gamma), in the
// Ziv loop that either settles the rounding or, when it cannot (a value too
// close to a rounding midpoint), falls back to the exact integer. Shorter results are
// computed exactly and rounded: that is cheaper than the logarithms.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>

#include "number/Number.h"
#include "number/NumberInternals.h"
#include "number/NumberMpfr.h"
#include "number/StirlingSeries.h"

using namespace number_detail;

namespace {

constexpr long double kLn10 = 2.302585092994045684017991454684364208L;

// Below 1E15, long double log-gamma is far more accurate than the path
// decision and the size check need.
constexpr long double kLogGammaRegion = 1e15L;

// log10 of n! / (n - k)!, approximately (an upper estimate for huge n).
long double log10_falling(const Number& n, const Number& k)
{
    const long double nv = n.to_double();
    const long double kv = k.to_double();
    if (kv < 1)
        return 0;
    if (nv < kLogGammaRegion)
        return (ln_gamma(nv + 1) - ln_gamma(nv - kv + 1)) / kLn10;
    return kv * static_cast<long double>(log2_abs(n) / kLog2Of10);  // n may be beyond double
}

// log2 of 8 ln(a!) (at least 3), a bound on the bits that the logarithms of
// a quotient of factorials of numbers up to a lose to cancellation.
double log2_cancellation(const Number& a)
{
    const long double nv = a.to_double();
    if (nv < kLogGammaRegion)
        return static_cast<double>(std::log2(8.0L * std::max(ln_gamma(nv + 1), 1.0L)));
    // ln(a!) < a ln a
    const double log2_a = log2_abs(a);
    return 3.0 + log2_a + std::log2(log2_a * 0.6931471805599453);
}

long double log10_factorial(const Number& n) { return log10_falling(n, n); }

// Whether a result of about `digits` digits is worth computing from
// logarithms at `places`: the exact product costs roughly in proportion to its
// length, log-gamma roughly with the square of the precision.
bool rounded_is_cheaper(long double digits, int places)
{
    return digits > 40.0L * (static_cast<long double>(places) + 2) + 1000;
}

mpz_class integer_of(const Number& n)
{
    return NumberInternals::mantissa(n) * power_of_ten(NumberInternals::scale(n));
}

// first * (first + 1) * ... * (first + count - 1), split in halves so that
// the large multiplications are between operands of similar size.
mpz_class run_product(const mpz_class& first, std::uint64_t count)
{
    if (count <= 16) {
        mpz_class r = 1;
        mpz_class i = first;
        for (std::uint64_t k = 0; k < count; ++k, ++i)
            r *= i;
        return r;
    }
    const std::uint64_t half = count / 2;
    mpz_class second = first;
    mpz_add_ui(second.get_mpz_t(), second.get_mpz_t(), static_cast<unsigned long>(half));
    return run_product(first, half) * run_product(second, count - half);
}

Number integer_number(mpz_class value) { return NumberInternals::make(1, std::move(value), 0); }

// ln(x!) into r, with an error below 1.05 * 2^-p ln(x!) (p: r's precision);
// x is an integer >= 0 that r's precision holds exactly. Stirling's series
// where it converges fast, MPFR's log-gamma (to nearest) elsewhere.
void ln_factorial(mpfr_ptr r, const Number& x)
{
    if (const auto n = x.to_int64(); n && *n >= 0 && stirling_ln_factorial(r, static_cast<std::uint64_t>(*n)))
        return;
    to_mpfr(r, x);
    mpfr_add_ui(r, r, 1, MPFR_RNDN);
    mpfr_lngamma(r, r, MPFR_RNDN);
}

// a! / (b! c!) for integers 0 <= b, c <= a (a zero b or c stands for no
// divisor), rounded to places through log-gamma; `exact` gives the exact
// value rounded when the loop cannot decide.
Number rounded_factorial_quotient(const Number& a, const Number& b, const Number& c, int places,
                                  const std::function<std::optional<Number>()>& exact)
{
    // Each of the three logarithms errs by at most 1.05 * 2^-q of a value no
    // larger than ln a!, and each of the two differences is rounded with an
    // error of at most 2^-q of one, so the exponent is off by at most
    // 5.2 ln(a!) 2^-q; `guard` bits keep that below 2^-(prec + 4), and exp's
    // own rounding adds 2^-prec.
    const auto guard = static_cast<mpfr_prec_t>(std::ceil(log2_cancellation(a))) + 4;
    // The arguments must convert exactly.
    const auto argument_bits = static_cast<mpfr_prec_t>(std::ceil(std::max(0.0, log2_abs(a)))) + 2;
    return ziv_round(
        places,
        [&](mpfr_ptr y, mpfr_prec_t prec) {
            const mpfr_prec_t q = std::max(prec + guard, argument_bits);
            MpfrValue sum(q);
            MpfrValue term(q);
            ln_factorial(sum, a);
            for (const Number* x : {&b, &c}) {
                if (x->is_zero())
                    continue;
                ln_factorial(term, *x);
                mpfr_sub(sum, sum, term, MPFR_RNDN);
            }
            mpfr_exp(y, sum, MPFR_RNDN);
            return 1.0 - static_cast<double>(prec);
        },
        exact);
}

void check_counting_arguments(const Number& n, const Number& r, const char* name)
{
    if (!n.is_integer() || !r.is_integer() || n.sign() < 0 || r.sign() < 0 || r > n)
        throw NumberDomainError(std::string(name) +
                                " are defined only for integers n and r with 0 <= r <= n.");
}

}  // namespace

Number Number::factorial(int places) const
{
    places = clamp_places(places);
    if (m_sign < 0 || !is_integer())
        return factorial();  // raises the factorial's domain error
    const auto n = to_int64();
    if (!n || *n > 1'000'000'000)
        return factorial();  // raises the factorial's overflow error
    const long double digits = log10_factorial(*this);
    check_exact_size(digits, "the factorial");
    if (!rounded_is_cheaper(digits, places))
        return factorial().round(places);
    return rounded_factorial_quotient(*this, Number(), Number(), places,
                                      [&] { return std::optional<Number>(factorial().round(places)); });
}

Number Number::permutations(const Number& n, const Number& r, int places)
{
    places = clamp_places(places);
    check_counting_arguments(n, r, "Permutations");
    const long double digits = log10_falling(n, r);
    check_exact_size(digits, "the permutations");
    const auto exact = [&] {
        if (r.is_zero())
            return Number(1);
        const auto count = r.to_int64();
        if (!count)
            check_exact_size(static_cast<long double>(kMaxExactDigits) + 1, "the permutations");
        const mpz_class first = integer_of(n - r) + 1;
        return integer_number(run_product(first, static_cast<std::uint64_t>(*count))).round(places);
    };
    if (!rounded_is_cheaper(digits, places))
        return exact();
    return rounded_factorial_quotient(n, n - r, Number(), places,
                                      [&] { return std::optional<Number>(exact()); });
}

Number Number::combinations(const Number& n, const Number& r, int places)
{
    places = clamp_places(places);
    check_counting_arguments(n, r, "Combinations");
    const Number rest = n - r;
    const Number& k = rest < r ? rest : r;
    const long double digits = log10_falling(n, k) - log10_factorial(k);
    check_exact_size(digits, "the combinations");
    const auto exact = [&] {
        if (k.is_zero())
            return Number(1);
        const auto count = k.to_int64();
        if (!count)
            check_exact_size(static_cast<long double>(kMaxExactDigits) + 1, "the combinations");
        const mpz_class top = integer_of(n);
        mpz_class value;
        if (mpz_fits_ulong_p(top.get_mpz_t())) {
            mpz_bin_uiui(value.get_mpz_t(), mpz_get_ui(top.get_mpz_t()),
                         static_cast<unsigned long>(*count));
        } else {
            value = run_product(top - *count + 1, static_cast<std::uint64_t>(*count));
            mpz_class divisor;
            mpz_fac_ui(divisor.get_mpz_t(), static_cast<unsigned long>(*count));
            mpz_divexact(value.get_mpz_t(), value.get_mpz_t(), divisor.get_mpz_t());
        }
        return integer_number(std::move(value)).round(places);
    };
    if (!rounded_is_cheaper(digits, places))
        return exact();
    return rounded_factorial_quotient(n, r, rest, places,
                                      [&] { return std::optional<Number>(exact()); });
}
