#pragma once
// The outline of a splitter bar while it is dragged with full-window drag
// off: a checkered overlay over its owner that takes no input.

#include <QWidget>

namespace dockwins {

class CGhostBar final : public QWidget {
    Q_OBJECT
public:
    explicit CGhostBar(QWidget* owner);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace dockwins
