#include "docking/TabStripPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include "docking/core/TabColours.h"
#include "docking/core/TabLayout.h"

namespace dockwins {

namespace {

void HLine(QPainter& painter, int x1, int x2, int y, const QColor& colour)
{
    if (x2 > x1)
        painter.fillRect(QRect(x1, y, x2 - x1, 1), colour);
}

void VLine(QPainter& painter, int x, int y1, int y2, const QColor& colour)
{
    if (y2 > y1)
        painter.fillRect(QRect(x, y1, 1, y2 - y1), colour);
}

void ButtonEdge(QPainter& painter, const TabPaintContext& context, const QRect& r, TabButtonLook look)
{
    if (look == TabButtonLook::Normal || r.isEmpty())
        return;
    const bool pressed = look == TabButtonLook::Pressed;
    const QColor topLeft = pressed ? context.shadow : context.light;
    const QColor bottomRight = pressed ? context.light : context.shadow;
    HLine(painter, r.left(), r.right(), r.top(), topLeft);
    VLine(painter, r.left(), r.top(), r.bottom(), topLeft);
    HLine(painter, r.left(), r.right() + 1, r.bottom(), bottomRight);
    VLine(painter, r.right(), r.top(), r.bottom(), bottomRight);
}

}  // namespace

void PaintTabStripBackground(QPainter& painter, const TabPaintContext& context, const QRect& strip, unsigned style)
{
    painter.fillRect(strip, context.background);
    if (strip.isEmpty())
        return;
    const int left = strip.left(), right = strip.right() + 1, top = strip.top(), bottom = strip.bottom() + 1;
    if (style & TAB_BOTTOM) {
        // The band that joins the window above, with a dark line under it.
        painter.fillRect(QRect(left, top, strip.width(), std::min(3, strip.height())), context.buttonFace);
        HLine(painter, left, right, top + 3, context.text);
        return;
    }
    painter.fillRect(QRect(left, bottom - 2, strip.width(), 2), context.buttonFace);
    HLine(painter, left, right, bottom - 3, context.light);
    // The frame: light at the top and left, shadow at the right, unless flat.
    HLine(painter, left, right, top, context.light);
    VLine(painter, left, top, bottom - 2, context.light);
    VLine(painter, right - 1, top, bottom - 2, (style & TAB_FLATEDGE) ? context.light : context.shadow);
}

void PaintTabItem(QPainter& painter, const TabPaintContext& context, const TabItemPaint& item)
{
    const QRect& r = item.rect;
    if (r.width() <= 0)
        return;
    const bool selected = item.state & kTabItemSelected;
    const bool hot = item.state & kTabItemHot;
    const bool highlighted = item.state & kTabItemHighlighted;
    const int left = r.left(), right = r.right() + 1;
    if (selected) {
        // Raised: joined to the window on the strip's edge side.
        const int top = item.bottom ? item.stripRect.top() + 3 : r.top() + 2;
        const int bottom = item.bottom ? r.bottom() + 1 - 2 : item.stripRect.bottom() + 1 - 2;
        painter.fillRect(QRect(left, top, r.width(), bottom - top), highlighted ? context.highlight : context.selectedFill);
        VLine(painter, left, top, bottom, context.light);
        VLine(painter, right - 1, top, bottom, context.text);
        if (item.bottom)
            HLine(painter, left, right, bottom - 1, context.text);
        else
            HLine(painter, left, right - 1, top, context.light);
    } else {
        if (highlighted)
            painter.fillRect(QRect(left, r.top() + 3, r.width(), r.height() - 5), context.highlight);
        if (!item.nextIsSelected)
            VLine(painter, right - 1, r.top() + (item.bottom ? 6 : 4), r.bottom() + 1 - (item.bottom ? 3 : 5),
                  context.shadow);
    }

    const QFont& font = selected ? context.selectedFont : context.normalFont;
    const TabItemContent content =
        LayOutTabItem({left, r.top(), right, r.bottom() + 1}, item.icon.isNull() ? 0 : item.iconSize,
                      item.iconSize, context.imageOffset, !item.text.isEmpty());
    if (content.showImage) {
        const RECT& i = content.image;
        item.icon.paint(&painter, QRect(i.left, i.top, i.Width(), i.Height()));
    }
    if (content.showText) {
        QColor colour;
        switch (ChooseTabTextRole(selected, hot, highlighted)) {
        case TabTextRole::HighlightedText: colour = context.highlightedText; break;
        case TabTextRole::HotTrack: colour = context.hotText; break;
        case TabTextRole::Selected: colour = context.selectedText; break;
        case TabTextRole::Inactive: colour = context.inactiveText; break;
        }
        const RECT& t = content.text;
        const QRect textRect(t.left, t.top, t.Width(), t.Height());
        painter.setFont(font);
        painter.setPen(colour);
        // Qt elides a text with trailing spaces even at its own advance: only a
        // text that does not fit is cut.
        const QFontMetrics metrics(font);
        const QString shown = metrics.horizontalAdvance(item.text) <= textRect.width()
                                  ? item.text
                                  : metrics.elidedText(item.text, Qt::ElideMiddle, textRect.width());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
}

void PaintTabCloseButton(QPainter& painter, const TabPaintContext& context, const QRect& button, TabButtonLook look)
{
    if (button.isEmpty())
        return;
    ButtonEdge(painter, context, button, look);
    const int shift = look == TabButtonLook::Pressed ? 1 : 0;
    const QRect x = button.adjusted(4 + shift, 4 + shift, -4 + shift, -4 + shift);
    painter.save();
    painter.setPen(QPen(context.inactiveText, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(x.topLeft(), x.bottomRight());
    painter.drawLine(x.topRight(), x.bottomLeft());
    painter.restore();
}

void PaintTabScrollButton(QPainter& painter, const TabPaintContext& context, const QRect& button, bool right,
                          bool enabled, TabButtonLook look)
{
    if (button.isEmpty())
        return;
    ButtonEdge(painter, context, button, look);
    const int shift = look == TabButtonLook::Pressed ? 1 : 0;
    const int cx = button.left() + button.width() / 2 + shift;
    const int cy = button.top() + button.height() / 2 + shift;
    QPolygon triangle;
    if (right)
        triangle << QPoint(cx - 2, cy - 4) << QPoint(cx + 2, cy) << QPoint(cx - 2, cy + 4);
    else
        triangle << QPoint(cx + 2, cy - 4) << QPoint(cx - 2, cy) << QPoint(cx + 2, cy + 4);
    painter.save();
    painter.setPen(context.inactiveText);
    painter.setBrush(enabled ? QBrush(context.inactiveText) : QBrush(Qt::NoBrush));
    painter.drawPolygon(triangle);
    painter.restore();
}

}  // namespace dockwins
