#pragma once
// How the panes show a stored number text.

#include <string>

// The text as a pane shows it: grouped when digit grouping is on in all windows
// (grouping 0) and the text can be grouped; otherwise exactly as stored, so a
// text that cannot be grouped is never shown as an empty line.
std::string PaneDisplayText(const std::string& stored, int digitGrouping);
