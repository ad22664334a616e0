// The calculator's command flow through the controller, against the real
// engine and the in-process worker.

#include <poll.h>

#include <chrono>

#include "ControllerFixture.h"
#include "port/NameTables.h"
#include "resources/CommandIds.h"

namespace {

class FrameControllerTest : public ControllerFixture {
protected:
    void SetUp() override { MakeEngine(); }
};

struct SequenceCase {
    const char* keys;
    const char* entry;    // entry line text afterwards
    const char* message;  // display message line ("" none)
    int beeps;
};

class KeySequenceTest : public FrameControllerTest, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(KeySequenceTest, GivesEntryMessageAndBeeps)
{
    const auto& c = GetParam();
    Keys(c.keys);
    EXPECT_EQ(Entry(), c.entry) << c.keys;
    EXPECT_EQ(Message(), c.message) << c.keys;
    EXPECT_EQ(m_services.beeps, c.beeps) << c.keys;
    EXPECT_FALSE(m_controller->IsBusy());
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, KeySequenceTest,
    ::testing::Values(
        SequenceCase{"2 + 3 =", "5", "", 0},
        SequenceCase{"2 + 3 = * 4 =", "20", "", 0},
        SequenceCase{"2 + + 3 =", "5", "", 0},                // the second "+" is ignored, silently
        SequenceCase{"2 * ( 3 + 4 ) =", "14", "", 0},
        SequenceCase{"2 + 3 * 4 =", "14", "", 0},
        SequenceCase{"2 ^ 10 - 24 =", "1000", "", 0},
        SequenceCase{"5 (", "5", "Open parenthesis is not allowed at this stage.", 1},
        SequenceCase{"9 sqrt (", "3", "Open parenthesis is not allowed at this stage.", 1},
        SequenceCase{"( 1 + 2 ) (", "3", "Open parenthesis is not allowed at this stage.", 1},
        SequenceCase{"2 * pi (", "3.1415926535897932384626433832795029",  // the constant is not lost
                     "Open parenthesis is not allowed at this stage.", 1},
        SequenceCase{"( 2 + 3 =", "3",
                     "There are one or more pending close parentheses - ')'.  Please supply them before "
                     "attempting to enter the equal sign.",
                     1},
        SequenceCase{"2 )", "2",
                     "Please enter an open parenthesis first - before attempting to enter a close parenthesis",
                     1},
        SequenceCase{"( 2 + )", "2", "Close parenthesis is not allowed at this stage.", 1},
        SequenceCase{"9 sqrt 5", "3", "Not expecting a numeric entry at this stage.", 1},
        SequenceCase{"2 + neg", "2",
                     "Not expecting negate at this stage.  Please make a valid entry before applying the "
                     "negate operator.",
                     1},
        SequenceCase{"( sin", "0", "", 0},                    // a function right after "(" does nothing
        SequenceCase{"( +", "0", "", 0},
        SequenceCase{"2 + =", "2", "", 0},
        SequenceCase{"pi 2", "2", "", 0},                     // the typed digit replaces the constant
        SequenceCase{"5 neg", "-5", "", 0},
        SequenceCase{"9 sqrt neg", "-3", "", 0},
        SequenceCase{"4 x2 neg + 1 =", "-15", "", 0},
        SequenceCase{"2 + 3 = 7", "7", "", 0},
        SequenceCase{"12 BS 5", "15", "", 0},
        SequenceCase{"12 + 34 CE 5 =", "17", "", 0},
        SequenceCase{"2 + 3 = = =", "5", "", 0},
        SequenceCase{"30 sin", "0.5", "", 0},                 // degrees
        SequenceCase{"1.5 sci 2 + 1 =", "151", "", 0}));

TEST_F(FrameControllerTest, EqualsAddsToHistoryAndContinuesWithTheResult)
{
    Keys("2 + 3 =");
    EXPECT_EQ(m_controller->Engine()->GetCalcState(), CalcStateCompleted);
    EXPECT_EQ(m_history.items, (std::vector<std::string>{"5"}));
    Keys("* 4 =");
    EXPECT_EQ(Entry(), "20");
    EXPECT_EQ(m_history.items, (std::vector<std::string>{"5", "20"}));
    Keys("7");
    EXPECT_EQ(Entry(), "7");
    EXPECT_EQ(m_controller->Engine()->GetCalcState(), CalcStateEmpty);
    EXPECT_EQ(m_controller->Record().GetEntryCount(), 0);
    EXPECT_TRUE(m_controller->GetStepBackHistory().empty());
}

TEST_F(FrameControllerTest, TheTwentySixthOpenParenthesisIsRefused)
{
    for (int i = 0; i < 25; ++i)
        Keys("(");
    EXPECT_EQ(m_controller->Engine()->GetParenDepth(), 25);
    EXPECT_EQ(m_services.beeps, 0);
    Keys("(");
    EXPECT_EQ(m_controller->Engine()->GetParenDepth(), 25);
    EXPECT_EQ(Message(), "You have reached the maximum allowed parentheses depth of 25.");
    EXPECT_EQ(m_services.beeps, 1);
    EXPECT_EQ(m_controller->GetStepBackHistory().size(), 25u);
}

TEST_F(FrameControllerTest, DivisionByZeroBlocksAllButClearAllAndStepBack)
{
    Keys("1 / 0 =");
    EXPECT_EQ(ErrorText(), "Attempt to divide by zero!");
    std::string detail;
    GetOperationErrorMessage(ErrDivide, detail);
    EXPECT_EQ(ErrorDetail(), detail);
    EXPECT_EQ(m_services.beeps, 1);
    const auto historySize = m_controller->GetStepBackHistory().size();
    for (const char* key : {"5", "+", "=", "sqrt", "(", "neg", "pi", "CE", "BS"}) {
        Keys(key);
        EXPECT_EQ(ErrorText(), "Attempt to divide by zero!") << key;
        EXPECT_EQ(m_controller->GetStepBackHistory().size(), historySize) << key;
    }
    Keys("SB");
    EXPECT_EQ(ErrorText(), "");
    EXPECT_EQ(ErrorDetail(), "");
    EXPECT_EQ(Entry(), "0");
    EXPECT_FALSE(m_entryModel.IsStartOver());  // the divisor can be typed again
    Keys("4 =");
    EXPECT_EQ(Entry(), "0.25");
}

TEST_F(FrameControllerTest, ClearAllAfterAnErrorGivesAFreshCalculator)
{
    Keys("1 / 0 = C 2 + 2 =");
    EXPECT_EQ(Entry(), "4");
    EXPECT_EQ(ErrorText(), "");
}

TEST_F(FrameControllerTest, OneStepBackAfterNumberAndOperatorGivesTheNumberForEditing)
{
    Keys("5 +");
    Keys("SB");
    EXPECT_EQ(Entry(), "5");
    EXPECT_FALSE(m_entryModel.IsStartOver());
    EXPECT_TRUE(m_controller->GetStepBackHistory().empty());
    EXPECT_EQ(m_controller->Engine()->GetCalcState(), CalcStateEmpty);
    Keys("3 * 2 =");
    EXPECT_EQ(Entry(), "106");
}

TEST_F(FrameControllerTest, StepBackWithNothingToUndoOnlyBeeps)
{
    Keys("SB");
    EXPECT_EQ(m_services.beeps, 1);
    EXPECT_EQ(Entry(), "0");
}

TEST_F(FrameControllerTest, StepBackOverAConstantPutsTheConstantBack)
{
    Keys("pi +");
    ASSERT_EQ(m_controller->GetStepBackHistory().front().sbType, StepBackHistoryEntry::Constant);
    const std::string pi = m_controller->GetStepBackHistory().front().calcEditEntry;
    Keys("SB");
    EXPECT_EQ(Entry(), pi);
    EXPECT_TRUE(m_controller->ConstantJustEntered());
    Keys("7");  // typing replaces the constant
    EXPECT_EQ(Entry(), "7");
}

TEST_F(FrameControllerTest, StepBackToAnEarlierRecordLineWalksSingleStepsThenPairs)
{
    Keys("2 + 3 * 4");
    // 2, +, 3, * and the typed 4 (not yet entered): four record lines.
    ASSERT_EQ(m_controller->Record().GetEntryCount(), 4);
    m_controller->StepBackTo(2);  // "*" alone, then the 3 back for editing
    EXPECT_EQ(m_controller->Record().GetEntryCount(), 2);
    EXPECT_EQ(Entry(), "3");
    EXPECT_FALSE(m_entryModel.IsStartOver());
    m_controller->StepBackTo(1);  // "+" paired with the 2 before it
    EXPECT_EQ(m_controller->Record().GetEntryCount(), 0);
    EXPECT_EQ(Entry(), "2");
    EXPECT_TRUE(m_controller->GetStepBackHistory().empty());
}

TEST_F(FrameControllerTest, NegateAfterAFunctionGoesThroughTheEngineAndIsRecorded)
{
    Keys("16 sqrt neg");
    EXPECT_EQ(Entry(), "-4");
    const auto last = m_controller->Record().GetEntry(m_controller->Record().GetEntryCount() - 1);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->m_entryString, "negate");
    Keys("SB");
    EXPECT_EQ(Entry(), "4");
}

