#include "keypad/CalcBtn.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "keypad/GlyphList.h"

namespace {

using namespace keypad_test;

class CalcBtnTest : public ::testing::Test {
protected:
    CGlyphList glyphs{kStripKeypad};
    HelpSpy help;

    std::unique_ptr<CCalcBtn> MakeSin()
    {
        auto button = std::make_unique<CCalcBtn>(&glyphs, MakeCommandList(KeypadSlotTable()[3]));
        button->setFixedSize(34, 27);
        button->SetParentInterface(&help);
        button->show();
        return button;
    }

    static QAction* ChangeToItem(CCalcBtn& button, int index)
    {
        QMenu* changeTo = button.PopupMenu()->actions().last()->menu();
        return changeTo->actions().at(index);
    }
};

TEST_F(CalcBtnTest, AShortClickPostsTheCurrentFace)
{
    auto button = MakeSin();
    QSignalSpy commands(button.get(), &CCalcBtn::command);
    Click(button.get());
    EXPECT_EQ(commands.count(), 0) << "posted, not sent from inside the click";
    DrainEvents();
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 6124);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
}

TEST_F(CalcBtnTest, HoldingOpensTheMenuAndTheReleasePostsNothing)
{
    auto button = MakeSin();
    QSignalSpy commands(button.get(), &CCalcBtn::command);
    Press(button.get(), {10, 10});
    Wait(CCalcBtn::kHoldMilliseconds + 150);
    EXPECT_TRUE(button->IsMenuShowing());
    ASSERT_NE(button->PopupMenu(), nullptr);
    EXPECT_TRUE(button->PopupMenu()->isVisible());
    Release(button.get(), {10, 10});
    EXPECT_TRUE(button->IsPressed()) << "stays pressed until the menu closes";
    button->PopupMenu()->hide();
    DrainEvents();
    EXPECT_FALSE(button->IsMenuShowing());
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(commands.count(), 0);
}

TEST_F(CalcBtnTest, MovingOutBeforeTheHoldEndsOpensNoMenuAndPostsNothing)
{
    auto button = MakeSin();
    QSignalSpy commands(button.get(), &CCalcBtn::command);
    Move(button.get(), {10, 10});
    ASSERT_EQ(help.ids, std::vector<unsigned>{6124});
    Press(button.get(), {10, 10});
    Move(button.get(), {60, 10}, true);
    Wait(CCalcBtn::kHoldMilliseconds + 150);
    EXPECT_FALSE(button->IsMenuShowing());
    Release(button.get(), {60, 10});
    DrainEvents();
    EXPECT_EQ(commands.count(), 0);
    // The release outside ends the hover and the help, with no leave to come.
    EXPECT_FALSE(button->IsHovering());
    EXPECT_EQ(help.ids, (std::vector<unsigned>{6124, 0}));
}

TEST_F(CalcBtnTest, ChangeToSwitchesTheFaceAndRunOnceDoesNot)
{
    auto button = MakeSin();
    QSignalSpy commands(button.get(), &CCalcBtn::command);
    // Item texts: the faces, a separator, then "Change To".
    const auto items = button->PopupMenu()->actions();
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items[0]->text(), "sin");
    EXPECT_EQ(items[3]->text(), "asinh");
    EXPECT_TRUE(items[4]->isSeparator());
    EXPECT_EQ(items[5]->text(), "Change To");
    // The current face is checked and greyed.
    EXPECT_TRUE(ChangeToItem(*button, 0)->isChecked());
    EXPECT_FALSE(ChangeToItem(*button, 0)->isEnabled());
    EXPECT_TRUE(ChangeToItem(*button, 2)->isEnabled());

    // Running an alternative once posts its id; the face stays.
    items[1]->trigger();
    DrainEvents();
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 6125);
    EXPECT_EQ(button->GetCommandId(), 6124u);

    // Changing the face changes what the next click posts.
    ChangeToItem(*button, 2)->trigger();
    EXPECT_EQ(button->GetCommandId(), 6126u);
    EXPECT_TRUE(ChangeToItem(*button, 2)->isChecked());
    EXPECT_FALSE(ChangeToItem(*button, 2)->isEnabled());
    EXPECT_FALSE(ChangeToItem(*button, 0)->isChecked());
    EXPECT_TRUE(ChangeToItem(*button, 0)->isEnabled());
    Click(button.get());
    DrainEvents();
    ASSERT_EQ(commands.count(), 2);
    EXPECT_EQ(commands.at(1).at(0).toInt(), 6126);
}

TEST_F(CalcBtnTest, SelectCommandTakesOnlyKnownFaces)
{
    auto button = MakeSin();
    button->SelectCommand(6127);
    EXPECT_EQ(button->CurrentIndex(), 3);
    button->SelectCommand(6120);  // not a face of this button
    EXPECT_EQ(button->GetCommandId(), 6127u);
}

TEST_F(CalcBtnTest, SingleCommandButtonsHaveNoMenu)
{
    CCalcBtn paren(&glyphs, 6122, 21);
    EXPECT_EQ(paren.PopupMenu(), nullptr);
    EXPECT_TRUE(paren.Commands()[0]->m_name.empty());
    paren.setFixedSize(34, 27);
    Press(&paren, {5, 5});
    Wait(CCalcBtn::kHoldMilliseconds + 100);
    EXPECT_FALSE(paren.IsMenuShowing());
    Release(&paren, {5, 5});
}

TEST_F(CalcBtnTest, FlashLastsOneHundredMillisecondsAndIsNotProlonged)
{
    auto button = MakeSin();
    button->Flash();
    EXPECT_TRUE(button->IsFlashed());
    EXPECT_GT(button->FlashTimeRemaining(), 50);
    Wait(60);
    button->Flash();  // within the first flash: the timer is not restarted
    EXPECT_LE(button->FlashTimeRemaining(), 45);
    Wait(CCalcBtn::kFlashMilliseconds + 150);
    EXPECT_FALSE(button->IsFlashed());
    EXPECT_EQ(button->FlashTimeRemaining(), -1);
}

TEST_F(CalcBtnTest, HoverAskedOncePerEntryAndClearedOnLeave)
{
    auto button = MakeSin();
    Move(button.get(), {3, 3});
    Move(button.get(), {8, 8});
    EXPECT_EQ(help.ids, std::vector<unsigned>{6124});
    Leave(button.get());
    EXPECT_EQ(help.ids, (std::vector<unsigned>{6124, 0}));
    Leave(button.get());
    EXPECT_EQ(help.ids.size(), 2u);
}

}  // namespace
