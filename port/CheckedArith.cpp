#include "port/CheckedArith.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "port/ArithRoutines.h"
#include "port/CalcTypes.h"
#include "port/ErgastoException.h"

namespace {

// log10 of the largest result the worker reports as a number.
constexpr double kLog10Limit = 999999.0;
// Below this n, long double log-gamma is accurate to far better than kMargin.
constexpr double kExactRegion = 1e15;
constexpr double kMargin = 0.01;

constexpr long double kLn10 = 2.302585092994045684017991454684364208L;

// The reentrant log-gamma: std::lgamma writes the C library's global signgam,
// a data race between request threads.
long double Log10Gamma(long double x) {
    int sign = 0;
    return lgammal_r(x, &sign) / kLn10;
}

// log10 |x| for x != 0, to double accuracy, whatever the exponent.
double Log10Of(const Number& x) {
    // The exponent of the rounded value: 0.99999999999999999999 rounds up to 1.
    const Number rounded = x.abs().round(17);
    const std::string text = rounded.to_scientific(17);
    const auto e = text.find_first_of("Ee");
    const double mantissa = std::stod(text.substr(0, e));
    return std::log10(mantissa) + static_cast<double>(rounded.exponent());
}

double ToDouble(const Number& x) {
    const double d = x.to_double();
    return std::isfinite(d) ? d : std::numeric_limits<double>::infinity();
}

void RaiseIfTooLarge(double log10LowerBound) {
    if (log10LowerBound > kLog10Limit)
        throw NumberOverflowError("result above 1E999999");
}

}  // namespace

const Number& MaxOf(const Number& a, const Number& b) { return a > b ? a : b; }
const Number& MinOf(const Number& a, const Number& b) { return a < b ? a : b; }

double Log10FactorialLowerBound(const Number& n) {
    const double v = ToDouble(n);
    if (v < 2)
        return 0;
    if (v < kExactRegion)
        return static_cast<double>(Log10Gamma(static_cast<long double>(v) + 1)) - kMargin;
    // n! >= (n / e)^n
    return v * (Log10Of(n) - std::log10(std::exp(1.0)));
}

double Log10CombinationsLowerBound(const Number& n, const Number& r) {
    const Number rest = n - r;
    const Number k = MinOf(r, rest);
    if (k.is_zero())
        return 0;
    const double nv = ToDouble(n);
    if (nv < kExactRegion) {
        const long double rv = ToDouble(r);
        const long double value = Log10Gamma(nv + 1.0L) - Log10Gamma(rv + 1) - Log10Gamma(nv - rv + 1);
        return static_cast<double>(value) - kMargin;
    }
    // nCr >= (n / k)^k with k = min(r, n - r)
    return ToDouble(k) * (Log10Of(n) - Log10Of(k));
}

double Log10PermutationsLowerBound(const Number& n, const Number& r) {
    if (r.is_zero())
        return 0;
    const double nv = ToDouble(n);
    if (nv < kExactRegion) {
        const long double rv = ToDouble(r);
        return static_cast<double>(Log10Gamma(nv + 1.0L) - Log10Gamma(nv - rv + 1)) - kMargin;
    }
    // The first min(r, n / 2) factors n, n - 1, ... are each at least n / 2.
    const double factors = std::min(ToDouble(r), nv / 2);
    return factors * (Log10Of(n) - std::log10(2.0));
}

double Log10PowerMagnitude(const Number& base, const Number& exponent) {
    const double log10Base = Log10Of(base);
    if (log10Base == 0)
        return 0;
    return exponent.to_double() * log10Base;
}

Number CheckedSqrt(const Number& x, int precision) {
    if (x.sign() < 0)
        throw ErgastoException(ErrSqrt);
    return x.sqrt(RulePlaces(x, precision));
}

Number CheckedLn(const Number& x, int precision) {
    if (x.sign() <= 0)
        throw ErgastoException(ErrLn);
    return x.ln(RulePlaces(x, precision));
}

Number CheckedLog10(const Number& x, int precision) {
    if (x.sign() <= 0)
        throw ErgastoException(ErrLog);
    return x.log10(RulePlaces(x, precision));
}

Number CheckedAsin(const Number& x, int precision) {
    if (x < Number(-1) || x > Number(1))
        throw ErgastoException(ErrAsin);
    return x.asin(RulePlaces(x, precision));
}

Number CheckedAcos(const Number& x, int precision) {
    if (x < Number(-1) || x > Number(1))
        throw ErgastoException(ErrAcos);
    return x.acos(RulePlaces(x, precision));
}

Number CheckedReciprocal(const Number& x, int precision) {
    if (x.is_zero())
        throw ErgastoException(ErrReciprocal);
    return Reciprocal(x, precision);
}

// Factorial, nCr and nPr are integers; the report rounds them to the
// request's digits, so they are computed rounded to the places of the rule
// (the exact value rounded once). A request for all digits (digits below 1)
// gets the exact integer.
Number CheckedFactorial(const Number& x, int precision) {
    if (x.sign() < 0 || !x.is_integer())
        throw ErgastoException(ErrFactorial);
    RaiseIfTooLarge(Log10FactorialLowerBound(x));
    if (precision < 1)
        return x.factorial();
    return x.factorial(RulePlaces(x, precision));
}

Number CheckedNCr(const Number& n, const Number& r, int precision) {
    if (!IsCombinationValid(n, r))
        throw ErgastoException(ErrNCr);
    RaiseIfTooLarge(Log10CombinationsLowerBound(n, r));
    if (precision < 1)
        return NCr(n, r, precision);
    return Number::combinations(n, r, RulePlaces(n, r, precision));
}

Number CheckedNPr(const Number& n, const Number& r, int precision) {
    if (!IsCombinationValid(n, r))
        throw ErgastoException(ErrNPr);
    RaiseIfTooLarge(Log10PermutationsLowerBound(n, r));
    if (precision < 1)
        return NPr(n, r, precision);
    return Number::permutations(n, r, RulePlaces(n, r, precision));
}

Number CheckedIntegerDivide(const Number& left, const Number& right, int precision) {
    if (!IsIntegerDivisionValid(left, right))
        throw ErgastoException(ErrIntegerDivide);
    return IntegerDivide(left, right, precision);
}

Number CheckedMod(const Number& left, const Number& right, int precision) {
    if (!IsIntegerDivisionValid(left, right))
        throw ErgastoException(ErrModulo);
    return Modulo(left, right, precision);
}
