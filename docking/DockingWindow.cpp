#include "docking/DockingWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QResizeEvent>

#include "docking/CaptionPainter.h"
#include "docking/DockEvents.h"
#include "docking/DockRequests.h"
#include "docking/DockingScreens.h"
#include "docking/DockingSystemSettings.h"
#include "docking/DockingWindowOwner.h"
#include "docking/DropTarget.h"
#include "docking/FocusCommands.h"
#include "docking/core/FloatingPlacement.h"
#include "docking/core/FocusRules.h"
#include "docking/core/TabBoxRules.h"

using namespace dockwins;

CTabbedAutoHideDockingWindow::CTabbedAutoHideDockingWindow(IDockingWindowOwner* owner, const QString& title)
    : QWidget(owner ? owner->FrameWindow() : nullptr, Qt::Tool | Qt::FramelessWindowHint), m_owner(owner),
      m_frame(owner ? owner->FrameWindow() : nullptr),
      m_buttons(new CCaptionButtons(*this, [this] {
          for (const RECT& button : {m_caption.close, m_caption.pin})
              update(ToQRect(button));
      }))
{
    setWindowTitle(title);
    setObjectName(QStringLiteral("dockingWindow"));
    setMouseTracking(true);
    RefreshCaptionThickness();
    ApplyFloatingMinimum(true);
    hide();
}

void CTabbedAutoHideDockingWindow::ApplyFloatingMinimum(bool floating)
{
    // A floating window is a window of its own: the minimum tracking size is
    // its minimum size. Docked, the bar's arithmetic alone decides its size.
    MINMAXINFO info;
    GetMinMaxInfo(info);
    setMinimumSize(floating ? QSize(info.ptMinTrackSize.x, info.ptMinTrackSize.y) : QSize(0, 0));
}

CTabbedAutoHideDockingWindow::~CTabbedAutoHideDockingWindow()
{
    // A docked window deleted in place leaves its holder first, so no package
    // keeps a frame without a window (it would stop every later layout pass).
    if (m_dockedTo)
        RequestUndock(m_dockedTo, this);
}

void CTabbedAutoHideDockingWindow::RefreshCaptionThickness()
{
    m_captionThickness =
        m_inBox ? 0 : dockwins::CaptionThickness(CaptionStyle::Docking, DockingSettings().Metrics().smallCaptionHeight);
    LayOutCaptionBand();
}

void CTabbedAutoHideDockingWindow::LayOutCaptionBand()
{
    m_caption = LayOutCaption(CaptionStyle::Docking,
                              CaptionRectInWindow(width(), height(), BandThickness(), m_horizontal), m_horizontal);
}

int CTabbedAutoHideDockingWindow::HitTest(const QPoint& p) const
{
    if (m_inBox)
        return CAPTION_HIT_NONE;
    const int hit = CaptionHitTest(m_caption, {p.x(), p.y()});
    // A floating window's caption has no pin.
    if (hit == CAPTION_HIT_PIN && !m_dockedTo)
        return CAPTION_HIT_CAPTION;
    return hit;
}

namespace {

QWidget* ParentOfWidget(QWidget* const& w) { return w ? w->parentWidget() : nullptr; }

}  // namespace

bool CTabbedAutoHideDockingWindow::IsCaptionActive() const
{
    if (m_inBox)
        return false;  // a tab draws no caption; its box does
    return dockwins::IsCaptionActive<QWidget*>(QApplication::focusWidget(),
                                               const_cast<CTabbedAutoHideDockingWindow*>(this), ParentOfWidget);
}

void CTabbedAutoHideDockingWindow::GetMinMaxInfo(MINMAXINFO& info) const { info.ptMinTrackSize = {100, 100}; }

QRect CTabbedAutoHideDockingWindow::CaptionRect() const
{
    return m_horizontal ? QRect(0, 0, width(), BandThickness()) : QRect(0, 0, BandThickness(), height());
}

