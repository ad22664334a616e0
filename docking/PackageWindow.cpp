#include "docking/PackageWindow.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

#include "docking/DockEvents.h"
#include "docking/DockRequests.h"
#include "docking/DockingSystemSettings.h"
#include "docking/DragSession.h"
#include "docking/GhostBar.h"
#include "docking/core/LayoutCheck.h"

namespace dockwins {

namespace {

// A docking window in a bar. Its minimum along the bar is a code-13 request
// to the bar, which answers with the window's minimum tracking size.
class CDockedWindowFrame final : public IFrame {
public:
    CDockedWindowFrame(QWidget* window, QWidget* bar) : m_window(window), m_bar(bar) {}
    WindowHandle GetHwnd() const override { return m_window.data(); }
    bool AcceptDock(DockRequest&) override { return false; }
    int GetMinFrameDist() const override { return RequestMinFrameDistance(m_bar, m_window); }
    void GetMinMaxInfo(MINMAXINFO& info) const override { info = GetMinTrackSize(m_window); }
    bool DeferFramePos(const RECT& rect) override
    {
        if (!m_window)
            return false;
        const QSize old = m_window->size();
        m_window->setGeometry(ToQRect(rect));
        if (!m_window->isVisible()) {
            // Laid out now: a hidden window gets its resize event only when shown.
            QResizeEvent resize(m_window->size(), old);
            QCoreApplication::sendEvent(m_window, &resize);
        }
        return true;
    }

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_bar;
};

}  // namespace

CPackageWindow::CPackageWindow(QWidget* parent, QWidget* frame, bool horizontal)
    : QWidget(parent), m_frame(frame), m_package(horizontal)
{
    setObjectName(QStringLiteral("dockBar"));
    setMouseTracking(true);
    m_ghost = new CGhostBar(this);
}

CPackageWindow::~CPackageWindow() = default;

bool CPackageWindow::Place(const RECT& rect)
{
    setGeometry(ToQRect(rect));
    // Laid out now: a hidden window would get its resize event only when shown.
    return m_package.SetRect({0, 0, rect.right - rect.left, rect.bottom - rect.top});
}

int CPackageWindow::SplitterAt(const QPoint& p) const { return m_package.SplitterAt({p.x(), p.y()}); }

std::unique_ptr<IFrame> CPackageWindow::FrameFor(QWidget* window)
{
    return std::make_unique<CDockedWindowFrame>(window, this);
}

RECT CPackageWindow::ToClient(const RECT& screen) const
{
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    RECT r = screen;
    r.Offset(-origin.x(), -origin.y());
    return r;
}

RECT CPackageWindow::ToScreen(const RECT& client) const
{
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    RECT r = client;
    r.Offset(origin.x(), origin.y());
    return r;
}

void CPackageWindow::Attach(QWidget* window)
{
    window->hide();
    window->setParent(this);
    CDockNotifyEvent notify(true, m_package.IsHorizontal(), this);
    QCoreApplication::sendEvent(window, &notify);
}

void CPackageWindow::Detach(QWidget* window)
{
    window->hide();
    // Never parentless: a detached window floats as a tool window of the frame.
    window->setParent(m_frame ? m_frame.data() : nullptr, Qt::Tool | Qt::FramelessWindowHint);
    CDockNotifyEvent notify(false, false, this);
    QCoreApplication::sendEvent(window, &notify);
}

bool CPackageWindow::OnAdjustDragRect(DockRequest& request)
{
    QWidget* window = ToWidget(request.window);
    if (!window || (m_package.Count() == 1 && m_package.IndexOf(window) == 0)) {
        request.target = nullptr;
        return false;
    }
    request.outline = ToClient(request.outline);
    const bool accepted = m_package.IsDockable(request, GetMinTrackSize(window));
    request.outline = ToScreen(request.outline);
    request.target = accepted ? this : nullptr;
    return accepted;
}

bool CPackageWindow::OnAcceptDock(DockRequest& request)
{
    QWidget* window = ToWidget(request.window);
    if (!window || m_package.IndexOf(window) >= 0)
        return false;
    // Only an outline that code 1 could have offered: its corner in the bar.
    if (const RECT o = ToClient(request.outline); !RECT{0, 0, width(), height()}.Contains({o.left, o.top}))
        return false;
    Attach(window);
    const bool laidOut = m_package.InsertAtOutline(FrameFor(window), ToClient(request.outline));
    // An insertion that leaves the bar's tiling unsound is undone.
    std::vector<std::string> problems;
    CheckPackageLayout(m_package, "bar", MinimumCheck::None, -1, problems);
    if (!laidOut || !problems.empty())
        return GiveBack(window);
    window->show();
    update();
    return true;
}

bool CPackageWindow::OnUndock(WindowHandle handle)
{
    QWidget* window = ToWidget(handle);
    if (!m_package.Remove(window))
        return false;
    Detach(window);
    update();
    if (m_package.Count() == 0 && !m_leaving) {
        // The bar leaves the frame's package at once and goes later.
        m_leaving = true;
        RequestUndock(m_frame, this);
        hide();
        deleteLater();
    }
    return true;
}

bool CPackageWindow::OnGetDockingPosition(DockRequest& request) { return m_package.GetDockingPosition(request); }

bool CPackageWindow::OnSetDockingPosition(DockRequest& request)
{
    QWidget* window = ToWidget(request.window);
    if (!window || m_package.IndexOf(window) >= 0)
        return false;
    const int minAlong = Along(GetMinTrackSize(window), m_package.IsHorizontal());
    if (!m_package.HasRoomFor(minAlong))
        return false;
    Attach(window);
    const bool laidOut = m_package.InsertAtFraction(FrameFor(window), request.position.fraction,
                                                    request.position.height, minAlong, !request.heightIncludesBar);
    if (!laidOut)
        return GiveBack(window);
    window->show();
    update();
    return true;
}

bool CPackageWindow::OnJoinBox(WindowHandle handle, WindowHandle joiningHandle)
{
    QWidget* window = ToWidget(handle);
    QWidget* joining = ToWidget(joiningHandle);
    if (!window || !joining || m_package.IndexOf(window) < 0)
        return false;
    Detach(window);
    Attach(joining);
    const bool laidOut = m_package.Replace(window, FrameFor(joining));
    joining->show();
    return laidOut;
}

int CPackageWindow::OnGetMinFrameDistance(WindowHandle window)
{
    return Along(GetMinTrackSize(ToWidget(window)), m_package.IsHorizontal());
}

bool CPackageWindow::GiveBack(QWidget* window)
{
    // Taken but not laid out: the window leaves again (the bar too when it
    // is left empty) and the request is refused, so its sender places it.
    OnUndock(window);
    return false;
}

bool CPackageWindow::event(QEvent* event)
{
    if (AnswerDockRequest(event, *this, false))
        return true;
    if (event->type() == MinMaxInfoEventType()) {
        m_package.GetMinMaxInfo(static_cast<CMinMaxInfoEvent*>(event)->info);
        return true;
    }
    return QWidget::event(event);
}

void CPackageWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    for (std::size_t i = 1; i < m_package.Count(); ++i)
        painter.fillRect(ToQRect(m_package.BarRect(i)), face);
}

