#pragma once
// One auto-hide strip along an edge of the frame's client area: it draws the
// labels of the windows pinned to that side and tells the manager where the
// pointer rests on them.

#include <vector>

#include <QPointer>
#include <QWidget>

#include "docking/core/AutoHideLabels.h"
#include "docking/core/Rect.h"

namespace dockwins {

// What a strip asks of the auto-hide manager that owns it.
class IAutoHideStripOwner {
public:
    using Labels = CAutoHideLabels<QPointer<QWidget>>;
    virtual ~IAutoHideStripOwner() = default;
    virtual const Labels& Model() const = 0;
    // The labels' rectangles of one side (client coordinates).
    virtual const std::vector<RECT>& LabelRects(int side) const = 0;
    virtual int SmallIconSize() const = 0;
    // The pointer moved, no button down, over a strip (client coordinates).
    virtual void HoverCheck(QPoint clientPoint) = 0;
    // The pointer left the strips.
    virtual void HoverLeave() = 0;
};

class CAutoHideStrip final : public QWidget {
    Q_OBJECT
public:
    CAutoHideStrip(IAutoHideStripOwner& manager, int side, QWidget* clientArea);
    int Side() const { return m_side; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    IAutoHideStripOwner& m_manager;
    int m_side;
};

}  // namespace dockwins