QRect CTabbedAutoHideDockingWindow::ClientRect() const
{
    QRect r = rect();
    if (m_horizontal)
        r.setTop(std::min(BandThickness(), height()));
    else
        r.setLeft(std::min(BandThickness(), width()));
    if (!m_dockedTo) {
        // Floating: a resize margin on the sides and the bottom.
        r.adjust(kResizeMargin, 0, -kResizeMargin, -kResizeMargin);
    }
    if (m_flatBorder)
        r.adjust(1, 1, -1, -1);
    return r;
}

void CTabbedAutoHideDockingWindow::LayoutClient()
{
    LayOutCaptionBand();
    if (m_client)
        m_client->setGeometry(ClientRect());
}

void CTabbedAutoHideDockingWindow::SetClient(QWidget* client)
{
    m_client = client;
    if (!client)
        return;
    client->setParent(this);
    LayoutClient();
    client->show();
}

bool CTabbedAutoHideDockingWindow::GetDockingPosition(DockRequest& request)
{
    QWidget* target = ToWidget(request.target);
    return RequestDockingPosition(target && IsBoxWindow(target) ? target : m_frame.data(), request);
}

bool CTabbedAutoHideDockingWindow::Undock()
{
    if (!m_dockedTo)
        return false;
    QWidget* holder = m_dockedTo;
    DockRequest position;
    position.window = this;
    position.target = holder;
    if (GetDockingPosition(position)) {
        // A box may name another window than itself (its other window of
        // two), so that the position outlives the box.
        m_pos = position;
        if (!m_pos.target)
            m_pos.target = holder;
        m_posTarget = ToWidget(m_pos.target);
    }
    return RequestUndock(holder, this);
}

bool CTabbedAutoHideDockingWindow::Hide()
{
    bool ok = true;
    if (m_dockedTo) {
        ok = Undock();
        if (ok && !m_rcFloat.IsEmpty())
            setGeometry(ToQRect(m_rcFloat));
    } else {
        m_pos.target = nullptr;
        m_posTarget = nullptr;
    }
    hide();
    return ok;
}

bool CTabbedAutoHideDockingWindow::DockBack()
{
    if (m_dockedTo && !Undock())
        return false;
    DockRequest request = m_pos;
    request.window = this;
    // A window or box that is hidden or pinned takes nobody: the position's
    // place in the frame, or its floating rectangle, is used instead.
    if (m_posTarget && m_posTarget != m_frame && m_posTarget != this && IsDockTarget(m_posTarget))
        return SendOrFloat(m_posTarget, request);
    if (request.position.sideFlags & kSideFloating) {
        FloatAt(request.position.floatRect);
        return true;
    }
    return SendOrFloat(m_frame, request);
}

bool CTabbedAutoHideDockingWindow::SendOrFloat(QWidget* to, DockRequest& request)
{
    if (RequestSetDockingPosition(to, request))
        return true;
    FloatAfterRefusal();
    return false;
}

void CTabbedAutoHideDockingWindow::FloatAfterRefusal()
{
    // The window left its place and nobody took it: it floats, never lost.
    if (m_dockedTo)
        return;
    if (m_rcFloat.IsEmpty() && m_frame)
        m_rcFloat = RequestClampRectSize(m_frame, this, ToRect(QRect(mapToGlobal(QPoint(0, 0)), size())));
    FloatAt(m_rcFloat);
}

void CTabbedAutoHideDockingWindow::FloatAt(const RECT& rect)
{
    m_rcFloat = WithinReach(rect);
    setGeometry(ToQRect(m_rcFloat));
    show();
}

RECT CTabbedAutoHideDockingWindow::WithinReach(const RECT& wanted, unsigned movingEdges) const
{
    MINMAXINFO info;
    GetMinMaxInfo(info);
    return PlaceFloatingWindow(wanted, info.ptMinTrackSize.x, info.ptMinTrackSize.y, ScreenAreas(), movingEdges);
}

