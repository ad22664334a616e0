#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "port/ArithRoutines.h"
#include "port/NameTables.h"

namespace {

Number N(const char* text) { return Number::from_text(text); }

struct TwoArgCase {
    const char* name;
    TwoArgFunc routine;
    const char* left;
    const char* right;
    const char* expected;  // nullptr: raises "invalid input"
};

void PrintTo(const TwoArgCase& c, std::ostream* os) { *os << c.name << " " << c.left << " " << c.right; }

class TwoArgRoutines : public ::testing::TestWithParam<TwoArgCase> {};

TEST_P(TwoArgRoutines, ComputeOrRefuse) {
    const auto& c = GetParam();
    if (c.expected) {
        EXPECT_EQ(c.routine(N(c.left), N(c.right), 35), N(c.expected)) << c.name << " " << c.left << ", " << c.right;
    } else {
        try {
            c.routine(N(c.left), N(c.right), 35);
            ADD_FAILURE() << c.name << " " << c.left << ", " << c.right << " did not raise";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "invalid input");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EngineArith, TwoArgRoutines,
    ::testing::Values(TwoArgCase{"nCr", &NCr, "5", "0", "1"}, TwoArgCase{"nCr", &NCr, "5", "5", "1"},
                      TwoArgCase{"nCr", &NCr, "5", "1", "5"}, TwoArgCase{"nCr", &NCr, "5", "2", "10"},
                      TwoArgCase{"nCr", &NCr, "0", "0", "1"}, TwoArgCase{"nCr", &NCr, "52", "5", "2598960"},
                      TwoArgCase{"nCr", &NCr, "100", "50", "100891344545564193334812497256"},
                      TwoArgCase{"nCr", &NCr, "2", "3", nullptr}, TwoArgCase{"nCr", &NCr, "-1", "0", nullptr},
                      TwoArgCase{"nCr", &NCr, "2.5", "1", nullptr}, TwoArgCase{"nPr", &NPr, "5", "2", "20"},
                      TwoArgCase{"nPr", &NPr, "5", "5", "120"}, TwoArgCase{"nPr", &NPr, "5", "0", "1"},
                      TwoArgCase{"nPr", &NPr, "0", "0", "1"}, TwoArgCase{"nPr", &NPr, "3", "4", nullptr},
                      TwoArgCase{"idiv", &IntegerDivide, "7", "2", "3"},
                      TwoArgCase{"idiv", &IntegerDivide, "-7", "2", "-3"},
                      TwoArgCase{"idiv", &IntegerDivide, "7.5", "2", nullptr},
                      TwoArgCase{"idiv", &IntegerDivide, "7", "0", nullptr},
                      TwoArgCase{"mod", &Modulo, "-7", "2", "-1"}, TwoArgCase{"mod", &Modulo, "7", "-2", "1"},
                      TwoArgCase{"mod", &Modulo, "7", "0", nullptr}, TwoArgCase{"mod", &Modulo, "7", "2.5", nullptr}));

TEST(EngineArithSequenceProduct, ProductsAndRefusal) {
    EXPECT_EQ(CalcSequenceProduct(N("4"), N("4")), N("4"));
    EXPECT_EQ(CalcSequenceProduct(N("1"), N("20")), N("2432902008176640000"));
    EXPECT_EQ(CalcSequenceProduct(N("1"), N("300")), N("300").factorial());
    try {
        CalcSequenceProduct(N("5"), N("4"));
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Invalid params passed into CalcSequenceProduct: first > last!");
    }
}

TEST(EngineArithOneArg, IntegerPartRoundingAndPowers) {
    struct Case {
        SingleArgFunc fn;
        const char* x;
        const char* expected;
    };
    const Case cases[] = {
        {&IntegerPart, "-2.7", "-2"},   {&IntegerPart, "2.7", "2"},     {&IntegerPart, "12345678901234567890", "12345678901234567890"},
        {&RoundToInteger, "2.4", "2"},  {&RoundToInteger, "2.6", "3"},  {&RoundToInteger, "2.5", "3"},
        {&RoundToInteger, "-2.5", "-3"}, {&RoundToInteger, "7", "7"},    {&Square, "1.5", "2.25"},
        {&Cube, "-2", "-8"},            {&NegateValue, "3.5", "-3.5"},  {&Reciprocal, "4", "0.25"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.fn(N(c.x), 35), N(c.expected)) << c.x;
    // 1/3 follows the precision rule: 15 digits asked, 16 significant digits made.
    EXPECT_EQ(Reciprocal(N("3"), 15), N("0.3333333333333333"));
}

TEST(EngineArithTables, BothTablesHoldTheirNames) {
    SingleArgFuncTable one;
    TwoArgFuncTable two;
    BuildFunctionTables(one, two);
    EXPECT_EQ(one.size(), 25u);
    for (const char* name : {"abs", "sqrt", "cbrt", "ln", "exp", "log", "sin", "asin", "cos", "acos", "tan", "atan",
                             "sinh", "asinh", "cosh", "acosh", "tanh", "atanh", "square", "cube", "reciprocal",
                             "factorial", "negate", "int", "rnd"})
        EXPECT_TRUE(one.contains(name)) << name;
    EXPECT_EQ(two.size(), 3u);
    EXPECT_EQ(two.at("pow")(N("2"), N("10"), 35), N("1024"));
    EXPECT_EQ(one.at("sqrt")(N("16"), 35), N("4"));
}

TEST(EngineNameTables, ErrorMessages) {
    std::string message;
    EXPECT_FALSE(GetOperationErrorMessage(0, message));
    EXPECT_EQ(message, "Unknown error");
    EXPECT_FALSE(GetOperationErrorMessage(7, message));
    EXPECT_EQ(message, "Unknown error");
    EXPECT_TRUE(GetOperationErrorMessage(30, message));
    EXPECT_EQ(message, "The reciprocal function accepts only non-zero inputs.");
    EXPECT_TRUE(GetOperationErrorMessage(55, message));
    EXPECT_EQ(message, "The denominator for the 'integer divide' operator must be non-zero.  In addition, both the "
                       "numerator and denominator must be integers.");
    EXPECT_EQ(OperationErrorMessages().size(), 12u);
}

TEST(EngineNameTables, StatusWordsAndOperators) {
    EXPECT_EQ(StatusFromWord("DivByZero"), CalcStatus::DivByZero);
    EXPECT_EQ(StatusFromWord("Success"), CalcStatus::Success);
    EXPECT_EQ(StatusFromWord("success"), CalcStatus::UnknownError);
    EXPECT_EQ(StatusFromWord("Bogus"), CalcStatus::UnknownError);
    EXPECT_EQ(CalcStatusMap().size(), 8u);
    EXPECT_EQ(OperatorWord(OpNCr), "ncr");
    EXPECT_EQ(OperatorRecordText(OpNCr), "nCr");
    EXPECT_EQ(OperatorRecordText(12), "???");
    EXPECT_EQ(OperatorGroup(OpModulo), 1);
    EXPECT_EQ(OperatorGroup(OpPower), 2);
    EXPECT_EQ(OperatorGroup(OpSubtract), 0);
    EXPECT_TRUE(IsTrigFunction("tan"));
    EXPECT_FALSE(IsTrigFunction("atan"));
    EXPECT_TRUE(IsInverseTrigFunction("atan"));
    EXPECT_TRUE(IsTrigOrHyperbolicFunction("atanh"));
    EXPECT_FALSE(IsTrigOrHyperbolicFunction("exp"));
    EXPECT_EQ(TrigHyperbolicFunctionNames().size(), 12u);
}

}  // namespace
