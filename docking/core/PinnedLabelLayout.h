#pragma once
// Arithmetic of the labels on an auto-hide strip: desired widths, how the
// strip's length is shared out, where each label and entry is drawn, and
// which label and entry a point hits.

#include "docking/core/Rect.h"

#include <span>
#include <vector>

namespace dockwins {

constexpr int kPinnedLabelGap = 5;

// The length the labels of one strip get: each label wants its desired width
// plus the 5-px gap. When the needs exceed `stripLength` - 1, the length is
// shared: needs below the share give their surplus to the others, and every
// label wider than the share less 5 (never below 0) is cut to it.
std::vector<int> DistributeLabelWidths(std::span<const int> desired, int stripLength);

// Desired width of a one-window label: text + 6, plus icon + 3 with an icon.
int SingleLabelDesiredWidth(int textExtent, bool hasIcon, int smallIcon);
// Desired width of a label of `count` windows: the reference text + 6 + icon
// + 3 for the active entry, plus icon + 6 for each other entry.
int MultiLabelDesiredWidth(int referenceTextExtent, int count, int smallIcon);
// Width of an inactive entry of a multi-window label: icon + 6.
int MultiLabelInactiveWidth(int smallIcon);
// The inactive width after the label was given `width`: width / count when
// the entries would not fit, else unchanged.
int MultiLabelInactiveWidthFor(int width, int count, int inactiveWidth);

// The entry of a label of `count` entries at `offset` along it. Entries before
// the active one take `inactiveWidth` each from the start, those after it
// from the end, the active one the rest. Always within 0 .. count - 1.
int MultiLabelEntryFromPoint(int offset, int count, int inactiveWidth, int active, int width);

// Where the labels of a strip are drawn: the strip less 2 px on its inner side
// and 3 px at each end, labels in order with 5-px gaps. None when that length
// is not larger than 5 x (count - 1).
std::vector<RECT> PinnedLabelRects(const RECT& strip, int side, std::span<const int> widths);

// The label a point lies on (-1: none, also in a gap), and the offset along it.
struct PinnedLabelHit {
    int label = -1;
    int offset = 0;
};
PinnedLabelHit PinnedLabelAt(std::span<const RECT> labels, int side, POINT point);

// Entry rectangles of a label: inactive entries before and after the active one,
// the active entry over width - (count - 1) x inactive width.
std::vector<RECT> MultiLabelEntryRects(const RECT& label, int side, int count, int active, int inactiveWidth);

// What a label entry shows inside its rectangle (inset by 3): the icon at the
// start when the entry is longer than icon + 6, then the text 3 px after it.
// An inactive entry of a multi label shows only its icon when it fits with
// 6 px to spare both ways, else only its text.
struct PinnedEntryContent {
    bool showIcon = false;
    RECT icon;
    bool showText = false;
    RECT text;
};
PinnedEntryContent PinnedEntryLayout(const RECT& entry, int side, bool hasIcon, int smallIcon, bool fullEntry);

// The line drawn in the button face over a label's outer edge (towards the
// frame's border) without its end pixels; the end point is not drawn.
struct PinnedLabelEdge {
    POINT from;
    POINT to;
};
PinnedLabelEdge PinnedLabelOpenEdge(const RECT& label, int side);

}  // namespace dockwins
