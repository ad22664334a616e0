#pragma once
// A docking window: a pane with a title band that is docked in a bar of the
// docking frame, floats as a tool window of the frame, or is hidden with the
// place it will go back to. It never changes the frame's layout itself: every
// change is a dock request to the window that holds it or to the frame.

#include <QPointer>
#include <QWidget>

#include "docking/CaptionButtons.h"
#include "docking/core/CaptionGlyphs.h"
#include "docking/core/CaptionLayout.h"
#include "docking/core/DockRequest.h"
#include "docking/core/DockRequestHandler.h"

namespace dockwins {
class IDockingWindowOwner;
}

class CTabbedAutoHideDockingWindow : public QWidget, protected dockwins::IDockRequestHandler {
    Q_OBJECT
public:
    // owner: the docking frame that holds the window. The window starts hidden.
    CTabbedAutoHideDockingWindow(dockwins::IDockingWindowOwner* owner, const QString& title);
    ~CTabbedAutoHideDockingWindow() override;

    // The pane shown inside.
    void SetClient(QWidget* client);
    QWidget* Client() const { return m_client; }

    // Leaves the current dock, remembering where it was. False when refused.
    bool Undock();
    // Fills the request's position for this window (code 4 to its holder).
    bool GetDockingPosition(dockwins::DockRequest& request);
    // Hides the window; docked, it first remembers where it was.
    bool Hide();
    // Shows the window: where it was docked, as the frame decides; in a box
    // its tab comes to the front.
    virtual bool Activate();
    // Puts the window in front of the user whatever its state, with the focus
    // inside it: a hidden window comes back where it was, a tab behind another
    // one is selected (its box brought back when hidden), a pinned window
    // slides out, a floating window (or the floating box that holds it) is
    // raised and activated. False when it could not be shown.
    bool BringIntoView();
    // Joins this window to the docking window or box `target` as a tab at
    // `tabIndex` (past the end: appended). False, with nothing changed, when
    // the target is no docking window or box, or is hidden or pinned.
    bool DockTo(QWidget* target, int tabIndex);
    // Pinned to an auto-hide side of the frame (code 11).
    bool IsPinned() const;
    // Held by a docking box: a tab without a caption of its own.
    bool IsInBox() const { return m_inBox; }
    // Visible, or pinned to a side of the frame.
    bool IsVisibleWindow() const;
    // Shown as far as the frame is concerned (a frame in the tray leaves its
    // panes' state as it is): visible or pinned, or a tab behind another one
    // in a box that is. A window in a hidden box is hidden.
    bool IsShownOrTabbed() const;
    virtual void GetMinMaxInfo(dockwins::MINMAXINFO& info) const;

    QWidget* Frame() const { return m_frame; }
    dockwins::IDockingWindowOwner* Owner() const { return m_owner; }
    // A docking box (several windows behind tabs), not a single window.
    virtual bool IsBox() const { return false; }
    // A drag moved on from this window, dropped or was cancelled: a preview
    // of the drop (a box's preview tab) goes.
    virtual void EndDropPreview() {}
    QWidget* DockedTo() const { return m_dockedTo; }
    bool IsDocked() const { return m_dockedTo != nullptr; }
    // The remembered position; its target is null when nothing is remembered.
    const dockwins::DockRequest& StoredPosition() const { return m_pos; }
    // The window or box the remembered position names, while it lives.
    QWidget* StoredTarget() const { return m_posTarget; }
    // Takes over a remembered position (a dissolving hidden box's, for its last window).
    void RememberPosition(const dockwins::DockRequest& position, QWidget* target);
    bool IsHorizontal() const { return m_horizontal; }
    int CaptionThickness() const { return m_captionThickness; }
    // False while the holder draws the caption (pinned to a side of the frame).
    bool HasOwnCaption() const { return !m_captionless; }
    QRect CaptionRect() const;
    QRect ClientRect() const;

    // The caption's band and buttons (window coordinates).
    const dockwins::CaptionLayout& Caption() const { return m_caption; }
    // The caption's hit code at a point of the window: 0 outside the caption,
    // 20 the close button, 19 the pin button (docked only), else 2.
    int HitTest(const QPoint& p) const;
    // The focus lies strictly inside this window.
    bool IsCaptionActive() const;
    dockwins::ButtonState CloseButtonState() const { return m_buttons->Close(); }
    dockwins::ButtonState PinButtonState() const { return m_buttons->Pin(); }

