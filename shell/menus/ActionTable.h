#pragma once
// The one table of the frame's menu commands: each command id with its text
// (mnemonic marked by "&"), its keyboard shortcuts and its radio group, and
// the layout of the menu bar, the toolbar and the tray menu built from it.
// Qt-free; the Qt side (CCommandActions) turns it into QActions.

#include <optional>
#include <string>
#include <vector>

#include "panes/PaneTable.h"

// Exclusive groups of radio items. The colour scheme group may have no item
// checked (the scheme "Smooth Blue 2" has no command).
enum class RadioGroup { None, Angle, MaxDigits, Grouping, ColorScheme };

// The menus, by what they hold.
enum class Submenu {
    File, Edit, View, Options, Actions, Help,      // the menu bar
    Angle, MaxDigits, Grouping, ColorScheme,        // under Options
    Record,                                         // under Actions, with the panes' (PaneSubmenu)
    Tray,
    FirstPane,                                      // the panes' submenus, in pane table order
};

// The submenu of the Actions menu that holds a pane's commands.
constexpr Submenu PaneSubmenu(PaneId pane)
{
    return static_cast<Submenu>(static_cast<int>(Submenu::FirstPane) + static_cast<int>(pane));
}

struct CActionSpec {
    unsigned id = 0;
    std::string text;                    // with its mnemonic, no shortcut after a tab
    std::vector<std::string> shortcuts;  // portable key texts ("Ctrl+D"), first is shown
    RadioGroup radio = RadioGroup::None;
    bool checkable = false;              // a check item (the view toggles)
};

struct CMenuEntry {
    enum class Kind { Command, Separator, Menu };
    Kind kind = Kind::Command;
    unsigned id = 0;               // Command: the command id
    Submenu menu = Submenu::File;  // Menu: which menu
    std::string text;              // Menu: its title
    std::vector<CMenuEntry> children;

    static CMenuEntry Command(unsigned id) { return {Kind::Command, id, Submenu::File, {}, {}}; }
    static CMenuEntry Separator() { return {Kind::Separator, 0, Submenu::File, {}, {}}; }
    static CMenuEntry Menu(Submenu menu, std::string text, std::vector<CMenuEntry> children)
    {
        return {Kind::Menu, 0, menu, std::move(text), std::move(children)};
    }
};

// Every command of the menus, the toolbar and the tray menu, once.
const std::vector<CActionSpec>& ActionSpecs();
// The command's entry; null for an id the table does not hold.
const CActionSpec* FindActionSpec(unsigned id);

// The menu bar: File, Edit, View, Options, Actions, Help.
const std::vector<CMenuEntry>& MenuBarLayout();
// The tray icon's menu: "Restore Quillix", a separator, "Exit".
const std::vector<CMenuEntry>& TrayMenuLayout();
// The toolbar's buttons, left to right; 0 stands for a separator.
const std::vector<unsigned>& ToolBarLayout();

// The menu of that kind in a layout, searched depth first; null when absent.
const CMenuEntry* FindMenu(const std::vector<CMenuEntry>& layout, Submenu menu);
// The command ids of a menu and of all menus under it, in menu order.
std::vector<unsigned> MenuCommands(const CMenuEntry& menu);

// Max Digits presets: 32841..32845 give 15, 35, 75, 256, 512.
std::optional<int> MaxDigitsOfPreset(unsigned id);
std::optional<unsigned> PresetOfMaxDigits(int digits);
// Grouping commands: 32933 gives 0, 32936 gives 1, 32935 gives 2.
std::optional<int> GroupingOfCommand(unsigned id);
std::optional<unsigned> CommandOfGrouping(int grouping);
// Angle commands: 32775 gives 0 (degrees), 32776 1 (radians), 32777 2 (grads).
std::optional<int> AngleOfCommand(unsigned id);
std::optional<unsigned> CommandOfAngle(int angle);
// Colour scheme commands by scheme name, and back.
std::optional<std::string> SchemeOfCommand(unsigned id);
std::optional<unsigned> CommandOfScheme(const std::string& name);
