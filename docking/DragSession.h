#pragma once
// One drag at a time, driven by events instead of a loop of its own: an
// application event filter hands the tracker every pointer move, a button
// release (drop), another button, Escape or Alt (cancel); a deactivation, a
// lost grab, a pointer move with no button held (the release went elsewhere)
// in a drag begun with a button held, or the owner's deletion ends the drag
// without cancelling it. A button release always ends the drag.

#include <functional>
#include <memory>

#include <QObject>
#include <QPointer>

#include "docking/core/DragTracker.h"

class QWidget;

namespace dockwins {

class CDragSession final : public QObject {
public:
    // Starts a drag over owner (tracker coordinates are the owner's). onEnd
    // runs once when the drag ends (not when the owner is deleted).
    static CDragSession* Start(QWidget* owner, std::unique_ptr<IDDTracker> tracker,
                               std::function<void(bool cancelled)> onEnd = {});
    // The drag in progress, if any.
    static CDragSession* Active();

    // Ends the drag as a lost capture does.
    void Abandon() { End(false); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CDragSession(QWidget* owner, std::unique_ptr<IDDTracker> tracker, std::function<void(bool)> onEnd);
    ~CDragSession() override;
    void End(bool cancelled);
    void Drop(bool cancelled);

    QPointer<QWidget> m_owner;
    std::unique_ptr<IDDTracker> m_tracker;
    std::function<void(bool)> m_onEnd;
    bool m_ended = false;
    bool m_busy = false;  // the tracker is being called
    bool m_buttonHeld = false;  // a button was down when the drag began
};

}  // namespace dockwins
