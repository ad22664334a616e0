#include "keypad/CalcWindow.h"

#include <set>

#include <QTemporaryDir>

#include <QSignalSpy>

#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "keypad/CalcBtn.h"
#include "keypad/CalcBtnMgr.h"
#include "keypad/CalcDisplayWindow.h"
#include "keypad/CalcEdit.h"
#include "keypad/CalcToolbarBtn.h"
#include "platform/qt/BeepService.h"
#include "settings/ConfigOptions.h"

namespace {

using namespace keypad_test;

class CalcWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ConfigOptions::Instance().SetDefaults(); }
    void TearDown() override { ConfigOptions::Instance().SetDefaults(); }
    OwnerSpy owner;
};

TEST_F(CalcWindowTest, LayoutButtonsPlacesEveryButtonExactly)
{
    QWidget host;
    CCalcBtnMgr keypad(&host);
    keypad.BuildKeypad();
    EXPECT_EQ(keypad.LayoutButtons(27, 100), 251);
    EXPECT_EQ(keypad.SlotButton(0)->geometry(), QRect(27, 131, 34, 27));
    EXPECT_EQ(keypad.SlotRect(0), (KeypadRect{27, 131, 61, 158}));
    EXPECT_EQ(keypad.EqualsButton()->geometry(), QRect(312, 193, 34, 58));
    EXPECT_EQ(keypad.BackspaceButton()->geometry(), QRect(160, 100, 110, 27));
    EXPECT_EQ(keypad.StepBackButton()->geometry(), QRect(65, 100, 72, 27));
    EXPECT_EQ(keypad.SlotButton(30)->geometry(), QRect(312, 100, 34, 27));
    EXPECT_EQ(keypad.SlotButton(29)->geometry(), QRect(274, 224, 34, 27));
    EXPECT_EQ(keypad.KeypadTop(), 100);
    // The same origin moves nothing; another moves every button.
    keypad.SlotButton(0)->move(0, 0);
    EXPECT_EQ(keypad.LayoutButtons(27, 100), 251);
    EXPECT_EQ(keypad.SlotButton(0)->pos(), QPoint(0, 0));
    EXPECT_EQ(keypad.LayoutButtons(30, 110), 261);
    EXPECT_EQ(keypad.SlotButton(0)->pos(), QPoint(30, 141));
    EXPECT_EQ(keypad.SlotButton(0)->size(), QSize(34, 27));
}

TEST_F(CalcWindowTest, FlashMapHoldsEveryFaceOfEveryButton)
{
    QWidget host;
    CCalcBtnMgr keypad(&host);
    keypad.BuildKeypad();
    EXPECT_EQ(keypad.FlashMapSize(), 53u);
    std::set<unsigned> expected;
    for (unsigned id = 6101; id <= 6148; ++id)
        if (id != 6141)
            expected.insert(id);
    for (unsigned id : {32813u, 32815u, 34501u, 34502u, 34503u, 34504u})
        expected.insert(id);
    const auto ids = keypad.FlashMapIds();
    EXPECT_EQ(std::set<unsigned>(ids.begin(), ids.end()), expected);

    // Any face of a button flashes it, whichever face shows.
    CCalcBtn* piButton = keypad.SlotButton(0);
    ASSERT_EQ(piButton->GetCommandId(), 6120u);
    keypad.FlashButton(6121);
    EXPECT_TRUE(piButton->IsFlashed());
    keypad.FlashButton(6147);
    EXPECT_TRUE(keypad.EqualsButton()->IsFlashed());
    // Ids without a button flash nothing.
    keypad.FlashButton(13001);
    keypad.FlashButton(6141);
    int flashed = 0;
    for (int slot = 0; slot < kKeypadSlotCount; ++slot)
        flashed += keypad.SlotButton(slot)->IsFlashed() ? 1 : 0;
    EXPECT_EQ(flashed, 1);
}

