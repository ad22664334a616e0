#pragma once
// ln(n!) by Stirling's series, for integers n large enough that the series
// converges in few terms at the precision asked for:
//
//   ln n! = (n + 1/2) ln n - n + ln(2 pi) / 2 + sum_{k=1..K} c_k / n^(2k - 1),
//   c_k = B_2k / (2k (2k - 1)),
//
// whose error is below the first term left out (for real n > 0). The c_k come
// from the tangent numbers (integers, computed once for the process) and are
// kept per thread at the working precision, with ln(2 pi): a thread that
// computes at the same precision again (a worker's pooled request thread)
// pays only for ln n, the K terms and the sums. About a third of the time of
// MPFR's log-gamma at a few hundred digits for n around 10^5.

#include <cstdint>

#include <mpfr.h>

namespace number_detail {

// Sets r to ln(n!) with an error below 1.05 * 2^-p * ln(n!), p being r's
// precision, and returns true; or returns false (r untouched) when n is too
// small for the series at that precision or needs too many terms.
bool stirling_ln_factorial(mpfr_ptr r, std::uint64_t n);

}  // namespace number_detail
