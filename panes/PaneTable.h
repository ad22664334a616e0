#pragma once
// The docked panes of the main frame, one row each, and everything the frame,
// its pane host and its menus know of a pane: the frame gives each row a
// docking window with the row's caption and keeps the pane's arrangement in
// the row's window settings fields (CPaneDocks); the pane host makes the
// row's list and passes it the row's commands (CPaneHost); the View menu shows
// the row's show command and the Actions menu a submenu of its commands
// (ActionTable, CMenuUpdater). Qt-free, so that the menus' rules read it too.
//
// The order of the rows is stored: the window layout file names the panes'
// docking windows by their place in this table (the first -1, the second -2).

#include <array>
#include <cstddef>

#include "resources/CommandIds.h"
#include "settings/WindowSettings.h"

enum class PaneId { History, Variables };

// Where the window settings keep a pane's arrangement; null: not kept.
struct CPaneSettingsFields {
    bool WindowSettings::*hidden = nullptr;   // the pane was hidden when the window closed
    int WindowSettings::*tabIndex = nullptr;  // its tab position in the panes' shared box
    bool WindowSettings::*onTop = nullptr;    // it was the front tab of that box
};

// The pane's submenu of the Actions menu, in menu order, each command with the
// state it needs to be enabled; 0: no such command.
struct CPaneCommands {
    unsigned addAsNewEntry = 0;            // a selected item in the shown list, and an entry that takes it
    std::array<unsigned, 3> onSelection{}; // a selected item in the shown list
    // After a separator:
    unsigned withItems = 0;                // any item in the list
    unsigned always = 0;                   // always enabled
};

struct CPaneSpec {
    PaneId id;
    const char* caption;    // the title of its docking window
    unsigned showCommand;   // View menu: brings the pane into view with the focus on its list
    const char* menuTitle;  // its submenu of the Actions menu
    CPaneCommands commands;
    CPaneSettingsFields settings;
};

inline constexpr std::array<CPaneSpec, 2> kPaneTable{{
    {PaneId::History, "History", menucmd::kShowHistory, "&History",
     {menucmd::kHistoryAddAsNewEntry,
      {menucmd::kHistoryCopySelected, menucmd::kHistoryAddToVariables, menucmd::kHistoryDeleteSelected},
      menucmd::kHistoryClear, 0},
     {&WindowSettings::m_bHistoryWinHidden, &WindowSettings::m_nHistoryWinIndex,
      &WindowSettings::m_bHistoryWinOnTop}},
    {PaneId::Variables, "Variables  ", menucmd::kShowVariables, "&Variables",
     {menucmd::kVariablesAddAsNewEntry,
      {menucmd::kVariablesCopyValue, menucmd::kVariablesModifyValue, menucmd::kVariablesDelete}, 0,
      menucmd::kVariablesAddNew},
     {&WindowSettings::m_bVariablesWinHidden, nullptr, nullptr}},
}};

inline constexpr std::size_t kPaneCount = kPaneTable.size();

// The window settings field that says that the panes shared one tabbed box.
inline constexpr bool WindowSettings::*kPanesSharedBoxField = &WindowSettings::m_bHistoryWinAndVarWinDocked;

// The place of a pane's row in the table.
constexpr std::size_t PaneIndex(PaneId id) { return static_cast<std::size_t>(id); }

// Whether the command is one of the pane's Actions commands.
constexpr bool IsPaneCommand(const CPaneSpec& pane, unsigned id)
{
    if (id == 0)
        return false;
    const CPaneCommands& c = pane.commands;
    for (unsigned command : c.onSelection)
        if (command == id)
            return true;
    return id == c.addAsNewEntry || id == c.withItems || id == c.always;
}

static_assert([] {
    for (std::size_t i = 0; i < kPaneCount; ++i)
        if (PaneIndex(kPaneTable[i].id) != i)
            return false;
    return true;
}(), "the pane table's rows are in the order of their ids");
