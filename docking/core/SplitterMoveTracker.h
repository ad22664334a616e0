#pragma once
// Dragging a package's splitter bar. A full drag moves the frames on every
// move; a ghost drag moves an outline and the frames once, when the drag ends
// without being cancelled. Coordinates are those of the package.

#include <cstddef>

#include "docking/core/DragTracker.h"
#include "docking/core/FramesPackage.h"

namespace dockwins {

class ISplitterDragView {
public:
    virtual ~ISplitterDragView() = default;
    virtual void ShowGhost(const RECT& bar) = 0;
    virtual void HideGhost() = 0;
    // The package moved: repaint its bars.
    virtual void Redraw() = 0;
};

class CSplitterMoveTracker final : public IDDTracker {
public:
    // frame: the frame whose bar is dragged; press: where the pointer went down.
    CSplitterMoveTracker(CWndFramesPackageBase& package, std::size_t frame, POINT press, bool ghost,
                         ISplitterDragView& view);

    void BeginDrag() override;
    void EndDrag(bool cancelled) override;
    void OnMove(int x, int y) override;
    void OnCancelDrag(int, int) override {}
    void OnDrop(int, int) override {}

    int Position() const { return m_position; }
    double Low() const { return m_low; }
    double High() const { return m_high; }

private:
    RECT GhostRect() const;
    void MoveFrames();

    CWndFramesPackageBase& m_package;
    const std::size_t m_frame;
    const bool m_ghost;
    ISplitterDragView& m_view;
    int m_position;
    int m_start;
    int m_offset;
    double m_low = 0;
    double m_high = 0;
    bool m_ghostShown = false;
};

}  // namespace dockwins
