#pragma once
// Fake frames for the package arithmetic: windows of a fixed minimum tracking
// size that remember where they were placed, bars that hold a bar package of
// such windows, and a host that answers for the frame.

#include <map>
#include <memory>
#include <vector>

#include "docking/core/SubWndFramesPackage.h"
#include "docking/core/WndFramesPackage.h"

namespace fakes {

using namespace dockwins;

struct FakeWindow {
    MINMAXINFO min{{100, 100}};
    RECT placed;
    int placements = 0;
};

class FakeFrame final : public IFrame {
public:
    FakeFrame(FakeWindow& window, bool alongX) : m_window(window), m_alongX(alongX) {}
    WindowHandle GetHwnd() const override { return &m_window; }
    bool AcceptDock(DockRequest&) override { return false; }
    int GetMinFrameDist() const override { return Along(m_window.min, m_alongX); }
    void GetMinMaxInfo(MINMAXINFO& info) const override { info = m_window.min; }
    bool DeferFramePos(const RECT& rect) override
    {
        m_window.placed = rect;
        ++m_window.placements;
        return true;
    }

private:
    FakeWindow& m_window;
    bool m_alongX;
};

// A docked bar: a package window's package of fake windows.
class FakeBar final : public IFrame {
public:
    FakeBar(bool horizontal, std::map<WindowHandle, FakeWindow*>& windows)
        : m_package(horizontal), m_windows(windows)
    {
    }
    WindowHandle GetHwnd() const override { return const_cast<FakeBar*>(this); }
    bool AcceptDock(DockRequest& request) override
    {
        // Code 1 in a bar: refused when the dragged window is its only one.
        if (m_package.Count() == 1 && m_package.IndexOf(request.window) == 0) {
            request.target = nullptr;
            return false;
        }
        request.target = GetHwnd();
        if (!m_package.IsDockable(request, Window(request.window).min)) {
            request.target = nullptr;
            return false;
        }
        return true;
    }
    int GetMinFrameDist() const override
    {
        MINMAXINFO info;
        m_package.GetMinMaxInfo(info);
        return m_package.IsHorizontal() ? info.ptMinTrackSize.y : info.ptMinTrackSize.x;
    }
    void GetMinMaxInfo(MINMAXINFO& info) const override { m_package.GetMinMaxInfo(info); }
    bool DeferFramePos(const RECT& rect) override
    {
        placed = rect;
        return m_package.SetRect({0, 0, rect.Width(), rect.Height()});
    }
    // Codes 2, 4 and 5 of a package window (in bar coordinates, offset by placed).
    long Handle(DockRequest& request)
    {
        FakeWindow& w = Window(request.window);
        switch (request.code) {
        case kAcceptDock: {
            RECT o = request.outline;
            o.Offset(-placed.left, -placed.top);
            return m_package.InsertAtOutline(Frame(w), o);
        }
        case kSetDockingPosition:
            return m_package.InsertAtFraction(Frame(w), request.position.fraction, request.position.height,
                                              Along(w.min, m_package.IsHorizontal()), !request.heightIncludesBar);
        case kGetDockingPosition: return m_package.GetDockingPosition(request);
        default: return 0;
        }
    }
    CWndFramesPackage& Package() { return m_package; }
    RECT placed;

private:
    std::unique_ptr<IFrame> Frame(FakeWindow& w) { return std::make_unique<FakeFrame>(w, m_package.IsHorizontal()); }
    FakeWindow& Window(WindowHandle h) { return *m_windows.at(h); }
    CWndFramesPackage m_package;
    std::map<WindowHandle, FakeWindow*>& m_windows;
};

class FakeHost final : public IPackageHost {
public:
    MINMAXINFO GetWindowMinMaxInfo(WindowHandle window) override { return windows.at(window)->min; }
    std::unique_ptr<IFrame> CreateBar(bool horizontal) override
    {
        if (failBars)
            return nullptr;
        auto bar = std::make_unique<FakeBar>(horizontal, windows);
        bars.push_back(bar.get());
        return bar;
    }
    void DestroyBar(WindowHandle bar) override { std::erase(bars, static_cast<FakeBar*>(bar)); }
    std::intptr_t SendRequest(WindowHandle to, DockRequest& request) override
    {
        for (FakeBar* bar : bars)
            if (bar == to)
                return bar->Handle(request);
        return 0;
    }
    void Add(FakeWindow& w) { windows[&w] = &w; }

    std::map<WindowHandle, FakeWindow*> windows;
    std::vector<FakeBar*> bars;  // not owned: the packages own them
    bool failBars = false;
};

}  // namespace fakes
