#include "keypad/CalcEdit.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "platform/qt/BeepService.h"
#include "settings/ConfigOptions.h"

namespace {

using namespace keypad_test;

class CalcEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ConfigOptions::Instance().SetDefaults();
        edit.resize(300, edit.height());
        edit.show();
    }
    void TearDown() override { ConfigOptions::Instance().SetDefaults(); }
    CCalcEdit edit;
};

TEST_F(CalcEditTest, UsesAFixedPitchFontAndFitsItsHeight)
{
    for (int mode : {0, 1, 2}) {
        edit.SetFontMode(mode);
        EXPECT_EQ(edit.height(), edit.LineHeight() + 12) << mode;
        EXPECT_EQ(edit.width(), 300) << mode;
    }
    edit.SetFontMode(0);
    EXPECT_TRUE(QFontInfo(edit.EntryFont()).fixedPitch()) << QFontInfo(edit.EntryFont()).family().toStdString();
    // Every character is as wide as "0", which the view's arithmetic relies on.
    const QFontMetrics metrics(edit.EntryFont());
    for (QChar c : QStringLiteral(",.E-123456789"))
        EXPECT_EQ(metrics.horizontalAdvance(c), edit.CharWidth()) << c.toLatin1();
    EXPECT_EQ(edit.Model().VisibleCount(), (300 - 10) / edit.CharWidth());
}

TEST_F(CalcEditTest, LimitsBeepThroughTheBeepService)
{
    CBeepCounter beeps;
    edit.SetMaxDigits(15);
    for (char c : std::string("1234567890123456"))
        EXPECT_TRUE(edit.TypeChar(c));
    EXPECT_EQ(beeps.Count(), 1);
    EXPECT_EQ(edit.GetText(), "123456789012345");
}

TEST_F(CalcEditTest, GroupingFollowsTheOption)
{
    ConfigOptions::Instance().m_digitGrouping = 1;
    edit.SetText("1234567.50", false);
    EXPECT_EQ(edit.Model().ShownNumber(), "1,234,567.50");
    ConfigOptions::Instance().m_digitGrouping = 2;
    edit.Reformat();
    EXPECT_EQ(edit.Model().ShownNumber(), "1234567.50");
}

TEST_F(CalcEditTest, ErrorTextBlinksEveryFourHundredMilliseconds)
{
    edit.SetText("42", true);
    const QImage number = edit.grab().toImage();
    edit.SetErrorText("Result too large!");
    EXPECT_TRUE(edit.IsBlinking());
    EXPECT_EQ(edit.ErrorTextLength(), 17);
    const QImage errorOn = edit.grab().toImage();
    EXPECT_NE(errorOn, number);
    EXPECT_TRUE(edit.Model().BlinkOn());
    Wait(CCalcEdit::kBlinkMilliseconds + 120);
    EXPECT_FALSE(edit.Model().BlinkOn());
    const QImage errorOff = edit.grab().toImage();
    EXPECT_NE(errorOff, errorOn);
    Wait(CCalcEdit::kBlinkMilliseconds);
    EXPECT_TRUE(edit.Model().BlinkOn());
    edit.SetErrorText("");
    EXPECT_FALSE(edit.IsBlinking());
    EXPECT_EQ(edit.grab().toImage(), number);
}

TEST_F(CalcEditTest, MarkersShowWhereTheNumberIsCut)
{
    ConfigOptions::Instance().m_digitGrouping = 0;
    edit.resize(10 + 10 * edit.CharWidth(), edit.height());
    edit.SetText("123456789012", false);
    edit.ScrollEnd();
    const auto view = edit.Model().CurrentView();
    EXPECT_TRUE(view.leftMarker);
    EXPECT_FALSE(view.rightMarker);
    EXPECT_EQ(view.text.back(), '.');
    const QImage atEnd = edit.grab().toImage();
    edit.ScrollHome();
    EXPECT_NE(edit.grab().toImage(), atEnd);
    // Narrower than a character: painting is still safe.
    edit.resize(4, edit.height());
    EXPECT_FALSE(edit.grab().isNull());
}

TEST_F(CalcEditTest, ClicksAreSwallowed)
{
    edit.SetText("5", false);
    Press(&edit, {10, 10});
    Release(&edit, {10, 10});
    EXPECT_EQ(edit.GetText(), "5");
    EXPECT_FALSE(edit.hasFocus());
}

}  // namespace
