#pragma once
// The docking layout's invariants, checked on a live frame: exact tiling of
// every package with each widget where the arithmetic puts it, no empty bar,
// no box below two windows, a valid selection in every box with only its
// window shown, one home per docking window (a bar, a box, or its own),
// every docked window shown, floating windows reachable, and nothing of a
// drag (a preview tab among it) left once input has ended. Boxes that are
// going with the next turn of the event loop are not counted: check after it
// has run. Returns the broken invariants as text; empty when sound.

#include <string>
#include <vector>

namespace dockwins {

class CDockingFrameImpl;

std::vector<std::string> CheckDockingLayout(const CDockingFrameImpl& frame);

}  // namespace dockwins