TEST_F(FrameControllerTest, OpenParenthesisRightAfterEqualsStartsAnewWithAStepBackEntry)
{
    Keys("2 + 3 = (");
    EXPECT_EQ(m_controller->Engine()->GetParenDepth(), 1);
    ASSERT_EQ(m_controller->GetStepBackHistory().size(), 1u);
    EXPECT_EQ(m_controller->GetStepBackHistory().back().calcEditEntry, "0");
    Keys("SB");
    EXPECT_EQ(m_controller->Engine()->GetParenDepth(), 0);
    EXPECT_EQ(m_services.beeps, 0);
}

TEST_F(FrameControllerTest, AddAsNewEntryIsRefusedAfterAFunction)
{
    Keys("9 sqrt");
    m_controller->AddAsNewEntry("12");
    EXPECT_EQ(Entry(), "3");
    EXPECT_EQ(Message(), "Not expecting a numeric entry at this stage.");
    Keys("+");
    m_controller->AddAsNewEntry("12");
    EXPECT_EQ(Entry(), "12");
    Keys("=");
    EXPECT_EQ(Entry(), "15");
}

TEST_F(FrameControllerTest, TheEntryCanBeEditedFreelyOnlyWhileItIsBeingTyped)
{
    EXPECT_TRUE(m_controller->CanEditEntry());  // an empty calculator
    Keys("5 +");
    EXPECT_FALSE(m_controller->CanEditEntry());  // the entry waits for a new number
    Keys("3");
    EXPECT_TRUE(m_controller->CanEditEntry());
    Keys("=");
    EXPECT_FALSE(m_controller->CanEditEntry());
    Keys("C 1 / 0 =");
    EXPECT_FALSE(m_controller->CanEditEntry());  // an error shows
    Keys("SB");
    EXPECT_TRUE(m_controller->CanEditEntry());
    m_controller->RestoreNumberEntry("1.25e3");  // the free-form entry's OK
    EXPECT_EQ(Entry(), "1250");
    Keys("=");
    EXPECT_EQ(Entry(), "0.0008");
}

