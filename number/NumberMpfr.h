#pragma once
// Bridge between Number and MPFR: conversion, error bounds and the Ziv loop
// that turns MPFR approximations into correctly rounded decimal results.

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

#include <mpfr.h>

#include "number/Number.h"

namespace number_detail {

// An MPFR value of a given precision, released on scope exit.
class MpfrValue {
public:
    explicit MpfrValue(mpfr_prec_t precision) { mpfr_init2(m_value, std::max<mpfr_prec_t>(precision, MPFR_PREC_MIN)); }
    ~MpfrValue() { mpfr_clear(m_value); }
    MpfrValue(const MpfrValue&) = delete;
    MpfrValue& operator=(const MpfrValue&) = delete;
    mpfr_ptr get() { return m_value; }
    mpfr_srcptr get() const { return m_value; }
    operator mpfr_ptr() { return m_value; }  // NOLINT: reads like the C API
    operator mpfr_srcptr() const { return m_value; }  // NOLINT

private:
    mpfr_t m_value;
};

inline constexpr double kLog2Of10 = 3.32192809488736234787;
inline constexpr double kNoError = -std::numeric_limits<double>::infinity();

// Largest working precision in bits (about 1.2 million digits). Arguments
// that would need more (sin of a number with millions of integer digits)
// raise NumberOverflowError instead of working for hours.
inline constexpr mpfr_prec_t kMaxWorkingBits = 4'000'000;

// Raises NumberOverflowError when `bits` exceeds kMaxWorkingBits.
void check_working_precision(double bits);

// log2(2^a + c) for c >= 0, without overflowing.
inline double log2_plus(double a, double c)
{
    if (a > 60)
        return a;
    return std::log2(std::exp2(a) + c);
}

// Widens MPFR's exponent range on the calling thread (once per thread) and
// arranges for MPFR's per-thread caches to be freed when the thread ends.
void prepare_mpfr_thread();

// Sets r to ln 10 with a relative error below 2^-(precision of r) * 1.01,
// from one value shared by every thread of the process, kept at the largest
// precision asked for so far (at most kMaxWorkingBits plus a margin).
void shared_ln10(mpfr_ptr r);

// Bits needed to hold `digits` decimal digits.
mpfr_prec_t bits_for_digits(std::int64_t digits);

// Sets r (at its precision, to nearest) to x; returns true when exact.
// Raises NumberOverflowError for values beyond MPFR's exponent range.
bool to_mpfr(mpfr_ptr r, const Number& x);

// log2 |x| for a non-zero value (approximately, to about 15 digits).
double log2_abs(const Number& x);
double log2_abs(mpfr_srcptr x);

// log2 of the relative error of a result computed to `out_prec` bits from an
// input with relative error up to 2^(1 - in_prec), amplified by 2^log2_kappa.
double error_bound(double log2_kappa, bool exact_input, mpfr_prec_t in_prec, mpfr_prec_t out_prec);

// Evaluates f at growing precision until its value rounds unambiguously to
// places + 1 decimal digits (half away from zero). f(y, prec) sets y (of
// precision prec) and returns log2 of the relative error bound of y.
// `exact`, when given, is consulted once if the first attempts do not settle
// (a result exactly on a rounding midpoint never does).
using Evaluation = std::function<double(mpfr_ptr, mpfr_prec_t)>;
Number ziv_round(int places, const Evaluation& f,
                 const std::function<std::optional<Number>()>& exact = {});

}  // namespace number_detail