void CTabbedAutoHideDockingWindow::KeepWithinReach()
{
    if (m_dockedTo || !isWindow() || !isVisible())
        return;
    const RECT now = ToRect(geometry());
    if (const RECT placed = WithinReach(now); !(placed == now))
        setGeometry(ToQRect(placed));
}

bool CTabbedAutoHideDockingWindow::Float()
{
    if (m_rcFloat.IsEmpty())
        return false;
    if (m_dockedTo && !Undock())
        return false;
    FloatAt(m_rcFloat);
    return true;
}

bool CTabbedAutoHideDockingWindow::Pin(bool show)
{
    // Not docked, the position has no side and no width to pin with.
    if (!m_dockedTo || !m_frame)
        return false;
    DockRequest position;
    position.window = this;
    position.target = m_dockedTo.data();
    if (!GetDockingPosition(position))
        return false;
    PinToSideRequest pin;
    pin.window = this;
    pin.sideFlags = position.position.sideFlags;
    pin.width = position.position.width;
    pin.show = show;
    if (!Undock())
        return false;
    if (RequestPinToSide(m_frame, pin))
        return true;
    DockBack();
    return false;
}

void CTabbedAutoHideDockingWindow::DropAfterDrag(QWidget* target, DockRequest& request, const RECT& floatRect)
{
    if (m_dockedTo) {
        if (!Undock())
            return;
        // Leaving moved the bars: the place under the pointer is asked for again.
        if (target) {
            request.outline = floatRect;
            target = FindDropTarget(m_frame, this, QPoint(request.pointer.x, request.pointer.y), request);
        }
    }
    if (target) {
        // A box's drop preview goes before the real tab comes.
        dockwins::EndDropPreview(target);
        request.window = this;
        request.target = target;
        if (!SendRequest2(request))
            FloatAfterRefusal();
        return;
    }
    FloatAt(floatRect);
}

void CTabbedAutoHideDockingWindow::CloseByButton()
{
    QPointer<QWidget> before = QApplication::focusWidget();
    Hide();
    RestoreFocusAfter(before);
}

void CTabbedAutoHideDockingWindow::PinByButton()
{
    QPointer<QWidget> before = QApplication::focusWidget();
    const bool inside = before && isAncestorOf(before);
    Pin(true);
    // The focus inside the pinned window goes to the frame, which hands it
    // to its client: the labels answer the pointer at once.
    if (inside && m_frame)
        m_frame->window()->setFocus(Qt::OtherFocusReason);
    else
        RestoreFocusAfter(before);
}

void CTabbedAutoHideDockingWindow::RestoreFocusAfter(QWidget* before)
{
    RestoreFocusAfterCommand(before, m_frame ? m_frame->window() : nullptr);
}

bool CTabbedAutoHideDockingWindow::SendRequest2(DockRequest& request)
{
    return RequestAcceptDock(ToWidget(request.target), request);
}

bool CTabbedAutoHideDockingWindow::DockTo(QWidget* target, int tabIndex)
{
    // Asked before anything moves: a refused target leaves the window where it is.
    // A box joins no box: its windows move by a drop instead.
    if (!target || target == this || isAncestorOf(target) || !IsDockTarget(target) || IsBox())
        return false;
    if (m_dockedTo && !Undock())
        return false;
    DockRequest request;
    request.window = this;
    request.position.sideFlags = kSideFloating;
    request.position.floatRect = ToRect(QRect(mapToGlobal(QPoint(0, 0)), size()));
    request.position.tabIndex = tabIndex;
    return SendOrFloat(target, request);
}

void CTabbedAutoHideDockingWindow::RememberPosition(const DockRequest& position, QWidget* target)
{
    m_pos = position;
    m_pos.window = this;
    m_pos.target = target;
    m_posTarget = target;
}

bool CTabbedAutoHideDockingWindow::IsPinned() const
{
    if (!m_dockedTo || !m_frame)
        return false;
    return RequestIsPinned(m_frame, const_cast<CTabbedAutoHideDockingWindow*>(this), m_dockedTo);
}

