#pragma once
// Colours of the tab strip that are worked out rather than read from the
// palette. The strip's background is the button face lightened by the docking
// settings' highlight rule.

namespace dockwins {

struct TabRgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const TabRgb&, const TabRgb&) = default;
};

// The inactive tabs' text: the grey text colour darkened. With m its largest
// channel (nothing changes when m is 0) each channel c of at least 43 becomes
// trunc(c - (c x 43 / m + 0.5)), each smaller one c / 2.
TabRgb DarkenGreyText(TabRgb grey);

// Which colour a tab's text is drawn in.
enum class TabTextRole {
    HighlightedText,  // highlighted tabs
    HotTrack,         // the hot tab with hot tracking
    Selected,         // the button text
    Inactive,         // DarkenGreyText of the grey text
};

TabTextRole ChooseTabTextRole(bool selected, bool hot, bool highlighted);

}  // namespace dockwins
