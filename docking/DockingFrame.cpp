#include "docking/DockingFrame.h"

#include <QApplication>
#include <QChildEvent>
#include <QFocusEvent>
#include <QLayout>
#include <QPainter>
#include <QWindow>

#include "docking/AutoHideManager.h"
#include "docking/CaptionMoveTracker.h"
#include "docking/DockEvents.h"
#include "docking/DockingScreens.h"
#include "docking/DockingSystemSettings.h"
#include "docking/DockingWindow.h"
#include "docking/DragSession.h"
#include "docking/FocusHandler.h"
#include "docking/GhostBar.h"
#include "docking/PackageWindow.h"
#include "docking/TabDockingBox.h"
#include "docking/WindowPtrWrapper.h"

namespace dockwins {

CDockingFrameImpl::CDockingFrameImpl(QWidget* parent)
    : QMainWindow(parent), m_layout(*this), m_focus(std::make_unique<CDockingFocusHandler>())
{
    m_clientArea = new CDockingClientArea(*this, this);
    m_ghost = new CGhostBar(m_clientArea);
    setCentralWidget(m_clientArea);
    m_autoHide = std::make_unique<CAutoHideManager>(this, m_clientArea, m_focus.get(), [this] {
        UpdateLayout(false);
        Redraw();
    });
    // Queued: a removed screen is gone from the list once the change is over.
    connect(&CScreenWatch::Instance(), &CScreenWatch::changed, this, &CDockingFrameImpl::OnScreensChanged,
            Qt::QueuedConnection);
}

CDockingFrameImpl::~CDockingFrameImpl()
{
    if (CDragSession* drag = CDragSession::Active())
        drag->Abandon();
    m_focus->Remove();
    // Floating and hidden docking windows and boxes are windows of their own
    // whose native window hangs off the frame's. They go now, while the frame
    // is whole: QWidget's teardown would destroy the frame's native window
    // first and delete them after, when their own widgets can no longer
    // clear their focus safely.
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isWindow())
            windows.emplace_back(child);
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
}

int CDockingFrameImpl::OnCreate(std::uint32_t flags)
{
    DockingSettings().SetFlags(flags);
    RefreshDockingSettings();
    // Before the first show the client area still has its default size: lay
    // the frame out at its own size first, or the first bar is cut to nothing.
    if (QLayout* frameLayout = layout()) {
        frameLayout->setGeometry(rect());
        frameLayout->activate();
    }
    const RECT area = m_autoHide->TakeStrips(ToRect(m_clientArea->rect()));
    m_layout.OnCreate(area, std::make_unique<CWindowPtrWrapper>(m_client));
    m_focus->Install(this);
    UpdateMinimumSize();
    return 0;
}

void CDockingFrameImpl::UpdateLayout(bool)
{
    if (!m_layout.IsCreated())
        return;
    m_layout.UpdateLayout(m_autoHide->TakeStrips(ToRect(m_clientArea->rect())));
    m_clientArea->update();
    UpdateMinimumSize();
}

void CDockingFrameImpl::SetClientWindow(QWidget* client)
{
    m_client = client;
    if (client) {
        client->setParent(m_clientArea);
        client->show();
    }
    if (m_layout.IsCreated())
        m_layout.Inner().Arrange();
    Redraw();
}

bool CDockingFrameImpl::DockWindow(CTabbedAutoHideDockingWindow* window, unsigned sideFlags, int barIndex,
                                   float fraction, unsigned width, unsigned height)
{
    if (!window || !m_layout.IsCreated())
        return false;
    const bool wasShown = window->IsShownOrTabbed();
    if (window->IsDocked() && !window->Undock())
        return false;
    DockRequest request;
    request.window = window;
    request.target = this;
    request.code = kSetDockingPosition;
    request.position.sideFlags = sideFlags;
    request.position.barIndex = barIndex;
    request.position.fraction = fraction;
    request.position.width = width;
    request.position.height = height;
    request.heightIncludesBar = true;
    CSubWndFramesPackage& package = (sideFlags & kSideInner) ? m_layout.Inner() : m_layout.Outer();
    const bool docked = package.SetDockingPosition(request);
    if (!docked && wasShown)
        window->FloatAfterRefusal();  // it left its place: never lost
    Redraw();
    return docked;
}

