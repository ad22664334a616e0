// Representation, exact arithmetic, comparison and rounding of Number.
#include "number/Number.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cmath>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "number/NumberInternals.h"

namespace number_detail {

std::int64_t digit_count(const mpz_class& value)
{
    if (sgn(value) == 0)
        return 1;
    const auto estimate = static_cast<std::int64_t>(mpz_sizeinbase(value.get_mpz_t(), 10));
    if (estimate == 1)
        return 1;
    // sizeinbase is exact or one too large; a logarithm decides unless the
    // value lies very close to a power of ten.
    long exp2 = 0;
    const double top = mpz_get_d_2exp(&exp2, value.get_mpz_t());
    const double lg = (static_cast<double>(exp2) + std::log2(top)) * 0.30102999566398119521;
    const double whole = std::floor(lg);
    const double frac = lg - whole;
    const double tolerance = 1e-9 + lg * 1e-15;
    if (frac > tolerance && frac < 1 - tolerance)
        return static_cast<std::int64_t>(whole) + 1;
    return mpz_cmp(value.get_mpz_t(), power_of_ten(estimate - 1).get_mpz_t()) < 0 ? estimate - 1
                                                                                   : estimate;
}

namespace {

constexpr std::int64_t kSmallPowers = 4096;
constexpr std::int64_t kRetainedPowerDigits = 1'000'000;
constexpr std::size_t kSharedLargePowers = 8;

// Powers of one base shared by every thread of the process; what one request
// builds, the next one (on a fresh thread) finds. Powers below kSmallPowers
// are built once each and kept for the life of the process (a few megabytes
// at most); they are published through atomic pointers, so readers take no
// lock. Larger powers of up to kRetainedPowerDigits digits are kept in a
// short most-recently-used list under a mutex, at most kSharedLargePowers of
// them (a few megabytes); they are shared, so a power dropped from the list
// lives on while a thread still holds it.
class SharedPowers {
public:
    explicit SharedPowers(unsigned long base) : m_base(base) {}

    const mpz_class& small(std::int64_t n)
    {
        std::atomic<const mpz_class*>& slot = m_small[static_cast<std::size_t>(n)];
        if (const mpz_class* known = slot.load(std::memory_order_acquire))
            return *known;
        auto fresh = std::make_unique<mpz_class>();
        mpz_ui_pow_ui(fresh->get_mpz_t(), m_base, static_cast<unsigned long>(n));
        const mpz_class* expected = nullptr;
        if (slot.compare_exchange_strong(expected, fresh.get(), std::memory_order_acq_rel,
                                         std::memory_order_acquire))
            return *fresh.release();
        return *expected;  // another thread was first
    }

