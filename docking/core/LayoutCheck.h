#pragma once
// The layout invariants of one frames package, as text: exact tiling of the
// package rectangle by frames and bars, in order, no negative extent, and
// every frame at least its minimum while there is room. Empty when sound.

#include <string>
#include <vector>

#include "docking/core/FramesPackage.h"

namespace dockwins {

enum class MinimumCheck {
    None,  // tiling only
    All,   // every frame keeps its minimum while there is room
};

void CheckPackageLayout(const CWndFramesPackageBase& package, const std::string& name, MinimumCheck minimums,
                        std::vector<std::string>& problems);

}  // namespace dockwins

namespace dockwins {

// What a docking box shows, as the checker reads it.
struct TabBoxState {
    int count = 0;              // tabs
    int selected = -1;
    int tabsWithoutWindow = 0;  // drop preview tabs
    bool activeIsSelected = false;  // the active window is the selected tab's
    bool activeShown = false;
    int othersShown = 0;        // tab windows shown besides the active one
};

// Well-formed box: two or more tabs, a valid selection whose window is the
// active, shown one and the only one shown; once input has ended
// (`dragging` false) no preview tab is left.
void CheckTabBox(const TabBoxState& box, const std::string& name, bool dragging, std::vector<std::string>& problems);

}  // namespace dockwins