std::vector<CPackageWindow*> CDockingFrameImpl::Bars() const
{
    std::vector<CPackageWindow*> bars;
    for (const CSubWndFramesPackage* package : {&m_layout.Outer(), &m_layout.Inner()})
        for (std::size_t i = 0; i < package->Count(); ++i)
            if (QWidget* w = ToWidget(package->FrameAt(i).GetHwnd()); w && w != m_client)
                bars.push_back(static_cast<CPackageWindow*>(w));
    return bars;
}

void CDockingFrameImpl::SetMinimumTrackSize(QSize size)
{
    m_minimumTrackSize = size;
    UpdateMinimumSize();
}

QSize CDockingFrameImpl::FrameworkMinimumSize() const
{
    const MINMAXINFO packages = m_layout.MinTrackSize();
    const QSize outside = size() - m_clientArea->size();
    return {packages.ptMinTrackSize.x + std::max(0, outside.width()) + m_autoHide->MinimumExtraWidth(),
            packages.ptMinTrackSize.y + std::max(0, outside.height()) + m_autoHide->MinimumExtraHeight()};
}

void CDockingFrameImpl::UpdateMinimumSize()
{
    const QSize wanted = m_minimumTrackSize.expandedTo(FrameworkMinimumSize());
    if (wanted != minimumSize())
        setMinimumSize(wanted);
}

void CDockingFrameImpl::Redraw()
{
    m_clientArea->update();
    UpdateMinimumSize();
}

RECT CDockingFrameImpl::ToClient(const RECT& screen) const
{
    const QPoint origin = m_clientArea->mapToGlobal(QPoint(0, 0));
    RECT r = screen;
    r.Offset(-origin.x(), -origin.y());
    return r;
}

RECT CDockingFrameImpl::ToScreen(const RECT& client) const
{
    const QPoint origin = m_clientArea->mapToGlobal(QPoint(0, 0));
    RECT r = client;
    r.Offset(origin.x(), origin.y());
    return r;
}

// ------------------------------------------------------------------ dock requests

bool CDockingFrameImpl::OnAdjustDragRect(DockRequest& request)
{
    request.outline = ToClient(request.outline);
    const bool accepted = m_layout.AdjustDragRect(request, this);
    request.outline = ToScreen(request.outline);
    return accepted;
}

bool CDockingFrameImpl::OnAcceptDock(DockRequest& request)
{
    request.outline = ToClient(request.outline);
    const bool docked = m_layout.AcceptDock(request);
    request.outline = ToScreen(request.outline);
    Redraw();
    return docked;
}

bool CDockingFrameImpl::OnUndock(WindowHandle window)
{
    const bool removed = m_layout.Undock(window);
    Redraw();
    return removed;
}

bool CDockingFrameImpl::OnGetDockingPosition(DockRequest& request)
{
    return m_autoHide->GetDockingPosition(request) || m_layout.GetDockingPosition(request);
}

bool CDockingFrameImpl::OnSetDockingPosition(DockRequest& request)
{
    const bool docked = m_layout.SetDockingPosition(request);
    Redraw();
    return docked;
}

bool CDockingFrameImpl::OnClampRectSize(RECT& rect)
{
    ClampRectSize(rect, {m_clientArea->width(), m_clientArea->height()}, DockingSettings().Metrics());
    return true;
}

bool CDockingFrameImpl::OnIsPinned(WindowHandle target) { return m_autoHide->IsAutoHidePane(target); }

bool CDockingFrameImpl::OnPinToSide(DockRequest& request)
{
    bool stripAppeared = false;
    const std::intptr_t answer = m_autoHide->PinToSide(request, stripAppeared);
    if (stripAppeared) {
        UpdateLayout(false);
        Redraw();
    }
    return answer != 0;
}

