#pragma once
// Helpers shared by the Number implementation files. Not part of the public API.

#include <math.h>

#include <cstdint>
#include <string>

#include <gmpxx.h>

#include "number/Number.h"

// Largest decimal exponent (and scale) a Number holds. Kept well inside int64 so
// that sums and differences of two exponents never overflow.
inline constexpr std::int64_t kMaxExponent = 4'000'000'000'000'000'000LL;

// Largest number of decimal digits an exact intermediate may have. Exact
// results that would need more raise NumberOverflowError instead of exhausting
// memory (50 million digits is about 21 MB).
inline constexpr std::int64_t kMaxExactDigits = 50'000'000;

class NumberInternals {
public:
    // Builds sign * mantissa * 10^scale from a non-negative mantissa; strips
    // trailing zeros and checks the exponent range. `may_end_in_zero` false
    // promises the last digit is not zero.
    static Number make(int sign, mpz_class mantissa, std::int64_t scale,
                       bool may_end_in_zero = true);

    static const mpz_class& mantissa(const Number& x) { return x.m_mantissa; }
    static std::int64_t scale(const Number& x) { return x.m_scale; }
    static int sign(const Number& x) { return x.m_sign; }

    // Rounds the truncated magnitude `truncated` * 10^scale to places + 1
    // significant digits, half away from zero. `truncated` must be the exact
    // magnitude truncated toward zero and carry at least places + 2 digits
    // (or be exact); a truncated exact value with fewer digits is kept.
    // `digits`, when positive, is the known digit count of `truncated`.
    static Number round_truncated(int sign, mpz_class truncated, std::int64_t scale,
                                  std::int64_t places, std::int64_t digits = 0);

    // Rounds x to a multiple of 10^position, half away from zero.
    static Number round_at(const Number& x, std::int64_t position);
};

namespace number_detail {

// ln |Gamma(x)| by the reentrant form: std::lgamma writes the C library's
// global signgam, a data race between request threads.
inline long double ln_gamma(long double x)
{
    int sign = 0;
    return lgammal_r(x, &sign);
}

// Negative digit counts mean 0.
inline int clamp_places(int places) { return places < 0 ? 0 : places; }

inline bool is_one(const Number& x) { return x == Number(1); }

// Exact count of decimal digits of a positive integer (1 for 0).
std::int64_t digit_count(const mpz_class& value);

// 10^n and 5^n from caches shared by every thread of the process (safe to
// call from any thread). The reference stays valid for the life of the
// process for n < 4096; for larger n until the calling thread has asked for
// three more large powers, and for a power above a million digits only until
// its next call.
const mpz_class& power_of_ten(std::int64_t n);
const mpz_class& power_of_five(std::int64_t n);

// Raises NumberOverflowError when an exact intermediate would need more than
// kMaxExactDigits digits.
void check_exact_size(long double digits, const char* what);

// Checks that an exponent fits the type; raises NumberOverflowError otherwise.
std::int64_t checked_exponent(__int128 exponent);

// Installs the GMP allocation functions that end the process on exhaustion
// (once; safe from any thread). Returns true.
bool number_memory_functions_installed();

// Decimal digits of a positive integer.
std::string decimal_digits(const mpz_class& value);

}  // namespace number_detail
