// The docking window's pointer and keyboard input: the caption buttons'
// tracking (hot, pressed, a click only when released on the button; Escape or
// another button cancel), the caption press that starts a drag, the double
// click, and the resize margin of a floating window.

#include "docking/DockingWindow.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QWindow>

#include "docking/DockEvents.h"
#include "docking/DockingWindowOwner.h"
#include "docking/core/FloatingPlacement.h"

using namespace dockwins;

Qt::Edges CTabbedAutoHideDockingWindow::ResizeEdges(const QPoint& p) const
{
    Qt::Edges edges;
    if (m_dockedTo || !isWindow())
        return edges;
    if (p.x() < kResizeMargin)
        edges |= Qt::LeftEdge;
    if (p.x() >= width() - kResizeMargin)
        edges |= Qt::RightEdge;
    if (p.y() >= height() - kResizeMargin)
        edges |= Qt::BottomEdge;
    if (p.y() < kResizeMargin && edges)
        edges |= Qt::TopEdge;
    return edges;
}

void CTabbedAutoHideDockingWindow::TrackResize(const QPoint& global)
{
    // Our own resize where the window system offers none.
    QRect r = m_resizeStart;
    const QPoint d = global - m_pressAt;
    const QSize minimum = minimumSize();
    if (m_resizeEdges & Qt::LeftEdge)
        r.setLeft(std::min(r.left() + d.x(), r.right() + 1 - minimum.width()));
    if (m_resizeEdges & Qt::RightEdge)
        r.setRight(std::max(r.right() + d.x(), r.left() + minimum.width() - 1));
    if (m_resizeEdges & Qt::TopEdge)
        r.setTop(std::min(r.top() + d.y(), r.bottom() + 1 - minimum.height()));
    if (m_resizeEdges & Qt::BottomEdge)
        r.setBottom(std::max(r.bottom() + d.y(), r.top() + minimum.height() - 1));
    // Never so far that the caption is out of reach.
    unsigned moving = 0;
    moving |= (m_resizeEdges & Qt::LeftEdge) ? kEdgeLeft : 0u;
    moving |= (m_resizeEdges & Qt::TopEdge) ? kEdgeTop : 0u;
    moving |= (m_resizeEdges & Qt::RightEdge) ? kEdgeRight : 0u;
    moving |= (m_resizeEdges & Qt::BottomEdge) ? kEdgeBottom : 0u;
    setGeometry(ToQRect(WithinReach(ToRect(r), moving)));
}
void CTabbedAutoHideDockingWindow::mousePressEvent(QMouseEvent* event)
{
    if (const Qt::Edges edges = ResizeEdges(event->position().toPoint());
        edges && event->button() == Qt::LeftButton) {
        event->accept();
        if (windowHandle() && windowHandle()->startSystemResize(edges))
            return;
        m_resizeEdges = edges;
        m_resizeStart = geometry();
        m_pressAt = event->globalPosition().toPoint();
        return;
    }
    const int hit = HitTest(event->position().toPoint());
    if (hit == CAPTION_HIT_NONE) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    if (event->button() != Qt::LeftButton) {
        // Another button cancels a button being held and a drag about to start.
        m_buttons->Cancel();
        m_dragArmed = false;
        return;
    }
    if (m_buttons->Press(hit))
        return;
    if (isWindow())
        raise();
    // The focus comes into the window unless it is already inside.
    if (!IsCaptionActive())
        setFocus(Qt::MouseFocusReason);
    m_dragArmed = true;
    m_pressAt = event->globalPosition().toPoint();
}

void CTabbedAutoHideDockingWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_resizeEdges) {
        if (event->buttons() & Qt::LeftButton)
            TrackResize(event->globalPosition().toPoint());
        else
            m_resizeEdges = {};
        event->accept();
        return;
    }
    if (const Qt::Edges edges = ResizeEdges(event->position().toPoint()); !(event->buttons() & Qt::LeftButton)) {
        const bool diagonal = (edges & Qt::BottomEdge) && (edges & (Qt::LeftEdge | Qt::RightEdge));
        if (!edges)
            unsetCursor();
        else if (diagonal)
            setCursor((edges & Qt::LeftEdge) ? Qt::SizeBDiagCursor : Qt::SizeFDiagCursor);
        else
            setCursor((edges & Qt::BottomEdge) ? Qt::SizeVerCursor : Qt::SizeHorCursor);
    }
    const int hit = HitTest(event->position().toPoint());
    if (m_buttons->Held() != 0) {
        m_buttons->Move(hit, true);
        event->accept();
        return;
    }
    if (m_dragArmed && (event->buttons() & Qt::LeftButton)) {
        const QPoint global = event->globalPosition().toPoint();
        const int detect = 4;
        if (std::abs(global.x() - m_pressAt.x()) > detect || std::abs(global.y() - m_pressAt.y()) > detect) {
            m_dragArmed = false;
            if (m_owner)
                m_owner->StartCaptionDrag(*this, m_pressAt, global);
        }
        event->accept();
        return;
    }
    m_buttons->Move(hit, event->buttons() & Qt::LeftButton);
    QWidget::mouseMoveEvent(event);
}

void CTabbedAutoHideDockingWindow::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragArmed = false;
    if (m_resizeEdges) {
        m_resizeEdges = {};
        event->accept();
        return;
    }
    if (m_buttons->Held() == 0 || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    const int clicked = m_buttons->Release(HitTest(event->position().toPoint()));
    if (clicked == CAPTION_HIT_CLOSE)
        CloseByButton();
    else if (clicked == CAPTION_HIT_PIN)
        PinByButton();
}

void CTabbedAutoHideDockingWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int hit = HitTest(event->position().toPoint());
    if (hit != CAPTION_HIT_CAPTION || event->button() != Qt::LeftButton) {
        if (hit != CAPTION_HIT_NONE)
            event->accept();
        else
            QWidget::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    m_dragArmed = false;
    if (m_dockedTo)
        Float();
    else if (m_pos.target)
        DockBack();
}

void CTabbedAutoHideDockingWindow::focusInEvent(QFocusEvent* event)
{
    // The window hands the focus to its pane.
    if (m_client && m_client->isVisible())
        m_client->setFocus(event->reason());
    QWidget::focusInEvent(event);
}

void CTabbedAutoHideDockingWindow::leaveEvent(QEvent* event)
{
    m_buttons->Leave();
    QWidget::leaveEvent(event);
}
