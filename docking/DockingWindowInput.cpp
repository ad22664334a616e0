// The docking window's pointer and keyboard input: the caption buttons'
// tracking (hot, pressed, a click only when released on the button; Escape or
// another button cancel), the caption press that starts a drag, the double
// click, and the resize margin of a floating window.

#include "docking/DockingWindow.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QWindow>

#include "docking/CaptionMoveTracker.h"
#include "docking/DockEvents.h"

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
    setGeometry(r);
}
void CTabbedAutoHideDockingWindow::SetButtonStates(ButtonState close, ButtonState pin)
{
    if (close != m_closeState) {
        m_closeState = close;
        update(ToQRect({m_caption.close.left, m_caption.close.top, m_caption.close.right, m_caption.close.bottom}));
    }
    if (pin != m_pinState) {
        m_pinState = pin;
        update(ToQRect({m_caption.pin.left, m_caption.pin.top, m_caption.pin.right, m_caption.pin.bottom}));
    }
}

void CTabbedAutoHideDockingWindow::StartButtonTracking(int hit)
{
    m_trackedButton = hit;
    // Escape cancels wherever the keyboard focus is.
    qApp->installEventFilter(this);
    SetButtonStates(hit == CAPTION_HIT_CLOSE ? ButtonState::Pressed : ButtonState::Normal,
                    hit == CAPTION_HIT_PIN ? ButtonState::Pressed : ButtonState::Normal);
}

bool CTabbedAutoHideDockingWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (m_trackedButton != 0) {
        const ButtonPressEnd end = CaptionButtonPressEnd(watched, event, window());
        if (end != ButtonPressEnd::None)
            CancelButtonTracking();
        if (end == ButtonPressEnd::EndAndSwallow)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CTabbedAutoHideDockingWindow::CancelButtonTracking()
{
    if (m_trackedButton != 0)
        qApp->removeEventFilter(this);
    m_trackedButton = 0;
    m_dragArmed = false;
    SetButtonStates(ButtonState::Normal, ButtonState::Normal);
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
        // Another button cancels a button being tracked.
        CancelButtonTracking();
        return;
    }
    if (hit == CAPTION_HIT_CLOSE || hit == CAPTION_HIT_PIN) {
        StartButtonTracking(hit);
        return;
    }
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
    if (m_trackedButton != 0) {
        // Pressed while over the button, normal off it; a release off it is no click.
        const ButtonState state = hit == m_trackedButton ? ButtonState::Pressed : ButtonState::Normal;
        SetButtonStates(m_trackedButton == CAPTION_HIT_CLOSE ? state : ButtonState::Normal,
                        m_trackedButton == CAPTION_HIT_PIN ? state : ButtonState::Normal);
        event->accept();
        return;
    }
    if (m_dragArmed && (event->buttons() & Qt::LeftButton)) {
        const QPoint global = event->globalPosition().toPoint();
        const int detect = 4;
        if (std::abs(global.x() - m_pressAt.x()) > detect || std::abs(global.y() - m_pressAt.y()) > detect) {
            m_dragArmed = false;
            StartCaptionDrag(*this, m_pressAt, global);
        }
        event->accept();
        return;
    }
    if (!(event->buttons() & Qt::LeftButton)) {
        SetButtonStates(hit == CAPTION_HIT_CLOSE ? ButtonState::Hot : ButtonState::Normal,
                        hit == CAPTION_HIT_PIN ? ButtonState::Hot : ButtonState::Normal);
    }
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
    if (m_trackedButton == 0 || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const int tracked = m_trackedButton;
    const bool click = HitTest(event->position().toPoint()) == tracked;
    CancelButtonTracking();
    event->accept();
    if (!click)
        return;
    if (tracked == CAPTION_HIT_CLOSE)
        CloseByButton();
    else if (tracked == CAPTION_HIT_PIN)
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
    if (m_trackedButton == 0)
        SetButtonStates(ButtonState::Normal, ButtonState::Normal);
    QWidget::leaveEvent(event);
}
