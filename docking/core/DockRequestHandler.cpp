#include "docking/core/DockRequestHandler.h"

namespace dockwins {

std::intptr_t DispatchDockRequest(IDockRequestHandler& handler, DockRequest& request)
{
    switch (request.code) {
    case kAdjustDragRect: return handler.OnAdjustDragRect(request) ? 1 : 0;
    case kAcceptDock: return handler.OnAcceptDock(request) ? 1 : 0;
    case kUndock: return handler.OnUndock(request.window) ? 1 : 0;
    case kGetDockingPosition: return handler.OnGetDockingPosition(request) ? 1 : 0;
    case kSetDockingPosition: return handler.OnSetDockingPosition(request) ? 1 : 0;
    case kClampRectSize: return handler.OnClampRectSize(request.rect) ? 1 : 0;
    case kJoinBox: return handler.OnJoinBox(request.window, request.joining) ? 1 : 0;
    case kIsBoxQuery: return handler.OnIsBoxQuery() ? 1 : 0;
    case kActivateTab: return handler.OnActivateTab(request.window) ? 1 : 0;
    case kIsPinned: return handler.OnIsPinned(request.target) ? 1 : 0;
    case kPinToSide: return handler.OnPinToSide(request) ? 1 : 0;
    case kGetMinFrameDistance: return handler.OnGetMinFrameDistance(request.window);
    case kPinWindow: return handler.OnPinWindow(request.pinShow != 0) ? 1 : 0;
    default: return 0;
    }
}

}  // namespace dockwins
