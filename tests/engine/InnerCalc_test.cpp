// Entry rules, precedence, evaluation, undo and step back of CInnerCalc,
// through the in-process worker.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace {

using enginetest::Entered;
using enginetest::EngineRig;

struct SequenceCase {
    const char* keys;
    const char* stacks;                // the stacks afterwards
    std::vector<std::string> calls;    // worker calls in order; {"*"} means: not checked
};

void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.keys; }

class EngineSequences : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(EngineSequences, Evaluate) {
    const auto& c = GetParam();
    EngineRig rig;
    const Entered last = rig.EnterAll(c.keys);
    EXPECT_NE(last, Entered::Refused) << c.keys;
    EXPECT_NE(last, Entered::Aborted) << c.keys;
    EXPECT_EQ(rig.info.m_status, static_cast<int>(CalcStatus::Success)) << c.keys;
    EXPECT_EQ(rig.Stacks(), c.stacks) << c.keys;
    if (c.calls != std::vector<std::string>{"*"}) {
        EXPECT_EQ(rig.logging->Calls(), c.calls) << c.keys;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EngineInnerCalc, EngineSequences,
    ::testing::Values(
        SequenceCase{"1 + 2 * 3 ^", "1 + 2 * 3 ^", {}},
        SequenceCase{"1 + 2 * 3 ^ 2 -", "19 -", {"3 ^ 2", "2 * 9", "1 + 18"}},
        SequenceCase{"2 ^ 3 ^", "8 ^", {"2 ^ 3"}},
        SequenceCase{"2 ^ 3 ^ 2 =", "64", {"2 ^ 3", "8 ^ 2"}},
        SequenceCase{"6 * 3 idiv", "18 idiv", {"6 * 3"}},
        SequenceCase{"6 + 3 mod", "6 + 3 mod", {}},
        SequenceCase{"1 + 2 * 3 +", "7 +", {"2 * 3", "1 + 6"}},
        SequenceCase{"8 / 2 * 3 - 1 * 2 =", "10", {"8 / 2", "4 * 3", "1 * 2", "12 - 2"}},
        SequenceCase{"2 * 3 ^ 2 ncr", "2 * 9 ncr", {"3 ^ 2"}},
        SequenceCase{"( 2 + 3 ) * 4 =", "20", {"2 + 3", "5 * 4"}},
        SequenceCase{"2 * ( 3 + 4 ) =", "14", {"3 + 4", "2 * 7"}},
        SequenceCase{"2 * ( ( 3 ) )", "2 * 3", {}},
        SequenceCase{"2 + ( 3", "2 + | 3", {}},
        SequenceCase{"7 =", "7", {}},
        SequenceCase{"10 idiv 3 =", "3", {"*"}}, SequenceCase{"-7 mod 2 =", "-1", {"*"}},
        SequenceCase{"5 ncr 2 =", "10", {"*"}}, SequenceCase{"5 npr 2 =", "20", {"*"}},
        SequenceCase{"-2.7 int", "-2", {"int(-2.7E+0)"}}, SequenceCase{"2.5 rnd", "3", {"*"}},
        SequenceCase{"16 sqrt", "4", {"*"}}, SequenceCase{"0 factorial", "1", {"*"}},
        SequenceCase{"5 - 5 =", "0", {"*"}}, SequenceCase{"4 sqrt neg", "-2", {"*"}},
        SequenceCase{"2 + 3 neg", "2 + -3", {}}));

TEST(EngineInnerCalc, RefusedEntriesChangeNothing) {
    struct Case {
        const char* before;
        const char* refused;
    };
    const Case cases[] = {
        {"1", "2"},     {"( 1 )", "2"},     {"4 sqrt", "2"}, {"1 =", "2"},       {"1 +", "*"},
        {"(", "+"},     {"", "+"},          {"1 =", "+"},    {"1 + (", "-"},     {"1", "("},
        {"( 1 )", "("}, {"(", "neg"},       {"", "neg"},
    };
    for (const auto& c : cases) {
        EngineRig rig;
        ASSERT_NE(rig.EnterAll(c.before), Entered::Refused) << c.before;
        const std::string stacks = rig.Stacks();
        const auto lines = rig.RecordLines();
        const auto steps = rig.Calc().GetStepBackStack().size();
        EXPECT_EQ(rig.Enter(c.refused), Entered::Refused) << c.before << " then " << c.refused;
        EXPECT_EQ(rig.Stacks(), stacks) << c.before << " then " << c.refused;
        EXPECT_EQ(rig.RecordLines(), lines) << c.before << " then " << c.refused;
        EXPECT_EQ(rig.Calc().GetStepBackStack().size(), steps) << c.before << " then " << c.refused;
    }
}

TEST(EngineInnerCalc, ShapeRefusalsOfTheThreads) {
    EngineRig rig;
    rig.EnterAll("1 +");
    rig.Calc().Equals();  // an operator is pending: nothing evaluated
    EXPECT_EQ(rig.WaitStep(), Entered::Done);
    EXPECT_FALSE(rig.info.m_bValueReady);
    EXPECT_EQ(rig.info.m_status, static_cast<int>(CalcStatus::InvalidInput));
    EXPECT_EQ(rig.Stacks(), "1 +");

    EngineRig open;
    open.EnterAll("( 1");
    open.Calc().Equals();  // a parenthesis is open
    EXPECT_EQ(open.WaitStep(), Entered::Done);
    EXPECT_EQ(open.Stacks(), " | 1");
    EXPECT_EQ(open.Enter(")"), Entered::Done);
    EXPECT_EQ(open.Stacks(), "1");
    EXPECT_EQ(open.Enter(")"), Entered::Done);  // no level to close
    EXPECT_FALSE(open.info.m_bValueReady);
    EXPECT_EQ(open.Stacks(), "1");
}

TEST(EngineInnerCalc, OpenParenOnAnEmptyEngineMakesTwoLevels) {
    EngineRig rig;
    EXPECT_EQ(rig.Calc().GetResult(), Number(0));
    rig.Calc().OpenParen();
    EXPECT_EQ(rig.Calc().GetMasterStack().size(), 2u);
    EXPECT_EQ(rig.Calc().GetParenDepth(), 1);
    EXPECT_EQ(rig.Calc().GetCalcState(), CalcStateEntering);
    EXPECT_EQ(rig.Calc().GetPrevEntryType(), EntryOpenParen);
}

TEST(EngineInnerCalc, OperatorStackListsTheNewestFirst) {
    EngineRig rig;
    rig.EnterAll("1 + 2 * 3");
    const auto& ops = rig.Calc().GetMasterStack().back()->m_opStack;
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops.front(), OpMultiply);
    EXPECT_EQ(ops.back(), OpAdd);
}

