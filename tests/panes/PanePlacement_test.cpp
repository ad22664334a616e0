#include "panes/PanePlacement.h"

#include <gtest/gtest.h>

#include "settings/WindowSettings.h"

namespace {

constexpr PaneId kHistory = PaneId::History;
constexpr PaneId kVariables = PaneId::Variables;

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
        {true, 1, true, false, false, {true, kHistory, {1, 0}, {false, false}, kHistory}, 1},
        {true, 0, false, false, false, {true, kHistory, {0, 1}, {false, false}, kVariables}, 0},
        {true, -1, true, false, false, {true, kHistory, {0, 1}, {false, false}, kHistory}, 0},
        // The hidden history joins the shown variables, keeping its tab.
        {true, 7, true, true, false, {true, kVariables, {0, 1}, {true, false}, std::nullopt}, 0},
        {true, 1, false, false, true, {true, kHistory, {1, 0}, {false, true}, std::nullopt}, 1},
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
