#include "number/EntrySyntax.h"

#include <chrono>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace {

struct ValidateCase {
    const char* text;
    bool valid;
    std::int32_t digits;
    std::int32_t significant;
    std::int64_t exponent;
};

void PrintTo(const ValidateCase& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

class ValidateNumberTextTest : public ::testing::TestWithParam<ValidateCase> {};

TEST_P(ValidateNumberTextTest, MeasuresTheText)
{
    const auto& c = GetParam();
    std::int32_t digits = 99, significant = 99;
    std::int64_t exponent = 99;
    EXPECT_EQ(ValidateNumberText(c.text, digits, significant, exponent), c.valid) << c.text;
    EXPECT_EQ(digits, c.digits) << c.text;
    EXPECT_EQ(significant, c.significant) << c.text;
    EXPECT_EQ(exponent, c.exponent) << c.text;
}

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Table, ValidateNumberTextTest,
    ::testing::Values(
        ValidateCase{"007", true, 3, 1, 0},
        ValidateCase{"123", true, 3, 3, 2},
        ValidateCase{"150", true, 3, 2, 2},
        ValidateCase{"0.00123", true, 5, 3, -3},
        ValidateCase{"00.5", true, 1, 1, -1},
        ValidateCase{"0", true, 0, 1, 0},
        ValidateCase{"0.", true, 0, 1, 0},
        ValidateCase{"-0.000", true, 3, 1, 0},
        ValidateCase{"1.", true, 1, 1, 0},
        ValidateCase{"12.50", true, 4, 3, 1},
        ValidateCase{"-12.5E3", true, 3, 3, 4},
        ValidateCase{"+1e-5", true, 1, 1, -5},
        ValidateCase{".5", true, 1, 1, -1},
        ValidateCase{".5E3", true, 1, 1, 2},
        ValidateCase{"-.005e-2", true, 3, 1, -5},
        ValidateCase{"1E", true, 1, 1, 0},
        ValidateCase{"1E-", true, 1, 1, 0},
        ValidateCase{"1E+", true, 1, 1, 0},
        ValidateCase{"  42  ", true, 2, 2, 1},
        ValidateCase{"\t7\n", true, 1, 1, 0},
        // Limits: 15 digits, exponents at and beyond +-999999.
        ValidateCase{"123456789012345", true, 15, 15, 14},
        ValidateCase{"0.123456789012345", true, 15, 15, -1},
        ValidateCase{"1234567890123456", true, 16, 16, 15},
        ValidateCase{"1E999999", true, 1, 1, 999999},
        ValidateCase{"10E999999", true, 2, 1, 1000000},
        ValidateCase{"1E-999999", true, 1, 1, -999999},
        ValidateCase{"0.1E-999999", true, 1, 1, -1000000},
        // Exponents far beyond 64 bits saturate instead of wrapping.
        ValidateCase{"5E99999999999999999999999", true, 1, 1, kInt64Max},
        ValidateCase{"5E-99999999999999999999999", true, 1, 1, kInt64Min},
        ValidateCase{"50E9223372036854775807", true, 2, 1, kInt64Max},
        // Not numbers: the outputs are -1.
        ValidateCase{"", false, -1, -1, -1},
        ValidateCase{"-", false, -1, -1, -1},
        ValidateCase{".", false, -1, -1, -1},
        ValidateCase{"1,234", false, -1, -1, -1},
        ValidateCase{"1 2", false, -1, -1, -1},
        ValidateCase{"1E5E6", false, -1, -1, -1},
        ValidateCase{"1..2", false, -1, -1, -1},
        ValidateCase{"E5", false, -1, -1, -1},
        ValidateCase{"abc", false, -1, -1, -1},
        ValidateCase{"1\n2", false, -1, -1, -1},
        ValidateCase{"x\n5", false, -1, -1, -1},
        ValidateCase{"5\nx", false, -1, -1, -1}));

TEST(ValidateNumberText, MaxDigitsNumberIsMeasured)
{
    const std::string text = "-" + std::string(512, '9') + "E-999999";
    std::int32_t digits = 0, significant = 0;
    std::int64_t exponent = 0;
    ASSERT_TRUE(ValidateNumberText(text, digits, significant, exponent));
    EXPECT_EQ(digits, 512);
    EXPECT_EQ(significant, 512);
    EXPECT_EQ(exponent, 511 - 999999);
}

