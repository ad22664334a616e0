#include "docking/DockRequests.h"

#include "docking/DockEvents.h"

namespace dockwins {

namespace {

DockRequest HeaderOnly(QWidget* window, QWidget* target, DockRequestCode code)
{
    DockRequest request;
    request.window = window;
    request.target = target;
    request.code = code;
    return request;
}

}  // namespace

bool RequestAdjustDragRect(QWidget* to, DockRequest& request, bool boxChannel)
{
    request.code = kAdjustDragRect;
    request.target = to;
    return (boxChannel ? SendBoxMessage(to, request) : SendDockRequest(to, request)) != 0;
}

bool RequestAcceptDock(QWidget* to, DockRequest& request)
{
    request.code = kAcceptDock;
    request.target = to;
    return SendDockRequest(to, request) != 0;
}

bool RequestUndock(QWidget* holder, QWidget* window)
{
    DockRequest request = HeaderOnly(window, holder, kUndock);
    return SendDockRequest(holder, request) != 0;
}

bool RequestDockingPosition(QWidget* to, DockRequest& request)
{
    request.code = kGetDockingPosition;
    return SendDockRequest(to, request) != 0;
}

bool RequestSetDockingPosition(QWidget* to, DockRequest& request)
{
    request.code = kSetDockingPosition;
    request.target = to;
    return SendDockRequest(to, request) != 0;
}

RECT RequestClampRectSize(QWidget* frame, QWidget* window, const RECT& rect)
{
    DockRequest request = HeaderOnly(window, frame, kClampRectSize);
    request.rect = rect;
    SendDockRequest(frame, request);
    return request.rect;
}

bool RequestJoinBox(QWidget* holder, QWidget* window, QWidget* joining)
{
    DockRequest request = HeaderOnly(window, holder, kJoinBox);
    request.joining = joining;
    return SendDockRequest(holder, request) != 0;
}

bool RequestActivateTab(QWidget* holder, QWidget* window)
{
    DockRequest request = HeaderOnly(window, holder, kActivateTab);
    return SendDockRequest(holder, request) != 0;
}

bool RequestIsPinned(QWidget* frame, QWidget* window, QWidget* dockedTo)
{
    DockRequest request = HeaderOnly(window, dockedTo, kIsPinned);
    return SendDockRequest(frame, request) != 0;
}

bool RequestPinToSide(QWidget* frame, const PinToSideRequest& pin)
{
    DockRequest request = HeaderOnly(pin.window, nullptr, kPinToSide);
    request.position.sideFlags = pin.sideFlags;
    request.position.width = pin.width;
    request.pinShow = pin.show ? 1 : 0;
    request.windowCount = static_cast<int>(pin.windows.size());
    const bool several = pin.windows.size() >= 2;
    request.windows = several ? pin.windows.data() : nullptr;
    request.widths = several && !pin.widths.empty() ? pin.widths.data() : nullptr;
    return SendDockRequest(frame, request) != 0;
}

int RequestMinFrameDistance(QWidget* bar, QWidget* window)
{
    DockRequest request = HeaderOnly(window, bar, kGetMinFrameDistance);
    return static_cast<int>(SendDockRequest(bar, request));
}

}  // namespace dockwins
