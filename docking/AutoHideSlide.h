#pragma once
// The auto-hide pane sliding out from its side of the frame or back into it:
// the pane goes through the steps of the slide (docking/core/AutoHideLayout),
// one per tick, and is hidden when a slide back ends or is stopped. Nothing
// of a slide is kept once it ends. User-interface thread only.

#include <cstddef>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QRect>

#include "docking/core/Rect.h"

class QTimer;
class QWidget;

namespace dockwins {

class CAutoHideSlide final : public QObject {
    Q_OBJECT
public:
    // pane: the widget that slides (it may go first).
    CAutoHideSlide(QWidget* pane, QObject* parent);

    // A slide of the pane to (show) or from `rect`, its place slid out on
    // `side`. A slide out shows the pane at its first step at once.
    void Start(const QRect& rect, int side, bool show);
    // A running slide stops where it is; one sliding back hides the pane.
    void Stop();
    bool IsRunning() const;
    // The running slide is one back into the side.
    bool IsSlidingBack() const { return IsRunning() && !m_showing; }

private:
    void Step();
    void Place(const RECT& rect);

    QPointer<QWidget> m_pane;
    QTimer* m_timer = nullptr;
    std::vector<RECT> m_steps;
    std::size_t m_index = 0;
    bool m_showing = false;
};

}  // namespace dockwins