// ---------------------------------------------------------------- cancelling

class CancelTest : public ControllerFixture {
protected:
    void SetUp() override { MakeEngine(m_factory); }
    std::shared_ptr<CDelayingFactory> m_factory = std::make_shared<CDelayingFactory>(m_host);
};

TEST_F(CancelTest, CancelShowsTheCancellingTextIgnoresKeysAndRestoresTheEntry)
{
    Keys("2");
    m_factory->SetDelay(60000);
    Press("sqrt");
    ASSERT_TRUE(m_controller->IsCalculating());
    EXPECT_TRUE(m_displayModel.IsBusy());
    Press("5");  // ignored while calculating
    Press("C");
    EXPECT_TRUE(m_controller->IsCancelPending());
    EXPECT_TRUE(m_displayModel.IsCancelling());
    EXPECT_FALSE(m_displayModel.IsBusy());
    Press("7");
    Press("C");
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(m_controller->IsBusy());
    EXPECT_FALSE(m_displayModel.IsCancelling());
    EXPECT_EQ(Entry(), "2");
    EXPECT_FALSE(m_entryModel.IsStartOver());
    EXPECT_TRUE(m_controller->GetStepBackHistory().empty());
    EXPECT_TRUE(m_services.boxes.empty());  // a cancel tells nothing in a box
    m_factory->SetDelay(0);
    Keys("sqrt x2");
    EXPECT_EQ(Entry(), "2");
}

