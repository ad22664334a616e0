#include "docking/SplitterWindow.h"

#include "docking/CaptionPainter.h"
#include "docking/DockEvents.h"
#include "docking/DockingSystemSettings.h"
#include "docking/DragSession.h"
#include "docking/GhostBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

using namespace dockwins;

CSplitterWindowBase::CSplitterWindowBase(bool vertical, QWidget* parent) : QWidget(parent), m_vertical(vertical)
{
    m_layout.SetBarWidth(style()->pixelMetric(QStyle::PM_SplitterWidth, nullptr, this));
    m_ghost = new CGhostBar(this);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void CSplitterWindowBase::SetSplitterPanes(QWidget* first, QWidget* second)
{
    m_panes[0] = first;
    m_panes[1] = second;
    for (QWidget* pane : {first, second})
        if (pane && pane->parentWidget() != this)
            pane->setParent(this);
    m_ghost->raise();
    UpdateSplitterLayout();
}

void CSplitterWindowBase::SetSplitterExtendedStyle(unsigned style)
{
    m_layout.SetExtendedStyle(style);
    if (!Interactive())
        unsetCursor();
    update(BarRect());
}

void CSplitterWindowBase::SetClientEdge(bool clientEdge)
{
    m_clientEdge = clientEdge;
    m_layout.SetBarEdge(clientEdge ? 2 * DockingSettings().Metrics().edge : 0);
    m_layout.Resize(Length());
    UpdateSplitterLayout();
}

QRect CSplitterWindowBase::SplitterRect() const
{
    const int edge = m_clientEdge ? DockingSettings().Metrics().edge : 0;
    return rect().adjusted(edge, edge, -edge, -edge);
}

int CSplitterWindowBase::Length() const { return m_vertical ? SplitterRect().width() : SplitterRect().height(); }

bool CSplitterWindowBase::SetSplitterPos(int position, bool update)
{
    m_layout.SetTotal(Length());
    const bool changed = m_layout.SetSplitterPos(position);
    if (update && changed)
        UpdateSplitterLayout();
    return changed;
}

QRect CSplitterWindowBase::BarRect() const
{
    const int pos = m_layout.Position();
    if (pos < 0)
        return {};
    return ToQRect(m_layout.BarAt(ToRect(SplitterRect()), m_vertical, pos));
}

bool CSplitterWindowBase::IsOverBar(const QPoint& p) const { return BarRect().contains(p); }

void CSplitterWindowBase::UpdateSplitterLayout()
{
    const QRect bar = BarRect();
    if (bar.isEmpty())
        return;
    const CSplitterLayout::Panes panes = CSplitterLayout::PanesAround(ToRect(SplitterRect()), m_vertical, ToRect(bar));
    if (m_panes[0])
        m_panes[0]->setGeometry(ToQRect(panes.first));
    if (m_panes[1])
        m_panes[1]->setGeometry(ToQRect(panes.second));
    update();
}

void CSplitterWindowBase::resizeEvent(QResizeEvent*)
{
    if (isMinimized())
        return;
    m_layout.Resize(Length());
    UpdateSplitterLayout();
}

void CSplitterWindowBase::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_clientEdge) {
        const int edge = DockingSettings().Metrics().edge;
        const QRect r = rect();
        for (int i = 0; i < edge; ++i)
            DrawEdge(painter, palette(), ToRect(r.adjusted(i, i, -i, -i)), EdgeKind::SunkenOuter);
    }
    const QRect bar = BarRect();
    if (bar.isEmpty())
        return;
    if (!Interactive()) {
        // Nothing to grip: the bar is a plain band.
        painter.fillRect(bar, palette().color(QPalette::Button));
        return;
    }
    QStyleOption option;
    option.initFrom(this);
    option.rect = bar;
    option.state = m_vertical ? QStyle::State_Horizontal : QStyle::State_None;
    style()->drawControl(QStyle::CE_Splitter, &option, &painter, this);
}

void CSplitterWindowBase::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (!IsOverBar(p)) {
        QWidget::mousePressEvent(event);
        return;
    }
    // On the bar the press is the window's own, and a non-interactive bar
    // takes it without doing anything.
    event->accept();
    if (!Interactive() || event->button() != Qt::LeftButton)
        return;
    const QRect area = SplitterRect();
    const bool ghost = !DockingSettings().Metrics().fullWindowDrag;
    ISplitterDragView& view = *this;
    CDragSession::Start(this, std::make_unique<CSplitterBarTracker>(m_layout, m_vertical, ToRect(area),
                                                                    POINT{p.x(), p.y()}, ghost, view));
}

void CSplitterWindowBase::mouseMoveEvent(QMouseEvent* event)
{
    if (Interactive() && IsOverBar(event->position().toPoint()))
        setCursor(m_vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

void CSplitterWindowBase::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click comes as this alone: no drag
    // begins, an interactive bar goes to the middle.
    if (!IsOverBar(event->position().toPoint())) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    if (Interactive())
        SetSplitterPos(-1, true);
}

void CSplitterWindowBase::ShowGhost(const RECT& bar)
{
    m_ghost->setGeometry(ToQRect(bar));
    m_ghost->show();
    m_ghost->raise();
}

void CSplitterWindowBase::HideGhost() { m_ghost->hide(); }

bool CSplitterWindowBase::event(QEvent* event)
{
    if (event->type() == MinMaxInfoEventType()) {
        static_cast<CMinMaxInfoEvent*>(event)->info.ptMinTrackSize = {600, 450};
        return true;
    }
    return QWidget::event(event);
}
