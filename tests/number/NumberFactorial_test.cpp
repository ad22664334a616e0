// Rounded factorials, combinations and permutations against the exact
// integers rounded once, at 15, 35 and 512 digits: small values (computed
// exactly), values on both sides of the switch to log-gamma, up to 205021!,
// exact results, exact ties and values a hair from a rounding midpoint.
#include <map>
#include <utility>

#include <gtest/gtest.h>

#include "number/Number.h"
#include "tests/number/NumberPrinting.h"

namespace {

const Number& exact_factorial(long long n)
{
    static std::map<long long, Number> cache;
    auto it = cache.find(n);
    if (it == cache.end())
        it = cache.emplace(n, Number(n).factorial()).first;
    return it->second;
}

Number exact_permutations(long long n, long long r)
{
    return exact_factorial(n).integer_divide(exact_factorial(n - r));
}

Number exact_combinations(long long n, long long r)
{
    return exact_permutations(n, r).integer_divide(exact_factorial(r));
}

// first * (first + 1) * ... * (first + count - 1), exactly.
Number run(const Number& first, long long count)
{
    if (count == 1)
        return first;
    const long long half = count / 2;
    return run(first, half) * run(first + Number(half), count - half);
}

class NumberFactorial : public ::testing::TestWithParam<int> {};

TEST_P(NumberFactorial, FactorialMatchesTheExactValueRounded)
{
    const int places = GetParam();
    const long long rows[] = {
        0, 1, 2, 3, 4, 5, 9, 10, 19, 20, 21, 22, 25, 30, 100, 170, 171, 449, 450, 700, 701, 800,
        980, 1000, 2000, 5000, 5400, 5500, 10000, 25206, 50000, 100000, 150000, 205021,
        // The digits after the 15th, 35th or 512th lie close to a midpoint
        // (4999962..., 5000092...; 5000000342..., 5000009148...; 50000070...).
        95432, 125263, 104857, 202521, 117658,
    };
    for (const long long n : rows) {
        const Number expected = exact_factorial(n).round(places);
        EXPECT_EQ(Number(n).factorial(places), expected) << n << "! at " << places + 1 << " digits";
    }
}

TEST_P(NumberFactorial, CombinationsAndPermutationsMatchTheExactValuesRounded)
{
    const int places = GetParam();
    const std::pair<long long, long long> rows[] = {
        {0, 0}, {1, 0}, {1, 1}, {5, 2}, {10, 5}, {20, 10}, {100, 1}, {100, 99}, {1000, 500},
        {2000, 3}, {5000, 2500}, {10000, 9000}, {100000, 50000}, {200000, 100000},
        {205021, 7}, {205021, 102510}, {205021, 205021},
        // Exact results that are midpoints at 15, 35 and 512 digits.
        {55, 22}, {121, 57}, {1745, 721},
        // Close to a midpoint at 15 and 35 digits.
        {97587, 48793}, {82337, 41168},
    };
    for (const auto& [n, r] : rows) {
        EXPECT_EQ(Number::combinations(Number(n), Number(r), places),
                  exact_combinations(n, r).round(places))
            << n << " ncr " << r << " at " << places + 1 << " digits";
        EXPECT_EQ(Number::permutations(Number(n), Number(r), places),
                  exact_permutations(n, r).round(places))
            << n << " npr " << r << " at " << places + 1 << " digits";
    }
}

TEST_P(NumberFactorial, HugeNWithFewFactors)
{
    const int places = GetParam();
    const Number n = Number::from_text("1E+20");
    const long long r = 3000;  // about 57,000 digits
    const Number permutations = run(n - Number(r - 1), r);
    EXPECT_EQ(Number::permutations(n, Number(r), places), permutations.round(places));
    EXPECT_EQ(Number::combinations(n, Number(r), places),
              permutations.integer_divide(exact_factorial(r)).round(places));
}

TEST_P(NumberFactorial, ExactMidpointsRoundAwayFromZero)
{
    const int places = GetParam();
    // C(55, 22), C(121, 57) and C(1745, 721) end in a 5 just after the
    // digits kept at 15, 35 and 512 digits.
    const std::pair<long long, long long> tie = places == 14   ? std::pair{55LL, 22LL}
                                                : places == 34 ? std::pair{121LL, 57LL}
                                                               : std::pair{1745LL, 721LL};
    const Number exact = exact_combinations(tie.first, tie.second);
    ASSERT_EQ(exact.significant_digits(), places + 2);
    const Number rounded = Number::combinations(Number(tie.first), Number(tie.second), places);
    EXPECT_GT(rounded, exact);
    EXPECT_EQ(rounded.significant_digits(), places + 1);
}

TEST(NumberFactorialErrors, AsTheExactPath)
{
    EXPECT_THROW(Number(-1).factorial(14), NumberDomainError);
    EXPECT_THROW(Number::from_text("2.5").factorial(14), NumberDomainError);
    EXPECT_THROW(Number(2'000'000'000).factorial(14), NumberOverflowError);
    EXPECT_THROW(Number(100'000'000).factorial(14), NumberOverflowError);  // 756 million digits
    EXPECT_THROW(Number::combinations(Number(3), Number(4), 14), NumberDomainError);
    EXPECT_THROW(Number::permutations(Number(3), Number(-1), 14), NumberDomainError);
    EXPECT_THROW(Number::combinations(Number::from_text("3.5"), Number(1), 14), NumberDomainError);
    EXPECT_EQ(Number::combinations(Number::from_text("1E+30"), Number(2), 40),
              Number::from_text("4.999999999999999999999999999995E+59"));
    EXPECT_EQ(Number::permutations(Number::from_text("1E+30"), Number(2), 40),
              Number::from_text("9.99999999999999999999999999999E+59"));
}

INSTANTIATE_TEST_SUITE_P(Digits, NumberFactorial, ::testing::Values(14, 34, 511));

}  // namespace
