// Every function against an independent reference: MPFR evaluated 60 digits
// beyond the requested precision from the decimal text of the argument, the
// digits then rounded half away from zero in decimal.
#include <cmath>
#include <functional>
#include <random>
#include <stdexcept>
#include <tuple>
#include <string>

#include <gtest/gtest.h>
#include <mpfr.h>

#include "number/Number.h"
#include "tests/number/NumberPrinting.h"

namespace {

using Ours = std::function<Number(const Number&, const Number&, int)>;
using Reference = std::function<void(mpfr_ptr, mpfr_srcptr, mpfr_srcptr)>;
using Argument = std::function<Number(std::mt19937_64&, int)>;

struct Function {
    const char* name;
    Ours ours;
    Reference reference;
    Argument x;
    Argument y;
};

// A random decimal with up to `digits` + 3 digits and a decimal exponent in
// [low, high].
Number random_number(std::mt19937_64& rng, int digits, int low, int high, bool negative_too)
{
    std::uniform_int_distribution<int> length(1, 2 * digits + 3);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> exponent(low, high);
    std::string text = (negative_too && (rng() & 1)) ? "-" : "";
    text += static_cast<char>('1' + digit(rng) % 9);
    text += '.';
    const int n = length(rng);
    for (int i = 1; i < n; ++i)
        text += static_cast<char>('0' + digit(rng));
    text += "E" + std::to_string(exponent(rng));
    return Number::from_text(text);
}

Argument in_range(int low, int high, bool negative_too)
{
    return [=](std::mt19937_64& rng, int digits) {
        return random_number(rng, digits, low, high, negative_too);
    };
}

// 1 + a random positive number (arguments of acosh).
Argument above_one()
{
    return [](std::mt19937_64& rng, int digits) {
        return Number(1) + random_number(rng, digits, -12, 3, false);
    };
}

// An integer from -60 to 60 (exponents of exact powers).
Argument small_integer()
{
    return [](std::mt19937_64& rng, int) {
        return Number(std::uniform_int_distribution<int>(-60, 60)(rng));
    };
}

Number reference_value(const Function& f, const Number& x, const Number& y, int places)
{
    const int digits = places + 1 + 60;
    // Periodic functions and exponentials lose the argument's integer digits.
    const std::string name = f.name;
    const bool amplifies = name == "sin" || name == "cos" || name == "tan" || name == "exp" ||
                           name == "sinh" || name == "cosh" || name.rfind("pow", 0) == 0;
    const auto prec = static_cast<mpfr_prec_t>(
        digits * 3.33 + 64 + (amplifies ? std::max<std::int64_t>(0, x.exponent()) * 3.33 : 0));
    mpfr_t xv, yv, r;
    mpfr_inits2(prec, xv, yv, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_str(xv, x.to_scientific().c_str(), 10, MPFR_RNDN);
    mpfr_set_str(yv, y.to_scientific().c_str(), 10, MPFR_RNDN);
    f.reference(r, xv, yv);
    mpfr_exp_t e10 = 0;
    char* text = mpfr_get_str(nullptr, &e10, 10, static_cast<std::size_t>(digits), r, MPFR_RNDN);
    std::string s = text;
    mpfr_free_str(text);
    mpfr_clears(xv, yv, r, static_cast<mpfr_ptr>(nullptr));
    std::string sign;
    if (s[0] == '-') {
        sign = "-";
        s.erase(0, 1);
    }
    // Round half away from zero to places + 1 digits, in decimal.
    std::string kept = s.substr(0, static_cast<std::size_t>(places) + 1);
    const bool up = s[static_cast<std::size_t>(places) + 1] >= '5';
    int i = static_cast<int>(kept.size()) - 1;
    while (up && i >= 0 && kept[static_cast<std::size_t>(i)] == '9')
        kept[static_cast<std::size_t>(i--)] = '0';
    if (up) {
        if (i >= 0) {
            ++kept[static_cast<std::size_t>(i)];
        } else {
            kept.insert(kept.begin(), '1');
            ++e10;
        }
    }
    return Number::from_text(sign + "0." + kept + "E" + std::to_string(e10));
}

Reference unary(int (*op)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t))
{
    return [op](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr) { op(r, x, MPFR_RNDN); };
}

Ours member(Number (Number::*op)(int) const)
{
    return [op](const Number& x, const Number&, int places) { return (x.*op)(places); };
}

const Function kFunctions[] = {
    {"sqrt", member(&Number::sqrt), unary(mpfr_sqrt), in_range(-40, 40, false), nullptr},
    {"cbrt", member(&Number::cbrt), unary(mpfr_cbrt), in_range(-40, 40, true), nullptr},
    {"exp", member(&Number::exp), unary(mpfr_exp), in_range(-20, 2, true), nullptr},
    {"ln", member(&Number::ln), unary(mpfr_log), in_range(-30, 30, false), nullptr},
    {"ln near 1", member(&Number::ln), unary(mpfr_log), above_one(), nullptr},
    {"log10", member(&Number::log10), unary(mpfr_log10), in_range(-30, 30, false), nullptr},
    {"sin", member(&Number::sin), unary(mpfr_sin), in_range(-20, 3, true), nullptr},
    {"cos", member(&Number::cos), unary(mpfr_cos), in_range(-20, 3, true), nullptr},
    {"tan", member(&Number::tan), unary(mpfr_tan), in_range(-20, 3, true), nullptr},
    {"asin", member(&Number::asin), unary(mpfr_asin), in_range(-20, -1, true), nullptr},
    {"acos", member(&Number::acos), unary(mpfr_acos), in_range(-20, -1, true), nullptr},
    {"atan", member(&Number::atan), unary(mpfr_atan), in_range(-20, 20, true), nullptr},
    {"sinh", member(&Number::sinh), unary(mpfr_sinh), in_range(-20, 2, true), nullptr},
    {"cosh", member(&Number::cosh), unary(mpfr_cosh), in_range(-20, 2, true), nullptr},
    {"tanh", member(&Number::tanh), unary(mpfr_tanh), in_range(-20, 1, true), nullptr},
    {"asinh", member(&Number::asinh), unary(mpfr_asinh), in_range(-20, 20, true), nullptr},
    {"acosh", member(&Number::acosh), unary(mpfr_acosh), above_one(), nullptr},
    {"atanh", member(&Number::atanh), unary(mpfr_atanh), in_range(-20, -1, true), nullptr},
    {"pow", [](const Number& x, const Number& y, int places) { return x.pow(y, places); },
     [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { mpfr_pow(r, x, y, MPFR_RNDN); },
     in_range(-5, 5, false), in_range(-3, 1, true)},
    {"pow integer", [](const Number& x, const Number& y, int places) { return x.pow(y, places); },
     [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { mpfr_pow(r, x, y, MPFR_RNDN); },
     in_range(-3, 3, true), small_integer()},
    {"divide", [](const Number& x, const Number& y, int places) { return x.divide(y, places); },
     [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { mpfr_div(r, x, y, MPFR_RNDN); },
     in_range(-30, 30, true), in_range(-30, 30, true)},
};

class NumberReference : public ::testing::TestWithParam<int> {};

TEST_P(NumberReference, EveryFunctionIsCorrectlyRounded)
{
    const int places = GetParam();
    const int samples = places < 50 ? 200 : places < 100 ? 40 : 8;
    std::mt19937_64 rng(20261210U + static_cast<unsigned>(places));
    for (const Function& f : kFunctions) {
        for (int i = 0; i < samples; ++i) {
            const Number x = f.x(rng, places);
            const Number y = f.y ? f.y(rng, places) : Number(0);
            const Number expected = reference_value(f, x, y, places);
            const Number actual = f.ours(x, y, places);
            EXPECT_EQ(actual, expected)
                << f.name << "(" << x.to_scientific() << (f.y ? ", " + y.to_scientific() : "")
                << ") at " << places + 1 << " digits: got " << actual.to_scientific()
                << ", expected " << expected.to_scientific();
        }
    }
}

TEST_P(NumberReference, ConstantsAreCorrectlyRounded)
{
    const int places = GetParam();
    const Function pi{"pi", nullptr,
                      [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr) { mpfr_const_pi(r, MPFR_RNDN); },
                      nullptr, nullptr};
    EXPECT_EQ(Number::pi(places), reference_value(pi, Number(0), Number(0), places));
    const Function e{"e", nullptr,
                     [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr) {
                         mpfr_set_ui(r, 1, MPFR_RNDN);
                         mpfr_exp(r, r, MPFR_RNDN);
                     },
                     nullptr, nullptr};
    EXPECT_EQ(Number::e(places), reference_value(e, Number(0), Number(0), places));
}

const Function& function_named(const char* name)
{
    for (const Function& f : kFunctions)
        if (std::string(f.name) == name)
            return f;
    throw std::logic_error(name);
}

// Arguments where conditioning, size or closeness to 1 make the work hard.
TEST_P(NumberReference, HardArgumentsAreCorrectlyRounded)
{
    const int places = GetParam();
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"sin", "1E+20", ""},          {"sin", "355", ""},           {"cos", "103993", ""},
        {"sin", "1E-100", ""},         {"cos", "1.5707963267948966", ""},
        {"tan", "1.5707963267948966", ""}, {"tan", "-7.85398163397", ""}, {"cos", "1E+40", ""},
        {"asin", "0.99999999999999999999", ""}, {"acos", "0.99999999999999999999", ""},
        {"acos", "-0.99999999999999999999", ""}, {"asin", "-1E-200", ""},
        {"atanh", "0.99999999999999999999", ""}, {"atanh", "1E-300", ""},
        {"acosh", "1.0000000000000000000001", ""}, {"acosh", "1E+100", ""},
        {"ln", "1.0000000000000000000000000000001", ""}, {"ln", "0.99999999999999999999", ""},
        {"ln", "1E+999999", ""},       {"ln", "1E-999999", ""},      {"log10", "1.000000000000000000001", ""},
        {"log10", "2E+999999", ""},    {"exp", "1E-100", ""},        {"exp", "-1000.5", ""},
        {"exp", "100000.123", ""},     {"sinh", "1E-50", ""},        {"sinh", "-700.25", ""},
        {"cosh", "700.25", ""},        {"tanh", "1E-50", ""},        {"tanh", "40.5", ""},
        {"atan", "1E+100", ""},        {"atan", "-1E-100", ""},      {"asinh", "1E+100", ""},
        {"asinh", "-1E-300", ""},      {"sqrt", "2.00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000001", ""},
        {"cbrt", "-3.0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000001", ""},
        {"pow", "0.5", "1000.5"},      {"pow", "1.0000001", "100000000"}, {"pow", "10", "0.5"},
        {"pow", "2", "-0.5"},          {"pow", "1E+100", "1.5"},     {"pow", "7", "100.25"},
        {"pow", "0.999999999999999999", "-1E+15"}, {"pow", "3", "1000"}, {"pow", "-3", "-77"},
        // Tiny arguments whose results lie a hair from a 15-digit midpoint.
        {"sin", "3.082801122813855E-17", ""}, {"tan", "3.082801122813855E-17", ""},
        {"atan", "-1.234567890123455E-10", ""}, {"sinh", "4.080752724944045E-15", ""},
        {"tanh", "4.080752724944045E-15", ""}, {"asinh", "4.080752724944045E-15", ""},
        {"atanh", "-4.080752724944045E-15", ""}, {"asin", "4.080752724944045E-15", ""},
        {"exp", "5E-16", ""},          {"exp", "-5E-17", ""},        {"cos", "1E-8", ""},
        {"ln", "1.0000000000000005", ""}, {"cosh", "1E-8", ""},
        {"divide", "1", "3"},          {"divide", "2", "-7E-100"},
        {"divide", "1.2345678901234567890123456789012345678901234567890123456789012345678901234567890123456789", "9.87654321"},
    };
    for (const auto& [name, xs, ys] : cases) {
        const Function& f = function_named(name);
        const Number x = Number::from_text(xs);
        const Number y = *ys ? Number::from_text(ys) : Number(0);
        const Number expected = reference_value(f, x, y, places);
        EXPECT_EQ(f.ours(x, y, places), expected) << name << "(" << xs << (*ys ? ", " : "") << ys
                                                  << ") at " << places + 1 << " digits";
    }
}

// 15, 80 and 532 significant digits.
INSTANTIATE_TEST_SUITE_P(Digits, NumberReference, ::testing::Values(14, 79, 531));

}  // namespace