TEST_F(CalcWindowTest, FacesPersistInConfigOptions)
{
    auto& options = ConfigOptions::Instance();
    options.m_sinCalcBtnCmdID = 6126;
    options.m_divCalcBtnCmdID = 34504;
    options.m_piCalcBtnCmdID = 4242;  // written by hand: no such face
    {
        QWidget host;
        CCalcBtnMgr keypad(&host);
        keypad.BuildKeypad();
        EXPECT_EQ(keypad.SlotButton(3)->GetCommandId(), 6126u);
        EXPECT_EQ(keypad.SlotButton(15)->GetCommandId(), 34504u);
        EXPECT_EQ(keypad.SlotButton(0)->GetCommandId(), 6120u);
        keypad.SlotButton(32)->OnMenuCommand(2);  // Change To "rnd"
        keypad.SlotButton(5)->OnMenuCommand(1);   // Change To "x cubed"
        keypad.SaveButtonAlternatives();
    }
    EXPECT_EQ(options.m_sciCalcBtnCmdID, 34501u);
    EXPECT_EQ(options.m_xSquaredCalcBtnCmdID, 6138u);
    EXPECT_EQ(options.m_sinCalcBtnCmdID, 6126u);
    EXPECT_EQ(options.m_piCalcBtnCmdID, 6120u);
    EXPECT_EQ(options.m_divCalcBtnCmdID, 34504u);
}

TEST_F(CalcWindowTest, AChangedFaceSurvivesARestart)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("faces.xml").toStdString();
    {
        CCalcWindow window(&owner);
        window.Keypad()->SlotButton(9)->OnMenuCommand(1);  // Change To "atan"
    }
    ConfigOptions::Instance().Save(path.c_str());
    ConfigOptions::Instance().SetDefaults();
    ASSERT_EQ(ConfigOptions::Instance().m_tanCalcBtnCmdID, 6132u);
    ConfigOptions::Instance().Load(path.c_str());
    CCalcWindow window(&owner);
    EXPECT_EQ(window.Keypad()->SlotButton(9)->GetCommandId(), 6133u);
}

TEST_F(CalcWindowTest, SavingFacesSkipsButtonsThatDoNotExist)
{
    auto& options = ConfigOptions::Instance();
    options.m_tanCalcBtnCmdID = 6134;
    QWidget host;
    CCalcBtnMgr keypad(&host);  // no buttons built
    keypad.SaveButtonAlternatives();
    EXPECT_EQ(options.m_tanCalcBtnCmdID, 6134u);
}

TEST_F(CalcWindowTest, KeypadPlacedIsPostedOnceWithItsHeight)
{
    CCalcWindow window(&owner);
    QSignalSpy placed(&window, &CCalcWindow::keypadPlaced);
    window.resize(720, 300);
    window.show();
    window.resize(800, 320);
    DrainEvents();
    ASSERT_EQ(placed.count(), 1);
    EXPECT_EQ(placed.at(0).at(0).toInt(), 572);
    EXPECT_EQ(placed.at(0).at(1).toInt(), window.KeypadBottom() + 27);
    const QRect entry = window.Edit()->geometry();
    EXPECT_EQ(window.KeypadBottom(), entry.bottom() + 1 + 46 + 151);
}

TEST_F(CalcWindowTest, ResizingStretchesEntryAndDisplayButNeverMovesTheKeypad)
{
    CCalcWindow window(&owner);
    window.resize(720, 300);
    window.show();
    const QPoint keypadAt = window.Keypad()->SlotButton(0)->pos();
    const QPoint degreesAt = window.AngleButton(0)->pos();
    EXPECT_EQ(window.Edit()->geometry().left(), 27);
    EXPECT_EQ(window.Edit()->width(), 720 - 54);
    EXPECT_EQ(window.Display()->geometry(), QRect(369, window.Keypad()->KeypadTop(), 720 - 396, 151));
    EXPECT_EQ(window.FrameRect(), QRect(QPoint(4, 4), QPoint(715, 295)));
    window.resize(900, 300);
    EXPECT_EQ(window.Edit()->width(), 900 - 54);
    EXPECT_EQ(window.Display()->width(), 900 - 396);
    EXPECT_EQ(window.Keypad()->SlotButton(0)->pos(), keypadAt);
    EXPECT_EQ(window.AngleButton(0)->pos(), degreesAt);
    // The free-form button follows the entry line's right edge.
    EXPECT_EQ(window.FreeFormButton()->geometry().right() + 1, window.Edit()->geometry().right() + 1);
    // A window narrower than the keypad gives the display no width, not a crash.
    window.resize(200, 300);
    EXPECT_EQ(window.Display()->width(), 0);
}

