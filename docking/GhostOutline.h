#pragma once
// The outline of a window dragged by its caption: a 3-pixel checkered ring
// that takes no input and leaves what lies under it in view on every desktop.
// Where the window system shapes windows (X), a frameless top-level shaped to
// the ring follows the outline, so a desktop without compositing shows no
// filled rectangle; elsewhere the ring is drawn into an overlay over the
// given frame (clipped to it), or, without a frame, into a translucent
// top-level.

#include <QWidget>

namespace dockwins {

class CGhostOutline final : public QWidget {
    Q_OBJECT
    enum class Mode { Shaped, Overlay, Translucent };

public:
    // frame: the window whose overlay takes the ring where no shaping is offered.
    explicit CGhostOutline(QWidget* frame = nullptr);
    // Shows the outline at a screen rectangle.
    void ShowAt(const QRect& screen);
    // Whether this desktop shapes top-level windows.
    static bool ShapingOffered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CGhostOutline(QWidget* frame, Mode mode);
    QRect RingRect() const;  // the ring's rectangle in this widget

    Mode m_mode;
    QRect m_outline;
};

}  // namespace dockwins
