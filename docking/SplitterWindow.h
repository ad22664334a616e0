#pragma once
// A two-pane splitter window: t_bVertical has a vertical bar (panes left and
// right), otherwise a horizontal bar (panes top and bottom). Each pane has its
// own minimum size, and the window never asks to be laid out below 600 x 450.
// The user drags the bar (live, or as a checkered outline when windows do not
// move live while dragged) unless the window is non-interactive; a double
// click centres it. With a client edge the window has a sunken border and the
// bar is wider by twice the edge.

#include "docking/core/SplitterLayout.h"
#include "docking/core/SplitterMoveTracker.h"

#include <QPointer>
#include <QWidget>

namespace dockwins {
class CGhostBar;
}

class CSplitterWindowBase : public QWidget, private dockwins::ISplitterDragView {
public:
    CSplitterWindowBase(bool vertical, QWidget* parent);

    void SetSplitterPanes(QWidget* first, QWidget* second);
    // Returns true when the position changed; with update the panes move at once.
    bool SetSplitterPos(int position = -1, bool update = true);
    int GetSplitterPos() const { return m_layout.Position(); }
    void SetSplitterExtendedStyle(unsigned style);
    unsigned GetSplitterExtendedStyle() const { return m_layout.ExtendedStyle(); }
    void SetFirstPaneMinimum(int minimum) { m_layout.SetFirstPaneMinimum(minimum); }
    void SetSecondPaneMinimum(int minimum) { m_layout.SetSecondPaneMinimum(minimum); }
    int BarWidth() const { return m_layout.BarWidth(); }
    const CSplitterLayout& Layout() const { return m_layout; }
    // The window's client edge: a sunken border, and the bar edge of twice its thickness.
    void SetClientEdge(bool clientEdge);
    bool HasClientEdge() const { return m_clientEdge; }
    // The bar (splitter window coordinates); empty until a position is set.
    QRect BarRect() const;

    QSize minimumSizeHint() const override { return {600, 450}; }
    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    // Answers the docking frame's minimum tracking size query: 600 x 450.
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool Interactive() const { return (m_layout.ExtendedStyle() & SPLIT_NONINTERACTIVE) == 0; }
    // The splitter rectangle: the window inside its client edge.
    QRect SplitterRect() const;
    int Length() const;
    bool IsOverBar(const QPoint& p) const;
    void UpdateSplitterLayout();
    // The bar drag's view.
    void ShowGhost(const dockwins::RECT& bar) override;
    void HideGhost() override;
    void Redraw() override { UpdateSplitterLayout(); }

    const bool m_vertical;
    CSplitterLayout m_layout;
    QPointer<QWidget> m_panes[2];
    bool m_clientEdge = false;
    dockwins::CGhostBar* m_ghost = nullptr;  // a child
};

template <bool t_bVertical>
class TG3_SplitterWindowT : public CSplitterWindowBase {
public:
    explicit TG3_SplitterWindowT(QWidget* parent = nullptr) : CSplitterWindowBase(t_bVertical, parent) {}
};
