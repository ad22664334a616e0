// Roots, powers, factorial, constants, exact special cases and domain errors.
#include <functional>

#include <gtest/gtest.h>

#include "number/Number.h"
#include "tests/number/NumberPrinting.h"

namespace {

Number N(const char* text) { return Number::from_text(text); }

TEST(NumberFunctions, RootsRoundExactMidpointsAwayFromZero)
{
    EXPECT_EQ(N("6.25").sqrt(1), N("2.5"));
    EXPECT_EQ(N("6.25").sqrt(0), N("3"));
    EXPECT_EQ(N("0.0625").sqrt(0), N("0.3"));
    EXPECT_EQ(N("1E-100").sqrt(10), N("1E-50"));
    EXPECT_EQ(N("1E-99").sqrt(3), N("3.162E-50"));
    EXPECT_EQ(Number(2).sqrt(19), N("1.4142135623730950488"));
    // Roots just below a rounding point or an integer.
    EXPECT_EQ(N("15.99999999999999999999").sqrt(3), N("4"));
    EXPECT_EQ(N("15.99999999999999999999").sqrt(22), N("3.9999999999999999999987"));
    EXPECT_EQ(N("2.24999999999999999999").sqrt(0), N("1"));
    EXPECT_EQ(N("2.25000000000000000001").sqrt(0), N("2"));
    EXPECT_EQ(N("15.999999999999999999999999999999").sqrt(19), N("4"));
    EXPECT_EQ(N("1.5129").sqrt(3), N("1.23"));
    EXPECT_EQ(N("1.5129").sqrt(1), N("1.2"));
    EXPECT_EQ(N("15.625").cbrt(0), N("3"));  // 2.5 exactly
    EXPECT_EQ(N("15.625").cbrt(1), N("2.5"));
    EXPECT_EQ(N("-27").cbrt(5), N("-3"));
    EXPECT_EQ(N("-2").cbrt(9), N("-1.25992105"));
    EXPECT_EQ(N("1E+300").cbrt(5), N("1E+100"));
    EXPECT_EQ(N("1E+301").cbrt(3), N("2.154E+100"));
}

TEST(NumberFunctions, IntegerPowersAreExactBeforeRounding)
{
    EXPECT_EQ(N("1.5").pow(Number(2), 1), N("2.3"));  // 2.25 rounds away from zero
    EXPECT_EQ(N("-1.5").pow(Number(3), 30), N("-3.375"));
    EXPECT_EQ(N("2").pow(Number(-3), 1), N("0.13"));
    EXPECT_EQ(N("10").pow(Number(-5555555), 3), N("1E-5555555"));
    EXPECT_EQ(N("-1").pow(N("1E+40"), 3), Number(1));
    EXPECT_EQ(N("-2").pow(Number(0), 3), Number(1));
    EXPECT_EQ(Number(0).pow(Number(5), 3), Number(0));
    EXPECT_EQ(N("7").pow(Number(100), 200), N("3234476509624757991344647769100216810857203198904625400933895331391691459636928060001"));
}

TEST(NumberFunctions, RationalPowersFindExactMidpoints)
{
    EXPECT_EQ(N("6.25").pow(N("1.5"), 3), N("15.63"));
    EXPECT_EQ(N("0.16").pow(N("-1.5"), 3), N("15.63"));
    EXPECT_EQ(N("0.16").pow(N("-1.5"), 4), N("15.625"));
    EXPECT_EQ(N("0.0256").pow(N("0.75"), 0), N("0.06"));  // 0.064
    EXPECT_EQ(N("4").pow(N("0.5"), 20), Number(2));
    EXPECT_EQ(N("0.0016").pow(N("0.25"), 0), N("0.2"));
    EXPECT_EQ(N("0.0016").pow(N("-0.25"), 0), N("5"));
    EXPECT_EQ(N("2").pow(N("0.5"), 9), N("1.414213562"));
}

TEST(NumberFunctions, ExactSpecialValues)
{
    EXPECT_EQ(Number(0).exp(20), Number(1));
    EXPECT_EQ(Number(1).ln(20), Number(0));
    EXPECT_EQ(N("1E+25").log10(20), Number(25));
    EXPECT_EQ(N("1E-7").log10(0), Number(-7));
    EXPECT_EQ(N("0.001").log10(5), Number(-3));
    EXPECT_EQ(Number(0).sin(9), Number(0));
    EXPECT_EQ(Number(0).cos(9), Number(1));
    EXPECT_EQ(Number(0).tan(9), Number(0));
    EXPECT_EQ(Number(0).asin(9), Number(0));
    EXPECT_EQ(Number(1).acos(9), Number(0));
    EXPECT_EQ(Number(0).atan(9), Number(0));
    EXPECT_EQ(Number(0).sinh(9), Number(0));
    EXPECT_EQ(Number(0).cosh(9), Number(1));
    EXPECT_EQ(Number(0).tanh(9), Number(0));
    EXPECT_EQ(Number(0).asinh(9), Number(0));
    EXPECT_EQ(Number(1).acosh(9), Number(0));
    EXPECT_EQ(Number(0).atanh(9), Number(0));
    EXPECT_EQ(Number(1000).tanh(14).to_scientific(14), "1.00000000000000E+0");
    EXPECT_EQ(Number(-1000).tanh(14), Number(-1));
    EXPECT_EQ(N("20").tanh(16), N("0.99999999999999999"));  // 1 - 8.5E-18
}

TEST(NumberFunctions, ConstantsToAnyNumberOfDigits)
{
    EXPECT_EQ(Number::pi(0), Number(3));
    EXPECT_EQ(Number::pi(4), N("3.1416"));
    EXPECT_EQ(Number::pi(30), N("3.141592653589793238462643383280"));
    EXPECT_EQ(Number::e(20), N("2.71828182845904523536"));
    const Number long_pi = Number::pi(2000);
    EXPECT_EQ(long_pi.round(30), Number::pi(30));
    EXPECT_EQ(long_pi.round(1999), Number::pi(1999));
}

TEST(NumberFunctions, FactorialIsExact)
{
    Number running(1);
    for (int n = 1; n <= 300; ++n) {
        running *= Number(n);
        ASSERT_EQ(Number(n).factorial(), running) << n;
    }
    EXPECT_EQ(Number(0).factorial(), Number(1));
    EXPECT_EQ(Number(1).factorial(), Number(1));
    EXPECT_EQ(Number(5).factorial(), Number(120));
    EXPECT_EQ(Number(25).factorial(), N("15511210043330985984000000"));
    const Number big = Number(100000).factorial();
    EXPECT_EQ(big.exponent(), 456573);
    EXPECT_EQ(big.to_scientific(9), "2.824229408E+456573");
    EXPECT_EQ(big.integer_divide(Number(99999).factorial()), Number(100000));
}

TEST(NumberFunctions, HugeArgumentsOverflowCleanly)
{
    EXPECT_THROW(N("1E+30").exp(10), NumberOverflowError);
    EXPECT_THROW(N("-1E+30").exp(10), NumberUnderflowError);
    EXPECT_THROW(N("-1E+30").exp(10), NumberOverflowError);  // the same family
    EXPECT_THROW(N("0.5").pow(N("1E+30"), 10), NumberUnderflowError);
    EXPECT_THROW(N("1E-3000000000000000000").pow(N("2.5"), 10), NumberUnderflowError);
    EXPECT_THROW(N("1E+30").sinh(10), NumberOverflowError);
    EXPECT_THROW(N("-1E+30").cosh(10), NumberOverflowError);
    const Number e = N("3000000").exp(10);
    EXPECT_EQ(e.exponent(), 1302883);
    EXPECT_GT(N("2500000").cosh(5), N("1E+999999"));
    EXPECT_EQ(N("1E+30").tanh(10), Number(1));
    // Periodic functions of arguments with millions of integer digits would
    // need a working precision of millions of digits.
    EXPECT_THROW(N("1E+2000000").sin(10), NumberOverflowError);
    EXPECT_THROW(N("1E+3000000000000000000").atan(10), NumberOverflowError);
    EXPECT_EQ(N("-3000000").exp(5).exponent(), -1302884);
}

TEST(NumberFunctions, DomainErrors)
{
    const std::pair<const char*, std::function<Number()>> cases[] = {
        {"sqrt(-1)", [] { return Number(-1).sqrt(10); }},
        {"ln(0)", [] { return Number(0).ln(10); }},
        {"ln(-2)", [] { return Number(-2).ln(10); }},
        {"log10(0)", [] { return Number(0).log10(10); }},
        {"log10(-1E-9)", [] { return N("-1E-9").log10(10); }},
        {"asin(1.0001)", [] { return N("1.0001").asin(10); }},
        {"asin(-2)", [] { return Number(-2).asin(10); }},
        {"acos(1.5)", [] { return N("1.5").acos(10); }},
        {"acosh(0.999)", [] { return N("0.999").acosh(10); }},
        {"atanh(1)", [] { return Number(1).atanh(10); }},
        {"atanh(-1)", [] { return Number(-1).atanh(10); }},
        {"(-8)^(1/3)", [] { return Number(-8).pow(N("0.333"), 10); }},
        {"0^-1", [] { return Number(0).pow(Number(-1), 10); }},
        {"(-1.5)!", [] { return N("-1").factorial(); }},
        {"2.5!", [] { return N("2.5").factorial(); }},
        {"1/0", [] { return Number(1).divide(Number(0), 10); }},
        {"1/0 rule", [] { return Number(1) / Number(0); }},
        {"1 idiv 0", [] { return Number(1).integer_divide(Number(0)); }},
        {"1 mod 0", [] { return Number(1).remainder(Number(0)); }},
    };
    for (const auto& [name, call] : cases) {
        try {
            call();
            ADD_FAILURE() << name << " raised nothing";
        } catch (const NumberDomainError& error) {
            EXPECT_GT(std::string(error.what()).size(), 10U) << name;
        }
    }
    // The edges of the domains are fine.
    EXPECT_EQ(Number(1).asin(5), N("1.57080"));
    EXPECT_EQ(Number(-1).acos(5), N("3.14159"));
    EXPECT_EQ(Number(0).sqrt(5), Number(0));
}

}  // namespace
