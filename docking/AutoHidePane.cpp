#include "docking/AutoHidePane.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "docking/CaptionPainter.h"
#include "docking/DockEvents.h"
#include "docking/FocusCommands.h"
#include "docking/core/AutoHideLayout.h"
#include "docking/core/FocusRules.h"

namespace dockwins {

namespace {

RECT LocalRect(const QWidget& w) { return {0, 0, w.width(), w.height()}; }
QWidget* ParentOfWidget(QWidget* const& w) { return w ? w->parentWidget() : nullptr; }

}  // namespace

CAutoHidePane::CAutoHidePane(IAutoHidePaneOwner& manager, QWidget* clientArea)
    : QWidget(clientArea), m_manager(manager),
      m_buttons(new CCaptionButtons(*this, [this] { update(ToQRect(m_caption.caption)); }))
{
    setObjectName(QStringLiteral("autoHidePane"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    RefreshMetrics();
    hide();
}

void CAutoHidePane::RefreshMetrics()
{
    m_captionThickness = dockwins::CaptionThickness(CaptionStyle::AutoHide, QFontMetrics(QApplication::font()).height());
    LayOut();
}

void CAutoHidePane::SetShown(QWidget* window, int side, const QString& title)
{
    m_window = window;
    m_side = side;
    m_title = title;
    LayOut();
    update();
}

QRect CAutoHidePane::SizingBar() const { return ToQRect(AutoHideSizingBar(LocalRect(*this), m_side)); }

QRect CAutoHidePane::ClientRect() const
{
    RECT inside = AutoHidePaneInside(LocalRect(*this), m_side);
    inside.top = std::min(inside.top + m_captionThickness, std::max(inside.top, inside.bottom));
    return ToQRect(inside);
}

void CAutoHidePane::LayOut()
{
    RECT caption = AutoHidePaneInside(LocalRect(*this), m_side);
    caption.bottom = std::min(caption.bottom, caption.top + m_captionThickness);
    caption.right = std::max(caption.left, caption.right);
    caption.bottom = std::max(caption.top, caption.bottom);
    m_caption = LayOutCaption(CaptionStyle::AutoHide, caption, true);
    if (m_window)
        m_window->setGeometry(ClientRect());
}

bool CAutoHidePane::IsCaptionActive() const
{
    return dockwins::IsCaptionActive<QWidget*>(QApplication::focusWidget(), const_cast<CAutoHidePane*>(this),
                                               ParentOfWidget);
}

bool CAutoHidePane::event(QEvent* event)
{
    if (AnswerDockRequest(event, *this, false))
        return true;
    return QWidget::event(event);
}

bool CAutoHidePane::OnUndock(WindowHandle window) { return m_manager.Remove(ToWidget(window), false); }

bool CAutoHidePane::OnActivateTab(WindowHandle window) { return m_manager.Show(ToWidget(window), false); }

void CAutoHidePane::resizeEvent(QResizeEvent* event)
{
    LayOut();
    m_manager.OnPaneResized();
    QWidget::resizeEvent(event);
}

void CAutoHidePane::paintEvent(QPaintEvent*)
{
    m_manager.RecordPaneCaption();
    QPainter painter(this);
    // The shown window is pinned: its pin button shows the pin stuck in.
    PaintAutoHideCaption(painter, palette(), QApplication::font(), m_caption, m_title, IsCaptionActive(),
                         m_buttons->Close(), m_buttons->Pin(), true);
    // The sizing bar: button face with a raised line on its two long sides.
    const QRect bar = SizingBar();
    painter.fillRect(bar, palette().color(QPalette::Button));
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Mid);
    if (IsVerticalSide(m_side)) {
        painter.fillRect(QRect(bar.left(), bar.top(), 1, bar.height()), light);
        painter.fillRect(QRect(bar.right(), bar.top(), 1, bar.height()), shadow);
    } else {
        painter.fillRect(QRect(bar.left(), bar.top(), bar.width(), 1), light);
        painter.fillRect(QRect(bar.left(), bar.bottom(), bar.width(), 1), shadow);
    }
}

void CAutoHidePane::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    event->accept();
    if (event->button() != Qt::LeftButton) {
        m_buttons->Cancel();
        return;
    }
    if (SizingBar().contains(p)) {
        m_manager.StartSizing(mapToParent(p));
        return;
    }
    const int hit = CaptionHitTest(m_caption, {p.x(), p.y()});
    if (m_buttons->Press(hit))
        return;
    // A click on the caption brings the focus into the shown window.
    if (hit == CAPTION_HIT_CAPTION && m_window && !IsCaptionActive())
        m_window->setFocus(Qt::MouseFocusReason);
}

void CAutoHidePane::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (SizingBar().contains(p))
        setCursor(IsVerticalSide(m_side) ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    else
        unsetCursor();
    m_buttons->Move(CaptionHitTest(m_caption, {p.x(), p.y()}), event->buttons() & Qt::LeftButton);
    event->accept();
}

void CAutoHidePane::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton) {
        m_buttons->Cancel();
        return;
    }
    const QPoint p = event->position().toPoint();
    const int clicked = m_buttons->Release(CaptionHitTest(m_caption, {p.x(), p.y()}));
    if (clicked == 0)
        return;
    QPointer<QWidget> before = QApplication::focusWidget();
    if (clicked == CAPTION_HIT_PIN)
        m_manager.OnPaneUnpin();
    else
        m_manager.OnPaneClose();
    RestoreFocusAfterCommand(before, window());
}

void CAutoHidePane::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

void CAutoHidePane::leaveEvent(QEvent* event)
{
    m_buttons->Leave();
    QWidget::leaveEvent(event);
}

void CAutoHidePane::hideEvent(QHideEvent* event)
{
    m_buttons->Cancel();
    QWidget::hideEvent(event);
}

}  // namespace dockwins