    // Floats a docked window at its last floating rectangle; false when it
    // never floated or the undock is refused.
    bool Float();
    // Pins a docked window to its side of the frame; refused when not docked.
    // A box pins all its windows.
    virtual bool Pin(bool show);
    // Goes back to the remembered position.
    bool DockBack();
    // Where the window floats (screen); empty until it floated once.
    const dockwins::RECT& FloatingRect() const { return m_rcFloat; }
    // `wanted` (screen) as this window may float there: at least its minimum,
    // its caption within reach on a screen (the edges a resize moves are held
    // back; none: the whole window moves).
    dockwins::RECT WithinReach(const dockwins::RECT& wanted, unsigned movingEdges = 0) const;
    // A floating window that the screens left out of reach comes back.
    void KeepWithinReach();
    void SetFloatingRect(const dockwins::RECT& rect) { m_rcFloat = rect; }
    // The end of a caption drag: hands the window to target (code 2) or, with
    // no target, floats it at floatRect. A refused drop floats the window.
    void DropAfterDrag(QWidget* target, dockwins::DockRequest& request, const dockwins::RECT& floatRect);
    // After a refused dock of a window that left its place: it floats at its
    // floating rectangle (or its own, clamped), shown.
    void FloatAfterRefusal();
    // Floats the window at `rect` within reach, shown, remembering the place.
    void FloatAt(const dockwins::RECT& rect);
    // The caption close button's command: hides the window and gives the focus
    // back only when the close moved it.
    virtual void CloseByButton();
    // Hands the window to the target of a drop (code 2); the box moves its
    // windows instead. True when taken.
    virtual bool SendRequest2(dockwins::DockRequest& request);
    // The caption pin button's command: pins the window shown slid out; the
    // focus comes back as after a close.
    void PinByButton();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

    // IDockRequestHandler: a docking window answers codes 1, 2, 4, 5, 9, 10
    // and 14 by either channel; code 3 it refuses, as it holds nobody.
    // Over its caption a dropped window would join it in a box.
    bool OnAdjustDragRect(dockwins::DockRequest& request) override;
    // Codes 2 and 5: the request's window joins this one in the box that
    // holds it, or in a new box in its place (this window first). A drop
    // appends; a placement uses the position's tab index.
    bool OnAcceptDock(dockwins::DockRequest& request) override { return JoinInBox(request, false); }
    bool OnSetDockingPosition(dockwins::DockRequest& request) override { return JoinInBox(request, true); }
    bool OnGetDockingPosition(dockwins::DockRequest& request) override { return FillOwnPosition(request); }
    bool OnIsBoxQuery() override { return true; }
    // Passed on to the box that holds the window; 0 when not docked.
    bool OnActivateTab(dockwins::WindowHandle window) override;
    bool OnPinWindow(bool show) override { return Pin(show); }
    // Code 4 about this window itself: docked, the holder's answer; hidden,
    // the remembered position; floating, its rectangle (bit 3).
    bool FillOwnPosition(dockwins::DockRequest& request);
    // Places the pane (a box: its strip and active window) over the client rectangle.
    virtual void LayoutClient();

private:
    bool JoinInBox(dockwins::DockRequest& request, bool byPosition);
    // Sends a placement (code 5) to `to`; a refused window floats, never lost.
    bool SendOrFloat(QWidget* to, dockwins::DockRequest& request);
    void RefreshCaptionThickness();
    int BandThickness() const { return m_captionless ? 0 : m_captionThickness; }
    void LayOutCaptionBand();
    static constexpr int kResizeMargin = 4;
    Qt::Edges ResizeEdges(const QPoint& p) const;
    void TrackResize(const QPoint& global);

    void ApplyFloatingMinimum(bool floating);
    void RestoreFocusAfter(QWidget* before);

    dockwins::IDockingWindowOwner* const m_owner;  // used while the frame lives
    QPointer<QWidget> m_frame;
    QPointer<QWidget> m_dockedTo;
    dockwins::RECT m_rcFloat;
    bool m_horizontal = true;
    bool m_captionless = false;
    bool m_inBox = false;  // a tab of a box: no caption
    int m_captionThickness = 0;
    dockwins::DockRequest m_pos;
    QPointer<QWidget> m_posTarget;  // m_pos.target while that window lives
    QPointer<QWidget> m_client;
    bool m_flatBorder = false;
    dockwins::CaptionLayout m_caption;
    dockwins::CCaptionButtons* m_buttons;  // a child
    bool m_dragArmed = false;  // pressed on the caption: a drag may start
    QPoint m_pressAt;          // global
    Qt::Edges m_resizeEdges;   // our own resize of a floating window in progress
    QRect m_resizeStart;
    bool m_reachQueued = false;  // a move out of reach is to be mended
};

namespace dockwins {

// A docking window or box that may take a dropped or placed window: it answers
// the box query and is neither hidden nor pinned.
bool IsDockTarget(QWidget* window);
// Ends the drop preview of `target` when it is a docking window (a box).
void EndDropPreview(QWidget* target);

}  // namespace dockwins
