#include "port/ArithRoutines.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "port/Operations.h"

namespace {

int ClampPlaces(std::int64_t places) {
    return static_cast<int>(std::min<std::int64_t>(places, std::numeric_limits<int>::max()));
}

[[noreturn]] void ThrowInvalidInput() { throw std::runtime_error("invalid input"); }

// Product of `count` consecutive integers from `first`, split in halves so the
// big multiplications happen between operands of similar size.
Number ProductOfRun(const Number& first, std::int64_t count) {
    if (count <= 16) {
        Number result = first;
        Number i = first;
        for (std::int64_t k = 1; k < count; ++k) {
            i += 1;
            result *= i;
        }
        return result;
    }
    const std::int64_t half = count / 2;
    return ProductOfRun(first, half) * ProductOfRun(first + Number(static_cast<long long>(half)), count - half);
}

}  // namespace

int RulePlaces(const Number& x, int precision) {
    return ClampPlaces(std::max<std::int64_t>(x.significant_digits(), std::max(precision, 2)));
}

int RulePlaces(const Number& left, const Number& right, int precision) {
    return ClampPlaces(std::max({left.significant_digits(), static_cast<std::int64_t>(std::max(precision, 2)),
                                 right.significant_digits()}));
}

Number Square(const Number& x, int precision) {
    const Number two(2);
    return x.pow(two, RulePlaces(x, two, precision));
}

Number Cube(const Number& x, int precision) {
    const Number three(3);
    return x.pow(three, RulePlaces(x, three, precision));
}

Number Reciprocal(const Number& x, int precision) {
    const Number one(1);
    return one.divide(x, RulePlaces(one, x, precision));
}

Number NegateValue(const Number& x, int) { return -x; }

Number IntegerPart(const Number& x, int) {
    if (x.is_integer())
        return x;
    return Number::from_text(x.to_integer_text());
}

Number RoundToInteger(const Number& x, int) {
    if (x.is_integer())
        return x;
    return Number::from_text(x.to_fixed(0));
}

Number Power(const Number& x, const Number& y, int precision) { return x.pow(y, RulePlaces(x, y, precision)); }

Number CalcSequenceProduct(const Number& first, const Number& last) {
    if (first > last)
        throw std::runtime_error("Invalid params passed into CalcSequenceProduct: first > last!");
    const auto span = (last - first).to_int64();
    if (!span || *span >= std::numeric_limits<std::int64_t>::max())
        throw std::length_error("CalcSequenceProduct: the run of integers is too long");
    return ProductOfRun(first, *span + 1);
}

bool IsIntegerDivisionValid(const Number& left, const Number& right) {
    return left.is_integer() && right.is_integer() && !right.is_zero();
}

bool IsCombinationValid(const Number& n, const Number& r) {
    return n.is_integer() && r.is_integer() && n.sign() >= 0 && r.sign() >= 0 && n >= r;
}

Number IntegerDivide(const Number& left, const Number& right, int) {
    if (!IsIntegerDivisionValid(left, right))
        ThrowInvalidInput();
    return left.integer_divide(right);
}

Number Modulo(const Number& left, const Number& right, int) {
    if (!IsIntegerDivisionValid(left, right))
        ThrowInvalidInput();
    return left.remainder(right);
}

Number NCr(const Number& n, const Number& r, int precision) {
    if (!IsCombinationValid(n, r))
        ThrowInvalidInput();
    if (r.is_zero() || r == n)
        return Number(1);
    if (r == Number(1))
        return n;
    const Number d = n - r;
    const Number& hi = d > r ? d : r;
    const Number& lo = d > r ? r : d;
    const Number numerator = CalcSequenceProduct(hi + 1, n);
    const Number denominator = lo.factorial();
    return numerator.divide(denominator, RulePlaces(numerator, denominator, precision));
}

Number NPr(const Number& n, const Number& r, int) {
    if (!IsCombinationValid(n, r))
        ThrowInvalidInput();
    if (r == n)
        return n.factorial();
    if (r.is_zero())
        return Number(1);
    return CalcSequenceProduct(n - r + 1, n);
}

void BuildFunctionTables(SingleArgFuncTable& oneArg, TwoArgFuncTable& twoArg) {
    oneArg.clear();
    twoArg.clear();
    for (const OperationSpec& op : Operations()) {
        if (op.oneArg)
            oneArg.emplace(op.engineName, op.oneArg);
        else if (op.twoArg)
            twoArg.emplace(op.engineName, op.twoArg);
    }
}