TEST(EngineInnerCalc, RecordLinesOfACalculation) {
    EngineRig rig;
    ASSERT_EQ(rig.EnterAll("( 1 + 2 ) * 4 ="), Entered::Done);
    EXPECT_EQ(rig.RecordLines(), (std::vector<std::string>{"(||1", "1||1", "+||1", "2||1", ")|3|0", "*||0", "4||0",
                                                            "|12|0"}));
    EXPECT_EQ(rig.Calc().GetCalcState(), CalcStateCompleted);
    EXPECT_EQ(rig.Calc().GetPrevEntryType(), EntryEquals);
    EXPECT_TRUE(rig.info.m_bValueReady);
    EXPECT_EQ(rig.info.m_resultValue, Number(12));
}

TEST(EngineInnerCalc, ArithmeticErrorLeavesStacksAndRecordAsBefore) {
    EngineRig rig;
    ASSERT_EQ(rig.EnterAll("2 + 1 / 0 ^ 1"), Entered::Immediate);
    const auto lines = rig.RecordLines();
    const auto steps = rig.Calc().GetStepBackStack().size();
    EXPECT_EQ(rig.Enter("+"), Entered::Done);
    EXPECT_EQ(rig.info.m_status, static_cast<int>(CalcStatus::DivByZero));
    EXPECT_EQ(rig.info.m_errorCode, ErrDivide);
    EXPECT_FALSE(rig.info.m_bValueReady);
    EXPECT_EQ(rig.Stacks(), "2 + 1 / 0 ^ 1");
    EXPECT_EQ(rig.logging->Calls(), (std::vector<std::string>{"0 ^ 1", "1 / 0"}));
    EXPECT_EQ(rig.RecordLines(), lines);
    EXPECT_EQ(rig.Calc().GetStepBackStack().size(), steps);
    EXPECT_EQ(rig.Calc().GetPrevEntryType(), EntryNumber);
    // The calculation goes on from there.
    for (int i = 0; i < 3; ++i)
        rig.Calc().StepBack(true);
    EXPECT_EQ(rig.Stacks(), "2 + 1 /");
    EXPECT_EQ(rig.EnterAll("4 ="), Entered::Done);
    EXPECT_EQ(rig.Stacks(), "2.25");
}

