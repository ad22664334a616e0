// Conversion between Number and MPFR, and the correctly rounding Ziv loop.
#include "number/NumberMpfr.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <shared_mutex>
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

namespace {

// One constant at the largest precision asked for so far. Readers share the
// lock; a request for more precision computes outside it, then replaces the
// value if it is still the better one.
class SharedMpfrConstant {
public:
    explicit SharedMpfrConstant(void (*compute)(mpfr_ptr)) : m_compute(compute) { mpfr_init2(m_value, 64); }

    void get(mpfr_ptr r)
    {
        // 16 bits more than asked: rounding the shared value to r adds at
        // most 2^-16 of a unit to r's own half unit.
        const mpfr_prec_t wanted = mpfr_get_prec(r) + 16;
        {
            std::shared_lock lock(m_lock);
            if (m_ready && mpfr_get_prec(m_value) >= wanted) {
                mpfr_set(r, m_value, MPFR_RNDN);
                return;
            }
        }
        MpfrValue fresh(wanted + wanted / 4);
        m_compute(fresh);
        std::unique_lock lock(m_lock);
        if (!m_ready || mpfr_get_prec(m_value) < mpfr_get_prec(fresh)) {
            mpfr_set_prec(m_value, mpfr_get_prec(fresh));
            mpfr_set(m_value, fresh, MPFR_RNDN);
            m_ready = true;
        }
        mpfr_set(r, m_value, MPFR_RNDN);
    }

private:
    void (*const m_compute)(mpfr_ptr);
    std::shared_mutex m_lock;
    mpfr_t m_value;
    bool m_ready = false;
};

void compute_ln10(mpfr_ptr r) { mpfr_log_ui(r, 10, MPFR_RNDN); }

}  // namespace

void shared_ln10(mpfr_ptr r)
{
    // Never destroyed: request threads may still be computing while the
    // process exits.
    static SharedMpfrConstant* const ln10 = new SharedMpfrConstant(compute_ln10);
    check_working_precision(static_cast<double>(mpfr_get_prec(r)));
    ln10->get(r);
}

void check_working_precision(double bits)
{
    if (bits > static_cast<double>(kMaxWorkingBits))
        throw NumberOverflowError(
            "The argument is too large for the function to be computed to this precision.");
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
    // MPFR's widest binary exponent range holds decimal exponents up to about
    // 1.388E+18.
    constexpr std::int64_t kMpfrDecimalRange = 1'380'000'000'000'000'000LL;
    const std::int64_t e = x.exponent();
    if (e > kMpfrDecimalRange)
        throw NumberOverflowError("The number is too large for the function to be computed.");
    if (e < -kMpfrDecimalRange)
        throw NumberUnderflowError("The number is too small for the function to be computed.");
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
            if (mpfr_inf_p(r))
                throw NumberOverflowError(
                    "The number is too large for the function to be computed.");
            if (mpfr_zero_p(r))
                throw NumberUnderflowError(
                    "The number is too small for the function to be computed.");
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

namespace {

// Whether guard digits `text` (the digits after those kept) lie further than
// 10^log10_slack units of their last digit from the midpoint 500...0, and
// whether they are at or above it.
struct GuardReading {
    bool settled;
    bool up;
};

GuardReading read_guard(const char* text, std::size_t length, double log10_slack)
{
    const double slack_log10 =
        log10_slack > 15 ? log10_slack : std::log10(std::pow(10.0, log10_slack) + 1.0);
    if (length <= 17) {
        const std::int64_t guard = std::strtoll(std::string(text, length).c_str(), nullptr, 10);
        std::int64_t half = 5;
        for (std::size_t i = 1; i < length; ++i)
            half *= 10;
        const double distance = std::fabs(static_cast<double>(guard - half));
        return {distance > 0 && std::log10(distance) > slack_log10, guard >= half};
    }
    mpz_class guard;
    mpz_set_str(guard.get_mpz_t(), std::string(text, length).c_str(), 10);
    mpz_class half;
    mpz_ui_pow_ui(half.get_mpz_t(), 10, static_cast<unsigned long>(length - 1));
    half *= 5;
    const bool up = cmp(guard, half) >= 0;
    guard -= half;
    if (sgn(guard) == 0)
        return {false, up};
    long e2 = 0;
    const double top = mpz_get_d_2exp(&e2, guard.get_mpz_t());
    const double distance_log10 = (static_cast<double>(e2) + std::log2(std::fabs(top))) / kLog2Of10;
    return {distance_log10 > slack_log10, up};
}

}  // namespace

Number ziv_round(int places, const Evaluation& f,
                 const std::function<std::optional<Number>()>& exact)
{
    prepare_mpfr_thread();
    places = std::max(places, 0);
    const std::int64_t digits = static_cast<std::int64_t>(places) + 1;
    // The error must stay below a thirtieth of the smallest distance the
    // guard digits can lie from the midpoint.
    const double needed = -static_cast<double>(digits + 1) * kLog2Of10 - 5.0;
    constexpr std::int64_t kFirstGuard = 5;
    mpfr_prec_t prec = bits_for_digits(digits + kFirstGuard) + 8;
    std::string buffer;
    constexpr int kAttempts = 8;
    bool asked_exact = false;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        check_working_precision(static_cast<double>(prec));
        MpfrValue y(prec);
        const double log2_error = f(y, prec);
        if (mpfr_nan_p(y))
            throw NumberDomainError("The function is not defined for this argument.");
        if (mpfr_inf_p(y))
            throw NumberOverflowError("The result is too large to represent.");
        if (mpfr_zero_p(y))
            throw NumberUnderflowError("The result is too small to represent.");
        if (log2_error > needed && attempt + 1 < kAttempts) {
            prec += static_cast<mpfr_prec_t>(std::ceil(log2_error - needed)) + 32;
            continue;
        }
        // Read as many guard digits as the error bound makes meaningful: a
        // value extremely close to a midpoint shows which side it is on only
        // in far digits.
        const std::int64_t meaningful =
            static_cast<std::int64_t>(std::floor(-log2_error / kLog2Of10)) - digits;
        const std::int64_t guard_digits = std::max(kFirstGuard, meaningful);
        const std::int64_t total = digits + guard_digits;
        buffer.assign(static_cast<std::size_t>(total) + 8, '\0');
        mpfr_exp_t e10 = 0;
        mpfr_get_str(buffer.data(), &e10, 10, static_cast<std::size_t>(total), y, MPFR_RNDN);
        const char* text = buffer.c_str();
        int sign = 1;
        if (*text == '-') {
            sign = -1;
            ++text;
        }
        // Error in units of the last digit read: relative error times
        // 10^total, plus the half unit of the decimal conversion.
        const double log10_slack =
            log2_error / kLog2Of10 + static_cast<double>(total);
        const GuardReading reading =
            read_guard(text + digits, static_cast<std::size_t>(guard_digits), log10_slack);
        if (reading.settled || attempt + 1 == kAttempts) {
            mpz_class prefix;
            mpz_set_str(prefix.get_mpz_t(),
                        std::string(text, static_cast<std::size_t>(digits)).c_str(), 10);
            if (reading.up)
                prefix += 1;
            return NumberInternals::make(sign, std::move(prefix),
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
