#pragma once
// The messages of the docking windows as Qt events, sent (never posted) so
// that the answer comes back in the event: dock requests, the box protocol's
// channel, the docking notification and the minimum tracking size query.
// A widget that does not handle one leaves the answer 0.

#include <cstdint>

#include <QEvent>
#include <QRect>
#include <QString>

#include "docking/core/DockRequest.h"

class QWidget;

namespace dockwins {

class IDockRequestHandler;

// The frame's and package windows' request channel.
QEvent::Type DockRequestEventType();
// The box protocol's channel, registered once per process under BoxMessageName().
QEvent::Type BoxMessageEventType();
QString BoxMessageName();
// Sent to a docking window whenever something takes or releases it.
QEvent::Type DockNotifyEventType();
// Asks a window for its minimum tracking size.
QEvent::Type MinMaxInfoEventType();

class CDockRequestEvent final : public QEvent {
public:
    CDockRequestEvent(Type type, DockRequest& request) : QEvent(type), m_request(request) {}
    DockRequest& Request() const { return m_request; }
    std::intptr_t result = 0;

private:
    DockRequest& m_request;
};

class CDockNotifyEvent final : public QEvent {
public:
    // docked: taken by `holder`; horizontalHolder: its windows stand side by side;
    // captionless: the holder draws the caption (the window draws none).
    CDockNotifyEvent(bool docked, bool horizontalHolder, QWidget* holder, bool captionless = false)
        : QEvent(DockNotifyEventType()), docked(docked), horizontalHolder(horizontalHolder), holder(holder),
          captionless(captionless)
    {
    }
    const bool docked;
    const bool horizontalHolder;
    QWidget* const holder;
    const bool captionless;
};

class CMinMaxInfoEvent final : public QEvent {
public:
    CMinMaxInfoEvent() : QEvent(MinMaxInfoEventType()) {}
    MINMAXINFO info;
};

std::intptr_t SendDockRequest(QWidget* to, DockRequest& request);
// A window's answer to a dock request event: the handler's call for the
// request's code. The box channel is answered too when `boxChannel`. False
// for any other event.
bool AnswerDockRequest(QEvent* event, IDockRequestHandler& handler, bool boxChannel);

std::intptr_t SendBoxMessage(QWidget* to, DockRequest& request);
// Code 9 by the box channel: is the window a docking window or a box?
bool IsBoxWindow(QWidget* window);
// The window's minimum tracking size (0 x 0 when it does not say).
MINMAXINFO GetMinTrackSize(QWidget* window);

inline QWidget* ToWidget(WindowHandle handle) { return static_cast<QWidget*>(handle); }
inline WindowHandle ToHandle(QWidget* widget) { return widget; }

inline RECT ToRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
inline QRect ToQRect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }
inline POINT ToPoint(const QPoint& p) { return {p.x(), p.y()}; }

}  // namespace dockwins
