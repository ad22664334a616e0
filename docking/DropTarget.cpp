#include "docking/DropTarget.h"

#include <QWidget>

#include "docking/DockEvents.h"
#include "docking/DockRequests.h"

namespace dockwins {

namespace {

// Code 1 to the first window at or above `hit` that answers the box query,
// inside the top-level window `top`, never the dragged window or its children.
QWidget* AskFirstBox(QWidget* top, QWidget* hit, QWidget* dragged, DockRequest& request)
{
    for (QWidget* w = hit; w; w = w->parentWidget()) {
        const bool own = dragged && (w == dragged || dragged->isAncestorOf(w));
        if (!own && IsBoxWindow(w)) {
            DockRequest asked = request;
            if (!RequestAdjustDragRect(w, asked, true))
                return nullptr;
            request = asked;
            return ToWidget(asked.target);
        }
        if (w == top)
            break;
    }
    return nullptr;
}

// The frame's own floating window under the point, the most recently raised first.
QWidget* FloatingWindowAt(QWidget* frame, QWidget* dragged, const QPoint& pointer)
{
    const QObjectList& children = frame->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        auto* w = qobject_cast<QWidget*>(*it);
        if (w && w != dragged && w->isWindow() && w->isVisible() && w->geometry().contains(pointer) &&
            IsBoxWindow(w))
            return w;
    }
    return nullptr;
}

}  // namespace

QWidget* FindDropTarget(QWidget* frame, QWidget* dragged, const QPoint& pointer, DockRequest& request)
{
    if (!frame)
        return nullptr;
    request.pointer = {pointer.x(), pointer.y()};
    request.window = dragged;
    QWidget* top = FloatingWindowAt(frame, dragged, pointer);
    if (!top && frame->frameGeometry().contains(pointer))
        top = frame;
    if (top) {
        QWidget* hit = top->childAt(top->mapFromGlobal(pointer));
        if (QWidget* box = AskFirstBox(top, hit ? hit : top, dragged, request))
            return box;
    }
    DockRequest asked = request;
    if (!RequestAdjustDragRect(frame, asked, false) || !asked.target)
        return nullptr;
    request = asked;
    return ToWidget(asked.target);
}

}  // namespace dockwins