    std::shared_ptr<const mpz_class> large(std::int64_t n)
    {
        {
            std::lock_guard lock(m_lock);
            for (auto it = m_large.begin(); it != m_large.end(); ++it) {
                if (it->first == n) {
                    std::rotate(m_large.begin(), it, it + 1);
                    return m_large.front().second;
                }
            }
        }
        auto fresh = std::make_shared<mpz_class>();
        mpz_ui_pow_ui(fresh->get_mpz_t(), m_base, static_cast<unsigned long>(n));
        std::shared_ptr<const mpz_class> value = std::move(fresh);
        if (n <= kRetainedPowerDigits) {
            std::lock_guard lock(m_lock);
            const bool known = std::any_of(m_large.begin(), m_large.end(),
                                           [n](const auto& entry) { return entry.first == n; });
            if (!known) {
                m_large.insert(m_large.begin(), {n, value});
                if (m_large.size() > kSharedLargePowers)
                    m_large.pop_back();
            }
        }
        return value;
    }

private:
    const unsigned long m_base;
    std::array<std::atomic<const mpz_class*>, kSmallPowers> m_small{};
    std::mutex m_lock;
    std::vector<std::pair<std::int64_t, std::shared_ptr<const mpz_class>>> m_large;
};

// The large powers a thread was last given: they stay alive (and references
// to them valid) until it has asked for four more. A power above
// kRetainedPowerDigits is not shared and is released at the next request.
struct HeldPowers {
    std::shared_ptr<const mpz_class> value[4];
    std::int64_t exponent[4] = {-1, -1, -1, -1};
    unsigned next = 0;
    std::shared_ptr<const mpz_class> huge;
};

const mpz_class& cached_power(std::int64_t n, SharedPowers& shared, HeldPowers& held)
{
    if (held.huge)
        held.huge.reset();
    if (n >= 0 && n < kSmallPowers)
        return shared.small(n);
    for (unsigned i = 0; i < 4; ++i)
        if (held.exponent[i] == n)
            return *held.value[i];
    check_exact_size(static_cast<long double>(n), "a power of ten");
    std::shared_ptr<const mpz_class> value = shared.large(n);
    if (n > kRetainedPowerDigits) {
        held.huge = std::move(value);
        return *held.huge;
    }
    const unsigned i = held.next++ % 4;
    held.exponent[i] = n;
    held.value[i] = std::move(value);
    return *held.value[i];
}

// Never destroyed: request threads may still be computing while the process
// exits.
SharedPowers& shared_powers_of(unsigned long base)
{
    static SharedPowers* const tens = new SharedPowers(10);
    static SharedPowers* const fives = new SharedPowers(5);
    return base == 10 ? *tens : *fives;
}

}  // namespace

const mpz_class& power_of_ten(std::int64_t n)
{
    thread_local HeldPowers held;
    return cached_power(n, shared_powers_of(10), held);
}

const mpz_class& power_of_five(std::int64_t n)
{
    thread_local HeldPowers held;
    return cached_power(n, shared_powers_of(5), held);
}

void check_exact_size(long double digits, const char* what)
{
    if (digits > static_cast<long double>(kMaxExactDigits))
        throw NumberOverflowError(std::string("The exact value of ") + what + " would need about " +
                                  std::to_string(static_cast<long long>(std::min<long double>(
                                      digits, static_cast<long double>(LLONG_MAX)))) +
                                  " digits, more than can be held.");
}

std::int64_t checked_exponent(__int128 exponent)
{
    if (exponent > kMaxExponent)
        throw NumberOverflowError("The result is too large to represent.");
    if (exponent < -kMaxExponent)
        throw NumberUnderflowError("The result is too small to represent.");
    return static_cast<std::int64_t>(exponent);
}

std::string decimal_digits(const mpz_class& value)
{
    return value.get_str(10);
}

}  // namespace number_detail

using namespace number_detail;

namespace {

// Linking Number pulls in the out-of-memory handling of GmpMemory.cpp.
[[maybe_unused]] const bool g_memory_functions = number_memory_functions_installed();

std::atomic<int> g_default_precision{30};

mpz_class scaled(const mpz_class& mantissa, std::int64_t shift)
{
    if (shift == 0)
        return mantissa;
    return mantissa * power_of_ten(shift);
}

// |a| <=> |b| for non-zero values.
std::strong_ordering compare_magnitude(const Number& a, const Number& b)
{
    const std::int64_t ea = a.exponent();
    const std::int64_t eb = b.exponent();
    if (ea != eb)
        return ea <=> eb;
    const std::int64_t sa = NumberInternals::scale(a);
    const std::int64_t sb = NumberInternals::scale(b);
    const mpz_class& ma = NumberInternals::mantissa(a);
    const mpz_class& mb = NumberInternals::mantissa(b);
    int c = 0;
    if (sa > sb)
        c = cmp(scaled(ma, sa - sb), mb);
    else if (sb > sa)
        c = cmp(ma, scaled(mb, sb - sa));
    else
        c = cmp(ma, mb);
    return c <=> 0;
}

// value = round(value / 10), half away from zero (value >= 0). A remainder
// and an exact division are much cheaper than a dividing pass. Returns
// whether the result may end in a zero digit.
bool drop_last_digit_rounding(mpz_class& value)
{
    const unsigned long last_two = mpz_fdiv_ui(value.get_mpz_t(), 100);
    const unsigned long last = last_two % 10;
    if (last != 0)
        value -= last;
    mpz_divexact_ui(value.get_mpz_t(), value.get_mpz_t(), 10);
    const bool up = last >= 5;
    if (up)
        value += 1;
    return (last_two / 10 + (up ? 1 : 0)) % 10 == 0;
}

// Whether the digits of a (with da digits) are at least those of b (db
// digits) when both are aligned at their leading digit.
bool leading_digits_at_least(const mpz_class& a, std::int64_t da, const mpz_class& b,
                             std::int64_t db)
{
    long ea = 0;
    long eb = 0;
    const double ta = mpz_get_d_2exp(&ea, a.get_mpz_t());
    const double tb = mpz_get_d_2exp(&eb, b.get_mpz_t());
    const double difference = (std::log2(ta) - std::log2(tb) + static_cast<double>(ea - eb)) *
                                  0.30102999566398119521 -
                              static_cast<double>(da - db);
    if (difference > 1e-9)
        return true;
    if (difference < -1e-9)
        return false;
    if (da >= db)
        return cmp(a, scaled(b, da - db)) >= 0;
    return cmp(scaled(a, db - da), b) >= 0;
}

}  // namespace

