#pragma once
// The pane in which a pinned window slides out over the frame: a child of the
// frame's client area above the bars and the client window, with a caption
// (title, close and pin buttons) and a 5-px sizing bar along its inner edge.
// Pinned windows are its children; it shows one of them at a time.

#include <QPointer>
#include <QWidget>

#include "docking/CaptionButtons.h"
#include "docking/core/CaptionGlyphs.h"
#include "docking/core/CaptionLayout.h"
#include "docking/core/DockRequestHandler.h"

namespace dockwins {

// What the pane asks of the auto-hide manager that owns it.
class IAutoHidePaneOwner {
public:
    virtual ~IAutoHidePaneOwner() = default;
    // Code 3 at the pane: the pinned window leaves its label (unpin false:
    // released, not docked back).
    virtual bool Remove(QWidget* window, bool unpin) = 0;
    // Code 10 at the pane: the pinned window is shown slid out.
    virtual bool Show(QWidget* window, bool slide) = 0;
    // The pane's size changed.
    virtual void OnPaneResized() = 0;
    // The pane is painting its caption.
    virtual void RecordPaneCaption() = 0;
    // A press on the pane's sizing bar (client coordinates).
    virtual void StartSizing(QPoint clientPoint) = 0;
    // The caption's pin and close buttons.
    virtual void OnPaneUnpin() = 0;
    virtual void OnPaneClose() = 0;
};

class CAutoHidePane final : public QWidget, private IDockRequestHandler {
    Q_OBJECT
public:
    CAutoHidePane(IAutoHidePaneOwner& manager, QWidget* clientArea);

    // The window shown inside (null: none), the side and the caption's text.
    void SetShown(QWidget* window, int side, const QString& title);
    QWidget* Shown() const { return m_window; }
    int Side() const { return m_side; }
    QString Title() const { return m_title; }

    void RefreshMetrics();
    int CaptionThickness() const { return m_captionThickness; }
    // In pane coordinates.
    QRect SizingBar() const;
    QRect ClientRect() const;
    const CaptionLayout& Caption() const { return m_caption; }
    bool IsCaptionActive() const;
    ButtonState CloseButtonState() const { return m_buttons->Close(); }
    ButtonState PinButtonState() const { return m_buttons->Pin(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // IDockRequestHandler. Code 3: a pinned window leaves its label without
    // going back into the layout; code 10: it slides out.
    bool OnUndock(WindowHandle window) override;
    bool OnActivateTab(WindowHandle window) override;

    void LayOut();

    IAutoHidePaneOwner& m_manager;
    QPointer<QWidget> m_window;
    int m_side = 3;
    QString m_title;
    int m_captionThickness = 0;
    CaptionLayout m_caption;
    CCaptionButtons* m_buttons;  // a child
};

}  // namespace dockwins
