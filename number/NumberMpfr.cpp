// Conversion between Number and MPFR, and the correctly rounding Ziv loop.
#include "number/NumberMpfr.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <string>

#include "number/NumberInternals.h"

namespace number_detail {

namespace {

// Frees MPFR's thread-local caches (constants such as pi) at thread exit.
struct MpfrThreadCaches {
    ~MpfrThreadCaches() { mpfr_free_cache2(MPFR_FREE_LOCAL_CACHE); }
};

void widen_exponent_range()
{
    mpfr_set_emin(mpfr_get_emin_min());
    mpfr_set_emax(mpfr_get_emax_max());
}

constexpr std::int64_t kExactScaleLimit = 20000;

}  // namespace

void prepare_mpfr_thread()
{
    thread_local bool ready = false;
    if (ready)
        return;
    if (mpfr_buildopt_tls_p()) {
        widen_exponent_range();
    } else {
        static std::once_flag once;
        std::call_once(once, widen_exponent_range);
    }
    thread_local MpfrThreadCaches caches;
    (void)caches;
    ready = true;
}

mpfr_prec_t bits_for_digits(std::int64_t digits)
{
    return static_cast<mpfr_prec_t>(std::ceil(static_cast<double>(digits) * kLog2Of10));
}

bool to_mpfr(mpfr_ptr r, const Number& x)
{
    if (x.is_zero()) {
        mpfr_set_zero(r, 1);
        return true;
    }
    const mpz_class& m = NumberInternals::mantissa(x);
    const std::int64_t s = NumberInternals::scale(x);
    const mpfr_prec_t prec = mpfr_get_prec(r);
    bool exact = true;
    if (s == 0) {
        exact = mpfr_set_z(r, m.get_mpz_t(), MPFR_RNDN) == 0;
    } else if (s > 0 && s <= kExactScaleLimit) {
        const mpz_class whole = m * power_of_ten(s);
        exact = mpfr_set_z(r, whole.get_mpz_t(), MPFR_RNDN) == 0;
    } else {
        const auto bits = static_cast<mpfr_prec_t>(mpz_sizeinbase(m.get_mpz_t(), 2));
        MpfrValue numerator(std::min<mpfr_prec_t>(bits, prec + 64));
        exact = mpfr_set_z(numerator, m.get_mpz_t(), MPFR_RNDN) == 0;
        if (s < 0 && -s <= kExactScaleLimit) {
            exact = (mpfr_div_z(r, numerator, power_of_ten(-s).get_mpz_t(), MPFR_RNDN) == 0) &&
                    exact;
        } else {
            MpfrValue power(prec + 64);
            const auto magnitude = static_cast<unsigned long>(s < 0 ? -s : s);
            exact = (mpfr_ui_pow_ui(power, 10, magnitude, MPFR_RNDN) == 0) && exact;
            if (s > 0)
                exact = (mpfr_mul(r, numerator, power, MPFR_RNDN) == 0) && exact;
            else
                exact = (mpfr_div(r, numerator, power, MPFR_RNDN) == 0) && exact;
            if (mpfr_inf_p(r) || mpfr_zero_p(r))
                throw NumberOverflowError(
                    "The number is beyond the range the function can be computed for.");
        }
    }
    if (x.sign() < 0)
        mpfr_neg(r, r, MPFR_RNDN);
    return exact;
}

double log2_abs(const Number& x)
{
    long e = 0;
    const double top = mpz_get_d_2exp(&e, NumberInternals::mantissa(x).get_mpz_t());
    return static_cast<double>(e) + std::log2(top) +
           static_cast<double>(NumberInternals::scale(x)) * kLog2Of10;
}

double log2_abs(mpfr_srcptr x)
{
    long e = 0;
    const double top = mpfr_get_d_2exp(&e, x, MPFR_RNDN);
    return static_cast<double>(e) + std::log2(std::fabs(top));
}

double error_bound(double log2_kappa, bool exact_input, mpfr_prec_t in_prec, mpfr_prec_t out_prec)
{
    const double rounding = 1.0 - static_cast<double>(out_prec);
    if (exact_input)
        return rounding;
    const double propagated = std::max(log2_kappa, -8.0) + 2.0 - static_cast<double>(in_prec);
    return std::max(rounding, propagated) + 1.0;
}

Number ziv_round(int places, const Evaluation& f,
                 const std::function<std::optional<Number>()>& exact)
{
    prepare_mpfr_thread();
    places = std::max(places, 0);
    const std::int64_t digits = static_cast<std::int64_t>(places) + 1;
    constexpr int kGuard = 5;
    constexpr std::int64_t kHalf = 50'000;  // 5 * 10^(kGuard - 1)
    const std::int64_t total = digits + kGuard;
    // The error must stay below a twentieth of the distance the guard digits
    // can lie from the midpoint.
    const double needed = -static_cast<double>(digits + 1) * kLog2Of10 - 5.0;
    mpfr_prec_t prec = bits_for_digits(total) + 8;
    std::string buffer(static_cast<std::size_t>(total) + 8, '\0');
    constexpr int kAttempts = 8;
    bool asked_exact = false;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        MpfrValue y(prec);
        const double log2_error = f(y, prec);
        if (mpfr_nan_p(y))
            throw NumberDomainError("The function is not defined for this argument.");
        if (mpfr_inf_p(y))
            throw NumberOverflowError("The result is too large to represent.");
        if (mpfr_zero_p(y))
            throw NumberOverflowError("The result is too small to represent.");
        if (log2_error > needed && attempt + 1 < kAttempts) {
            prec += static_cast<mpfr_prec_t>(std::ceil(log2_error - needed)) + 32;
            continue;
        }
        mpfr_exp_t e10 = 0;
        mpfr_get_str(buffer.data(), &e10, 10, static_cast<std::size_t>(total), y, MPFR_RNDN);
        const char* text = buffer.c_str();
        int sign = 1;
        if (*text == '-') {
            sign = -1;
            ++text;
        }
        const std::int64_t guard = std::strtoll(text + digits, nullptr, 10);
        const double slack =
            std::exp2(log2_error + static_cast<double>(total) * kLog2Of10) + 1.0;
        const bool settled = std::fabs(static_cast<double>(guard - kHalf)) > slack;
        if (settled || attempt + 1 == kAttempts) {
            mpz_class prefix;
            mpz_set_str(prefix.get_mpz_t(), std::string(text, static_cast<std::size_t>(digits)).c_str(),
                        10);
            if (guard >= kHalf)
                prefix += 1;
            return NumberInternals::make(
                sign, std::move(prefix),
                checked_exponent(static_cast<__int128>(e10) - digits));
        }
        if (attempt >= 1 && exact && !asked_exact) {
            asked_exact = true;
            if (auto value = exact())
                return *value;
        }
        prec += prec / 2 + 64;
    }
    throw NumberOverflowError("The result could not be computed.");  // not reached
}

}  // namespace number_detail