// A later round fails after an earlier one succeeded, for each kind of step
// that evaluates rounds: everything is as before the step.
TEST(EngineInnerCalc, AFailingLaterRoundTakesBackTheEarlierRounds) {
    struct Case {
        const char* before;
        const char* step;
        const char* stacks;
    };
    const Case cases[] = {
        {"2 + 1 / 0 ^ 1", "+", "2 + 1 / 0 ^ 1"},
        {"2 + 1 / 0 ^ 1", "=", "2 + 1 / 0 ^ 1"},
        {"3 * ( 2 + 1 / 0 ^ 1", ")", "3 * | 2 + 1 / 0 ^ 1"},
        {"3 * ( 1 / 0 ^ 1", ")", "3 * | 1 / 0 ^ 1"},
        {"3 * ( 1 / 0", ")", "3 * | 1 / 0"},
    };
    for (const auto& c : cases) {
        EngineRig rig;
        ASSERT_EQ(rig.EnterAll(c.before), Entered::Immediate) << c.before;
        const auto lines = rig.RecordLines();
        const auto steps = rig.Calc().GetStepBackStack().size();
        EXPECT_EQ(rig.Enter(c.step), Entered::Done) << c.before << " " << c.step;
        EXPECT_EQ(rig.info.m_status, static_cast<int>(CalcStatus::DivByZero)) << c.before << " " << c.step;
        EXPECT_EQ(rig.Stacks(), c.stacks) << c.before << " " << c.step;
        EXPECT_EQ(rig.RecordLines(), lines) << c.before << " " << c.step;
        EXPECT_EQ(rig.Calc().GetStepBackStack().size(), steps) << c.before << " " << c.step;
        EXPECT_EQ(rig.Calc().GetPrevEntryType(), EntryNumber) << c.before << " " << c.step;
        EXPECT_EQ(rig.Calc().GetCalcState(), CalcStateEntering) << c.before << " " << c.step;
    }
}

TEST(EngineInnerCalc, WorkerErrorsReachTheResultInfo) {
    struct Case {
        const char* keys;
        CalcStatus status;
        int code;
        const char* stacks;
    };
    const Case cases[] = {
        {"1 / 0 =", CalcStatus::DivByZero, ErrDivide, "1 / 0"},
        {"-4 sqrt", CalcStatus::InvalidInput, ErrSqrt, "-4"},
        {"2.5 factorial", CalcStatus::InvalidInput, ErrFactorial, "2.5"},
        {"2 ncr 3 =", CalcStatus::InvalidInput, ErrNCr, "2 ncr 3"},
        {"0.5 acosh", CalcStatus::InvalidInput, ErrNone, "0.5"},
        {"2 ^ 5555556 =", CalcStatus::PowArgTooLarge, ErrNone, "2 ^ 5555556"},
        {"205022 factorial", CalcStatus::Overflow, ErrNone, "205022"},
    };
    for (const auto& c : cases) {
        EngineRig rig;
        EXPECT_EQ(rig.EnterAll(c.keys), Entered::Done) << c.keys;
        EXPECT_EQ(rig.info.m_status, static_cast<int>(c.status)) << c.keys;
        EXPECT_EQ(rig.info.m_errorCode, c.code) << c.keys;
        EXPECT_EQ(rig.Stacks(), c.stacks) << c.keys;
        EXPECT_EQ(rig.Calc().GetPrevEntryType(), EntryNumber) << c.keys;
    }
}

