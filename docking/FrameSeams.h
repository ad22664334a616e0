#pragma once
// What the docking frame asks of its auto-hide strips and its focus handler.

#include <cstdint>

#include "docking/core/DockRequest.h"

namespace dockwins {

class IAutoHideManager {
public:
    virtual ~IAutoHideManager() = default;
    // Takes the strips of the sides that hold labels off the rectangle (frame
    // client coordinates), places the strips and a shown pane, and returns
    // the bounds left inside them.
    virtual RECT TakeStrips(const RECT& client) = 0;
    // Code 4 for a pinned window: true when one of the sides holds it.
    virtual bool GetDockingPosition(DockRequest& request) = 0;
    // Code 11: is the target the auto-hide pane?
    virtual bool IsAutoHidePane(WindowHandle target) const = 0;
    // Code 12; stripAppeared is set when a side got its first label.
    virtual std::intptr_t PinToSide(DockRequest& request, bool& stripAppeared) = 0;
    // What the strips add to the frame's minimum size.
    virtual int MinimumExtraWidth() const = 0;
    virtual int MinimumExtraHeight() const = 0;
    // The fonts or metrics changed: the strip thickness is measured again.
    virtual void RefreshMetrics() = 0;
};

class IFocusHandler {
public:
    virtual ~IFocusHandler() = default;
    // Installs the hook once; a second call does nothing.
    virtual void Install(void* frame) = 0;
    virtual void Remove() = 0;
    // A caption drawn by a window other than a docking window (the auto-hide
    // pane's) records that window as a caption owner.
    virtual void RecordCaption(void* /*window*/) {}
};

}  // namespace dockwins
