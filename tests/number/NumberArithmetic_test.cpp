// Exact arithmetic, comparison, rounding and division.
#include <gtest/gtest.h>

#include "number/Number.h"
#include "tests/number/NumberPrinting.h"

namespace {

Number N(const char* text) { return Number::from_text(text); }

TEST(NumberArithmetic, IsExact)
{
    EXPECT_EQ(N("0.1") + N("0.2"), N("0.3"));
    EXPECT_EQ(N("1E+30") + N("1E-30") - N("1E+30"), N("1E-30"));
    EXPECT_EQ(N("1.5") * N("-2"), N("-3"));
    EXPECT_EQ((N("2") * N("5")).to_scientific(), "1E+1");
    EXPECT_EQ(N("123456789012345678901234567890") * N("987654321098765432109876543210"),
              N("121932631137021795226185032733622923332237463801111263526900"));
    EXPECT_EQ(N("5") - N("5"), Number());
    EXPECT_TRUE((N("5") - N("5")).is_zero());
    EXPECT_EQ(-N("0"), Number());
    EXPECT_EQ(N("-3.5").abs(), N("3.5"));
    Number x = N("1.25");
    x += N("0.75");
    x *= N("3");
    x -= N("1");
    EXPECT_EQ(x, Number(5));
}

TEST(NumberArithmetic, ThirdTimesThreeIsNotOne)
{
    const Number third = Number(1).divide(Number(3), 19);
    EXPECT_EQ(third.to_scientific(), "3.3333333333333333333E-1");
    const Number product = third * Number(3);
    EXPECT_NE(product, Number(1));
    EXPECT_EQ(product, N("0.99999999999999999999"));
}

TEST(NumberArithmetic, Ordering)
{
    const char* ascending[] = {"-1E+100", "-150", "-1.5", "-1E-100", "0", "1E-100",
                               "0.0999", "0.1",   "0.10001", "1",    "1E+100"};
    for (std::size_t i = 0; i + 1 < std::size(ascending); ++i) {
        EXPECT_LT(N(ascending[i]), N(ascending[i + 1])) << ascending[i];
        EXPECT_GT(N(ascending[i + 1]), N(ascending[i])) << ascending[i];
        EXPECT_NE(N(ascending[i]), N(ascending[i + 1]));
    }
    EXPECT_EQ(N("1.50"), N("1.5"));
    EXPECT_EQ(N("1.5") <=> N("15E-1"), std::strong_ordering::equal);
}

TEST(NumberArithmetic, RoundIsHalfAwayFromZero)
{
    const std::tuple<const char*, int, const char*> cases[] = {
        {"2.5", 0, "3"},     {"-2.5", 0, "-3"},    {"2.4999999", 0, "2"}, {"1.005", 2, "1.01"},
        {"999.5", 2, "1E+3"}, {"123456", 1, "1.2E+5"}, {"-0.000155", 1, "-0.00016"},
        {"7", 5, "7"},       {"0", 3, "0"},
    };
    for (const auto& [value, places, expected] : cases)
        EXPECT_EQ(N(value).round(places), N(expected)) << value << " " << places;
}

TEST(NumberArithmetic, DivisionIsCorrectlyRounded)
{
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"1", "8", 1, "0.13"},        {"-1", "8", 1, "-0.13"},     {"1", "8", 5, "0.125"},
        {"2", "3", 4, "0.66667"},     {"10", "4", 30, "2.5"},      {"1", "7", 0, "0.1"},
        {"1E+999999", "1E-999999", 3, "1E+1999998"},             {"9.99", "1", 1, "10"},
        {"-6", "-4", 10, "1.5"},      {"22", "7", 9, "3.142857143"},
    };
    for (const auto& [a, b, places, expected] : cases)
        EXPECT_EQ(N(a).divide(N(b), places), N(expected)) << a << "/" << b << " " << places;
}

TEST(NumberArithmetic, IntegerDivisionTruncates)
{
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"7", "2", "3", "1"},       {"-7", "2", "-3", "-1"},  {"7", "-2", "-3", "1"},
        {"-7", "-2", "3", "-1"},    {"1", "3", "0", "1"},     {"7.5", "2", "3", "1.5"},
        {"1E+30", "7", "142857142857142857142857142857", "1"}, {"0", "5", "0", "0"},
        {"5.5", "0.25", "22", "0"},
    };
    for (const auto& [a, b, q, r] : cases) {
        EXPECT_EQ(N(a).integer_divide(N(b)), N(q)) << a << " idiv " << b;
        EXPECT_EQ(N(a).remainder(N(b)), N(r)) << a << " mod " << b;
    }
}

TEST(NumberArithmetic, PrecisionRule)
{
    const int saved = Number::default_precision();
    Number::set_default_precision(1);
    EXPECT_EQ(Number::default_precision(), 2);
    Number::set_default_precision(10);
    // One-argument functions: places = max(significant digits, default).
    EXPECT_EQ(Number(2).sqrt(), N("1.4142135624"));
    EXPECT_EQ(N("2.000000000000001").sqrt().significant_digits(), 17);
    // Division and power: places = max(sig(left), default, sig(right)).
    EXPECT_EQ(Number(1) / Number(3), N("0.33333333333"));
    EXPECT_EQ(Number(2).pow(N("0.5")), N("1.4142135624"));
    EXPECT_EQ(N("1.5").pow(Number(2)), N("2.25"));
    Number::set_default_precision(saved);
}

TEST(NumberArithmetic, HugeValuesAreRepresentable)
{
    const Number big = N("1E999999") * N("1E999999");
    EXPECT_EQ(big.exponent(), 1999998);
    EXPECT_EQ(big.to_scientific(), "1E+1999998");
    const Number power = Number(2).pow(Number(5555555), 20);
    EXPECT_EQ(power.exponent(), 1672388);
    EXPECT_EQ(power.to_scientific(5), "4.98380E+1672388");
    EXPECT_EQ(Number(2).pow(Number(-5555555), 5).exponent(), -1672389);
    const Number sum = N("1E999999") + N("1E-999999");
    EXPECT_EQ(sum.significant_digits(), 1999999);
}

TEST(NumberArithmetic, GiganticExactResultsAreRefused)
{
    EXPECT_THROW(N("1E999999999") + N("1E-999999999"), NumberOverflowError);
    EXPECT_THROW(N("1E3000000000000000000") * N("1E3000000000000000000"), NumberOverflowError);
    EXPECT_THROW(N("1E999999999").integer_divide(N("3")), NumberOverflowError);
    EXPECT_THROW(N("1E+100000000").to_fixed(), NumberOverflowError);
    EXPECT_THROW(N("1.5").to_fixed(2'000'000'000), NumberOverflowError);
    EXPECT_THROW(N("1.5").to_scientific(2'000'000'000), NumberOverflowError);
    EXPECT_THROW(Number(123456789).factorial(), NumberOverflowError);
    EXPECT_THROW(N("1.5").pow(N("1E+30")), NumberOverflowError);
}

}  // namespace
