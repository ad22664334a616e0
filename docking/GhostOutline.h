#pragma once
// The outline of a window dragged by its caption: a frameless top-level that
// takes no input and paints a 3-pixel checkered frame.

#include <QWidget>

namespace dockwins {

class CGhostOutline final : public QWidget {
    Q_OBJECT
public:
    CGhostOutline();
    // Shows the outline at a screen rectangle.
    void ShowAt(const QRect& screen);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace dockwins
