#include "platform/qt/VisualStyles.h"

#include <atomic>

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionTabWidgetFrame>
#include <QWidget>
#include <qdrawutil.h>

namespace visual_styles {
namespace {

// -1 no override, 0 forced off, 1 forced on.
std::atomic<int> g_override{-1};

QPalette PaletteOf(const QWidget* widget)
{
    if (widget)
        return widget->palette();
    return qApp ? QApplication::palette() : QPalette();
}

}  // namespace

bool ThemesAvailable()
{
    const int forced = g_override.load();
    if (forced >= 0)
        return forced == 1;
    if (!qApp)
        return false;
    const QStyle* style = QApplication::style();
    return style && style->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) != 0;
}

void ForceThemesAvailable(bool available) { g_override = available ? 1 : 0; }

void ClearThemesOverride() { g_override = -1; }

bool DrawThemedButton(QPainter& painter, const QRect& rect, ButtonState state, const QWidget* widget)
{
    if (!ThemesAvailable())
        return false;
    QStyle* style = widget ? widget->style() : QApplication::style();
    if (!style)
        return false;
    QStyleOptionButton option;
    option.rect = rect;
    option.palette = PaletteOf(widget);
    option.state = QStyle::State_None;
    if (state != ButtonState::Disabled)
        option.state |= QStyle::State_Enabled;
    if (state == ButtonState::Pressed)
        option.state |= QStyle::State_Sunken;
    else
        option.state |= QStyle::State_Raised;
    if (state == ButtonState::Hot)
        option.state |= QStyle::State_MouseOver;
    style->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, widget);
    return true;
}

bool DrawThemedPane(QPainter& painter, const QRect& rect, const QWidget* widget)
{
    if (!ThemesAvailable())
        return false;
    QStyle* style = widget ? widget->style() : QApplication::style();
    if (!style)
        return false;
    QStyleOptionTabWidgetFrame option;
    option.rect = rect;
    option.palette = PaletteOf(widget);
    option.state = QStyle::State_Enabled;
    option.shape = QTabBar::RoundedNorth;
    option.lineWidth = 1;
    style->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, widget);
    return true;
}

void DrawClassicButton(QPainter& painter, const QRect& rect, ButtonState state, const QWidget* widget)
{
    const QPalette palette = PaletteOf(widget);
    const QBrush fill = palette.brush(QPalette::Button);
    if (state == ButtonState::Disabled) {
        // Flat and inactive: a single dark outline.
        painter.fillRect(rect, fill);
        qDrawPlainRect(&painter, rect, palette.color(QPalette::Dark), 1);
        return;
    }
    qDrawWinButton(&painter, rect, palette, state == ButtonState::Pressed, &fill);
}

void DrawClassicRaisedEdge(QPainter& painter, const QRect& rect, const QWidget* widget)
{
    qDrawWinPanel(&painter, rect, PaletteOf(widget), false, nullptr);
}

void DrawClassicSunkenEdge(QPainter& painter, const QRect& rect, const QWidget* widget)
{
    qDrawWinPanel(&painter, rect, PaletteOf(widget), true, nullptr);
}

}  // namespace visual_styles