TEST(NumberTextLimits, HugeTextsAreRefusedQuicklyWithoutThrowing)
{
    const std::string digits(100000, '1');
    const std::string nonNumber = std::string(100000, '1') + "x";
    const std::string letters(100000, 'a');
    std::int32_t d = 0, s = 0;
    std::int64_t e = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const std::string* text : {&digits, &nonNumber, &letters}) {
        EXPECT_NO_THROW({
            EXPECT_FALSE(ValidateNumberText(*text, d, s, e));
            EXPECT_FALSE(IsPastableNumber(*text));
            EXPECT_FALSE(IsValidVariableName(*text));
            std::string shown = "old";
            EXPECT_FALSE(GroupNumberText(*text, shown));
            EXPECT_EQ(shown, "");
        });
    }
    // Generous bound: the point is that the answer does not take seconds.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(IsPastableNumber, Table)
{
    for (const char* yes : {"5", "-5", "+5.", "12.75", "1e5", "1E-5", "1E", "  3.0  ", "007"})
        EXPECT_TRUE(IsPastableNumber(yes)) << yes;
    for (const char* no : {"", ".5", "1,000", "1 0", "1E5E5", "--1", "1.2.3", "0x10", "5\n6", "five"})
        EXPECT_FALSE(IsPastableNumber(no)) << no;
}

TEST(IsValidVariableName, Table)
{
    for (const char* yes : {"x", "rate 2", "a.b~c", "Total", "abcdefghijklmnopqrstuvwxyz",
                            "a12345678901234", "x_y", "  x  "})
        EXPECT_TRUE(IsValidVariableName(yes)) << yes;
    for (const char* no : {"", "2x", "_x", " ", "a123456789012345", "x-y", "é", "x\ny", "x$"})
        EXPECT_FALSE(IsValidVariableName(no)) << no;
}

TEST(SplitForms, ExponentFixedAndGrouped)
{
    std::string a = "keep", b = "keep";
    EXPECT_TRUE(SplitExponentForm("-12.5E-3", a, b));
    EXPECT_EQ(a, "12.5");
    EXPECT_EQ(b, "-3");
    EXPECT_TRUE(SplitExponentForm("7E", a, b));
    EXPECT_EQ(a, "7");
    EXPECT_EQ(b, "");
    a = b = "keep";
    EXPECT_FALSE(SplitExponentForm("12.5", a, b));
    EXPECT_EQ(a, "keep");
    EXPECT_EQ(b, "keep");

    EXPECT_TRUE(SplitFixedForm("-12.50", a, b));
    EXPECT_EQ(a, "12");
    EXPECT_EQ(b, "50");
    a = b = "keep";
    EXPECT_FALSE(SplitFixedForm("12.", a, b));
    EXPECT_FALSE(SplitFixedForm("12", a, b));
    EXPECT_EQ(a, "keep");

    EXPECT_TRUE(SplitGroupedForm("1,234,567.0", a, b));
    EXPECT_EQ(a, "1,234,567");
    EXPECT_EQ(b, "0");
    EXPECT_FALSE(SplitGroupedForm("1,234", a, b));
}

TEST(GroupNumberText, Table)
{
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"1234567", "1,234,567"},
        {"-0.50", "-0.50"},
        {"12345.6789E-12", "12,345.6789E-12"},
        {"1000.", "1,000."},
        {".5", "0.5"},
        {"-.5e3", "-0.5E3"},
        {"-0", "0"},
        {"-0.00", "0.00"},
        {"007", "7"},
        {"0", "0"},
        {"100", "100"},
        {"1000", "1,000"},
        {"-1234E5", "-1,234E5"},
        {"1E", "1E"},
        {"1E-", "1E-"},
        {"123456789012345678901234567890", "123,456,789,012,345,678,901,234,567,890"},
        {" 1234 ", "1,234"},
    };
    for (const auto& c : cases) {
        std::string shown;
        EXPECT_TRUE(GroupNumberText(c.text, shown)) << c.text;
        EXPECT_EQ(shown, c.shown) << c.text;
    }
}

TEST(GroupNumberText, RefusesWhatIsNoNumber)
{
    for (const char* text : {"1E5E6", "", "1,234", "abc", "1 2", "-"}) {
        std::string shown = "old";
        EXPECT_FALSE(GroupNumberText(text, shown)) << text;
        EXPECT_EQ(shown, "") << text;
    }
}

}  // namespace
