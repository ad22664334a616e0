#pragma once
// A two-pane splitter window: t_bVertical has a vertical bar (panes left and
// right), otherwise a horizontal bar (panes top and bottom). Each pane has its
// own minimum size, and the window never asks to be laid out below 600 x 450.

#include "docking/SplitterLayout.h"

#include <QPointer>
#include <QWidget>

class CSplitterWindowBase : public QWidget {
public:
    CSplitterWindowBase(bool vertical, QWidget* parent);

    void SetSplitterPanes(QWidget* first, QWidget* second);
    // Returns true when the position changed; with update the panes move at once.
    bool SetSplitterPos(int position = -1, bool update = true);
    int GetSplitterPos() const { return m_layout.Position(); }
    void SetSplitterExtendedStyle(unsigned style) { m_layout.SetExtendedStyle(style); }
    unsigned GetSplitterExtendedStyle() const { return m_layout.ExtendedStyle(); }
    void SetFirstPaneMinimum(int minimum) { m_layout.SetFirstPaneMinimum(minimum); }
    void SetSecondPaneMinimum(int minimum) { m_layout.SetSecondPaneMinimum(minimum); }
    int BarWidth() const { return m_layout.BarWidth(); }
    const CSplitterLayout& Layout() const { return m_layout; }

    QSize minimumSizeHint() const override { return {600, 450}; }
    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    // Answers the docking frame's minimum tracking size query: 600 x 450.
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int AlongBar(const QPoint& p) const { return m_vertical ? p.x() : p.y(); }
    QRect BarRect() const;
    bool IsOverBar(const QPoint& p) const;
    void UpdateSplitterLayout();

    const bool m_vertical;
    CSplitterLayout m_layout;
    QPointer<QWidget> m_panes[2];
    int m_dragOffset = -1;  // -1 while no drag runs
};

template <bool t_bVertical>
class TG3_SplitterWindowT : public CSplitterWindowBase {
public:
    explicit TG3_SplitterWindowT(QWidget* parent = nullptr) : CSplitterWindowBase(t_bVertical, parent) {}
};
