#pragma once
// Dragging a package's splitter bar, and a splitter window's. A full drag moves the frames on every
// move; a ghost drag moves an outline and the frames once, when the drag ends
// without being cancelled. Coordinates are those of the package.

#include <cstddef>

#include "docking/core/DragTracker.h"
#include "docking/core/FramesPackage.h"
#include "docking/core/SplitterLayout.h"

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

// Dragging the bar of a two-pane splitter window (area: the splitter
// rectangle, in the window's coordinates). A full drag sets the position on
// every move; a ghost drag moves the outline and sets the position when the
// drag ends. Cancelled, the layout is as it was at the start.
class CSplitterBarTracker final : public IDDTracker {
public:
    CSplitterBarTracker(CSplitterLayout& layout, bool vertical, const RECT& area, POINT press, bool ghost,
                        ISplitterDragView& view);

    void BeginDrag() override;
    void EndDrag(bool cancelled) override;
    void OnMove(int x, int y) override;
    void OnCancelDrag(int, int) override {}
    void OnDrop(int, int) override {}

private:
    RECT BarAt(int position) const;

    CSplitterLayout& m_layout;
    const CSplitterLayout m_start;
    const bool m_vertical;
    const RECT m_area;
    const bool m_ghost;
    ISplitterDragView& m_view;
    const int m_offset;
    int m_ghostPosition;
};

}  // namespace dockwins
