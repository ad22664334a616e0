// ln(n!) by Stirling's series against MPFR's log-gamma at 64 more bits: the
// error stays within the bound the factorial's rounding relies on, at the
// edges of the series' range of n and at precisions from a double's to a few
// thousand digits; outside that range the series declines.
#include <cstdint>

#include <gtest/gtest.h>
#include <mpfr.h>

#include "number/NumberMpfr.h"
#include "number/StirlingSeries.h"

using number_detail::MpfrValue;
using number_detail::stirling_ln_factorial;

namespace {

// |series - reference| / reference, as a power of two.
double Log2RelativeError(std::uint64_t n, mpfr_prec_t bits, bool* used)
{
    MpfrValue series(bits), reference(bits + 64), difference(bits + 64);
    *used = stirling_ln_factorial(series, n);
    if (!*used)
        return 0;
    mpfr_set_ui(reference, static_cast<unsigned long>(n), MPFR_RNDN);
    mpfr_add_ui(reference, reference, 1, MPFR_RNDN);
    mpfr_lngamma(reference, reference, MPFR_RNDN);
    mpfr_sub(difference, series, reference, MPFR_RNDN);
    if (mpfr_zero_p(difference))
        return -1e9;
    mpfr_div(difference, difference, reference, MPFR_RNDN);
    mpfr_abs(difference, difference, MPFR_RNDN);
    long exponent = 0;
    const double mantissa = mpfr_get_d_2exp(&exponent, difference, MPFR_RNDN);
    return std::log2(mantissa) + static_cast<double>(exponent);
}

TEST(StirlingSeries, StaysWithinItsBoundWhereverItIsUsed)
{
    number_detail::prepare_mpfr_thread();
    const std::uint64_t ns[] = {256, 257, 1000, 4097, 12345, 99999, 200000, 205021, 1u << 24, 1ull << 31};
    const mpfr_prec_t precisions[] = {53, 64, 120, 300, 1000, 1750, 3400, 7000};
    int used = 0;
    for (const mpfr_prec_t bits : precisions) {
        for (const std::uint64_t n : ns) {
            bool inRange = false;
            const double error = Log2RelativeError(n, bits, &inRange);
            if (!inRange)
                continue;
            ++used;
            // 1.05 * 2^-bits
            EXPECT_LE(error, std::log2(1.05) - static_cast<double>(bits)) << n << "! at " << bits << " bits";
        }
    }
    // The factorials of the long results (100000! at 512 digits) take the series.
    EXPECT_GT(used, 40);
}

TEST(StirlingSeries, DeclinesOutsideItsRange)
{
    number_detail::prepare_mpfr_thread();
    MpfrValue r(200);
    mpfr_set_ui(r, 7, MPFR_RNDN);
    for (const std::uint64_t n : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{255},
                                  (std::uint64_t{1} << 31) + 1, std::uint64_t{1} << 40}) {
        EXPECT_FALSE(stirling_ln_factorial(r, n)) << n;
        EXPECT_EQ(mpfr_cmp_ui(r, 7), 0) << "left untouched by " << n;
    }
    // Too many terms at this precision for so small an n.
    MpfrValue wide(100000);
    EXPECT_FALSE(stirling_ln_factorial(wide, 300));
}

}  // namespace
