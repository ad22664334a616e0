#pragma once
// A rectangle in window-system convention: right and bottom are exclusive, so
// (0, 0, 200, 20) is 200 pixels wide. Used by the caption, tab strip and
// auto-hide arithmetic; widgets convert to their own type only when they place
// or paint something.

namespace dockwins {

struct PartPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PartPoint&, const PartPoint&) = default;
};

struct PartRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Contains(PartPoint p) const { return Contains(p.x, p.y); }
    // Every side moved inwards by dx, dy (negative values grow the rectangle).
    PartRect Inset(int dx, int dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
    PartRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }

    friend bool operator==(const PartRect&, const PartRect&) = default;
};

}  // namespace dockwins
