#pragma once
// The docking frame's two nested packages and its answers to dock requests,
// in frame client coordinates: the outer package stacks bars above and below
// its central frame, the inner package; the inner package puts bars left and
// right of its central frame, the client window.

#include <cstdint>
#include <memory>

#include "docking/core/DockingSettings.h"
#include "docking/core/FramesPackage.h"

namespace dockwins {

class CDockingFrameLayout {
public:
    explicit CDockingFrameLayout(IPackageHost& host) : m_outer(false, host), m_inner(true, host) {}

    // Lays the packages out over rect and installs the central frames (once).
    bool OnCreate(const RECT& rect, std::unique_ptr<IFrame> client);
    bool IsCreated() const { return m_outer.Central() != nullptr; }
    // A new client rectangle for the outer package.
    bool UpdateLayout(const RECT& rect) { return m_outer.SetRect(rect); }

    // Codes 1 to 5 and 7 (clientSize for code 7); 0 for every other code.
    // frame: the frame window, the target of accepted drops.
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
