#include "docking/core/TabTracking.h"

namespace dockwins {

void CTabButtonTracker::OnMove(TabElement element) {
    m_pointer = element;
    if (m_pressed == TabElement::None)
        m_hot = element;
}

void CTabButtonTracker::OnLeave() {
    m_hot = TabElement::None;
    m_pointer = TabElement::None;
}

void CTabButtonTracker::OnPress(TabElement element) {
    m_pressed = element;
    m_pointer = element;
}

bool CTabButtonTracker::OnRelease() {
    const bool click = m_pressed == TabElement::Close && m_pointer == TabElement::Close;
    m_pressed = TabElement::None;
    return click;
}

void CTabButtonTracker::OnCaptureLost() {
    m_pressed = TabElement::None;
}

void CTabSwapRule::Begin(int position) {
    m_lastOther = -1;
    m_lastPosition = position;
}

bool CTabSwapRule::ShouldSwap(int hitIndex, int draggedIndex, int position) const {
    if (hitIndex < 0 || draggedIndex < 0 || hitIndex == draggedIndex)
        return false;
    if (hitIndex == m_lastOther) {
        const long long towards = static_cast<long long>(position - m_lastPosition) * (hitIndex - draggedIndex);
        if (towards < 1)
            return false;
    }
    return true;
}

void CTabSwapRule::Swapped(int hitIndex, int draggedIndex, int position) {
    (void)hitIndex;
    // The other tab now stands where the dragged one was.
    m_lastOther = draggedIndex;
    m_lastPosition = position;
}

void CTabDrag::Begin(int draggedIndex, int position) {
    m_active = draggedIndex >= 0;
    m_dragged = draggedIndex;
    m_rule.Begin(position);
}

CTabDrag::Step CTabDrag::OnMove(int hitIndex, int position) {
    Step step;
    if (!m_active)
        return step;
    if (hitIndex < 0) {
        m_active = false;
        step.action = Action::TearOut;
        step.first = m_dragged;
        return step;
    }
    if (!m_rule.ShouldSwap(hitIndex, m_dragged, position))
        return step;
    m_rule.Swapped(hitIndex, m_dragged, position);
    step = {Action::Swap, m_dragged, hitIndex};
    m_dragged = hitIndex;
    return step;
}

int TabItemDragTarget(std::span<const RECT> items, int current, POINT point) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int index = static_cast<int>(i);
        if (index == current || !items[i].Contains(point))
            continue;
        const int middle = items[i].left + items[i].Width() / 2;
        if (index > current && point.x >= middle)
            return index;
        if (index < current && point.x < middle)
            return index;
        return -1;
    }
    return -1;
}

void CTabItemDrag::Begin(int index) {
    *this = {};
    m_active = true;
    m_source = m_current = index;
}

int CTabItemDrag::OnMove(std::span<const RECT> items, POINT point) {
    if (!m_active)
        return -1;
    const int target = TabItemDragTarget(items, m_current, point);
    if (target >= 0)
        m_current = target;
    return target;
}

bool CTabItemDrag::Drop() {
    if (!m_active || m_resolved)
        return false;
    m_resolved = true;
    return true;
}

bool CTabItemDrag::Cancel(int& from) {
    if (!m_active || m_resolved)
        return false;
    m_resolved = true;
    from = m_current;
    m_current = m_source;
    return true;
}

int TabItemDragEdgeScroll(const RECT& tabArea, int x) {
    if (x < tabArea.left + 20)
        return -1;
    if (x >= tabArea.right - 20)
        return 1;
    return 0;
}

}  // namespace dockwins
