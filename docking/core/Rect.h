#pragma once
// Rectangles and points as the docking arithmetic uses them: right and bottom
// are exclusive, and every coordinate is a whole pixel. Widgets convert to
// QRect only when they set a geometry.

namespace dockwins {

struct POINT {
    int x = 0;
    int y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void Offset(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    friend bool operator==(const RECT&, const RECT&) = default;
};

// The smallest size a window may be laid out at (its minimum tracking size).
struct MINMAXINFO {
    POINT ptMinTrackSize;
};

// Coordinate along and across an axis: horizontal means along x.
inline int Along(POINT p, bool horizontal) { return horizontal ? p.x : p.y; }
inline int Along(const MINMAXINFO& info, bool horizontal)
{
    return horizontal ? info.ptMinTrackSize.x : info.ptMinTrackSize.y;
}
inline int Across(const MINMAXINFO& info, bool horizontal)
{
    return horizontal ? info.ptMinTrackSize.y : info.ptMinTrackSize.x;
}
inline int Leading(const RECT& r, bool horizontal) { return horizontal ? r.left : r.top; }
inline int Trailing(const RECT& r, bool horizontal) { return horizontal ? r.right : r.bottom; }

}  // namespace dockwins