TEST(EngineInnerCalc, DecimalResultsAreExact) {
    EngineRig rig;
    ASSERT_EQ(rig.EnterAll("0.1 + 0.2 ="), Entered::Done);
    EXPECT_EQ(rig.info.m_resultValue, Number::from_text("0.3"));
    std::string text;
    bool rounded = true;
    rig.Calc().FormatNumber(rig.info.m_resultValue, text, false, &rounded);
    EXPECT_EQ(text, "0.3");
    EXPECT_FALSE(rounded);

    EngineRig third;
    ASSERT_EQ(third.EnterAll("2 / 3 ="), Entered::Done);
    third.Calc().FormatNumber(third.info.m_resultValue, text, false, &rounded);
    EXPECT_EQ(text, "0.666666666666667");
    EXPECT_TRUE(rounded);
    EXPECT_EQ(third.Calc().GetResult(), Number::from_text("0.6666666666666667"));
}

TEST(EngineInnerCalc, WorkingDigitsFollowThePrecision) {
    EngineRig rig(512);
    EXPECT_EQ(rig.Calc().GetWorkingDigits(), 532);
    ASSERT_EQ(rig.EnterAll("1 / 7 ="), Entered::Done);
    EXPECT_EQ(rig.info.m_resultValue.significant_digits(), 533);
    EXPECT_EQ(rig.Calc().GetResult().significant_digits(), 513);
}

TEST(EngineInnerCalc, AnglesOfTrigonometricFunctions) {
    struct Case {
        int unit;
        const char* keys;
        CalcStatus status;
        const char* result;  // display text; nullptr: not checked
        bool workerCalled;
    };
    const Case cases[] = {
        {0, "90 tan", CalcStatus::InvalidInput, nullptr, false},
        {0, "-270 tan", CalcStatus::InvalidInput, nullptr, false},
        {2, "300 tan", CalcStatus::InvalidInput, nullptr, false},
        {0, "180 tan", CalcStatus::Success, "0", true},
        {0, "180 sin", CalcStatus::Success, "0", true},
        {0, "30 sin", CalcStatus::Success, "0.5", true},
        {0, "60 cos", CalcStatus::Success, "0.5", true},
        {0, "45 tan", CalcStatus::Success, "1", true},
        {2, "1 asin", CalcStatus::Success, "100", true},
        {0, "1 atan", CalcStatus::Success, "45", true},
        {1, "0 cos", CalcStatus::Success, "1", true},
        {0, "2 asin", CalcStatus::InvalidInput, nullptr, true},
        // Whole turns come off exactly: 1E30 degrees is 280 degrees, 1E30 grads 0.
        {0, "1E30 sin", CalcStatus::Success, "-0.984807753012208", true},
        {2, "1E30 sin", CalcStatus::Success, "0", true},
        // Only what is left of an exact zero is flushed, not a small value.
        {1, "1E-30 sin", CalcStatus::Success, "1E-30", true},
        // Close to a quarter turn every digit counts: 1E-26 degrees short of 90.
        {0, "89.99999999999999999999999999 tan", CalcStatus::Success, "5729577951308230000000000000", true},
    };
    for (const auto& c : cases) {
        EngineRig rig;
        rig.Calc().SetAngleSetting(c.unit);
        EXPECT_EQ(rig.EnterAll(c.keys), Entered::Done) << c.keys;
        EXPECT_EQ(rig.info.m_status, static_cast<int>(c.status)) << c.keys;
        EXPECT_EQ(!rig.logging->Calls().empty(), c.workerCalled) << c.keys;
        if (c.result) {
            EXPECT_EQ(rig.ResultText(), c.result) << c.keys;
        }
        if (c.status != CalcStatus::Success) {
            EXPECT_EQ(rig.Calc().GetStepBackStack().size(), 1u) << c.keys;
        }
    }
    // sin 180 degrees is exactly 0, not merely displayed so.
    EngineRig rig;
    rig.EnterAll("180 sin");
    EXPECT_TRUE(rig.info.m_resultValue.is_zero());
}

