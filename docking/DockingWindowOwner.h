#pragma once
// What holds the docking windows: the docking frame. They float and hide as
// its tool windows and send it the frame's dock requests; it makes the
// docking boxes in which they join each other, and runs their caption drags,
// so that a docking window knows neither the box nor the drag that moves it.

#include <QPoint>

class CTabbedAutoHideDockingWindow;
class QWidget;

namespace dockwins {

class IDockingWindowOwner {
public:
    virtual ~IDockingWindowOwner() = default;
    // The frame window: the parent of floating and hidden docking windows.
    virtual QWidget* FrameWindow() = 0;
    // The area whose coordinates are the frame client coordinates.
    virtual QWidget* ClientArea() const = 0;
    // A new, empty docking box in the place of `window`: in its bar (code 8
    // to the bar), or at its floating rectangle. Null when the bar refuses.
    virtual CTabbedAutoHideDockingWindow* CreateBoxFor(CTabbedAutoHideDockingWindow& window) = 0;
    // A caption drag of `window`, grabbed at `pressAt` (screen), the pointer now at `now`.
    virtual void StartCaptionDrag(CTabbedAutoHideDockingWindow& window, const QPoint& pressAt, const QPoint& now) = 0;
};

}  // namespace dockwins
