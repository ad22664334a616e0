#pragma once
// The receiving end of the dock requests: one call per request code, so that
// a window answers a request by overriding the calls of the codes it takes.
// DispatchDockRequest is the one place where a request's code chooses the
// call; the codes themselves stay the record's wire format.
//
// Every call answers as the protocol says (true: done, found or yes). A code
// a window does not take keeps its default, which refuses: the answer 0 of a
// request nobody handles. User-interface thread only.

#include <cstdint>

#include "docking/core/DockRequest.h"

namespace dockwins {

class IDockRequestHandler {
public:
    virtual ~IDockRequestHandler() = default;

    // 1: may the request's window be dropped at the outline? The accepting
    // window sets the target to itself and may reshape the outline.
    virtual bool OnAdjustDragRect(DockRequest& /*request*/) { return false; }
    // 2: dock the request's window at the outline that code 1 accepted.
    virtual bool OnAcceptDock(DockRequest& /*request*/) { return false; }
    // 3: take `window` out.
    virtual bool OnUndock(WindowHandle /*window*/) { return false; }
    // 4: fill the position of the request's window; its target is the
    // window that holds it.
    virtual bool OnGetDockingPosition(DockRequest& /*request*/) { return false; }
    // 5: dock the request's window at its position.
    virtual bool OnSetDockingPosition(DockRequest& /*request*/) { return false; }
    // 7: clamp a floating rectangle to the frame.
    virtual bool OnClampRectSize(RECT& /*rect*/) { return false; }
    // 8: `joining` takes the place of `window`.
    virtual bool OnJoinBox(WindowHandle /*window*/, WindowHandle /*joining*/) { return false; }
    // 9: does this window take part in the box protocol?
    virtual bool OnIsBoxQuery() { return false; }
    // 10: bring `window` to the front of the box it is in.
    virtual bool OnActivateTab(WindowHandle /*window*/) { return false; }
    // 11: is `target` (a window's docked-to window) the auto-hide pane?
    virtual bool OnIsPinned(WindowHandle /*target*/) { return false; }
    // 12: pin the request's window, or the windows it names, to a side.
    virtual bool OnPinToSide(DockRequest& /*request*/) { return false; }
    // 13: `window`'s minimum extent along its bar.
    virtual int OnGetMinFrameDistance(WindowHandle /*window*/) { return 0; }
    // 14: pin this window itself (a box: all its windows) to its side.
    virtual bool OnPinWindow(bool /*show*/) { return false; }
};

// Hands the request to the handler's call for its code: the answer is the
// call's (1 or 0; code 13 the extent). Codes of no call (6, and any other)
// answer 0.
std::intptr_t DispatchDockRequest(IDockRequestHandler& handler, DockRequest& request);

}  // namespace dockwins
