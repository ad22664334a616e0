#pragma once
// The docking frame's client area: the middle of the main window between its
// menu, tool and status bars. Its coordinates are the frame client
// coordinates of the dock requests. It paints the frame packages' splitter
// bars and passes resizes, clicks and pointer moves to its owner.

#include <optional>

#include <QWidget>

namespace dockwins {

class IClientAreaOwner {
public:
    virtual ~IClientAreaOwner() = default;
    virtual void OnClientAreaResized() = 0;
    virtual void PaintSplitters(QPainter& painter) = 0;
    // A left click; true when it started a splitter drag.
    virtual bool OnClientAreaPress(const QPoint& p) = 0;
    virtual std::optional<Qt::CursorShape> SplitterCursor(const QPoint& p) const = 0;
};

class CDockingClientArea final : public QWidget {
public:
    CDockingClientArea(IClientAreaOwner& owner, QWidget* parent);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    IClientAreaOwner& m_owner;
};

}  // namespace dockwins
