#pragma once
// Frames packages: a row of frames along one axis with a 5-px splitter bar in
// front of every frame but the first. Positions are doubles (the coordinate of
// each frame's bar) so that resizing scales the row without drift; every
// conversion to pixels truncates toward zero.
//
// CWndFramesPackageBase holds the arithmetic both kinds share. The two kinds:
// CSubWndFramesPackage (docking/core/SubWndFramesPackage.h), one of the
// docking frame's two packages, with a central frame (the client window or
// the nested package) that gives and takes room first; CWndFramesPackage
// (docking/core/WndFramesPackage.h), the package of one docked bar.

#include <cstddef>
#include <deque>
#include <memory>

#include "docking/core/DockRequest.h"
#include "docking/core/IFrame.h"

namespace dockwins {

inline constexpr int kSplitterSize = 5;
// How far from a frame's edge a drop point still counts as "at the edge".
inline constexpr int kDockEdgeMargin = 20;

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
    // The common insertion step: a new frame in front of index, at p with
    // size s (its bar included).
    void Insert(std::unique_ptr<IFrame> frame, std::size_t index, double p, int s);

protected:
    // Every conversion of a position to pixels truncates toward zero.
    static int Trunc(double value) { return static_cast<int>(value); }

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
    // Spreads the frames over [newStart, newEnd] with the ratio, within the
    // frames' minimums.
    void Spread(int oldStart, int newStart, int newEnd, float ratio);
    void Erase(std::size_t i) { m_frames.erase(m_frames.begin() + static_cast<std::ptrdiff_t>(i)); }
    int SumMin(std::size_t from, std::size_t to) const;  // [from, to)
    int Length() const { return m_end - m_start; }

    bool m_horizontal;
    RECT m_rect;
    int m_start = -kSplitterSize;
    int m_end = 0;
    std::deque<Frame> m_frames;
};

// Stored positions from elsewhere are made safe before use: a NaN fraction
// is 0, others are kept to [0, 1]; sizes to [minimum, length].
float ClampFraction(float fraction);
unsigned ClampExtent(unsigned value, int minimum, int length);

}  // namespace dockwins
