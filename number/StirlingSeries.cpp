#include "number/StirlingSeries.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include <gmpxx.h>

#include "number/NumberInternals.h"
#include "number/NumberMpfr.h"

namespace number_detail {

namespace {

// The series is used from this n on (its terms then shrink by a factor n^2
// or more each, far from where they would grow again, near k = pi n).
constexpr std::uint64_t kSmallestN = 256;
// Up to n^2 < 2^64 and 2n + 1 in an unsigned long.
constexpr std::uint64_t kLargestN = std::uint64_t{1} << 31;
// Terms at most; more are left to log-gamma.
constexpr std::size_t kMostTerms = 256;
// Bits the sums carry beyond the result's precision.
constexpr mpfr_prec_t kGuardBits = 8;

// The tangent numbers T_1..T_count (tan x = sum T_k x^(2k-1) / (2k-1)!), by
// the recurrence of Brent and Harvey, in integers; B_2k = (-1)^(k-1) 2k T_k /
// (4^k (4^k - 1)). One table for the process, computed again, larger, when
// more terms are asked for.
std::shared_ptr<const std::vector<mpz_class>> TangentNumbers(std::size_t count)
{
    static std::mutex lock;
    static std::shared_ptr<const std::vector<mpz_class>> table;
    std::lock_guard guard(lock);
    if (table && table->size() > count)
        return table;
    std::size_t size = 64;
    while (size < count)
        size *= 2;
    size = std::min(size, std::max(count, kMostTerms + 1));
    auto t = std::make_shared<std::vector<mpz_class>>(size + 1);   // t[0] unused
    auto& tk = *t;
    const std::size_t n = size;
    tk[1] = 1;
    for (std::size_t k = 2; k <= n; ++k)
        tk[k] = tk[k - 1] * static_cast<unsigned long>(k - 1);
    for (std::size_t k = 2; k <= n; ++k)
        for (std::size_t j = k; j <= n; ++j)   // upwards: T_j takes the T_(j-1) of this pass
            tk[j] = tk[j - 1] * static_cast<unsigned long>(j - k) + tk[j] * static_cast<unsigned long>(j - k + 2);
    table = std::move(t);
    return table;
}

// This thread's coefficients c_1.. and ln(2 pi) / 2, at one working precision.
struct StirlingTerms {
    mpfr_prec_t precision = 0;
    std::unique_ptr<MpfrValue> halfLn2Pi;
    std::deque<MpfrValue> c;   // c[k - 1] = c_k
};

StirlingTerms& TermsAt(mpfr_prec_t precision, std::size_t count)
{
    thread_local StirlingTerms terms;
    if (terms.precision != precision) {
        terms.c.clear();
        terms.precision = precision;
        terms.halfLn2Pi = std::make_unique<MpfrValue>(precision);
        mpfr_const_pi(*terms.halfLn2Pi, MPFR_RNDN);
        mpfr_mul_2ui(*terms.halfLn2Pi, *terms.halfLn2Pi, 1, MPFR_RNDN);
        mpfr_log(*terms.halfLn2Pi, *terms.halfLn2Pi, MPFR_RNDN);
        mpfr_div_2ui(*terms.halfLn2Pi, *terms.halfLn2Pi, 1, MPFR_RNDN);
    }
    if (terms.c.size() < count) {
        const auto t = TangentNumbers(count);
        mpz_class denominator;
        for (std::size_t k = terms.c.size() + 1; k <= count; ++k) {
            // c_k = (-1)^(k-1) T_k / ((2k - 1) 4^k (4^k - 1))
            MpfrValue& ck = terms.c.emplace_back(precision);
            mpz_ui_pow_ui(denominator.get_mpz_t(), 4, static_cast<unsigned long>(k));
            denominator -= 1;
            denominator *= static_cast<unsigned long>(2 * k - 1);
            mpfr_set_z(ck, (*t)[k].get_mpz_t(), MPFR_RNDN);
            mpfr_div_z(ck, ck, denominator.get_mpz_t(), MPFR_RNDN);
            mpfr_div_2ui(ck, ck, static_cast<unsigned long>(2 * k), MPFR_RNDN);
            if (k % 2 == 0)
                mpfr_neg(ck, ck, MPFR_RNDN);
        }
    }
    return terms;
}

// log2 of an upper bound of |c_k|.
double Log2OfCoefficientBound(const std::vector<mpz_class>& t, std::size_t k)
{
    const double twoK = 2.0 * static_cast<double>(k);
    // 4^k - 1 >= 4^k / 2
    return static_cast<double>(mpz_sizeinbase(t[k].get_mpz_t(), 2)) - std::log2(twoK - 1) - twoK - (twoK - 1);
}

// The number of terms that leaves an error below ln(n!) 2^-(precision + 4);
// 0 when more than kMostTerms would be needed.
std::size_t TermsNeeded(std::uint64_t n, mpfr_prec_t precision)
{
    const double log2N = std::log2(static_cast<double>(n));
    const double log2LnFactorial = std::log2(static_cast<double>(ln_gamma(static_cast<long double>(n) + 1)));
    const double allowed = log2LnFactorial - static_cast<double>(precision) - 4;
    // The K + 1st term bounds the error of K terms. A rough start, then the
    // exact bound of the table.
    auto k = static_cast<std::size_t>(std::max(1.0, static_cast<double>(precision) / (2 * log2N) - 8));
    if (k > kMostTerms)
        return 0;
    for (auto t = TangentNumbers(k + 1); k <= kMostTerms; ++k) {
        if (t->size() <= k + 1)
            t = TangentNumbers(k + 1);
        if (Log2OfCoefficientBound(*t, k + 1) - (2.0 * static_cast<double>(k) + 1) * log2N <= allowed)
            return k;
    }
    return 0;
}

}  // namespace

bool stirling_ln_factorial(mpfr_ptr r, std::uint64_t n)
{
    if (n < kSmallestN || n > kLargestN)
        return false;
    const mpfr_prec_t w = mpfr_get_prec(r) + kGuardBits;
    const std::size_t count = TermsNeeded(n, w);
    if (count == 0)
        return false;
    const StirlingTerms& terms = TermsAt(w, count);
    const auto un = static_cast<unsigned long>(n);

    // With t1 = (n + 1/2) ln n, each of the five roundings of the main sum
    // errs by at most 2^-w t1; the series is below 1 / (12 n), so all its
    // roundings together err by far less than one such unit; its tail is
    // below 2^-(w+4) ln n!; and t1 <= 1.25 ln n! for n >= 256. In all, below
    // 9 * 2^-w ln n! (0.04 of 2^-p ln n!), and the final rounding to r adds
    // 2^-p ln n! at most.
    MpfrValue sum(w), series(w), inverseSquare(w);
    mpfr_set_ui(sum, un, MPFR_RNDN);   // exact; mpfr_log_ui is far slower here
    mpfr_log(sum, sum, MPFR_RNDN);
    mpfr_mul_ui(sum, sum, 2 * un + 1, MPFR_RNDN);
    mpfr_div_2ui(sum, sum, 1, MPFR_RNDN);   // exact
    mpfr_sub_ui(sum, sum, un, MPFR_RNDN);
    mpfr_add(sum, sum, *terms.halfLn2Pi, MPFR_RNDN);

    mpfr_set_ui(inverseSquare, un, MPFR_RNDN);
    mpfr_sqr(inverseSquare, inverseSquare, MPFR_RNDN);
    mpfr_ui_div(inverseSquare, 1, inverseSquare, MPFR_RNDN);
    mpfr_set(series, terms.c[count - 1], MPFR_RNDN);
    for (std::size_t k = count - 1; k >= 1; --k)
        mpfr_fma(series, series, inverseSquare, terms.c[k - 1], MPFR_RNDN);
    mpfr_div_ui(series, series, un, MPFR_RNDN);

    mpfr_add(sum, sum, series, MPFR_RNDN);
    mpfr_set(r, sum, MPFR_RNDN);
    return true;
}

}  // namespace number_detail