TEST_F(CalcWindowTest, KeypadFollowsTheEntryLineWhenItsHeightChanges)
{
    CCalcWindow window(&owner);
    window.resize(720, 300);
    window.show();
    DrainEvents();
    QSignalSpy placed(&window, &CCalcWindow::keypadPlaced);
    const int oldTop = window.Keypad()->KeypadTop();
    window.Edit()->SetFontMode(2);  // a taller line
    window.resize(721, 300);
    DrainEvents();
    const int entryBottom = window.Edit()->geometry().bottom() + 1;
    EXPECT_NE(window.Keypad()->KeypadTop(), oldTop);
    EXPECT_EQ(window.Keypad()->KeypadTop(), entryBottom + 46);
    EXPECT_EQ(window.AngleButton(0)->pos(), QPoint(27, entryBottom + 5));
    EXPECT_EQ(placed.count(), 1);
}

TEST_F(CalcWindowTest, AngleButtonsLatchAndPersist)
{
    CCalcWindow window(&owner);
    window.resize(720, 300);
    QSignalSpy commands(&window, &CCalcWindow::command);
    EXPECT_EQ(window.AngleSetting(), CCalcWindow::kDegrees);
    EXPECT_TRUE(window.AngleButton(0)->IsDown());

    Click(window.AngleButton(0));  // already down: nothing
    DrainEvents();
    EXPECT_EQ(commands.count(), 0);

    Click(window.AngleButton(1));
    DrainEvents();
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 32776);
    EXPECT_EQ(window.AngleSetting(), CCalcWindow::kRadians);
    EXPECT_EQ(owner.angles, std::vector<int>{1});
    EXPECT_FALSE(window.AngleButton(0)->IsDown());
    EXPECT_TRUE(window.AngleButton(1)->IsDown());

    EXPECT_TRUE(window.SetGrads());
    EXPECT_TRUE(window.AngleButton(2)->IsDown());
    EXPECT_FALSE(window.AngleButton(1)->IsDown());
    EXPECT_EQ(owner.angles, (std::vector<int>{1, 2}));
}

TEST_F(CalcWindowTest, AngleSettingKeptElsewhereIsShownWithoutTellingTheOwner)
{
    for (const auto& [stored, expected] : {std::pair{1, 1}, std::pair{2, 2}, std::pair{7, 0}, std::pair{-1, 0}}) {
        CCalcWindow window(&owner);
        window.ShowAngleSetting(stored);
        EXPECT_EQ(window.AngleSetting(), expected) << stored;
        EXPECT_TRUE(window.AngleButton(expected)->IsDown()) << stored;
    }
    EXPECT_TRUE(owner.angles.empty());
}

TEST_F(CalcWindowTest, AngleChangesAreRefusedWhileACalculationRuns)
{
    CCalcWindow window(&owner);
    window.resize(720, 300);
    QSignalSpy commands(&window, &CCalcWindow::command);
    CBeepCounter beeps;
    owner.calculating = true;
    Click(window.AngleButton(2));
    DrainEvents();
    EXPECT_EQ(commands.count(), 0);
    EXPECT_EQ(beeps.Count(), 1);
    EXPECT_EQ(window.AngleSetting(), CCalcWindow::kDegrees);
    EXPECT_TRUE(window.AngleButton(0)->IsDown());
    EXPECT_FALSE(window.AngleButton(2)->IsDown());
    EXPECT_TRUE(owner.angles.empty());

    owner.calculating = false;
    owner.cancelling = true;
    EXPECT_FALSE(window.SetRadians());
    EXPECT_EQ(beeps.Count(), 2);
    owner.cancelling = false;
    EXPECT_TRUE(window.SetRadians());
}

