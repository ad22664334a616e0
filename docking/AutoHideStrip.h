#pragma once
// One auto-hide strip along an edge of the frame's client area: it draws the
// labels of the windows pinned to that side and tells the manager where the
// pointer rests on them.

#include <QWidget>

namespace dockwins {

class CAutoHideManager;

class CAutoHideStrip final : public QWidget {
    Q_OBJECT
public:
    CAutoHideStrip(CAutoHideManager& manager, int side, QWidget* clientArea);
    int Side() const { return m_side; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    CAutoHideManager& m_manager;
    int m_side;
};

}  // namespace dockwins
