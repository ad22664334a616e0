#pragma once
// Typed calls over the dock requests: each one starts a request of its code
// with the record filled as the protocol says, sends it and reads the answer.
// The records and their codes (docking/core/DockRequest.h) stay what goes
// between the windows; a window that passes a request on unchanged sends the
// record it got with SendDockRequest. User-interface thread only.

#include <span>

#include "docking/core/DockRequest.h"

class QWidget;

namespace dockwins {

// Code 1 to `to`, which becomes the request's target (by the box channel when
// `boxChannel`): may request.window be dropped at request.outline? The
// accepting window may reshape the outline and name itself or another target.
bool RequestAdjustDragRect(QWidget* to, DockRequest& request, bool boxChannel);
// Code 2: `to` docks request.window at the outline it accepted.
bool RequestAcceptDock(QWidget* to, DockRequest& request);
// Code 3: `holder` lets `window` go.
bool RequestUndock(QWidget* holder, QWidget* window);
// Code 4 to `to`: the position of request.window, whose holder request.target names.
bool RequestDockingPosition(QWidget* to, DockRequest& request);
// Code 5: `to` docks request.window at request.position.
bool RequestSetDockingPosition(QWidget* to, DockRequest& request);
// Code 7: `rect`, a floating rectangle of `window`, as the frame clamps it
// (unchanged when nobody answers).
RECT RequestClampRectSize(QWidget* frame, QWidget* window, const RECT& rect);
// Code 8: `joining` takes the place of `window` in `holder`.
bool RequestJoinBox(QWidget* holder, QWidget* window, QWidget* joining);
// Code 10: `holder` brings `window`'s tab to the front.
bool RequestActivateTab(QWidget* holder, QWidget* window);
// Code 11: is `dockedTo`, where `window` is docked, the frame's auto-hide pane?
bool RequestIsPinned(QWidget* frame, QWidget* window, QWidget* dockedTo);

// Code 12: one window, or the windows of a box as one label, pinned to a side.
struct PinToSideRequest {
    QWidget* window = nullptr;  // alone, or the active one of `windows`
    unsigned sideFlags = 0;     // bits 0 and 1: the side
    unsigned width = 0;         // the slid-out size across the side
    bool show = false;          // slid out at once
    std::span<const WindowHandle> windows;  // a box's windows; read when two or more
    std::span<const unsigned> widths;       // with `windows`: each one's own width
};
bool RequestPinToSide(QWidget* frame, const PinToSideRequest& pin);
// Code 13: `window`'s minimum extent along `bar`.
int RequestMinFrameDistance(QWidget* bar, QWidget* window);

}  // namespace dockwins
