// The tab strip's painting: the colours and fonts of a paint, then the
// background, the tabs (the selected one last, over its neighbours) and the
// buttons, drawn by docking/TabStripPainter.

#include "docking/DotNetTabCtrl.h"

#include <QFontInfo>
#include <QPainter>
#include <QScreen>

#include "docking/DockEvents.h"
#include "docking/DockingSystemSettings.h"
#include "docking/TabStripPainter.h"
#include "docking/core/TabColours.h"

namespace dockwins {

TabPaintContext CDotNetTabCtrl::PaintContext() const
{
    const QPalette& pal = palette();
    TabPaintContext c;
    const QColor grey = pal.color(QPalette::Disabled, QPalette::WindowText);
    const QScreen* screen = this->screen();
    if (screen && screen->depth() <= 8) {
        c.background = pal.color(QPalette::Base);
        c.inactiveText = grey;
    } else {
        c.background = ToQColor(DockingSettings().Highlight());
        const TabRgb dark = DarkenGreyText({grey.red(), grey.green(), grey.blue()});
        c.inactiveText = QColor(dark.red, dark.green, dark.blue);
    }
    c.buttonFace = pal.color(QPalette::Button);
    c.shadow = pal.color(QPalette::Mid);
    c.light = pal.color(QPalette::Light);
    c.text = pal.color(QPalette::ButtonText);
    c.selectedText = c.text;
    c.selectedFill = c.buttonFace;
    c.highlight = pal.color(QPalette::Highlight);
    c.highlightedText = pal.color(QPalette::HighlightedText);
    c.hotText = pal.color(QPalette::Link);
    c.normalFont = font();
    c.selectedFont = font();
    if (m_style & kBoldSelected)
        c.selectedFont.setWeight(QFont::Bold);
    c.imageOffset = TabImageOffset(-QFontInfo(c.normalFont).pixelSize());
    return c;
}

void CDotNetTabCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(rect());
    const TabPaintContext context = PaintContext();
    painter.setFont(context.normalFont);
    DrawBackground(painter, context);

    painter.save();
    if (m_layout.strip.hasScroll) {
        painter.setClipRect(TabAreaRect());
        painter.translate(m_layout.scroll.offset, 0);
    }
    const int selected = m_items.Selected();
    const auto stateOf = [&](int i) {
        unsigned state = 0;
        if (i == selected)
            state |= kTabItemSelected;
        if ((m_style & kHotTrack) && i == m_items.Hot())
            state |= kTabItemHot;
        if (m_items.Item(i).highlighted)
            state |= kTabItemHighlighted;
        return state;
    };
    const int count = std::min(m_items.Count(), static_cast<int>(m_layout.items.size()));
    for (int i = 0; i < count; ++i) {
        if (i != selected)
            DrawItem(painter, context, i, ToQRect(m_layout.items[static_cast<std::size_t>(i)]), stateOf(i));
    }
    if (selected >= 0 && selected < count)
        DrawItem(painter, context, selected, ToQRect(m_layout.items[static_cast<std::size_t>(selected)]),
                 stateOf(selected));
    painter.restore();
    DrawButtons(painter, context);
}

void CDotNetTabCtrl::DrawBackground(QPainter& painter, const TabPaintContext& context)
{
    PaintTabStripBackground(painter, context, rect(), m_style);
}

void CDotNetTabCtrl::DrawItem(QPainter& painter, const TabPaintContext& context, int index, const QRect& rect,
                              unsigned state)
{
    const TabStripItem& item = m_items.Item(index);
    TabItemPaint paint;
    paint.rect = rect;
    paint.stripRect = this->rect();
    paint.state = state;
    paint.bottom = (m_style & kBottom) != 0;
    paint.nextIsSelected = index + 1 == m_items.Selected();
    paint.text = item.text;
    paint.icon = item.icon;
    paint.iconSize = kIconSize;
    PaintTabItem(painter, context, paint);
}

void CDotNetTabCtrl::DrawButtons(QPainter& painter, const TabPaintContext& context)
{
    const auto stateOf = [this](TabElement element) {
        if (m_buttons.IsDrawnPressed(element))
            return TabButtonLook::Pressed;
        if (m_buttons.Pressed() == TabElement::None && m_buttons.Hot() == element)
            return TabButtonLook::Hot;
        return TabButtonLook::Normal;
    };
    if (m_layout.strip.hasClose)
        PaintTabCloseButton(painter, context, CloseButtonRect(), stateOf(TabElement::Close));
    if (m_layout.strip.hasScroll) {
        PaintTabScrollButton(painter, context, ScrollRightButtonRect(), true, m_layout.scroll.hiddenRight,
                             stateOf(TabElement::ScrollRight));
        PaintTabScrollButton(painter, context, ScrollLeftButtonRect(), false, m_layout.scroll.hiddenLeft,
                             stateOf(TabElement::ScrollLeft));
    }
}

}  // namespace dockwins
