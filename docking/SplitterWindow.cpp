#include "docking/SplitterWindow.h"

#include "docking/DockEvents.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

CSplitterWindowBase::CSplitterWindowBase(bool vertical, QWidget* parent) : QWidget(parent), m_vertical(vertical) {
    m_layout.SetBarWidth(style()->pixelMetric(QStyle::PM_SplitterWidth, nullptr, this));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void CSplitterWindowBase::SetSplitterPanes(QWidget* first, QWidget* second) {
    m_panes[0] = first;
    m_panes[1] = second;
    for (QWidget* pane : {first, second})
        if (pane && pane->parentWidget() != this)
            pane->setParent(this);
    UpdateSplitterLayout();
}

bool CSplitterWindowBase::SetSplitterPos(int position, bool update) {
    m_layout.SetTotal(m_vertical ? width() : height());
    const bool changed = m_layout.SetSplitterPos(position);
    if (update && changed)
        UpdateSplitterLayout();
    return changed;
}

QRect CSplitterWindowBase::BarRect() const {
    const int pos = m_layout.Position();
    if (pos < 0)
        return {};
    const int thickness = m_layout.BarWidth() + m_layout.BarEdge();
    return m_vertical ? QRect(pos, 0, thickness, height()) : QRect(0, pos, width(), thickness);
}

bool CSplitterWindowBase::IsOverBar(const QPoint& p) const { return BarRect().contains(p); }

void CSplitterWindowBase::UpdateSplitterLayout() {
    const int pos = m_layout.Position();
    if (pos < 0)
        return;
    const int thickness = m_layout.BarWidth() + m_layout.BarEdge();
    const QRect first = m_vertical ? QRect(0, 0, pos, height()) : QRect(0, 0, width(), pos);
    const QRect second = m_vertical ? QRect(pos + thickness, 0, width() - pos - thickness, height())
                                    : QRect(0, pos + thickness, width(), height() - pos - thickness);
    if (m_panes[0])
        m_panes[0]->setGeometry(first);
    if (m_panes[1])
        m_panes[1]->setGeometry(second);
    update(BarRect());
}

void CSplitterWindowBase::resizeEvent(QResizeEvent*) {
    if (isMinimized())
        return;
    m_layout.Resize(m_vertical ? width() : height());
    UpdateSplitterLayout();
}

void CSplitterWindowBase::paintEvent(QPaintEvent*) {
    const QRect bar = BarRect();
    if (bar.isEmpty())
        return;
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    option.rect = bar;
    option.state = m_vertical ? QStyle::State_Horizontal : QStyle::State_None;
    style()->drawControl(QStyle::CE_Splitter, &option, &painter, this);
}

void CSplitterWindowBase::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && IsOverBar(p)) {
        m_dragOffset = AlongBar(p) - m_layout.Position();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void CSplitterWindowBase::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (m_dragOffset >= 0) {
        SetSplitterPos(AlongBar(p) - m_dragOffset, true);
        return;
    }
    if (IsOverBar(p))
        setCursor(m_vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
    else
        unsetCursor();
}

void CSplitterWindowBase::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragOffset >= 0 && event->button() == Qt::LeftButton) {
        m_dragOffset = -1;
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void CSplitterWindowBase::mouseDoubleClickEvent(QMouseEvent* event) {
    if (IsOverBar(event->position().toPoint()))
        SetSplitterPos(-1, true);
}

bool CSplitterWindowBase::event(QEvent* event)
{
    if (event->type() == dockwins::MinMaxInfoEventType()) {
        static_cast<dockwins::CMinMaxInfoEvent*>(event)->info.ptMinTrackSize = {600, 450};
        return true;
    }
    return QWidget::event(event);
}
