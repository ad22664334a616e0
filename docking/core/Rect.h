#pragma once
// Rectangles and points as the docking arithmetic uses them: right and bottom
// are exclusive, so (0, 0, 200, 20) is 200 pixels wide, and every coordinate
// is a whole pixel. Widgets convert to Qt's types only when they place or
// paint something.

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
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Contains(POINT p) const { return Contains(p.x, p.y); }
    void Offset(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    // A copy moved by dx, dy.
    RECT Moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // Every side moved inwards by dx, dy (negative values grow the rectangle).
    RECT Inset(int dx, int dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
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
