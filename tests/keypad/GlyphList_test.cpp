#include "keypad/GlyphList.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

int InkPixels(const QImage& image)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return ink;
}

QImage Render(const CGlyphList& list, int index, qreal ratio, bool enabled = true)
{
    const QSize cell = list.CellSize();
    QImage image(cell * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    list.Draw(painter, index, QPoint(0, 0), enabled);
    return image;
}

TEST(GlyphList, EveryLabelOfEveryStripDrawsInsideItsCell)
{
    const struct {
        int strip;
        int count;
        QSize cell;
    } strips[] = {
        {kStripAngles, 7, {30, 16}},   {kStripKeypad, 51, {32, 25}}, {kStripEquals, 1, {32, 56}},
        {kStripBackspace, 1, {108, 25}}, {kStripStepBack, 1, {70, 25}}, {kStripCancel, 1, {108, 25}},
        {kStripIcons, 3, {16, 16}},
    };
    for (const auto& s : strips) {
        const CGlyphList list(s.strip);
        ASSERT_EQ(list.Count(), s.count) << s.strip;
        EXPECT_EQ(list.CellSize(), s.cell) << s.strip;
        for (int i = 0; i < s.count; ++i) {
            if (s.strip == kStripKeypad && i == 40)
                continue;  // the one cell no command uses
            EXPECT_GT(InkPixels(Render(list, i, 1.0)), 4) << s.strip << " index " << i;
        }
    }
    // Out-of-range indexes and unknown strips draw nothing.
    const CGlyphList keypad(kStripKeypad);
    EXPECT_EQ(InkPixels(Render(keypad, 51, 1.0)), 0);
    EXPECT_EQ(InkPixels(Render(keypad, -1, 1.0)), 0);
    EXPECT_EQ(CGlyphList(999).Count(), 0);
}

TEST(GlyphList, DrawsAtTheDevicePixelRatio)
{
    const CGlyphList keypad(kStripKeypad);
    const int single = InkPixels(Render(keypad, 8, 1.0));
    const int twice = InkPixels(Render(keypad, 8, 2.0));
    EXPECT_GT(twice, 2 * single);  // four times the pixels, not a scaled-up copy
}

TEST(GlyphList, DisabledGlyphsAreBlended)
{
    const CGlyphList keypad(kStripKeypad);
    const QImage enabled = Render(keypad, 7, 1.0);
    const QImage disabled = Render(keypad, 7, 1.0, false);
    int maxEnabled = 0, maxDisabled = 0;
    for (int y = 0; y < enabled.height(); ++y)
        for (int x = 0; x < enabled.width(); ++x) {
            maxEnabled = std::max(maxEnabled, qAlpha(enabled.pixel(x, y)));
            maxDisabled = std::max(maxDisabled, qAlpha(disabled.pixel(x, y)));
        }
    EXPECT_EQ(maxEnabled, 255);
    EXPECT_NEAR(maxDisabled, 128, 2);
}

}  // namespace