void dockwins::EndDropPreview(QWidget* target)
{
    if (auto* w = qobject_cast<CTabbedAutoHideDockingWindow*>(target))
        w->EndDropPreview();
}

bool dockwins::IsDockTarget(QWidget* window)
{
    if (!window || !IsBoxWindow(window))
        return false;
    const auto* w = qobject_cast<const CTabbedAutoHideDockingWindow*>(window);
    if (!w)
        return false;
    // A tab behind another one is as reachable as its box.
    if (w->IsInBox())
        return IsDockTarget(w->DockedTo());
    return w->IsVisibleWindow() && !w->IsPinned();
}

bool CTabbedAutoHideDockingWindow::Activate()
{
    // In a box its tab comes to the front; pinned, the auto-hide pane slides it out.
    if (m_dockedTo && (IsBoxWindow(m_dockedTo) || IsPinned()))
        return RequestActivateTab(m_dockedTo, this);
    if (!m_pos.target) {
        if (isWindow())
            FloatAt(m_rcFloat.IsEmpty() ? ToRect(geometry()) : m_rcFloat);
        else
            show();
        return true;
    }
    return DockBack();
}

bool CTabbedAutoHideDockingWindow::BringIntoView()
{
    // A shown window stays where it is; hidden, a tab or pinned, it comes
    // forward as its Activate puts it.
    if (!IsVisibleWindow() || m_inBox || IsPinned())
        Activate();
    // Floating itself, or a tab of a floating box, it comes above the others.
    QWidget* top = window();
    if (top != (m_frame ? m_frame->window() : nullptr))
        top->raise();
    FocusAndActivate(m_client && m_client->isVisible() ? m_client.data() : this);
    return isVisible();
}

bool CTabbedAutoHideDockingWindow::IsShownOrTabbed() const
{
    // A tab behind another one is not closed: it shows its tab while its box is shown.
    if (IsVisibleWindow())
        return true;
    const auto* box = m_inBox ? qobject_cast<const CTabbedAutoHideDockingWindow*>(m_dockedTo.data()) : nullptr;
    return box && box->IsVisibleWindow();
}

bool CTabbedAutoHideDockingWindow::IsVisibleWindow() const
{
    if (m_dockedTo && m_frame && RequestIsPinned(m_frame, const_cast<CTabbedAutoHideDockingWindow*>(this), m_dockedTo))
        return true;
    // Shown, even while the frame itself is not shown yet; in a box, the
    // active tab of a shown box.
    return m_frame ? isVisibleTo(m_frame) : !isHidden();
}

bool CTabbedAutoHideDockingWindow::FillOwnPosition(DockRequest& request)
{
    void* const caller = request.window;
    bool found = false;
    if (m_dockedTo) {
        DockRequest own;
        own.window = this;
        own.target = m_dockedTo.data();
        found = GetDockingPosition(own);
        request.position = own.position;
    } else if (isHidden() && m_pos.target) {
        request.position = m_pos.position;
        found = true;
    } else {
        request.position.sideFlags |= kSideFloating;
        request.position.floatRect = ToRect(geometry());
        found = true;
    }
    request.window = caller;
    request.target = this;
    return found;
}

bool CTabbedAutoHideDockingWindow::OnAdjustDragRect(DockRequest& request)
{
    QWidget* dragged = ToWidget(request.window);
    if (!dragged || dragged == this || dragged->isAncestorOf(this) || !IsDockTarget(this))
        return false;
    const QPoint p = mapFromGlobal(QPoint(request.pointer.x, request.pointer.y));
    if (!rect().contains(p) || HitTest(p) != CAPTION_HIT_CAPTION)
        return false;
    request.target = this;
    request.outline = ToRect(QRect(mapToGlobal(ClientRect().topLeft()), ClientRect().size()));
    return true;
}

