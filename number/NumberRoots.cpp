// Square and cube roots, computed exactly with GMP integer roots of the
// suitably scaled mantissa and then rounded.
#include <algorithm>
#include <cmath>

#include "number/Number.h"
#include "number/NumberInternals.h"
#include "number/NumberMpfr.h"

using namespace number_detail;

namespace {


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
