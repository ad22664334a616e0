#include "panes/PanePlacement.h"

#include <gtest/gtest.h>

#include "settings/WindowSettings.h"

namespace {

using Front = CPanePlacement::Front;

TEST(PanePlacement, FromTheWindowSettings)
{
    struct Case {
        bool docked;
        int index;
        bool onTop;
        bool historyHidden;
        bool variablesHidden;
        CPanePlacement expected;
        int indexAfter;
    };
    const Case cases[] = {
        {false, 1, true, true, false, {}, 1},   // not docked together: nothing happens
        {true, 1, true, false, false, {true, 1, false, false, Front::History}, 1},
        {true, 0, false, false, false, {true, 0, false, false, Front::Variables}, 0},
        {true, -1, true, false, false, {true, 0, false, false, Front::History}, 0},
        {true, 7, true, true, false, {true, 0, true, false, Front::None}, 0},
        {true, 1, false, false, true, {true, 1, false, true, Front::None}, 1},
    };
    for (const Case& c : cases) {
        WindowSettings settings;
        settings.m_bHistoryWinAndVarWinDocked = c.docked;
        settings.m_nHistoryWinIndex = c.index;
        settings.m_bHistoryWinOnTop = c.onTop;
        settings.m_bHistoryWinHidden = c.historyHidden;
        settings.m_bVariablesWinHidden = c.variablesHidden;
        EXPECT_EQ(PanePlacementAtStart(settings), c.expected) << c.docked << " " << c.index;
        EXPECT_EQ(settings.m_nHistoryWinIndex, c.indexAfter);
    }
}

}  // namespace
