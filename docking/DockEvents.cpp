#include "docking/DockEvents.h"

#include <QCoreApplication>
#include <QWidget>

#include "docking/core/DockRequestHandler.h"

namespace dockwins {

namespace {

QEvent::Type Register()
{
    return static_cast<QEvent::Type>(QEvent::registerEventType());
}

}  // namespace

QEvent::Type DockRequestEventType()
{
    static const QEvent::Type type = Register();
    return type;
}

QEvent::Type BoxMessageEventType()
{
    static const QEvent::Type type = Register();
    return type;
}

QString BoxMessageName()
{
    return QStringLiteral("DockingBoxMessage-%1").arg(QCoreApplication::applicationPid());
}

QEvent::Type DockNotifyEventType()
{
    static const QEvent::Type type = Register();
    return type;
}

QEvent::Type MinMaxInfoEventType()
{
    static const QEvent::Type type = Register();
    return type;
}

std::intptr_t SendDockRequest(QWidget* to, DockRequest& request)
{
    if (!to)
        return 0;
    CDockRequestEvent event(DockRequestEventType(), request);
    QCoreApplication::sendEvent(to, &event);
    return event.result;
}

bool AnswerDockRequest(QEvent* event, IDockRequestHandler& handler, bool boxChannel)
{
    const QEvent::Type type = event->type();
    if (type != DockRequestEventType() && !(boxChannel && type == BoxMessageEventType()))
        return false;
    auto* request = static_cast<CDockRequestEvent*>(event);
    request->result = DispatchDockRequest(handler, request->Request());
    return true;
}

std::intptr_t SendBoxMessage(QWidget* to, DockRequest& request)
{
    if (!to)
        return 0;
    CDockRequestEvent event(BoxMessageEventType(), request);
    QCoreApplication::sendEvent(to, &event);
    return event.result;
}

bool IsBoxWindow(QWidget* window)
{
    DockRequest request;
    request.target = window;
    request.code = kIsBoxQuery;
    return SendBoxMessage(window, request) != 0;
}

MINMAXINFO GetMinTrackSize(QWidget* window)
{
    if (!window)
        return {};
    CMinMaxInfoEvent event;
    QCoreApplication::sendEvent(window, &event);
    return event.info;
}

}  // namespace dockwins
