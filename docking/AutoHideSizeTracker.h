#pragma once
// Resizing the slid-out pane by its sizing bar: the inner edge follows the
// pointer within the bounds (near edge + 5 to far edge - 5). The full
// tracker moves the pane live, the ghost tracker moves an outline of the bar
// and the pane at the drop. The pane does not hide while it is resized.

#include <QRect>

#include "docking/core/AutoHideLayout.h"
#include "docking/core/DragTracker.h"

namespace dockwins {

// The slid-out pane as its size trackers move it (client coordinates).
class IAutoHideSizingView {
public:
    virtual ~IAutoHideSizingView() = default;
    // The pane does not hide while it is resized.
    virtual void SuspendHiding(bool suspend) = 0;
    virtual void MovePane(const QRect& rect) = 0;
    // The outline of the sizing bar.
    virtual void ShowSizingGhost(const QRect& bar) = 0;
    virtual void HideSizingGhost() = 0;
};

class CAutoHideSizeTrackerBase : public IDDTracker {
public:
    CAutoHideSizeTrackerBase(IAutoHideSizingView& manager, const RECT& pane, const RECT& bounds, int side,
                             POINT pointer);
    void BeginDrag() override;
    void EndDrag(bool cancelled) override;
    void OnCancelDrag(int, int) override {}

protected:
    IAutoHideSizingView& m_manager;
    CAutoHideSizeTracker m_tracker;
    RECT m_start;
    RECT m_pane;
    int m_side;
};

class CSizeTrackerFull final : public CAutoHideSizeTrackerBase {
public:
    using CAutoHideSizeTrackerBase::CAutoHideSizeTrackerBase;
    void OnMove(int x, int y) override;
    void OnDrop(int, int) override {}
};

class CSizeTrackerGhost final : public CAutoHideSizeTrackerBase {
public:
    using CAutoHideSizeTrackerBase::CAutoHideSizeTrackerBase;
    void BeginDrag() override;
    void EndDrag(bool cancelled) override;
    void OnMove(int x, int y) override;
    void OnDrop(int, int) override { m_drop = true; }

private:
    bool m_drop = false;
};

}  // namespace dockwins
