#pragma once
// Where a dragged docking window would go: the drop-target search that every
// caption drag runs on each pointer move, and again after a docked window
// left its place at the drop.

#include <QPoint>

#include "docking/core/DockRequest.h"

class QWidget;

namespace dockwins {

// The framework's own drop-target search at a screen point: the frame's
// floating windows, most recently raised first, then the frame; inside a
// window the widget under the point and its parents up to the first that
// answers the box query (never the dragged window). The first that accepts
// code 1 is the target; else the frame is asked. The request's outline is
// the proposed outline on the way in and the target's on the way out.
QWidget* FindDropTarget(QWidget* frame, QWidget* dragged, const QPoint& pointer, DockRequest& request);

}  // namespace dockwins
