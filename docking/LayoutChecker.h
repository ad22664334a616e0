#pragma once
// The docking layout's invariants, checked on a live frame: exact tiling of
// every package with each widget where the arithmetic puts it, no empty bar,
// no box below two windows, a valid selection in every box with only its
// window shown, one home per docking window (a bar, a box, or its own),
// every docked window shown, floating windows at their minimum with their
// caption within reach and stacked above the frame (windows of the frame's,
// none shown before its window and not shown again since), and nothing of a
// drag (a preview tab among it) left once input has ended. Boxes that are
// going with the next turn of the event loop are not counted: check after it
// has run. Returns the broken invariants as text; empty when sound.

#include <string>
#include <vector>

class CTabbedAutoHideDockingWindow;

namespace dockwins {

class CDockingFrameImpl;

std::vector<std::string> CheckDockingLayout(const CDockingFrameImpl& frame);

// After a window's View command (its BringIntoView): what keeps it from the
// user's view. Shown in front with the focus inside: a tab selected in its
// box, a pinned window slid out, a floating window (or its floating box)
// active, stacked above the frame, its caption within reach. Empty when sound.
std::vector<std::string> CheckInView(const CDockingFrameImpl& frame, const CTabbedAutoHideDockingWindow& window);

}  // namespace dockwins
