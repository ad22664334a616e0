#include "docking/DockingWindow.h"

#include <QCloseEvent>
#include <QPainter>
#include <QResizeEvent>

#include "docking/DockEvents.h"
#include "docking/DockingSystemSettings.h"

using namespace dockwins;

CTabbedAutoHideDockingWindow::CTabbedAutoHideDockingWindow(QWidget* frame, const QString& title)
    : QWidget(frame, Qt::Tool | Qt::FramelessWindowHint), m_frame(frame)
{
    setWindowTitle(title);
    setObjectName(QStringLiteral("dockingWindow"));
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

CTabbedAutoHideDockingWindow::~CTabbedAutoHideDockingWindow() = default;

void CTabbedAutoHideDockingWindow::RefreshCaptionThickness()
{
    m_captionThickness = DockingSettings().Metrics().smallCaptionHeight + 5;
}

void CTabbedAutoHideDockingWindow::GetMinMaxInfo(MINMAXINFO& info) const { info.ptMinTrackSize = {100, 100}; }

QRect CTabbedAutoHideDockingWindow::CaptionRect() const
{
    return m_horizontal ? QRect(0, 0, width(), m_captionThickness) : QRect(0, 0, m_captionThickness, height());
}

QRect CTabbedAutoHideDockingWindow::ClientRect() const
{
    QRect r = rect();
    if (m_horizontal)
        r.setTop(std::min(m_captionThickness, height()));
    else
        r.setLeft(std::min(m_captionThickness, width()));
    if (m_flatBorder)
        r.adjust(1, 1, -1, -1);
    return r;
}

void CTabbedAutoHideDockingWindow::LayoutClient()
{
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
    request.code = kGetDockingPosition;
    QWidget* target = ToWidget(request.target);
    if (target && IsBoxWindow(target))
        return SendDockRequest(target, request) != 0;
    return SendDockRequest(m_frame, request) != 0;
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
        m_pos = position;
        m_pos.target = holder;
        m_posTarget = holder;
    }
    DockRequest request;
    request.window = this;
    request.target = holder;
    request.code = kUndock;
    return SendDockRequest(holder, request) != 0;
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
    request.code = kSetDockingPosition;
    if (m_posTarget && m_posTarget != m_frame && IsBoxWindow(m_posTarget)) {
        request.target = m_posTarget.data();
        return SendDockRequest(m_posTarget, request) != 0;
    }
    if (request.position.sideFlags & kSideFloating) {
        setGeometry(ToQRect(request.position.floatRect));
        show();
        return true;
    }
    request.target = m_frame.data();
    return SendDockRequest(m_frame, request) != 0;
}

bool CTabbedAutoHideDockingWindow::Activate()
{
    if (m_dockedTo && IsBoxWindow(m_dockedTo)) {
        DockRequest request;
        request.window = this;
        request.target = m_dockedTo.data();
        request.code = kActivateTab;
        return SendDockRequest(m_dockedTo, request) != 0;
    }
    if (!m_pos.target) {
        show();
        return true;
    }
    return DockBack();
}

bool CTabbedAutoHideDockingWindow::IsVisibleWindow() const
{
    if (m_dockedTo && m_frame) {
        DockRequest request;
        request.window = const_cast<CTabbedAutoHideDockingWindow*>(this);
        request.target = m_dockedTo.data();
        request.code = kIsPinned;
        if (SendDockRequest(m_frame, request) != 0)
            return true;
    }
    // Shown, even while the frame itself is not shown yet.
    return !isHidden();
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

std::intptr_t CTabbedAutoHideDockingWindow::OnRequest(DockRequest& request, bool)
{
    switch (request.code) {
    case kGetDockingPosition: return FillOwnPosition(request) ? 1 : 0;
    case kIsBoxQuery: return 1;
    case kActivateTab: {
        if (!m_dockedTo)
            return 0;
        DockRequest forward;
        forward.window = this;
        forward.target = m_dockedTo.data();
        forward.code = kActivateTab;
        return SendDockRequest(m_dockedTo, forward);
    }
    default: return 0;  // code 3 among them: a docking window holds nobody
    }
}

bool CTabbedAutoHideDockingWindow::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == DockRequestEventType() || type == BoxMessageEventType()) {
        auto* request = static_cast<CDockRequestEvent*>(event);
        request->result = OnRequest(request->Request(), type == BoxMessageEventType());
        return true;
    }
    if (type == DockNotifyEventType()) {
        const auto* notify = static_cast<CDockNotifyEvent*>(event);
        ApplyFloatingMinimum(!notify->docked);
        if (notify->docked) {
            m_dockedTo = notify->holder;
            // In a bar whose windows stand side by side the title runs down the left edge.
            const bool horizontal = !notify->horizontalHolder;
            if (horizontal != m_horizontal) {
                m_horizontal = horizontal;
                RefreshCaptionThickness();
            }
        } else {
            m_dockedTo = nullptr;
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
    if (type == QEvent::Move || type == QEvent::Resize) {
        if (!m_dockedTo && isVisible() && isWindow())
            m_rcFloat = ToRect(geometry());
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
    Hide();
}

void CTabbedAutoHideDockingWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect caption = CaptionRect();
    painter.fillRect(caption, palette().color(QPalette::Button));
    const QRect band = m_horizontal ? caption.adjusted(0, 2, 0, -2) : caption.adjusted(2, 0, -2, 0);
    painter.fillRect(band, ToQColor(DockingSettings().Highlight()));
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.setFont(CaptionFont());
    const QString title = windowTitle().trimmed();
    if (m_horizontal) {
        const QRect text = band.adjusted(5, 0, -2, 0);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(title, Qt::ElideRight, text.width()));
    } else {
        painter.save();
        painter.translate(band.right() + 1, band.top() + 3);
        painter.rotate(90);  // the title runs downward
        const QRect text(0, 0, band.height() - 5, band.width());
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(title, Qt::ElideRight, text.width()));
        painter.restore();
    }
}
