#include "docking/TabDropPreview.h"

#include "docking/DotNetTabCtrl.h"
#include "docking/core/TabBoxRules.h"

namespace dockwins {

CTabDropPreview::CTabDropPreview(CDotNetTabCtrl& strip, std::function<void()> showSelected)
    : m_strip(&strip), m_showSelected(std::move(showSelected))
{
}

int CTabDropPreview::Along(const QPoint& p) const
{
    const bool vertical = m_strip->Style() & CDotNetTabCtrl::kVertical;
    return vertical ? p.y() : p.x();
}

bool CTabDropPreview::Begin(QWidget* dragged, int ownIndex, const QString& title, const QIcon& icon, const QPoint& p)
{
    const int along = Along(p);
    if (ownIndex >= 0) {
        // Its own tab, torn out and back over the strip, moves itself.
        m_ownTab = true;
        m_index = ownIndex;
        m_selectedBefore = ownIndex;
        m_strip->SetCurSel(ownIndex, true);
    } else {
        const bool vertical = m_strip->Style() & CDotNetTabCtrl::kVertical;
        const int count = m_strip->GetItemCount();
        const QRect last = count > 0 ? m_strip->GetItemRect(count - 1) : QRect();
        const int lastFar = vertical ? last.top() + last.height() : last.left() + last.width();
        const int index = TabBoxPreviewIndex(m_strip->HitTest(p), count, along, lastFar);
        m_ownTab = false;
        m_selectedBefore = m_strip->GetCurSel();
        m_index = m_strip->InsertItem(index, title, icon, nullptr, true);
        if (m_index < 0)
            return false;
        // The shown window follows the selection even if it was refused.
        m_showSelected();
    }
    m_previewing = true;
    m_window = dragged;
    m_swap.Begin(along);
    return true;
}

int CTabDropPreview::Move(const QPoint& p)
{
    const int along = Along(p);
    const int hit = m_strip->HitTest(p);
    if (hit >= 0 && hit != m_index && m_swap.ShouldSwap(hit, m_index, along)) {
        // Moved rather than swapped, so that a pointer passing several tabs at
        // once leaves the other tabs in their order.
        m_strip->MoveItem(m_index, hit, true, false);
        m_swap.Swapped(hit, m_index, along);
        m_index = hit;
        m_strip->SetCurSel(hit, true);
    }
    return m_index;
}

void CTabDropPreview::End()
{
    if (!m_previewing)
        return;
    m_previewing = false;
    m_window = nullptr;
    if (m_ownTab || !m_strip || m_index < 0 || m_index >= m_strip->GetItemCount() || m_strip->ItemWindow(m_index))
        return;
    m_strip->DeleteItem(m_index, false, false);
    if (m_selectedBefore >= 0 && m_selectedBefore < m_strip->GetItemCount())
        m_strip->SetCurSel(m_selectedBefore, true);
    m_showSelected();
    m_index = -1;
}

}  // namespace dockwins
