#pragma once
// The docking layout's invariants, checked on a live frame: exact tiling of
// every package with each widget where the arithmetic puts it, no empty bar,
// one home per docking window, every docked window shown, floating windows
// reachable, and nothing of a drag left once input has ended. Returns the
// broken invariants as text; empty when the layout is sound.

#include <string>
#include <vector>

namespace dockwins {

class CDockingFrameImpl;

std::vector<std::string> CheckDockingLayout(const CDockingFrameImpl& frame);

}  // namespace dockwins
