#pragma once
// A docking box's drop preview: while a dragged window is over the box, a
// tab stands for it where it would be dropped (its own tab, when it was torn
// out of this box and is back over the strip), selected, and moves along the
// strip with the pointer by the swap rule the tab drag uses. When the drag
// moves on, drops or is cancelled the preview tab goes and the tab selected
// before comes back. The box asks whether a drop may come at all; the preview
// only moves tabs.

#include <functional>

#include <QIcon>
#include <QPointer>
#include <QString>

#include "docking/core/TabTracking.h"

class QPoint;
class QWidget;

namespace dockwins {

class CDotNetTabCtrl;

class CTabDropPreview {
public:
    // strip: the box's tab strip; showSelected: the box shows the window of
    // the strip's selected tab (the selection may have been refused).
    CTabDropPreview(CDotNetTabCtrl& strip, std::function<void()> showSelected);

    bool Active() const { return m_previewing; }
    QWidget* Window() const { return m_window; }
    // A preview for `dragged` begins, the pointer at `p` (strip coordinates):
    // its own tab (ownIndex, -1 for none) is selected, else a tab with the
    // title and icon is inserted under the pointer. False when no tab could
    // be inserted.
    bool Begin(QWidget* dragged, int ownIndex, const QString& title, const QIcon& icon, const QPoint& p);
    // The pointer moved to `p`: the preview tab passes the tabs it crosses.
    // Returns the tab index a drop takes.
    int Move(const QPoint& p);
    void End();

private:
    int Along(const QPoint& p) const;

    QPointer<CDotNetTabCtrl> m_strip;
    std::function<void()> m_showSelected;
    bool m_previewing = false;
    bool m_ownTab = false;  // the dragged window's own tab
    int m_index = -1;       // the preview tab
    int m_selectedBefore = -1;
    QPointer<QWidget> m_window;
    CTabSwapRule m_swap;
};

}  // namespace dockwins
