#pragma once
// What the docking frame asks of its auto-hide strips and its focus handler.
// Until those parts exist the frame runs with the null ones below: no strips,
// nothing pinned, no focus hook.

#include <cstdint>

#include "docking/core/DockRequest.h"

namespace dockwins {

class IAutoHideManager {
public:
    virtual ~IAutoHideManager() = default;
    // Takes the strips of the sides that hold labels off the rectangle.
    virtual RECT TakeStrips(const RECT& client) = 0;
    // Code 4 for a pinned window: true when one of the sides holds it.
    virtual bool GetDockingPosition(DockRequest& request) = 0;
    // Code 11: is the target the auto-hide pane?
    virtual bool IsAutoHidePane(WindowHandle target) const = 0;
    // Code 12; stripAppeared is set when a side got its first label.
    virtual std::intptr_t PinToSide(DockRequest& request, bool& stripAppeared) = 0;
};

class CNullAutoHideManager final : public IAutoHideManager {
public:
    RECT TakeStrips(const RECT& client) override { return client; }
    bool GetDockingPosition(DockRequest&) override { return false; }
    bool IsAutoHidePane(WindowHandle) const override { return false; }
    std::intptr_t PinToSide(DockRequest&, bool& stripAppeared) override
    {
        stripAppeared = false;
        return 0;
    }
};

class IFocusHandler {
public:
    virtual ~IFocusHandler() = default;
    // Installs the hook once; a second call does nothing.
    virtual void Install(void* frame) = 0;
    virtual void Remove() = 0;
};

class CNullFocusHandler final : public IFocusHandler {
public:
    void Install(void*) override {}
    void Remove() override {}
};

}  // namespace dockwins
