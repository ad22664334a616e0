#pragma once
// The docking frame's two nested packages and its answers to dock requests,
// in frame client coordinates: the outer package stacks bars above and below
// its central frame, the inner package; the inner package puts bars left and
// right of its central frame, the client window.

#include <cstdint>
#include <memory>

#include "docking/core/DockingSettings.h"
#include "docking/core/SubWndFramesPackage.h"

namespace dockwins {

class CDockingFrameLayout {
public:
    explicit CDockingFrameLayout(IPackageHost& host) : m_outer(false, host), m_inner(true, host) {}

    // Lays the packages out over rect and installs the central frames (once).
    bool OnCreate(const RECT& rect, std::unique_ptr<IFrame> client);
    bool IsCreated() const { return m_outer.Central() != nullptr; }
    // A new client rectangle for the outer package.
    bool UpdateLayout(const RECT& rect) { return m_outer.SetRect(rect); }

    // Code 1: the inner package is offered the outline before the outer one;
    // frame: the frame window, the target of an accepted drop. Bit 31 of the
    // placement flags tells code 2 which package accepted.
    bool AdjustDragRect(DockRequest& request, WindowHandle frame);
    // Code 2: the package that accepted the outline docks the window.
    bool AcceptDock(DockRequest& request);
    // Code 3: the package that holds the window's bar removes it.
    bool Undock(WindowHandle window);
    // Code 4: the bar that is the request's target is looked for in the outer
    // package, then in the inner one.
    bool GetDockingPosition(DockRequest& request);
    // Code 5: bit 0 of the side flags chooses the package.
    bool SetDockingPosition(DockRequest& request);

    // The frame's answer to a request of codes 1 to 5 and 7 (clientSize for
    // code 7); 0 for every other code.
    std::intptr_t Handle(DockRequest& request, WindowHandle frame, POINT clientSize, const SystemMetrics& metrics);

    // The package whose rectangle holds the point, inner first; null when none.
    CSubWndFramesPackage* PackageAt(POINT p);
    // The outer package's minimum tracking size.
    MINMAXINFO MinTrackSize() const;

    CSubWndFramesPackage& Outer() { return m_outer; }
    CSubWndFramesPackage& Inner() { return m_inner; }
    const CSubWndFramesPackage& Outer() const { return m_outer; }
    const CSubWndFramesPackage& Inner() const { return m_inner; }

private:
    CSubWndFramesPackage m_outer;
    CSubWndFramesPackage m_inner;
};

// Code 7: a floating rectangle at most a third of the client area and at
// least the system's smallest window, keeping its top-left corner.
void ClampRectSize(RECT& rect, POINT clientSize, const SystemMetrics& metrics);

}  // namespace dockwins
