#include "docking/core/TabColours.h"

#include <algorithm>
#include <cmath>

namespace dockwins {

namespace {

int DarkenChannel(int c, int m) {
    if (c < 43)
        return c / 2;
    return static_cast<int>(std::trunc(c - (c * 43.0 / m + 0.5)));
}

}  // namespace

TabRgb DarkenGreyText(TabRgb grey) {
    const int m = std::max({grey.red, grey.green, grey.blue});
    if (m <= 0)
        return grey;
    return {DarkenChannel(grey.red, m), DarkenChannel(grey.green, m), DarkenChannel(grey.blue, m)};
}

TabTextRole ChooseTabTextRole(bool selected, bool hot, bool highlighted) {
    if (highlighted)
        return TabTextRole::HighlightedText;
    if (hot)
        return TabTextRole::HotTrack;
    if (selected)
        return TabTextRole::Selected;
    return TabTextRole::Inactive;
}

}  // namespace dockwins