void CPackageWindow::resizeEvent(QResizeEvent*)
{
    m_package.SetRect({0, 0, width(), height()});
}

void CPackageWindow::mousePressEvent(QMouseEvent* event)
{
    const int i = event->button() == Qt::LeftButton ? SplitterAt(event->position().toPoint()) : -1;
    if (i < 0) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    ISplitterDragView& view = *this;
    CDragSession::Start(this,
                        std::make_unique<CSplitterMoveTracker>(m_package, static_cast<std::size_t>(i),
                                                               POINT{p.x(), p.y()}, DockingSettings().GhostDrag(),
                                                               view),
                        [this](bool) { update(); });
    event->accept();
}

void CPackageWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (SplitterAt(event->position().toPoint()) >= 0)
        setCursor(m_package.IsHorizontal() ? Qt::SplitHCursor : Qt::SplitVCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

void CPackageWindow::ShowGhost(const RECT& bar)
{
    m_ghost->setGeometry(ToQRect(bar));
    m_ghost->show();
    m_ghost->raise();
}

void CPackageWindow::HideGhost() { m_ghost->hide(); }

// ------------------------------------------------------------------ frame

bool CPackageWindowFrame::AcceptDock(DockRequest& request)
{
    if (!m_window)
        return false;
    // The request arrives in frame client coordinates; the bar takes screen ones.
    QWidget* client = m_window->parentWidget();
    const QPoint origin = client ? client->mapToGlobal(QPoint(0, 0)) : QPoint();
    request.target = m_window.data();
    request.outline.Offset(origin.x(), origin.y());
    const std::intptr_t answer = SendDockRequest(m_window, request);
    request.outline.Offset(-origin.x(), -origin.y());
    return answer != 0;
}

int CPackageWindowFrame::GetMinFrameDist() const
{
    MINMAXINFO info;
    GetMinMaxInfo(info);
    return m_window && m_window->IsHorizontal() ? info.ptMinTrackSize.y : info.ptMinTrackSize.x;
}

void CPackageWindowFrame::GetMinMaxInfo(MINMAXINFO& info) const
{
    if (m_window)
        m_window->Package().GetMinMaxInfo(info);
}

bool CPackageWindowFrame::DeferFramePos(const RECT& rect)
{
    return m_window && m_window->Place(rect);
}

}  // namespace dockwins