// ---------------------------------------------------------------- internals

Number NumberInternals::make(int sign, mpz_class mantissa, std::int64_t scale,
                             bool may_end_in_zero)
{
    Number r;
    if (sign == 0 || sgn(mantissa) == 0)
        return r;
    // An odd mantissa cannot end in zero; that test costs nothing.
    if (may_end_in_zero && mpz_even_p(mantissa.get_mpz_t()) &&
        mpz_divisible_ui_p(mantissa.get_mpz_t(), 5)) {
        static const mpz_class ten(10);
        const auto zeros = mpz_remove(mantissa.get_mpz_t(), mantissa.get_mpz_t(), ten.get_mpz_t());
        scale = checked_exponent(static_cast<__int128>(scale) + static_cast<__int128>(zeros));
    }
    checked_exponent(scale);
    if (scale > kMaxExponent - kMaxExactDigits * 4)
        checked_exponent(static_cast<__int128>(scale) + digit_count(mantissa) - 1);
    r.m_mantissa = std::move(mantissa);
    r.m_scale = scale;
    r.m_sign = sign < 0 ? -1 : 1;
    return r;
}

Number NumberInternals::round_truncated(int sign, mpz_class truncated, std::int64_t scale,
                                        std::int64_t places, std::int64_t digits)
{
    if (digits <= 0)
        digits = digit_count(truncated);
    const std::int64_t keep = places + 1;
    if (digits <= keep)
        return make(sign, std::move(truncated), scale);
    const std::int64_t k = digits - keep;
    if (k > 1)
        mpz_tdiv_q(truncated.get_mpz_t(), truncated.get_mpz_t(), power_of_ten(k - 1).get_mpz_t());
    const bool may_end_in_zero = drop_last_digit_rounding(truncated);
    return make(sign, std::move(truncated), checked_exponent(static_cast<__int128>(scale) + k),
                may_end_in_zero);
}

Number NumberInternals::round_at(const Number& x, std::int64_t position)
{
    if (x.m_sign == 0 || x.m_scale >= position)
        return x;
    const __int128 drop = static_cast<__int128>(position) - x.m_scale;
    const std::int64_t digits = digit_count(x.m_mantissa);
    if (drop > digits)
        return Number();
    const auto k = static_cast<std::int64_t>(drop);
    mpz_class q;
    if (k > 1)
        mpz_tdiv_q(q.get_mpz_t(), x.m_mantissa.get_mpz_t(), power_of_ten(k - 1).get_mpz_t());
    else
        q = x.m_mantissa;
    const bool may_end_in_zero = drop_last_digit_rounding(q);
    return make(x.m_sign, std::move(q), position, may_end_in_zero);
}

// ---------------------------------------------------------------- basics

Number::Number() = default;

Number::Number(long long value)
{
    if (value == 0)
        return;
    mpz_class m;
    mpz_set_si(m.get_mpz_t(), static_cast<long>(value));
    mpz_abs(m.get_mpz_t(), m.get_mpz_t());
    *this = NumberInternals::make(value < 0 ? -1 : 1, std::move(m), 0);
}

int Number::sign() const { return m_sign; }
bool Number::is_zero() const { return m_sign == 0; }
bool Number::is_integer() const { return m_sign == 0 || m_scale >= 0; }

std::int64_t Number::exponent() const
{
    if (m_sign == 0)
        return 0;
    return m_scale + digit_count(m_mantissa) - 1;
}

std::int64_t Number::significant_digits() const
{
    return m_sign == 0 ? 1 : digit_count(m_mantissa);
}

int Number::last_digit() const
{
    return static_cast<int>(mpz_fdiv_ui(m_mantissa.get_mpz_t(), 10));
}

