#include "panes/PanePlacement.h"

#include "settings/WindowSettings.h"

namespace {

constexpr int kTabs = static_cast<int>(kPaneCount);

// The first tab that no pane has taken (0 when all are).
int FreeTab(const std::array<bool, kPaneCount>& taken)
{
    for (int tab = 0; tab < kTabs; ++tab)
        if (!taken[tab])
            return tab;
    return 0;
}

}  // namespace

CPanePlacement PanePlacementAtStart(WindowSettings& settings)
{
    CPanePlacement placement;
    if (!(settings.*kPanesSharedBoxField))
        return placement;
    placement.m_bDockTogether = true;

    std::array<bool, kPaneCount> taken{};
    for (std::size_t i = 0; i < kPaneCount; ++i) {
        const CPaneSettingsFields& fields = kPaneTable[i].settings;
        placement.m_hidden[i] = fields.hidden && settings.*fields.hidden;
        if (!fields.tabIndex)
            continue;
        int& tab = settings.*fields.tabIndex;
        if (tab < 0 || tab >= kTabs)
            tab = 0;
        placement.m_tabIndex[i] = tab;
        taken[tab] = true;
    }
    for (std::size_t i = 0; i < kPaneCount; ++i) {
        if (kPaneTable[i].settings.tabIndex)
            continue;
        placement.m_tabIndex[i] = FreeTab(taken);
        taken[placement.m_tabIndex[i]] = true;
    }

    bool anyHidden = false;
    for (std::size_t i = kPaneCount; i-- > 0;) {
        if (!placement.m_hidden[i])
            placement.m_boxPlace = kPaneTable[i].id;
        anyHidden = anyHidden || placement.m_hidden[i];
    }
    if (anyHidden)
        return placement;
    // The front tab is the pane stored as on top; where none is, the first
    // pane that keeps no such field.
    for (const CPaneSpec& pane : kPaneTable)
        if (pane.settings.onTop && settings.*pane.settings.onTop) {
            placement.m_front = pane.id;
            return placement;
        }
    for (const CPaneSpec& pane : kPaneTable)
        if (!pane.settings.onTop) {
            placement.m_front = pane.id;
            break;
        }
    return placement;
}
