#pragma once
// Geometry of the flat tab strip: natural and fitted tab widths, the tab area
// and its close and scroll buttons, scrolling, the hit test and the strip's
// height. Client coordinates of the strip; item rectangles are kept before
// scrolling and shifted by the scroll offset when drawn or hit.

#include "docking/core/Rect.h"

#include <optional>
#include <span>
#include <vector>

namespace dockwins {

// Control style bits of the tab strip.
enum TabStyle : unsigned {
    TAB_SCROLL = 0x0001,         // scroll buttons; tabs keep their natural width
    TAB_BOTTOM = 0x0002,         // tabs along the bottom edge
    TAB_CLOSE = 0x0008,          // close button at the right end
    TAB_HOTTRACK = 0x0040,
    TAB_VERTICAL = 0x0080,
    TAB_FLATEDGE = 0x0100,
    TAB_DRAGITEMS = 0x0400,
    TAB_BOLDSELECTED = 0x2000,
    TAB_TOOLTIPS = 0x4000,
};

constexpr int kTabMargin = 5;      // before the first and after the last tab
constexpr int kTabTextInset = 4;   // each side of the text
constexpr int kTabItemInset = 3;   // each end of a tab
constexpr int kTabMinWidth = 22;   // 12 + 2 x 3 + 4
constexpr int kTabButtonSize = 15;
constexpr int kTabScrollStep = 40;
constexpr int kTabMinTextRoom = 12;  // text is drawn only when more room is left

// Hit flags.
enum TabHitFlag : int {
    TAB_HIT_NOWHERE = 0,
    TAB_HIT_ITEM = 6,
    TAB_HIT_CLOSE = 16,
    TAB_HIT_SCROLL_RIGHT = 32,
    TAB_HIT_SCROLL_LEFT = 64,
};

struct TabHit {
    int index = -1;
    int flags = TAB_HIT_NOWHERE;
    friend bool operator==(const TabHit&, const TabHit&) = default;
};

// Inset + image + (2 x text inset + text, when there is text) + inset.
// `imageWidth` 0 means no image.
int TabNaturalWidth(int textWidth, bool hasText, int imageWidth);

// Vertical offset of images from the centre, from the font's (negative) pixel
// height: (-11 - lfHeight) / 2, rounded toward zero.
int TabImageOffset(int fontHeight);

// Height of the docking box's tab strip from the font's ascent:
// trunc(24 + (ascent x 24 / 11 - 24) x 0.5) in real arithmetic, kept within a
// byte; 24 without a font.
int TabStripHeight(std::optional<int> ascent);

// Repeat interval of the scroll buttons in ms for repeat speed 1, 2, 3;
// 0 (no repeat) for speed 0.
int TabScrollRepeatMs(int speed);

// The strip's tab area and buttons for a client rectangle.
struct TabStripRects {
    RECT tabArea;
    bool hasClose = false;
    RECT close;
    bool hasScroll = false;
    RECT scrollRight;
    RECT scrollLeft;
};

TabStripRects LayOutTabStrip(const RECT& client, unsigned style, bool selectedCanClose);

// Fit layout: when the tabs with their margins do not fit `areaWidth` and there
// is a selection, the selected tab keeps its natural width and the others
// shrink in proportion; when one would come out below 22 they share the room
// equally; when even 22 each does not fit every tab gets an equal share.
// Widths are never negative.
std::vector<int> FitTabWidths(std::span<const int> natural, int selected, int areaWidth);

// Places tabs of the given widths side by side from x = 5, each spanning
// `top` to `bottom`.
std::vector<RECT> PlaceTabs(std::span<const int> widths, int top, int bottom);

// Scroll state of a strip with scroll buttons: the offset (0 or negative) and
// whether tabs are hidden to the left and to the right.
struct TabScroll {
    int offset = 0;
    bool hiddenLeft = false;
    bool hiddenRight = false;
    friend bool operator==(const TabScroll&, const TabScroll&) = default;
};

// Brings `offset` back into range: no empty space right of the last tab
// (`lastRight`, before scrolling; 0 without tabs) and never a first tab right
// of its home position.
TabScroll NormaliseTabScroll(int lastRight, int areaRight, int offset);

// One scroll step: towards the last tab (the right scroll button; the tabs
// move left by kTabScrollStep) or towards the first; 0 when no tab is hidden
// that way.
int TabScrollStep(const TabScroll& scroll, bool towardsLast);

// The offset that brings `item` (before scrolling) into the tab area: a tab
// starting left of the area moves right by the difference plus 20, one ending
// right of it moves left by the difference plus 20. With `partialAllowed` a
// partly visible tab stays. Normalise afterwards.
int TabScrollToShow(const RECT& item, const RECT& tabArea, int offset, bool partialAllowed);

// Items first (inside the tab area, shifted by the offset), then the close,
// scroll-right and scroll-left buttons.
TabHit HitTestTabs(const TabStripRects& strip, std::span<const RECT> items, int offset, POINT point);

// Inside one tab (as drawn): the item inset off both ends; the image, when
// narrower than what is left, at the start and `imageOffset` below centre;
// then the text inside the text inset, drawn only when more than 12 px remain.
struct TabItemContent {
    bool showImage = false;
    RECT image;
    bool showText = false;
    RECT text;
};
TabItemContent LayOutTabItem(const RECT& item, int imageWidth, int imageHeight, int imageOffset, bool hasText);

// The whole layout of a strip, as the control recomputes it after a size,
// selection or item change.
struct TabLayoutInput {
    RECT client;
    unsigned style = 0;
    std::vector<int> naturalWidths;
    int selected = -1;
    bool selectedCanClose = true;
    int scrollOffset = 0;
};

struct TabLayoutResult {
    TabStripRects strip;
    std::vector<RECT> items;  // before scrolling
    TabScroll scroll;             // offset 0 and no flags without scroll buttons
};

TabLayoutResult ComputeTabLayout(const TabLayoutInput& input);

}  // namespace dockwins
