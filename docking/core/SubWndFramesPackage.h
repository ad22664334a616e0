#pragma once
// The docking frame's frames packages: bars around a central frame (the
// client window in the inner package, the inner package in the outer one),
// which gives up its room first when a bar comes and takes it back when one
// goes, and the frame's answers to the dock requests that reach a package.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "docking/core/DockRequest.h"
#include "docking/core/FramesPackage.h"
#include "docking/core/IFrame.h"

namespace dockwins {

// What a package of the docking frame needs from the window it serves.
class IPackageHost {
public:
    virtual ~IPackageHost() = default;
    // The minimum tracking size of a docking window.
    virtual MINMAXINFO GetWindowMinMaxInfo(WindowHandle window) = 0;
    // A new bar (package window) whose windows stand side by side when
    // horizontal; null when it cannot be made.
    virtual std::unique_ptr<IFrame> CreateBar(bool horizontal) = 0;
    // A bar that never received a window is thrown away.
    virtual void DestroyBar(WindowHandle bar) = 0;
    // Sends a request to a bar; outlines are in frame client coordinates.
    virtual std::intptr_t SendRequest(WindowHandle to, DockRequest& request) = 0;
};

// The docking frame's package: bars around a central frame.
class CSubWndFramesPackage : public CWndFramesPackageBase {
public:
    CSubWndFramesPackage(bool horizontal, IPackageHost& host) : CWndFramesPackageBase(horizontal), m_host(host) {}

    // Installs the central frame (once) and lays the package out.
    bool SetCentralFrame(std::unique_ptr<IFrame> frame);
    const IFrame* Central() const { return m_central; }
    int CentralIndex() const;

    // Inserts a frame at place with the central frame giving up its room first.
    void InsertNextToCentral(std::unique_ptr<IFrame> frame, std::size_t place, double p, int s);
    // Removes the frame of a window (never the central frame); its extent goes
    // to the central frame. False when the package does not hold it.
    bool Remove(WindowHandle window);

    // Code 1: may the request's window be dropped at its outline (frame
    // client coordinates)? Reshapes the outline on success.
    bool AdjustDragRect(DockRequest& request);
    // Code 2: a new bar at the outline, then the window into it.
    bool AcceptDock(DockRequest& request);
    // Code 5: the window at its stored position.
    bool SetDockingPosition(DockRequest& request);
    // Code 4: bar index, side bit and width of the bar that is the target.
    bool GetDockingPosition(DockRequest& request);

protected:
    void Rescale(int newStart, int newEnd) override;

private:
    bool IsDockable(DockRequest& request, std::size_t place);
    bool DockNewBar(DockRequest& request, std::size_t place, double p, int s, bool byOutline);

    IPackageHost& m_host;
    IFrame* m_central = nullptr;
};

// The central frame of the outer package: the inner package.
class CFrameWrapper final : public IFrame {
public:
    explicit CFrameWrapper(CSubWndFramesPackage& package) : m_package(package) {}
    WindowHandle GetHwnd() const override { return nullptr; }
    bool AcceptDock(DockRequest&) override { return true; }
    int GetMinFrameDist() const override;
    void GetMinMaxInfo(MINMAXINFO& info) const override { m_package.GetMinMaxInfo(info); }
    bool DeferFramePos(const RECT& rect) override;

private:
    CSubWndFramesPackage& m_package;
};

}  // namespace dockwins