std::optional<std::int64_t> Number::to_int64() const
{
    if (m_sign == 0)
        return 0;
    if (m_scale < 0 || exponent() > 18)
        return std::nullopt;
    mpz_class v = scaled(m_mantissa, m_scale);
    if (m_sign < 0)
        v = -v;
    if (!mpz_fits_slong_p(v.get_mpz_t()))
        return std::nullopt;
    return static_cast<std::int64_t>(mpz_get_si(v.get_mpz_t()));
}

// ---------------------------------------------------------------- exact arithmetic

Number Number::operator-() const
{
    Number r = *this;
    r.m_sign = -r.m_sign;
    return r;
}

Number Number::abs() const
{
    Number r = *this;
    if (r.m_sign < 0)
        r.m_sign = 1;
    return r;
}

Number operator+(const Number& a, const Number& b)
{
    if (a.m_sign == 0)
        return b;
    if (b.m_sign == 0)
        return a;
    const std::int64_t s = std::min(a.m_scale, b.m_scale);
    const std::int64_t shift_a = a.m_scale - s;
    const std::int64_t shift_b = b.m_scale - s;
    check_exact_size(static_cast<long double>(std::max(shift_a, shift_b)) +
                         static_cast<long double>(std::max(mpz_sizeinbase(a.m_mantissa.get_mpz_t(), 10),
                                                           mpz_sizeinbase(b.m_mantissa.get_mpz_t(), 10))),
                     "a sum");
    mpz_class ma = scaled(a.m_mantissa, shift_a);
    const mpz_class mb = scaled(b.m_mantissa, shift_b);
    if (a.m_sign == b.m_sign) {
        ma += mb;
        return NumberInternals::make(a.m_sign, std::move(ma), s);
    }
    const int c = cmp(ma, mb);
    if (c == 0)
        return Number();
    if (c > 0) {
        ma -= mb;
        return NumberInternals::make(a.m_sign, std::move(ma), s);
    }
    mpz_class d = mb - ma;
    return NumberInternals::make(b.m_sign, std::move(d), s);
}

Number operator-(const Number& a, const Number& b) { return a + (-b); }

Number operator*(const Number& a, const Number& b)
{
    if (a.m_sign == 0 || b.m_sign == 0)
        return Number();
    check_exact_size(static_cast<long double>(mpz_sizeinbase(a.m_mantissa.get_mpz_t(), 10)) +
                         static_cast<long double>(mpz_sizeinbase(b.m_mantissa.get_mpz_t(), 10)),
                     "a product");
    const std::int64_t scale =
        checked_exponent(static_cast<__int128>(a.m_scale) + static_cast<__int128>(b.m_scale));
    return NumberInternals::make(a.m_sign * b.m_sign, a.m_mantissa * b.m_mantissa, scale);
}

Number& Number::operator+=(const Number& b) { return *this = *this + b; }
Number& Number::operator-=(const Number& b) { return *this = *this - b; }
Number& Number::operator*=(const Number& b) { return *this = *this * b; }

bool operator==(const Number& a, const Number& b)
{
    return a.m_sign == b.m_sign && a.m_scale == b.m_scale && a.m_mantissa == b.m_mantissa;
}

std::strong_ordering operator<=>(const Number& a, const Number& b)
{
    if (a.m_sign != b.m_sign)
        return a.m_sign <=> b.m_sign;
    if (a.m_sign == 0)
        return std::strong_ordering::equal;
    const std::strong_ordering m = compare_magnitude(a, b);
    if (a.m_sign > 0)
        return m;
    return 0 <=> m;
}

// ---------------------------------------------------------------- rounding and division

Number Number::round(int places) const
{
    if (m_sign == 0)
        return *this;
    places = std::max(places, 0);
    return NumberInternals::round_at(
        *this, checked_exponent(static_cast<__int128>(exponent()) - places));
}

