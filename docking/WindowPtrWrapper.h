#pragma once
// The inner package's central frame: whatever client window the frame has
// installed, read at every use.

#include <QPointer>
#include <QWidget>

#include "docking/core/IFrame.h"

namespace dockwins {

class CWindowPtrWrapper final : public IFrame {
public:
    explicit CWindowPtrWrapper(const QPointer<QWidget>& window) : m_window(window) {}
    WindowHandle GetHwnd() const override { return m_window.data(); }
    bool AcceptDock(DockRequest&) override { return false; }
    int GetMinFrameDist() const override;
    void GetMinMaxInfo(MINMAXINFO& info) const override;
    bool DeferFramePos(const RECT& rect) override;

private:
    const QPointer<QWidget>& m_window;
};

}  // namespace dockwins
