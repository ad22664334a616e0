#include "platform/qt/VisualStyles.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>

#include <gtest/gtest.h>

#include "keypad/CalcBtn.h"
#include "keypad/CalcDisplayWindow.h"
#include "keypad/CalcEdit.h"
#include "keypad/GlyphList.h"
#include "platform/qt/BeepService.h"

namespace {

class VisualStylesTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        visual_styles::ClearThemesOverride();
        QApplication::setStyle(QStringLiteral("Fusion"));
    }
};

TEST_F(VisualStylesTest, SwitchFollowsTheActiveStyle)
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    EXPECT_TRUE(visual_styles::ThemesAvailable());
    QApplication::setStyle(QStringLiteral("Windows"));
    EXPECT_FALSE(visual_styles::ThemesAvailable());
    visual_styles::ForceThemesAvailable(true);
    EXPECT_TRUE(visual_styles::ThemesAvailable());
    visual_styles::ClearThemesOverride();
    EXPECT_FALSE(visual_styles::ThemesAvailable());
}

TEST_F(VisualStylesTest, ThemedWrappersDrawNothingWithoutThemes)
{
    QImage image(40, 30, QImage::Format_ARGB32);
    image.fill(Qt::magenta);
    const QImage untouched = image;
    QPainter painter(&image);
    visual_styles::ForceThemesAvailable(false);
    EXPECT_FALSE(visual_styles::DrawThemedButton(painter, image.rect(), visual_styles::ButtonState::Normal, nullptr));
    EXPECT_FALSE(visual_styles::DrawThemedPane(painter, image.rect(), nullptr));
    painter.end();
    EXPECT_EQ(image, untouched);
}

// Each owner-drawn widget paints through both paths, and they differ.
TEST_F(VisualStylesTest, ButtonsDisplayAndEntryLineDrawThemedAndClassic)
{
    CGlyphList glyphs(kStripKeypad);
    CCalcBtn button(&glyphs, 6101, 0);
    button.setFixedSize(34, 27);
    CCalcDisplayWindow display;
    display.resize(200, 151);
    CCalcEdit edit;
    edit.resize(200, edit.height());
    for (QWidget* widget : std::initializer_list<QWidget*>{&button, &display, &edit}) {
        visual_styles::ForceThemesAvailable(true);
        const QImage themed = widget->grab().toImage();
        visual_styles::ForceThemesAvailable(false);
        const QImage classic = widget->grab().toImage();
        EXPECT_NE(themed, classic) << widget->metaObject()->className();
    }
    // Pressed and disabled faces differ from the normal one on both paths.
    for (bool themed : {true, false}) {
        visual_styles::ForceThemesAvailable(themed);
        CCalcBtn fresh(&glyphs, 6101, 0);
        fresh.setFixedSize(34, 27);
        const QImage normal = fresh.grab().toImage();
        fresh.Flash();
        EXPECT_NE(fresh.grab().toImage(), normal) << themed;
        CCalcBtn disabled(&glyphs, 6101, 0);
        disabled.setFixedSize(34, 27);
        disabled.setEnabled(false);
        EXPECT_NE(disabled.grab().toImage(), normal) << themed;
    }
}

TEST(BeepService, CountersNestAndRestore)
{
    CBeepCounter outer;
    MessageBeep();
    {
        CBeepCounter inner;
        MessageBeep();
        MessageBeep();
        EXPECT_EQ(inner.Count(), 2);
    }
    MessageBeep();
    EXPECT_EQ(outer.Count(), 2);
}

}  // namespace