TEST_F(CancelTest, CancelOfAStepRightAfterCloseParenthesisKeepsTheStepsBeforeIt)
{
    for (const char* key : {"=", "sqrt", "*"}) {
        m_controller->ClearAll();
        Keys("2 * ( 2 + 3 )");  // "=" then still has a product to compute
        ASSERT_EQ(Entry(), "5");
        const auto history = m_controller->GetStepBackHistory();
        const int lines = m_controller->Record().GetEntryCount();
        const int prevEntryType = m_controller->Engine()->GetPrevEntryType();
        m_factory->SetDelay(60000);
        Press(key);  // each needs the worker: "=" and "*" compute 2 * 5
        ASSERT_TRUE(m_controller->IsCalculating()) << key;
        Press("C");
        ASSERT_TRUE(Settle()) << key;
        m_factory->SetDelay(0);
        EXPECT_EQ(m_controller->GetStepBackHistory(), history) << key;
        EXPECT_EQ(m_controller->Record().GetEntryCount(), lines) << key;
        EXPECT_EQ(m_controller->Engine()->GetPrevEntryType(), prevEntryType) << key;
        EXPECT_EQ(Entry(), "5") << key;
        Keys("SB");  // still steps back over ")"
        EXPECT_EQ(m_controller->Engine()->GetParenDepth(), 1) << key;
    }
}

TEST_F(CancelTest, AStepThatFinishedJustBeforeTheCancelStands)
{
    Keys("2");
    Press("sqrt");
    // Wait until the step has signalled, without taking the event.
    pollfd fd{m_done.fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&fd, 1, 20000), 1);
    Press("C");  // reaches the engine after the step ended
    EXPECT_TRUE(m_controller->IsCancelPending());
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(m_controller->IsBusy());
    EXPECT_FALSE(m_displayModel.IsCancelling());
    EXPECT_EQ(Entry().substr(0, 6), "1.4142");
    Keys("x2");
    EXPECT_EQ(Entry(), "2");
}

TEST_F(CancelTest, ShutdownDuringACalculationCancelsAndWaitsOnlyForTheThread)
{
    Keys("2");
    m_factory->SetDelay(60000);
    Press("sqrt");
    Press("C");  // a close right after a cancel
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(m_controller->Shutdown(std::chrono::seconds(15)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(m_controller->Engine(), nullptr);
    EXPECT_FALSE(m_controller->IsBusy());
}

TEST_F(CancelTest, ShutdownWhileCalculatingCancelsTheStep)
{
    Keys("2");
    m_factory->SetDelay(60000);
    Press("sqrt");
    EXPECT_TRUE(m_controller->Shutdown(std::chrono::seconds(15)));
    EXPECT_EQ(m_controller->Engine(), nullptr);
}

// ---------------------------------------------------------------- worker faults

TEST(FrameControllerWorker, AnUnregisteredWorkerEndsTheProgramWithExitCodeThree)
{
    class Fixture : public ControllerFixture {
    public:
        void TestBody() override {}
        void Make() { MakeEngine(std::make_shared<CUnregisteredFactory>()); }
        CScriptedServices& Services() { return m_services; }
    } fixture;
    try {
        fixture.Make();
        FAIL() << "no error";
    } catch (const EngineInitError& error) {
        EXPECT_EQ(error.ExitCode(), 3);
    }
    ASSERT_EQ(fixture.Services().boxes.size(), 1u);
    EXPECT_EQ(fixture.Services().boxes[0].text, "Could not locate calculation engine!");
}

TEST_F(FrameControllerTest, AWorkerThatCannotStartShowsTheEnginesBoxAndRestoresTheEntry)
{
    Keys("2 + 5");
    m_host->SetCreateFails(true);
    bool restoredBeforeTheBox = true;
    m_services.onBox = [&] { restoredBeforeTheBox = !m_entryModel.IsStartOver(); };
    Keys("sqrt");
    ASSERT_EQ(m_services.boxes.size(), 1u);
    EXPECT_FALSE(restoredBeforeTheBox) << "the engine's message comes first";
    EXPECT_FALSE(m_services.boxes[0].text.empty());
    EXPECT_FALSE(m_displayModel.IsBusy());
    EXPECT_EQ(Entry(), "5");
    EXPECT_FALSE(m_entryModel.IsStartOver());
    m_host->SetCreateFails(false);
    Keys("=");
    EXPECT_EQ(Entry(), "7");
}

}  // namespace
