#pragma once
// The docking box's tab strip: the flat tab strip with a height that follows
// its font, and the flying tab drag: a tab dragged along the strip swaps
// places with the tabs it passes and stays selected; dragged off the strip it
// is torn out, which the box answers by letting its window follow the pointer.
// Only the selected tab flies, and once it does the pointer belongs to that
// drag: kItemDrag has no effect here.

#include "docking/DotNetTabCtrl.h"
#include "docking/core/TabTracking.h"

namespace dockwins {

class CFlyingTabCtrl : public CDotNetTabCtrl {
    Q_OBJECT
public:
    CFlyingTabCtrl(QWidget* parent, ITabCtrlOwner* owner, unsigned style = kBottom | kToolTips);
    ~CFlyingTabCtrl() override;

    // The strip's height from the font's ascent (see TabStripHeight).
    int TabHeight() const { return m_tabHeight; }
    bool TabDragActive() const { return m_tabDrag.Active(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A tab was dragged off the strip while the left button is held.
    void tabDraggedOut();

protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void EndDrags() override;

private:
    class TabDragTracker;

    void UpdateTabHeight();
    int Along(const QPoint& p) const;
    void TabDragMove(const QPoint& p);
    void TabDragEnded();

    int m_tabHeight = 24;
    bool m_dragPending = false;  // a tab was pressed; the drag starts once the pointer moves far enough
    QPoint m_dragStart;
    CTabDrag m_tabDrag;
    QPointer<CDragSession> m_session;
};

}  // namespace dockwins
