// Text forms, parsing and queries of Number.
#include <cmath>

#include <gtest/gtest.h>

#include "number/Number.h"
#include "tests/number/NumberPrinting.h"

namespace {

Number N(const char* text) { return Number::from_text(text); }

struct TextCase {
    const char* value;
    int places;
    const char* expected;
};

TEST(NumberText, ScientificForms)
{
    const TextCase cases[] = {
        {"150", -1, "1.5E+2"},        {"-150", -1, "-1.5E+2"},   {"0", -1, "0.0E+0"},
        {"-0.00123", -1, "-1.23E-3"}, {"1E+100", -1, "1E+100"},  {"5", -1, "5E+0"},
        {"123456789", -1, "1.23456789E+8"},
        {"150", 5, "1.50000E+2"},     {"0", 5, "0.00000E+0"},    {"123456789", 5, "1.23457E+8"},
        {"9.99", 0, "1E+1"},          {"-2.5", 0, "-3E+0"},      {"1.25", 1, "1.3E+0"},
        {"9.9996", 3, "1.000E+1"},    {"1E-999999", -1, "1E-999999"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(N(c.value).to_scientific(c.places), c.expected) << c.value << " places " << c.places;
}

TEST(NumberText, FixedForms)
{
    const TextCase cases[] = {
        {"150", -1, "150.0"},         {"-7", -1, "-7.0"},       {"0", -1, "0.0"},
        {"1E+20", -1, "100000000000000000000.0"},               {"364.87451", -1, "364.87451"},
        {"1.5E-10", -1, "0.00000000015"},
        {"2.5", 0, "3"},              {"-2.5", 0, "-3"},        {"0.4", 0, "0"},
        {"-0.4", 0, "0"},             {"9.996", 0, "10"},
        {"1.005", 2, "1.01"},         {"-0.001", 2, "0.00"},    {"9.996", 2, "10.00"},
        {"-1.5", 3, "-1.500"},        {"0.5", 0, "1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(N(c.value).to_fixed(c.places), c.expected) << c.value << " places " << c.places;
}

TEST(NumberText, IntegerText)
{
    const std::pair<const char*, const char*> cases[] = {
        {"2.7", "2"},      {"-2.7", "-2"}, {"-0.5", "0"}, {"999.9999999", "999"},
        {"1E+20", "100000000000000000000"}, {"0", "0"},   {"-1E-999999999", "0"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(N(value).to_integer_text(), expected) << value;
}

TEST(NumberParse, AcceptsTheGrammar)
{
    const std::pair<const char*, const char*> cases[] = {
        {"5.", "5E+0"},      {".5", "5E-1"},         {"+5", "5E+0"},      {"007", "7E+0"},
        {"1E", "1E+0"},      {"1E-", "1E+0"},        {"1E+", "1E+0"},     {"  -1.5e3\t", "-1.5E+3"},
        {"0.000", "0.0E+0"}, {"-0", "0.0E+0"},       {"12.3400E-2", "1.234E-1"},
        {"100e-2", "1E+0"},
    };
    for (const auto& [text, expected] : cases) {
        const auto value = Number::parse(text);
        ASSERT_TRUE(value) << text;
        EXPECT_EQ(value->to_scientific(), expected) << text;
    }
}

TEST(NumberParse, RefusesEverythingElse)
{
    const char* cases[] = {"",     " ",     "1,234", "1a",   "0x10", "1.2.3", "--5", "5 6",
                           ".",    "E5",    "+",     "-",    "1E5.5", "1e--5", "inf", "nan",
                           "1E99999999999999999999", "1E-99999999999999999999", "\n5", "5\n",
                           "1_000", "\xd9\xa1", "1e9223372036854775807"};
    for (const char* text : cases) {
        EXPECT_FALSE(Number::parse(text)) << '"' << text << '"';
        EXPECT_THROW(Number::from_text(text), NumberParseError) << '"' << text << '"';
    }
}

TEST(NumberQueries, FollowTheLibraryConventions)
{
    struct Query {
        const char* value;
        std::int64_t exponent;
        std::int64_t digits;
        bool integer;
        int sign;
        int last;
    };
    const Query cases[] = {
        {"150", 2, 2, true, 1, 5},       {"0", 0, 1, true, 0, 0},       {"1E+100", 100, 1, true, 1, 1},
        {"-0.00123", -3, 3, false, -1, 3}, {"999", 2, 3, true, 1, 9},   {"1000", 3, 1, true, 1, 1},
        {"0.5", -1, 1, false, 1, 5},     {"123.456", 2, 6, false, 1, 6},
    };
    for (const auto& q : cases) {
        const Number x = N(q.value);
        EXPECT_EQ(x.exponent(), q.exponent) << q.value;
        EXPECT_EQ(x.significant_digits(), q.digits) << q.value;
        EXPECT_EQ(x.is_integer(), q.integer) << q.value;
        EXPECT_EQ(x.sign(), q.sign) << q.value;
        EXPECT_EQ(x.is_zero(), q.sign == 0) << q.value;
        EXPECT_EQ(x.last_digit(), q.last) << q.value;
    }
}

TEST(NumberQueries, Conversions)
{
    EXPECT_EQ(N("-9223372036854775808").to_int64(), INT64_MIN);
    EXPECT_EQ(N("9223372036854775807").to_int64(), INT64_MAX);
    EXPECT_FALSE(N("9223372036854775808").to_int64());
    EXPECT_FALSE(N("2.5").to_int64());
    EXPECT_EQ(N("1.5E+3").to_int64(), 1500);
    EXPECT_EQ(Number(-42).to_scientific(), "-4.2E+1");
    EXPECT_EQ(Number(std::int64_t{-42}), Number(-42));
    EXPECT_EQ(Number(9'000'000'000LL).to_scientific(), "9E+9");
    EXPECT_DOUBLE_EQ(N("0.1").to_double(), 0.1);
    EXPECT_DOUBLE_EQ(N("-1.5E+300").to_double(), -1.5e300);
    EXPECT_EQ(N("1E+999999").to_double(), HUGE_VAL);
    EXPECT_EQ(N("1E-999999").to_double(), 0.0);
}

}  // namespace
