#pragma once
// Frames packages: a row of frames along one axis with a 5-px splitter bar in
// front of every frame but the first. Positions are doubles (the coordinate of
// each frame's bar) so that resizing scales the row without drift: a resize
// and back puts every frame at the pixel it had while no minimum was reached;
// every conversion to pixels truncates toward zero.
//
// CWndFramesPackageBase holds the arithmetic both kinds share.
// CSubWndFramesPackage is one of the docking frame's two packages: it has a
// central frame (the client window or the nested package) that gives and takes
// room first. CWndFramesPackage is the package of one docked bar.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "docking/core/DockRequest.h"
#include "docking/core/IFrame.h"

namespace dockwins {

inline constexpr int kSplitterSize = 5;
// How far from a frame's edge a drop point still counts as "at the edge".
inline constexpr int kDockEdgeMargin = 20;

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

class CWndFramesPackageBase {
public:
    explicit CWndFramesPackageBase(bool horizontal) : m_horizontal(horizontal) {}
    virtual ~CWndFramesPackageBase() = default;
    CWndFramesPackageBase(const CWndFramesPackageBase&) = delete;
    CWndFramesPackageBase& operator=(const CWndFramesPackageBase&) = delete;

    // True when the frames stand side by side along x (vertical bars).
    bool IsHorizontal() const { return m_horizontal; }
    const RECT& Rect() const { return m_rect; }
    int Start() const { return m_start; }
    int End() const { return m_end; }

    std::size_t Count() const { return m_frames.size(); }
    double Position(std::size_t i) const { return m_frames[i].position; }
    IFrame& FrameAt(std::size_t i) const { return *m_frames[i].frame; }
    int MinDist(std::size_t i) const { return m_frames[i].frame->GetMinFrameDist(); }
    // Sum over the frames of (minimum distance + bar).
    int MinTotal() const;
    // The package's minimum tracking size: along the axis the frames'
    // minimums with their bars, across it the largest cross-axis minimum.
    // An empty package leaves the info as it is.
    void GetMinMaxInfo(MINMAXINFO& info) const;

    // Where Arrange puts frame i, and the bar in front of it.
    RECT FrameRect(std::size_t i) const;
    RECT BarRect(std::size_t i) const;
    // The next frame's position (truncated), or the package end.
    int FrameEnd(std::size_t i) const;
    // Frame i's extent with its bar, in whole pixels.
    int Extent(std::size_t i) const { return FrameEnd(i) - static_cast<int>(m_frames[i].position); }
    // The frame whose span contains c: the last one whose position is below
    // c + 1; -1 when there is none (an empty package).
    int FindFrame(int c) const;
    // The frame of a window; -1 for null or a window the package does not hold.
    int IndexOf(WindowHandle window) const;
    // The frame whose (visible) splitter bar holds the point, -1 when none.
    int SplitterAt(POINT p) const;
    // True when a frame of minAlong more still leaves every frame its minimum.
    bool HasRoomFor(int minAlong) const;

    // A new rectangle: rescale the frames and lay them out. Returns the
    // layout pass's result (true when nothing changed).
    bool SetRect(const RECT& rect);
    // One layout pass: every frame placed; stops at the first failure.
    bool Arrange();

    // Bounds of a dragged bar: every frame keeps its minimum.
    void BarBounds(std::size_t i, double& low, double& high) const;
    // Moves frame i's bar to p, pushing neighbours that reach their minimum.
    void MoveBar(std::size_t i, double p);
    // Where the frames are, to be put back as they were (a cancelled drag).
    struct Place {
        const IFrame* frame = nullptr;
        double position = 0.0;
        int squeezedFrom = 0;
    };
    std::vector<Place> Places() const;
    // False, changing nothing, when the package holds other frames now.
    bool PutBack(const std::vector<Place>& places);
    // The common insertion step: a new frame in front of index, at p with
    // size s (its bar included).
    void Insert(std::unique_ptr<IFrame> frame, std::size_t index, double p, int s);

protected:
    struct Frame {
        double position = 0.0;
        std::unique_ptr<IFrame> frame;
        // The extent (bar included) a shrink of the frame's package took this
        // bar down from, which it gets back first when the package grows; 0
        // when it was not squeezed, or was laid out anew since.
        int squeezedFrom = 0;
    };
    virtual void Rescale(int newStart, int newEnd);
    // Frames are laid out anew: no squeezed bar has anything to get back.
    void ForgetSqueezes();
    // Spreads the frames of a row `oldLength` long over [newStart, newEnd] in
    // proportion, within the frames' minimums.
    void Spread(int oldStart, int newStart, int newEnd, int oldLength);
    void Erase(std::size_t i) { m_frames.erase(m_frames.begin() + static_cast<std::ptrdiff_t>(i)); }
    int SumMin(std::size_t from, std::size_t to) const;  // [from, to)
    int Length() const { return m_end - m_start; }

    bool m_horizontal;
    RECT m_rect;
    int m_start = -kSplitterSize;
    int m_end = 0;
    std::deque<Frame> m_frames;
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
    // Code 2: a new bar at the outline, at least as thick as the window's
    // minimum, then the window into it.
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

// The package of one docked bar: docking windows across the bar.
class CWndFramesPackage : public CWndFramesPackageBase {
public:
    using CWndFramesPackageBase::CWndFramesPackageBase;

    // Code 1 in a bar: the room test against the package rectangle; the
    // outline is stretched across the bar and stays where it is along it.
    bool IsDockable(DockRequest& request, const MINMAXINFO& windowMin) const;
    // Code 2: in front of the frame under the outline's leading edge, or after
    // it when that edge lies beyond the frame's first third; the window at
    // least at its minimum.
    bool InsertAtOutline(std::unique_ptr<IFrame> frame, const RECT& outline);
    // Code 5: at the stored fraction (to the nearest pixel, so that what
    // code 4 reports comes back exactly). A stored extent (`storedExtent`)
    // comes back whole with the frame's bar added, at least the window's
    // minimum with the bar; otherwise (a first dock) the height is the size
    // with the bar, at least the window's minimum. At most the package length.
    bool InsertAtFraction(std::unique_ptr<IFrame> frame, float fraction, unsigned height, int minAlong,
                          bool storedExtent);
    bool Remove(WindowHandle window);
    // Code 4: fraction (of the window's bar's pixel) and height of the
    // request's window; bit 2 when alone.
    bool GetDockingPosition(DockRequest& request) const;
    // Code 8: another frame in the same place (its position as a whole pixel).
    bool Replace(WindowHandle window, std::unique_ptr<IFrame> frame);
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

// Stored positions from elsewhere are made safe before use: a NaN fraction
// is 0, others are kept to [0, 1]; sizes to [minimum, length].
float ClampFraction(float fraction);
unsigned ClampExtent(unsigned value, int minimum, int length);

}  // namespace dockwins
