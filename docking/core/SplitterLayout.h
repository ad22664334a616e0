#pragma once
// Position arithmetic of a two-pane splitter: per-pane minimums, proportional or
// right-aligned resizing, and where the bar and the two panes lie. Qt-free so
// it can be tested on its own.

#include "docking/core/Rect.h"

enum SplitterExtendedStyle : unsigned {
    SPLIT_PROPORTIONAL = 1,
    SPLIT_NONINTERACTIVE = 2,  // the user cannot move the bar
    SPLIT_RIGHTALIGNED = 4,
};

class CSplitterLayout {
public:
    // Total length of the splitter rectangle along the bar's axis.
    void SetTotal(int total) { m_total = total; }
    int Total() const { return m_total; }

    void SetBarWidth(int width) { m_barWidth = width; }
    int BarWidth() const { return m_barWidth; }
    void SetBarEdge(int edge) { m_barEdge = edge; }
    int BarEdge() const { return m_barEdge; }

    void SetExtendedStyle(unsigned style) { m_extendedStyle = style; }
    unsigned ExtendedStyle() const { return m_extendedStyle; }

    void SetFirstPaneMinimum(int minimum) { m_firstMin = minimum; }
    void SetSecondPaneMinimum(int minimum) { m_secondMin = minimum; }
    int FirstPaneMinimum() const { return m_firstMin; }
    int SecondPaneMinimum() const { return m_secondMin; }

    // -1 until a position is set.
    int Position() const { return m_position; }

    // Sets the bar position (-1: the middle) within the pane minimums and keeps
    // the stored proportion (or right-edge distance) up to date. Returns whether
    // the position changed.
    bool SetSplitterPos(int position);

    // A new total length: the position follows the stored proportion or the
    // distance from the far edge, within the pane minimums.
    void Resize(int total);

    // The length the two panes share (total less bar and edge).
    int PaneSpan() const { return m_total - m_barWidth - m_barEdge; }

    // The bar at `position` across `area`, the splitter rectangle (vertical:
    // the bar stands upright between a left and a right pane); it is the bar
    // width and edge thick.
    dockwins::RECT BarAt(const dockwins::RECT& area, bool vertical, int position) const;
    // The panes before and after the bar at `bar` within `area`.
    struct Panes {
        dockwins::RECT first;
        dockwins::RECT second;
    };
    static Panes PanesAround(const dockwins::RECT& area, bool vertical, const dockwins::RECT& bar);

private:
    int m_total = 0;
    int m_barWidth = 4;
    int m_barEdge = 0;
    unsigned m_extendedStyle = SPLIT_PROPORTIONAL;
    int m_firstMin = 0;
    int m_secondMin = 0;
    int m_position = -1;
    int m_proportionalPos = 0;
    bool m_updateProportionalPos = true;
};
