// The transcendental functions and constants, evaluated with MPFR by the
// Ziv loop of NumberMpfr. Each function brings its error model: the
// condition number, which says how much the rounding of the argument to
// binary can move the result.
#include <algorithm>
#include <cmath>
#include <mutex>
#include <utility>
#include <vector>

#include "number/Number.h"
#include "number/NumberInternals.h"
#include "number/NumberMpfr.h"

using namespace number_detail;

namespace {

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


// 0.5 < x < 1.5, where logarithms are better computed from x - 1.
bool near_one(const Number& x)
{
    if (x.exponent() < -1 || x.exponent() > 0)
        return false;
    static const Number half = Number(5).divide(Number(10), 1);
    return (x - Number(1)).abs() < half;
}

// log10 x = ln x / ln 10 with the process-wide ln 10 (MPFR's own log10
// computes ln 10 anew at every call). Each of the three roundings is at 8
// bits beyond y's precision, so the error stays below y's half unit plus
// 2^-5 of it: within the bound evaluate() allows for one rounding.
int log10_from_ln(mpfr_ptr y, mpfr_srcptr x, mpfr_rnd_t)
{
    const mpfr_prec_t prec = mpfr_get_prec(y) + 8;
    MpfrValue ln_x(prec);
    MpfrValue ln_10(prec);
    mpfr_log(ln_x, x, MPFR_RNDN);
    shared_ln10(ln_10);
    return mpfr_div(y, ln_x, ln_10, MPFR_RNDN);
}

}  // namespace

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
    return evaluate(*this, places, log10_from_ln, 0,
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

namespace {

// Rounded constants shared by every thread of the process: the few most
// recently used precisions, each computed once. Built outside the lock;
// reads copy the value under it.
class SharedConstant {
public:
    template <class Compute>
    Number get(int places, Compute compute)
    {
        {
            std::lock_guard lock(m_lock);
            for (const auto& [p, value] : m_values)
                if (p == places)
                    return value;
        }
        Number value = compute();
        std::lock_guard lock(m_lock);
        const bool known = std::any_of(m_values.begin(), m_values.end(),
                                       [places](const auto& entry) { return entry.first == places; });
        if (!known) {
            if (m_values.size() >= kKept)
                m_values.erase(m_values.begin());
            m_values.emplace_back(places, value);
        }
        return value;
    }

private:
    static constexpr std::size_t kKept = 8;
    std::mutex m_lock;
    std::vector<std::pair<int, Number>> m_values;
};

// Never destroyed: request threads may still be computing while the process
// exits.
SharedConstant& shared_pi()
{
    static SharedConstant* const pi = new SharedConstant;
    return *pi;
}

SharedConstant& shared_e()
{
    static SharedConstant* const e = new SharedConstant;
    return *e;
}

}  // namespace

Number Number::pi(int places)
{
    places = clamp_places(places);
    return shared_pi().get(places, [places] {
        return ziv_round(places, [](mpfr_ptr y, mpfr_prec_t prec) {
            mpfr_const_pi(y, MPFR_RNDN);
            return error_bound(kNoError, true, prec, prec);
        });
    });
}

Number Number::e(int places)
{
    places = clamp_places(places);
    return shared_e().get(places, [places] {
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
