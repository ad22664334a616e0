#include "docking/AutoHideStrip.h"

#include <QApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>

#include "docking/CaptionPainter.h"
#include "docking/DockEvents.h"
#include "docking/DockingSystemSettings.h"
#include "docking/core/PinnedLabelLayout.h"

namespace dockwins {

namespace {


// A 1-px line from `from` to `to`, the end point left out.
void Line(QPainter& painter, POINT from, POINT to, const QColor& colour)
{
    if (from.x == to.x && to.y > from.y)
        painter.fillRect(QRect(from.x, from.y, 1, to.y - from.y), colour);
    else if (from.y == to.y && to.x > from.x)
        painter.fillRect(QRect(from.x, from.y, to.x - from.x, 1), colour);
}

}  // namespace

CAutoHideStrip::CAutoHideStrip(IAutoHideStripOwner& manager, int side, QWidget* clientArea)
    : QWidget(clientArea), m_manager(manager), m_side(side)
{
    setObjectName(QStringLiteral("autoHideStrip%1").arg(side));
    setMouseTracking(true);
    hide();
}

void CAutoHideStrip::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::NoButton)
        m_manager.HoverCheck(mapToParent(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void CAutoHideStrip::leaveEvent(QEvent* event)
{
    m_manager.HoverLeave();
    QWidget::leaveEvent(event);
}

void CAutoHideStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(DockingSettings().Highlight()));
    const auto& labels = m_manager.Model();
    const auto& rects = m_manager.LabelRects(m_side);
    const int count = std::min(labels.LabelCount(m_side), static_cast<int>(rects.size()));
    if (count == 0)
        return;
    painter.translate(-pos());
    const bool vertical = IsVerticalSide(m_side);
    const QPalette pal = palette();
    const QColor face = pal.color(QPalette::Button);
    const QColor shadow = pal.color(QPalette::Mid);
    const QColor text = ToQColor(DockingSettings().ShadowText());
    const QFont font = QApplication::font();
    const int icon = m_manager.SmallIconSize();
    for (int i = 0; i < count; ++i) {
        const auto& label = labels.LabelAt(m_side, i);
        const RECT& r = rects[static_cast<std::size_t>(i)];
        if (r.IsEmpty())
            continue;
        painter.fillRect(ToQRect(r), shadow);
        painter.fillRect(ToQRect(r.Inset(1, 1)), face);
        const bool multi = label.IsMulti();
        const std::vector<RECT> entries =
            multi ? MultiLabelEntryRects(r, m_side, label.Count(), label.Active(), label.InactiveWidth())
                  : std::vector<RECT>{r};
        for (int j = 0; j < static_cast<int>(entries.size()) && j < label.Count(); ++j) {
            const auto& entry = label.At(j);
            const RECT& e = entries[static_cast<std::size_t>(j)];
            if (j > 0) {
                if (vertical)
                    Line(painter, {e.left, e.top}, {e.right, e.top}, shadow);
                else
                    Line(painter, {e.left, e.top}, {e.left, e.bottom}, shadow);
            }
            if (!entry.window)
                continue;  // a window that is gone draws nothing
            const bool full = !multi || j == label.Active();
            const PinnedEntryContent content = PinnedEntryLayout(e, m_side, entry.hasIcon, icon, full);
            if (content.showIcon)
                painter.drawPixmap(ToQRect(content.icon), entry.window->windowIcon().pixmap(icon, icon));
            if (content.showText)
                DrawEllipsisText(painter, font, content.text, !vertical, QString::fromStdU16String(entry.text), text);
        }
        const PinnedLabelEdge edge = PinnedLabelOpenEdge(r, m_side);
        Line(painter, edge.from, edge.to, face);
    }
}

}  // namespace dockwins