Number Number::divide(const Number& divisor, int places) const
{
    if (divisor.m_sign == 0)
        throw NumberDomainError("Division by zero is not defined.");
    if (m_sign == 0)
        return Number();
    places = std::max(places, 0);
    const std::int64_t da = digit_count(m_mantissa);
    const std::int64_t db = digit_count(divisor.m_mantissa);
    const int sign = m_sign * divisor.m_sign;
    const std::int64_t keep = static_cast<std::int64_t>(places) + 1;
    // Scale (or truncate) the dividend so that the truncated integer quotient
    // has exactly places + 2 digits; truncation with that guard digit rounds
    // correctly.
    const std::int64_t lead = leading_digits_at_least(m_mantissa, da, divisor.m_mantissa, db) ? 1 : 0;
    const std::int64_t shift = keep + 1 - (da - db) - lead;
    mpz_class q;
    if (shift >= 0) {
        check_exact_size(static_cast<long double>(da + shift), "a quotient");
        q = m_mantissa * power_of_ten(shift);
    } else {
        mpz_tdiv_q(q.get_mpz_t(), m_mantissa.get_mpz_t(), power_of_ten(-shift).get_mpz_t());
    }
    mpz_tdiv_q(q.get_mpz_t(), q.get_mpz_t(), divisor.m_mantissa.get_mpz_t());
    const std::int64_t scale = checked_exponent(static_cast<__int128>(m_scale) - divisor.m_scale -
                                                shift);
    return NumberInternals::round_truncated(sign, std::move(q), scale, places, keep + 1);
}

namespace {

int rule_places(const Number& a) {
    return static_cast<int>(std::min<std::int64_t>(
        std::max<std::int64_t>(a.significant_digits(), Number::default_precision()), INT_MAX / 2));
}

int rule_places(const Number& a, const Number& b)
{
    return std::max(rule_places(a), rule_places(b));
}

}  // namespace

Number operator/(const Number& a, const Number& b) { return a.divide(b, rule_places(a, b)); }

Number Number::integer_divide(const Number& divisor) const
{
    if (divisor.m_sign == 0)
        throw NumberDomainError("Division by zero is not defined.");
    if (m_sign == 0)
        return Number();
    if (exponent() < divisor.exponent())
        return Number();
    const std::int64_t shift = m_scale - divisor.m_scale;
    mpz_class q;
    if (shift >= 0) {
        check_exact_size(static_cast<long double>(digit_count(m_mantissa)) + shift,
                         "an integer quotient");
        mpz_tdiv_q(q.get_mpz_t(), scaled(m_mantissa, shift).get_mpz_t(),
                   divisor.m_mantissa.get_mpz_t());
    } else {
        check_exact_size(static_cast<long double>(digit_count(divisor.m_mantissa)) - shift,
                         "an integer quotient");
        mpz_tdiv_q(q.get_mpz_t(), m_mantissa.get_mpz_t(),
                   scaled(divisor.m_mantissa, -shift).get_mpz_t());
    }
    return NumberInternals::make(m_sign * divisor.m_sign, std::move(q), 0);
}

Number Number::remainder(const Number& divisor) const
{
    const Number q = integer_divide(divisor);
    return *this - q * divisor;
}

// ---------------------------------------------------------------- precision rule

void Number::set_default_precision(int digits)
{
    g_default_precision.store(std::max(digits, 2), std::memory_order_relaxed);
}

int Number::default_precision() { return g_default_precision.load(std::memory_order_relaxed); }

Number Number::sqrt() const { return sqrt(rule_places(*this)); }
Number Number::cbrt() const { return cbrt(rule_places(*this)); }
Number Number::exp() const { return exp(rule_places(*this)); }
Number Number::ln() const { return ln(rule_places(*this)); }
Number Number::log10() const { return log10(rule_places(*this)); }
Number Number::sin() const { return sin(rule_places(*this)); }
Number Number::cos() const { return cos(rule_places(*this)); }
Number Number::tan() const { return tan(rule_places(*this)); }
Number Number::asin() const { return asin(rule_places(*this)); }
Number Number::acos() const { return acos(rule_places(*this)); }
Number Number::atan() const { return atan(rule_places(*this)); }
Number Number::sinh() const { return sinh(rule_places(*this)); }
Number Number::cosh() const { return cosh(rule_places(*this)); }
Number Number::tanh() const { return tanh(rule_places(*this)); }
Number Number::asinh() const { return asinh(rule_places(*this)); }
Number Number::acosh() const { return acosh(rule_places(*this)); }
Number Number::atanh() const { return atanh(rule_places(*this)); }
Number Number::pow(const Number& exponent) const
{
    return pow(exponent, rule_places(*this, exponent));
}
