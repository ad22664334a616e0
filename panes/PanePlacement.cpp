#include "panes/PanePlacement.h"

#include "settings/WindowSettings.h"

CPanePlacement PanePlacementAtStart(WindowSettings& settings)
{
    CPanePlacement placement;
    if (!settings.m_bHistoryWinAndVarWinDocked)
        return placement;
    if (settings.m_nHistoryWinIndex != 0 && settings.m_nHistoryWinIndex != 1)
        settings.m_nHistoryWinIndex = 0;
    placement.m_bDockTogether = true;
    placement.m_nHistoryTabIndex = settings.m_nHistoryWinIndex;
    placement.m_bHideHistory = settings.m_bHistoryWinHidden;
    placement.m_bHideVariables = settings.m_bVariablesWinHidden;
    if (!placement.m_bHideHistory && !placement.m_bHideVariables)
        placement.m_front = settings.m_bHistoryWinOnTop ? CPanePlacement::Front::History
                                                        : CPanePlacement::Front::Variables;
    return placement;
}
