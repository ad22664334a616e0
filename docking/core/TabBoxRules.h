#pragma once
// Rules of the tab docking box that need no window: where its strip and active
// window go, where a dropped window's tab is inserted and previewed, which tab
// follows a close, what its docking position names, and what a close does.

#include "docking/core/Rect.h"

namespace dockwins {

// The tab strip takes a band of `tabHeight` along one edge of the client
// rectangle: the bottom with TAB_BOTTOM, else the top; with TAB_VERTICAL the
// left edge, or the right one with TAB_BOTTOM. The active window gets the rest.
struct TabBoxRects {
    RECT strip;
    RECT window;
};
TabBoxRects LayOutTabBox(const RECT& client, unsigned stripStyle, int tabHeight);

// A tab index from a request: outside 0 .. count it means the end.
int TabBoxInsertIndex(int requested, int count);

// The outline of a drop on a box (codes 1 and 2) carries the tab index in all
// four of its words; -1, the end, for a drop on a docking window's caption.
inline RECT TabBoxDropOutline(int index) { return {index, index, index, index}; }

// Where the drop preview tab goes: the tab under the pointer; with none, the
// end when the pointer lies beyond the last tab's far edge, else 0.
int TabBoxPreviewIndex(int hitIndex, int count, int pointerAlong, int lastTabFarEdge);

// The tab selected after the active one closed: the next, or the previous when
// it was the last; -1 when nothing is left to select.
int TabBoxNextAfterClose(int active, int count);

// The docking position a box gives for one of its windows: its tab index; the
// target is the other window when the box holds exactly two (so the position
// outlives the box's dissolving), else the box; bit 4 only for the active one.
struct TabBoxPosition {
    int tabIndex = 0;
    bool targetIsOtherWindow = false;
    int otherIndex = -1;
    bool active = false;
};
TabBoxPosition TabBoxPositionOf(int index, int activeIndex, int count);

// What a close of the box does.
enum class TabBoxClose {
    Nothing,         // a dissolve with two or more windows left
    CloseActive,     // the user's close: hide the active window, select the next tab
    HideBox,         // two or more windows but none active
    DissolveIntoLast,  // one window left: it takes the box's place, the box goes
    Destroy,         // empty: the box goes
};
// `dissolve`: the close the box posts itself after a removal; otherwise the
// user's close (a one-window box then dissolves too).
TabBoxClose ChooseTabBoxClose(bool dissolve, int count, bool hasActive);

}  // namespace dockwins
