#include "docking/core/SplitterLayout.h"

namespace {
// Windows' MulDiv: a * b / c rounded to nearest, halves away from zero.
int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long half = (c > 0 ? c : -c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (product < 0 ? -product : product) + half;
    const long long quotient = magnitude / (c > 0 ? c : -c);
    return static_cast<int>(negative ? -quotient : quotient);
}
}  // namespace

bool CSplitterLayout::SetSplitterPos(int position) {
    if (position == -1)
        position = (m_total - m_barWidth - m_barEdge) / 2;

    if (position < m_firstMin + m_barEdge)
        position = m_firstMin;
    else if (position > m_total - m_secondMin - m_barWidth - m_barEdge)
        position = m_total - m_secondMin - m_barWidth - m_barEdge;

    const bool changed = m_position != position;
    m_position = position;

    if (m_updateProportionalPos) {
        const int span = PaneSpan();
        if (m_extendedStyle & SPLIT_PROPORTIONAL)
            m_proportionalPos = span > 0 ? MulDiv(position, 10000, span) : 0;
        else if (m_extendedStyle & SPLIT_RIGHTALIGNED)
            m_proportionalPos = span > 0 ? span - position : 0;
    } else {
        // The position came from a resize: the stored proportion stays.
        m_updateProportionalPos = true;
    }
    return changed;
}

void CSplitterLayout::Resize(int total) {
    m_total = total;
    if (m_position == -1) {
        SetSplitterPos(-1);
        return;
    }
    const int span = PaneSpan();
    int position = m_position;
    if (m_extendedStyle & SPLIT_PROPORTIONAL)
        position = MulDiv(m_proportionalPos, span, 10000);
    else if (m_extendedStyle & SPLIT_RIGHTALIGNED)
        position = span - m_proportionalPos;
    m_updateProportionalPos = false;
    SetSplitterPos(position);
}

dockwins::RECT CSplitterLayout::BarAt(const dockwins::RECT& area, bool vertical, int position) const {
    const int lead = dockwins::Leading(area, vertical) + position;
    const int thickness = m_barWidth + m_barEdge;
    if (vertical)
        return {lead, area.top, lead + thickness, area.bottom};
    return {area.left, lead, area.right, lead + thickness};
}

CSplitterLayout::Panes CSplitterLayout::PanesAround(const dockwins::RECT& area, bool vertical,
                                                    const dockwins::RECT& bar) {
    if (vertical)
        return {{area.left, area.top, bar.left, area.bottom}, {bar.right, area.top, area.right, area.bottom}};
    return {{area.left, area.top, area.right, bar.top}, {area.left, bar.bottom, area.right, area.bottom}};
}