bool CDockingFrameImpl::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
    case QEvent::ChildPolished: WatchWindow(static_cast<QChildEvent*>(event)->child()); break;
    case QEvent::Show:
        // Mapped once the window is exposed; its floating windows follow then.
        m_awaitingMap = true;
        if (QWindow* window = windowHandle())
            window->installEventFilter(this);
        break;
    case QEvent::Hide:
        // Floating windows stay shown while the frame is away: when it comes
        // back, the window manager sees them before it.
        m_awaitingMap = false;
        for (CTabbedAutoHideDockingWindow* w : FloatingWindows())
            if (!IsMappedBeforeFrame(w))
                m_mappedBeforeFrame.emplace_back(w);
        break;
    default:
        if (AnswerDockRequest(event, *this, false))
            return true;
        break;
    }
    return QMainWindow::event(event);
}

bool CDockingFrameImpl::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == windowHandle()) {
        if (type == QEvent::Expose && m_awaitingMap && windowHandle()->isExposed()) {
            m_awaitingMap = false;
            QMetaObject::invokeMethod(this, &CDockingFrameImpl::RemapFloatingWindows, Qt::QueuedConnection);
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if (type == QEvent::Show || type == QEvent::Hide) {
        auto* w = qobject_cast<CTabbedAutoHideDockingWindow*>(watched);
        if (w && w->parentWidget() == this) {
            std::erase_if(m_mappedBeforeFrame, [w](const QPointer<QWidget>& p) { return !p || p == w; });
            // A floating window the window manager sees before the frame's
            // window is stacked as a window of its own.
            if (type == QEvent::Show && w->isWindow() && (m_awaitingMap || !isVisible()))
                m_mappedBeforeFrame.emplace_back(w);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CDockingFrameImpl::WatchWindow(QObject* child)
{
    // Its show and hide tell whether the window manager saw it before the frame.
    if (qobject_cast<CTabbedAutoHideDockingWindow*>(child))
        child->installEventFilter(this);
}

std::vector<CTabbedAutoHideDockingWindow*> CDockingFrameImpl::FloatingWindows() const
{
    std::vector<CTabbedAutoHideDockingWindow*> windows;
    for (auto* w : findChildren<CTabbedAutoHideDockingWindow*>(Qt::FindDirectChildrenOnly))
        if (w->isWindow() && !w->IsDocked() && w->isVisible())
            windows.push_back(w);
    return windows;
}

bool CDockingFrameImpl::IsMappedBeforeFrame(const QWidget* window) const
{
    return window && std::any_of(m_mappedBeforeFrame.begin(), m_mappedBeforeFrame.end(),
                                 [window](const QPointer<QWidget>& p) { return p == window; });
}

void CDockingFrameImpl::RemapFloatingWindows()
{
    if (!isVisible() || m_awaitingMap)
        return;
    const std::vector<QPointer<QWidget>> windows = std::move(m_mappedBeforeFrame);
    m_mappedBeforeFrame.clear();
    const QPointer<QWidget> focus = QApplication::focusWidget();
    for (const QPointer<QWidget>& w : windows) {
        if (!w || !w->isVisible() || !w->isWindow() || w->parentWidget() != this)
            continue;
        // Shown again without taking the activation from the frame.
        const bool quiet = w->testAttribute(Qt::WA_ShowWithoutActivating);
        w->setAttribute(Qt::WA_ShowWithoutActivating);
        w->hide();
        w->show();
        w->setAttribute(Qt::WA_ShowWithoutActivating, quiet);
    }
    if (focus && focus != QApplication::focusWidget() && focus->isVisible())
        focus->setFocus(Qt::OtherFocusReason);
}

void CDockingFrameImpl::OnScreensChanged()
{
    for (CTabbedAutoHideDockingWindow* w : FloatingWindows())
        w->KeepWithinReach();
}

void CDockingFrameImpl::focusInEvent(QFocusEvent* event)
{
    if (m_client && m_client->isVisible()) {
        m_client->setFocus(event->reason());
        return;
    }
    QMainWindow::focusInEvent(event);
}

void CDockingFrameImpl::changeEvent(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::PaletteChange || type == QEvent::FontChange || type == QEvent::StyleChange) {
        RefreshDockingSettings();
        m_autoHide->RefreshMetrics();
        UpdateLayout(false);
    }
    QMainWindow::changeEvent(event);
}

// ------------------------------------------------------------------ docking windows' owner

CTabbedAutoHideDockingWindow* CDockingFrameImpl::CreateBoxFor(CTabbedAutoHideDockingWindow& window)
{
    return CTabDockingBox::CreateBoxFor(window);
}

void CDockingFrameImpl::StartCaptionDrag(CTabbedAutoHideDockingWindow& window, const QPoint& pressAt,
                                         const QPoint& now)
{
    dockwins::StartCaptionDrag(window, pressAt, now);
}

// ------------------------------------------------------------------ packages' host

MINMAXINFO CDockingFrameImpl::GetWindowMinMaxInfo(WindowHandle window) { return GetMinTrackSize(ToWidget(window)); }

std::unique_ptr<IFrame> CDockingFrameImpl::CreateBar(bool horizontal)
{
    auto* bar = new CPackageWindow(m_clientArea, this, horizontal);
    bar->show();
    m_ghost->raise();
    m_autoHide->RaiseOverBars();
    return std::make_unique<CPackageWindowFrame>(*bar);
}

void CDockingFrameImpl::DestroyBar(WindowHandle bar)
{
    if (QWidget* w = ToWidget(bar)) {
        w->hide();
        w->deleteLater();
    }
}

std::intptr_t CDockingFrameImpl::SendRequest(WindowHandle to, DockRequest& request)
{
    request.outline = ToScreen(request.outline);
    const std::intptr_t answer = SendDockRequest(ToWidget(to), request);
    request.outline = ToClient(request.outline);
    return answer;
}

// ------------------------------------------------------------------ splitters

void CDockingFrameImpl::PaintSplitters(QPainter& painter)
{
    const QColor face = palette().color(QPalette::Button);
    for (const CSubWndFramesPackage* package : {&m_layout.Outer(), &m_layout.Inner()})
        for (std::size_t i = 1; i < package->Count(); ++i)
            painter.fillRect(ToQRect(package->BarRect(i)), face);
}

std::optional<Qt::CursorShape> CDockingFrameImpl::SplitterCursor(const QPoint& p) const
{
    auto& layout = const_cast<CDockingFrameLayout&>(m_layout);
    const CSubWndFramesPackage* package = layout.PackageAt({p.x(), p.y()});
    if (!package || package->SplitterAt({p.x(), p.y()}) < 0)
        return std::nullopt;
    return package->IsHorizontal() ? Qt::SplitHCursor : Qt::SplitVCursor;
}

bool CDockingFrameImpl::StartSliding(const QPoint& p)
{
    CSubWndFramesPackage* package = m_layout.PackageAt({p.x(), p.y()});
    const int i = package ? package->SplitterAt({p.x(), p.y()}) : -1;
    if (i < 0)
        return false;
    ISplitterDragView& view = *this;
    auto tracker = std::make_unique<CSplitterMoveTracker>(*package, static_cast<std::size_t>(i), POINT{p.x(), p.y()},
                                                          DockingSettings().GhostDrag(), view);
    CDragSession::Start(m_clientArea, std::move(tracker), [this](bool) { Redraw(); });
    return true;
}

void CDockingFrameImpl::ShowGhost(const RECT& bar)
{
    m_ghost->setGeometry(ToQRect(bar));
    m_ghost->show();
    m_ghost->raise();
}

void CDockingFrameImpl::HideGhost() { m_ghost->hide(); }

}  // namespace dockwins