TEST_F(CalcWindowTest, EveryButtonCommandIsPostedOnToTheFrame)
{
    CCalcWindow window(&owner);
    window.resize(720, 300);
    window.show();
    QSignalSpy commands(&window, &CCalcWindow::command);
    Click(window.Keypad()->SlotButton(26));  // "0"
    Click(window.Keypad()->EqualsButton());
    Click(window.FreeFormButton());
    window.Display()->ShowBusy();
    Click(window.Display()->CancelButton());
    DrainEvents();
    ASSERT_EQ(commands.count(), 4);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 6101);
    EXPECT_EQ(commands.at(1).at(0).toInt(), 6147);
    EXPECT_EQ(commands.at(2).at(0).toInt(), 13001);
    EXPECT_EQ(commands.at(3).at(0).toInt(), 6145);
}

TEST_F(CalcWindowTest, FlashRequestsArePostedAndUnknownIdsDoNothing)
{
    CCalcWindow window(&owner);
    window.PostFlashButton(6113);
    CCalcBtn* divide = window.Keypad()->SlotButton(15);
    EXPECT_FALSE(divide->IsFlashed());
    DrainEvents();
    EXPECT_TRUE(divide->IsFlashed());
    window.flashButton(13001);
    window.flashButton(0);
}

TEST_F(CalcWindowTest, HoverHelpReachesTheDisplay)
{
    CCalcWindow window(&owner);
    window.resize(720, 300);
    CCalcBtn* plus = window.Keypad()->SlotButton(29);
    CCalcBtn* minus = window.Keypad()->SlotButton(25);
    Move(plus, {5, 5});
    EXPECT_EQ(window.Display()->Model().HelpTitle(), "[+]");
    // Leaving one button empties the help, entering the next shows its own.
    Leave(plus);
    EXPECT_EQ(window.Display()->Model().HelpTitle(), "");
    Move(minus, {5, 5});
    EXPECT_EQ(window.Display()->Model().HelpTitle(), "[-]");
}

TEST_F(CalcWindowTest, EnablingButtons)
{
    CCalcWindow window(&owner);
    window.EnableAngleButtons(false);
    for (int a = 0; a < 3; ++a)
        EXPECT_FALSE(window.AngleButton(a)->isEnabled());
    window.EnableAngleButtons(true);
    EXPECT_TRUE(window.AngleButton(1)->isEnabled());
    window.EnableFreeFormButton(false);
    EXPECT_FALSE(window.FreeFormButton()->isEnabled());
    window.EnableFreeFormButton(true);
    EXPECT_TRUE(window.FreeFormButton()->isEnabled());
}

TEST_F(CalcWindowTest, NoPartTakesKeyboardFocus)
{
    CCalcWindow window(&owner);
    std::vector<QWidget*> widgets{&window, window.Edit(), window.Display(), window.FreeFormButton(),
                                  window.Display()->CancelButton()};
    for (int a = 0; a < 3; ++a)
        widgets.push_back(window.AngleButton(a));
    for (int slot = 0; slot < kKeypadSlotCount; ++slot)
        widgets.push_back(window.Keypad()->SlotButton(slot));
    for (QWidget* w : widgets)
        EXPECT_EQ(w->focusPolicy(), Qt::NoFocus) << w->metaObject()->className();
}

// The angle unit is kept by the engine and stored by the frame (see the main
// window's tests); the keypad stores only its faces.
TEST_F(CalcWindowTest, DestructionStoresFaces)
{
    {
        CCalcWindow window(&owner);
        window.SetGrads();
        window.Keypad()->SlotButton(10)->OnMenuCommand(1);  // nPr
    }
    EXPECT_EQ(ConfigOptions::Instance().m_angleSetting.load(), 0);
    EXPECT_EQ(ConfigOptions::Instance().m_nCrCalcBtnCmdID, 6143u);
}

}  // namespace
