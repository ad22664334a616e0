#include "keypad/CalcDisplayWindow.h"

#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "settings/ColorScheme.h"
#include "WidgetTestSupport.h"
#include "keypad/BusySpinner.h"
#include "keypad/CalcBtn.h"
#include "keypad/WrappedText.h"

namespace {

using namespace keypad_test;

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        display.resize(300, 151);
        display.show();
    }
    void TearDown() override { SetCurrentColorScheme(*FindColorScheme(kDefaultColorSchemeName)); }
    CCalcDisplayWindow display;
};

TEST_F(DisplayTest, AClickClearsTheMessageAndTheHelpShowsAgain)
{
    display.ShowCommandHelp(6146);
    display.SetMessage("Open parenthesis is not allowed at this stage.");
    EXPECT_EQ(display.Model().CurrentContent(), CDisplayModel::Content::Message);
    Press(&display, {50, 50});
    EXPECT_TRUE(display.Model().Message().empty());
    EXPECT_EQ(display.Model().CurrentContent(), CDisplayModel::Content::Help);
    EXPECT_EQ(display.Model().HelpTitle(), "[Clear Current Entry]");
}

TEST_F(DisplayTest, BusyShowsTheSpinnerAndCentredCancelButton)
{
    display.ShowBusy();
    EXPECT_TRUE(display.Model().IsBusy());
    EXPECT_TRUE(display.Spinner()->isVisible());
    EXPECT_TRUE(display.Spinner()->IsRunning());
    EXPECT_TRUE(display.CancelButton()->isVisible());
    EXPECT_EQ(display.Spinner()->pos(), QPoint((300 - 32) / 2, (151 - 66) / 2));
    EXPECT_EQ(display.CancelButton()->pos(), QPoint((300 - 110) / 2, (151 - 66) / 2 + 39));
    EXPECT_EQ(display.CancelButton()->size(), QSize(110, 27));

    // A second ShowBusy does not restart the animation.
    // Waits for the frames rather than a fixed time: a loaded machine may run late.
    ASSERT_TRUE(QTest::qWaitFor([&] { return display.Spinner()->FrameCount() >= 2; }, 5000));
    const int frames = display.Spinner()->FrameCount();
    EXPECT_GE(frames, 2);
    display.ShowBusy();
    EXPECT_GE(display.Spinner()->FrameCount(), frames);

    // Resizing while busy keeps both centred; too narrow for the button leaves
    // it where it was.
    display.resize(400, 151);
    EXPECT_EQ(display.CancelButton()->pos(), QPoint(145, 81));
    display.resize(100, 151);
    EXPECT_EQ(display.Spinner()->pos(), QPoint(34, 42));
    EXPECT_EQ(display.CancelButton()->pos(), QPoint(145, 81));

    display.HideBusy();
    EXPECT_FALSE(display.Spinner()->isVisible());
    EXPECT_FALSE(display.Spinner()->IsRunning());
    EXPECT_FALSE(display.CancelButton()->isVisible());
    display.HideBusy();  // not busy: nothing
    EXPECT_FALSE(display.Model().IsBusy());
}

TEST_F(DisplayTest, TheCancelButtonSendsClearAll)
{
    QSignalSpy commands(&display, &CCalcDisplayWindow::command);
    display.ShowBusy();
    Click(display.CancelButton());
    DrainEvents();
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 6145);
}

TEST_F(DisplayTest, BackgroundFollowsTheColourSchemeAsBGR)
{
    EXPECT_EQ(display.BackgroundColor(), QColor(0xED, 0xF2, 0xF9));  // Smooth Blue F9F2ED
    SetCurrentColorScheme(*FindColorScheme("Olive Green"));
    display.ApplyColorScheme();
    EXPECT_EQ(display.BackgroundColor(), QColor(0xF2, 0xF5, 0xE7));  // E7F5F2
    const QImage image = display.grab().toImage();
    EXPECT_EQ(image.pixelColor(150, 140), QColor(0xF2, 0xF5, 0xE7));
}

TEST_F(DisplayTest, PaintsEachContentDifferently)
{
    auto grab = [this] { return display.grab().toImage(); };
    const QImage empty = grab();
    display.ShowCommandHelp(6147);
    const QImage help = grab();
    display.SetMessage("Result may have been rounded.");
    const QImage message = grab();
    display.SetErrorDetail("Cannot take the square root of a negative number.");
    const QImage error = grab();
    display.ShowCancelling();
    const QImage cancelling = grab();
    EXPECT_NE(empty, help);
    EXPECT_NE(help, message);
    EXPECT_NE(message, error);
    EXPECT_NE(error, cancelling);
    display.HideCancelling();
    EXPECT_EQ(grab(), error);
}

TEST(WrapText, LineBreaksAndOverflow)
{
    QFont font;
    font.setPixelSize(12);
    const int line = QFontMetrics(font).lineSpacing();
    // "\n\r" pairs became "\n" before wrapping: one break each, a blank line
    // for the pair of pairs.
    const QStringList lines = WrapText("Title\n\nKeyboard equivalent = F9", font, 400, 10 * line);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "Title");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Keyboard equivalent = F9");

    // Too much text for two lines: the second ends with an ellipsis.
    const QString longText =
        "Starts a new level of parentheses.  The current number of levels appears in the first "
        "column of the calculation record window and also in the status bar.";
    const QStringList cut = WrapText(longText, font, 150, 2 * line + 3);
    ASSERT_EQ(cut.size(), 2);
    EXPECT_TRUE(cut[1].endsWith(QChar(0x2026))) << cut[1].toStdString();
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(cut[1]), 150);

    // A blank line as the last one that fits still shows the cut.
    const QStringList blank = WrapText("One\n\nThree", font, 150, 2 * line);
    ASSERT_EQ(blank.size(), 2);
    EXPECT_TRUE(blank[1].endsWith(QChar(0x2026)));

    // No room at all never crashes.
    EXPECT_NO_THROW(WrapText(longText, font, 0, 0));
}

}  // namespace
