#pragma once
// The layout invariants of one frames package, as text: exact tiling of the
// package rectangle by frames and bars, in order, no negative extent, and the
// minimums while there is room. Empty when sound.

#include <string>
#include <vector>

#include "docking/core/FramesPackage.h"

namespace dockwins {

enum class MinimumCheck {
    None,     // tiling only
    Central,  // the central frame keeps its minimum while there is room
    All,      // every frame does
};

void CheckPackageLayout(const CWndFramesPackageBase& package, const std::string& name, MinimumCheck minimums,
                        int centralIndex, std::vector<std::string>& problems);

}  // namespace dockwins