bool CTabbedAutoHideDockingWindow::JoinInBox(DockRequest& request, bool byPosition)
{
    auto* dropped = qobject_cast<CTabbedAutoHideDockingWindow*>(ToWidget(request.window));
    if (!dropped || dropped == this || dropped->IsBox() || dropped->isAncestorOf(this) || !IsDockTarget(this))
        return false;
    DockRequest second = request;
    // A drop on a caption appends: its outline is the window's client rectangle, no tab index.
    if (!byPosition)
        second.outline = TabBoxDropOutline(-1);
    if (IsInBox()) {
        second.target = DockedTo();
        return SendDockRequest(DockedTo(), second) != 0;
    }
    CTabbedAutoHideDockingWindow* box = m_owner ? m_owner->CreateBoxFor(*this) : nullptr;
    if (!box)
        return false;
    DockRequest first = second;
    first.window = this;
    first.target = box;
    if (SendDockRequest(box, first) == 0) {
        // This window left its place: it floats rather than being lost, and
        // the empty box closes.
        FloatAfterRefusal();
        box->CloseByButton();
        return false;
    }
    second.target = box;
    return SendDockRequest(box, second) != 0;
}

bool CTabbedAutoHideDockingWindow::OnActivateTab(WindowHandle window)
{
    // The window named is the tab to select.
    return m_dockedTo && RequestActivateTab(m_dockedTo, ToWidget(window));
}

bool CTabbedAutoHideDockingWindow::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (AnswerDockRequest(event, *this, true))
        return true;
    if (type == DockNotifyEventType()) {
        const auto* notify = static_cast<CDockNotifyEvent*>(event);
        ApplyFloatingMinimum(!notify->docked);
        m_captionless = notify->docked && notify->captionless;
        if (notify->docked) {
            m_dockedTo = notify->holder;
            const bool inBox = IsBoxWindow(notify->holder);
            if (inBox != m_inBox) {
                m_inBox = inBox;
                RefreshCaptionThickness();
            }
            // In a bar whose windows stand side by side the title runs down the left edge.
            const bool horizontal = !notify->horizontalHolder;
            if (horizontal != m_horizontal) {
                m_horizontal = horizontal;
                RefreshCaptionThickness();
            }
        } else {
            m_dockedTo = nullptr;
            m_inBox = false;
            m_horizontal = true;
            RefreshCaptionThickness();
        }
        LayoutClient();
        update();
        return true;
    }
    if (type == MinMaxInfoEventType()) {
        GetMinMaxInfo(static_cast<CMinMaxInfoEvent*>(event)->info);
        return true;
    }
    if (type == QEvent::WindowTitleChange || type == QEvent::WindowIconChange)
        update(CaptionRect());
    if (type == QEvent::Move || type == QEvent::Resize) {
        if (!m_dockedTo && isVisible() && isWindow()) {
            m_rcFloat = ToRect(geometry());
            // A move or resize the window system ran (a system resize, the
            // window manager) is brought back within reach once it is over.
            if (!m_reachQueued && !IsCaptionReachable(m_rcFloat, ScreenAreas())) {
                m_reachQueued = true;
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        m_reachQueued = false;
                        KeepWithinReach();
                    },
                    Qt::QueuedConnection);
            }
        }
    }
    return QWidget::event(event);
}

void CTabbedAutoHideDockingWindow::resizeEvent(QResizeEvent* event)
{
    LayoutClient();
    QWidget::resizeEvent(event);
}

void CTabbedAutoHideDockingWindow::closeEvent(QCloseEvent* event)
{
    // Closing never destroys a docking window: it hides with its place kept.
    event->ignore();
    CloseByButton();
}

void CTabbedAutoHideDockingWindow::paintEvent(QPaintEvent*)
{
    if (m_inBox)
        return;
    QPainter painter(this);
    CaptionPaintState state;
    state.active = IsCaptionActive();
    state.showPin = m_dockedTo != nullptr;
    state.close = m_buttons->Close();
    state.pin = m_buttons->Pin();
    state.smallCaptionHeight = DockingSettings().Metrics().smallCaptionHeight;
    state.logicalDpiY = logicalDpiY();
    PaintDockingCaption(painter, palette(), CaptionFont(), m_caption, windowTitle(), state);
}