TEST(EngineInnerCalc, StepBackUndoesOneEntry) {
    EngineRig rig;
    ASSERT_EQ(rig.EnterAll("3 + 4 * 5 -"), Entered::Done);
    EXPECT_EQ(rig.Stacks(), "23 -");
    const auto lines = rig.RecordLines();
    rig.Calc().StepBack(true);
    EXPECT_EQ(rig.Stacks(), "3 + 4 * 5");
    EXPECT_EQ(rig.Calc().GetPrevEntryType(), EntryNumber);
    EXPECT_EQ(rig.RecordLines(), std::vector<std::string>(lines.begin(), lines.end() - 1));

    EngineRig paren;
    ASSERT_EQ(paren.EnterAll("2 * ( 3 + 4 )"), Entered::Done);
    EXPECT_EQ(paren.Stacks(), "2 * 7");
    paren.Calc().StepBack(true);
    EXPECT_EQ(paren.Stacks(), "2 * | 3 + 4");
    EXPECT_EQ(paren.Calc().GetPrevEntryType(), EntryNumber);

    EngineRig function;
    ASSERT_EQ(function.EnterAll("2 + 9 sqrt"), Entered::Done);
    EXPECT_EQ(function.Stacks(), "2 + 3");
    function.Calc().StepBack(true);
    EXPECT_EQ(function.Stacks(), "2 + 9");
    EXPECT_EQ(function.Calc().GetPrevEntryType(), EntryNumber);

    EngineRig equals;
    ASSERT_EQ(equals.EnterAll("2 * 3 ="), Entered::Done);
    equals.Calc().StepBack(true);
    EXPECT_EQ(equals.Stacks(), "2 * 3");
    EXPECT_EQ(equals.Calc().GetCalcState(), CalcStateEntering);
    EXPECT_EQ(equals.Calc().GetPrevEntryType(), EntryNumber);
}

TEST(EngineInnerCalc, StepBackToTheBeginning) {
    EngineRig rig;
    ASSERT_EQ(rig.EnterAll("1 + 2 * ( 3 ^ 2 - 4 ) neg ="), Entered::Done);
    EXPECT_EQ(rig.Stacks(), "-9");
    int steps = 0;
    while (!rig.Calc().GetStepBackStack().empty()) {
        const int lines = rig.record.GetEntryCount();
        rig.Calc().StepBack(true);
        EXPECT_EQ(rig.record.GetEntryCount(), lines - 1);
        ++steps;
    }
    EXPECT_EQ(steps, 13);
    EXPECT_EQ(rig.Stacks(), "");
    EXPECT_EQ(rig.Calc().GetCalcState(), CalcStateEmpty);
    EXPECT_EQ(rig.Calc().GetPrevEntryType(), EntryNone);
    EXPECT_EQ(rig.record.GetEntryCount(), 0);

    rig.record.AddEntry(1, "kept", "", 0);
    rig.Calc().StepBack(true);  // nothing to undo: the record is not touched
    EXPECT_EQ(rig.record.GetEntryCount(), 1);
}

TEST(EngineInnerCalc, StepBackReplaysSteps) {
    // Stepping back and entering again gives the same result as before.
    EngineRig rig;
    ASSERT_EQ(rig.EnterAll("2 ^ 10 - 24 / 8 ="), Entered::Done);
    EXPECT_EQ(rig.Stacks(), "1021");
    for (int i = 0; i < 3; ++i)
        rig.Calc().StepBack(true);
    EXPECT_EQ(rig.Stacks(), "1024 - 24");
    ASSERT_EQ(rig.EnterAll("* 2 ="), Entered::Done);
    EXPECT_EQ(rig.Stacks(), "976");
}

TEST(EngineInnerCalc, InlineOperatorAfterACompletedCalculation) {
    EngineRig rig;
    ASSERT_EQ(rig.EnterAll("2 + 3 ="), Entered::Done);
    const Number result = rig.info.m_resultValue;
    rig.Calc().Reset();
    EXPECT_EQ(rig.record.GetEntryCount(), 0);
    ASSERT_TRUE(rig.Calc().EnterNumber(result));
    EXPECT_FALSE(rig.Calc().EnterOperatorInline(OpMultiply, nullptr));
    EXPECT_EQ(rig.Stacks(), "5 *");
    EXPECT_EQ(rig.Calc().GetPrevEntryType(), EntryBinaryOperator);
    // With an operator pending it refuses.
    rig.EnterAll("2");
    EXPECT_FALSE(rig.Calc().EnterOperatorInline(OpAdd, nullptr));
    EXPECT_EQ(rig.Stacks(), "5 * 2");
}

TEST(EngineInnerCalc, ParseNumberText) {
    Number n(7);
    EXPECT_TRUE(CInnerCalc::ParseNumberText("1.5E+2", n));
    EXPECT_EQ(n, Number(150));
    EXPECT_FALSE(CInnerCalc::ParseNumberText("abc", n));
    EXPECT_EQ(n, Number(150));
}

}  // namespace
