#pragma once
// A docking window: a pane with a title band that is docked in a bar of the
// docking frame, floats as a tool window of the frame, or is hidden with the
// place it will go back to. It never changes the frame's layout itself: every
// change is a dock request to the window that holds it or to the frame.

#include <QPointer>
#include <QWidget>

#include "docking/core/DockRequest.h"

class CTabbedAutoHideDockingWindow : public QWidget {
    Q_OBJECT
public:
    // frame: the docking frame that owns the window. The window starts hidden.
    CTabbedAutoHideDockingWindow(QWidget* frame, const QString& title);
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
    // Shows the window: where it was docked, as the frame decides.
    bool Activate();
    // Visible, or pinned to a side of the frame.
    bool IsVisibleWindow() const;
    virtual void GetMinMaxInfo(dockwins::MINMAXINFO& info) const;

    QWidget* Frame() const { return m_frame; }
    QWidget* DockedTo() const { return m_dockedTo; }
    bool IsDocked() const { return m_dockedTo != nullptr; }
    // The remembered position; its target is null when nothing is remembered.
    const dockwins::DockRequest& StoredPosition() const { return m_pos; }
    bool IsHorizontal() const { return m_horizontal; }
    int CaptionThickness() const { return m_captionThickness; }
    QRect CaptionRect() const;
    QRect ClientRect() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::intptr_t OnRequest(dockwins::DockRequest& request, bool boxChannel);
    bool FillOwnPosition(dockwins::DockRequest& request);
    bool DockBack();
    void RefreshCaptionThickness();
    void ApplyFloatingMinimum(bool floating);
    void LayoutClient();

    QPointer<QWidget> m_frame;
    QPointer<QWidget> m_dockedTo;
    dockwins::RECT m_rcFloat;
    bool m_horizontal = true;
    int m_captionThickness = 0;
    dockwins::DockRequest m_pos;
    QPointer<QWidget> m_posTarget;  // m_pos.target while that window lives
    QPointer<QWidget> m_client;
    bool m_flatBorder = false;
};
