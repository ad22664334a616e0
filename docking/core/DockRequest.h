#pragma once
// The request record that docking windows, bars and the frame exchange, its
// codes and flags, and the stored docking position of a window.

#include <cstdint>

#include "docking/core/Rect.h"

namespace dockwins {

// A window as the docking code knows it: an opaque identity (the widget in
// the window layer, a fake in tests). Null is never a window.
using WindowHandle = void*;

enum DockRequestCode : int {
    kAdjustDragRect = 1,
    kAcceptDock = 2,
    kUndock = 3,
    kGetDockingPosition = 4,
    kSetDockingPosition = 5,
    kClampRectSize = 7,
    kJoinBox = 8,
    kIsBoxQuery = 9,
    kActivateTab = 10,
    kIsPinned = 11,
    kPinToSide = 12,
    kGetMinFrameDistance = 13,
    kPinWindow = 14,
};

// Side flags of a DockPosition.
enum DockSideFlags : unsigned {
    kSideInner = 1,       // the inner package (bars left or right), else the outer one
    kSideBefore = 2,      // the bar lies before the central frame (left or above)
    kSideNewBar = 4,      // a new bar at the index instead of joining the bar found there
    kSideFloating = 8,    // the window floats; floatRect holds its rectangle
    kSideBoxActive = 16,  // the active window of a docking box
};

// Placement flags of codes 1 and 2.
enum DockPlacementFlags : std::uint32_t {
    kPlacedAfterCentral = 1u,        // the outline lies after the central frame
    kPlacedInInner = 0x80000000u,    // the inner package accepted the outline
};

struct DockPosition {
    unsigned sideFlags = 0;
    int barIndex = 0;
    float fraction = 0.0f;  // place of the window within its bar
    unsigned width = 0;     // the bar's thickness across its package
    unsigned height = 0;    // the window's extent along its bar
    int tabIndex = 0;
    RECT floatRect;         // with kSideFloating: where the window floats
};

struct DockRequest {
    WindowHandle window = nullptr;  // the docking window concerned
    WindowHandle target = nullptr;  // where the request goes or the window is docked to
    int code = 0;
    RECT outline;                   // codes 1, 2: the dragged outline
    POINT pointer;                  // codes 1, 2: the pointer (screen); windows test it, packages the outline
    std::uint32_t placementFlags = 0;
    DockPosition position;          // codes 4, 5
    // Code 5: the height is the size a first dock states, the window's
    // splitter bar included (the frame's DockWindow). Any other placement
    // carries an extent the window had, which it gets back whole where its
    // bar has the room.
    bool heightIncludesBar = false;
    RECT rect;                      // code 7: the rectangle to clamp
    WindowHandle joining = nullptr; // code 8: the window that takes the place of `window`
    // Code 12 (side flags and width in `position`); code 14 reads `pinShow`.
    std::uint32_t pinShow = 0;            // bit 0: show the pinned window slid out at once
    int windowCount = 0;                  // 0 or 1: `window` alone; else the windows of a box
    const WindowHandle* windows = nullptr; // read when windowCount >= 2; `window` is the active one
    // With `windows`, when not null: each window's own slide-out width (a
    // restored label keeps every pane's); otherwise all take `position.width`.
    const unsigned* widths = nullptr;
};

}  // namespace dockwins
