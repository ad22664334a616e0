#pragma once
// One frame of a frames package: a docked bar, a docked window, the client
// window or a nested package.

#include "docking/core/DockRequest.h"

namespace dockwins {

class IFrame {
public:
    virtual ~IFrame() = default;
    // The frame's window; null for a frame that is no window (a nested package).
    virtual WindowHandle GetHwnd() const = 0;
    // Offers a drop into the frame; true when it takes it.
    virtual bool AcceptDock(DockRequest& request) = 0;
    // The frame's minimum extent along the package's axis.
    virtual int GetMinFrameDist() const = 0;
    virtual void GetMinMaxInfo(MINMAXINFO& info) const = 0;
    // Places the frame at once (geometry set and laid out); false when it failed.
    virtual bool DeferFramePos(const RECT& rect) = 0;
};

}  // namespace dockwins
