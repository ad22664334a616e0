#include "shell/menus/ActionTable.h"

#include <algorithm>
#include <utility>

#include "resources/CommandIds.h"

using namespace menucmd;

namespace {

template <class Key, class Value, std::size_t N>
std::optional<Value> Lookup(const std::pair<Key, Value> (&table)[N], const Key& key)
{
    for (const auto& [k, v] : table)
        if (k == key)
            return v;
    return std::nullopt;
}

template <class Key, class Value, std::size_t N>
std::optional<Key> ReverseLookup(const std::pair<Key, Value> (&table)[N], const Value& value)
{
    for (const auto& [k, v] : table)
        if (v == value)
            return k;
    return std::nullopt;
}

const std::pair<unsigned, int> kMaxDigitsPresets[] = {
    {kMaxDigits15, 15}, {kMaxDigits35, 35}, {kMaxDigits75, 75}, {kMaxDigits256, 256}, {kMaxDigits512, 512}};
const std::pair<unsigned, int> kGroupings[] = {{kGroupingAll, 0}, {kGroupingEntryOnly, 1}, {kGroupingOff, 2}};
const std::pair<unsigned, int> kAngles[] = {{kDegrees, 0}, {kRadians, 1}, {kGrads, 2}};
const std::pair<unsigned, std::string> kSchemes[] = {{kSchemePlainVanilla, "Plain Vanilla"},
                                                     {kSchemeSmoothBlue, "Smooth Blue"},
                                                     {kSchemeSomewhatBlue, "Somewhat Blue"},
                                                     {kSchemeOliveGreen, "Olive Green"}};

std::vector<CActionSpec> MakeActionSpecs()
{
    const RadioGroup none = RadioGroup::None;
    return {
        // File
        {kFileOpen, "&Open Saved Calculation...", {"Ctrl+O"}, none, false},
        {kFileSave, "&Save Calculation...", {"Ctrl+S"}, none, false},
        {kMinimizeToTray, "Mi&nimize to System Tray", {}, none, false},
        {kExit, "E&xit", {}, none, false},
        // Edit
        {kCopy, "&Copy", {"Ctrl+C", "Ctrl+Ins"}, none, false},
        {kPaste, "&Paste", {"Ctrl+V", "Shift+Ins"}, none, false},
        // View
        {kViewToolbar, "&Toolbar", {}, none, true},
        {kViewStatusBar, "&Status Bar", {}, none, true},
        {kFocusRecord, "Calculation &Record", {"F4"}, none, false},
        {kShowHistory, "&History", {"F5"}, none, false},
        {kShowVariables, "&Variables", {"F6"}, none, false},
        // Options
        {kDegrees, "D&egrees", {"Ctrl+F1"}, RadioGroup::Angle, false},
        {kRadians, "&Radians", {"Ctrl+F2"}, RadioGroup::Angle, false},
        {kGrads, "&Grads", {"Ctrl+F3"}, RadioGroup::Angle, false},
        {kMaxDigits15, "&15", {}, RadioGroup::MaxDigits, false},
        {kMaxDigits35, "&35", {}, RadioGroup::MaxDigits, false},
        {kMaxDigits75, "&75", {}, RadioGroup::MaxDigits, false},
        {kMaxDigits256, "&256", {}, RadioGroup::MaxDigits, false},
        {kMaxDigits512, "&512", {}, RadioGroup::MaxDigits, false},
        {kMaxDigitsCustom, "&Custom", {"Ctrl+D"}, RadioGroup::MaxDigits, false},
        {kGroupingAll, "O&n (All Windows)", {}, RadioGroup::Grouping, false},
        {kGroupingEntryOnly, "On (Calculation &Entry Window Only)", {}, RadioGroup::Grouping, false},
        {kGroupingOff, "O&ff", {}, RadioGroup::Grouping, false},
        {kSchemePlainVanilla, "Plain &Vanilla", {}, RadioGroup::ColorScheme, false},
        {kSchemeSmoothBlue, "Very Bl&ue", {}, RadioGroup::ColorScheme, false},
        {kSchemeSomewhatBlue, "So&mewhat Blue", {}, RadioGroup::ColorScheme, false},
        {kSchemeOliveGreen, "Olive &Green", {}, RadioGroup::ColorScheme, false},
        // Actions: record
        {kRecordCopySelected, "&Copy Selected", {}, none, false},
        {kRecordAddToVariables, "Add Selected to &Variable List", {}, none, false},
        {kRecordAddAsNewEntry, "Add Selected as New &Entry", {}, none, false},
        {kRecordStepBackTo, "Step &Back to this Point", {}, none, false},
        // Actions: history
        {kHistoryAddAsNewEntry, "Add Selected as New &Entry", {}, none, false},
        {kHistoryCopySelected, "&Copy Selected", {}, none, false},
        {kHistoryAddToVariables, "Add Selected to &Variable List", {}, none, false},
        {kHistoryDeleteSelected, "&Delete Selected", {}, none, false},
        {kHistoryClear, "C&lear History", {}, none, false},
        // Actions: variables
        {kVariablesAddAsNewEntry, "Add Selected as New &Entry", {}, none, false},
        {kVariablesCopyValue, "&Copy Selected Value", {}, none, false},
        {kVariablesModifyValue, "&Modify Value of Selected Variable", {}, none, false},
        {kVariablesDelete, "&Delete Selected Variable", {}, none, false},
        {kVariablesAddNew, "Add New &Variable", {"Ctrl+="}, none, false},
        {kFreeFormEntry, "&Free-Form Entry...", {"F8"}, none, false},
        // Help
        {kHelpContents, "&Help Contents", {"F1"}, none, false},
        {kCheckForUpdates, "Check for &Updates", {}, none, false},
        {kAbout, "&About Quillix...", {}, none, false},
        // Tray menu
        {kRestoreFromTray, "Restore Quillix", {}, none, false},
    };
}

std::vector<CMenuEntry> Commands(const std::vector<unsigned>& ids)
{
    std::vector<CMenuEntry> entries;
    for (unsigned id : ids)
        entries.push_back(id == 0 ? CMenuEntry::Separator() : CMenuEntry::Command(id));
    return entries;
}

// The View menu: the bars, then the record and the panes.
std::vector<unsigned> ViewCommands()
{
    std::vector<unsigned> ids{kViewToolbar, kViewStatusBar, 0, kFocusRecord};
    for (const CPaneSpec& pane : kPaneTable)
        ids.push_back(pane.showCommand);
    return ids;
}

// A pane's submenu of the Actions menu: the item commands, then the list's.
CMenuEntry PaneMenu(const CPaneSpec& pane)
{
    const CPaneCommands& c = pane.commands;
    std::vector<unsigned> ids;
    const auto add = [&ids](unsigned id) {
        if (id)
            ids.push_back(id);
    };
    add(c.addAsNewEntry);
    for (unsigned id : c.onSelection)
        add(id);
    ids.push_back(0);  // a separator
    add(c.withItems);
    add(c.always);
    return CMenuEntry::Menu(PaneSubmenu(pane.id), pane.menuTitle, Commands(ids));
}

std::vector<CMenuEntry> ActionsMenu()
{
    std::vector<CMenuEntry> entries{
        CMenuEntry::Menu(Submenu::Record, "Calculation &Record",
                         Commands({kRecordCopySelected, kRecordAddToVariables, kRecordAddAsNewEntry,
                                   kRecordStepBackTo})),
        CMenuEntry::Separator(),
    };
    for (const CPaneSpec& pane : kPaneTable)
        entries.push_back(PaneMenu(pane));
    entries.push_back(CMenuEntry::Separator());
    entries.push_back(CMenuEntry::Command(kFreeFormEntry));
    return entries;
}

std::vector<CMenuEntry> MakeMenuBarLayout()
{
    using E = CMenuEntry;
    return {
        E::Menu(Submenu::File, "&File", Commands({kFileOpen, kFileSave, 0, kMinimizeToTray, 0, kExit})),
        E::Menu(Submenu::Edit, "&Edit", Commands({kCopy, kPaste})),
        E::Menu(Submenu::View, "&View", Commands(ViewCommands())),
        E::Menu(Submenu::Options, "&Options",
                {
                    E::Menu(Submenu::Angle, "&Angle Measure", Commands({kDegrees, kRadians, kGrads})),
                    E::Menu(Submenu::MaxDigits, "&Max Digits",
                            Commands({kMaxDigits15, kMaxDigits35, kMaxDigits75, kMaxDigits256, kMaxDigits512, 0,
                                      kMaxDigitsCustom})),
                    E::Menu(Submenu::Grouping, "&Digit Grouping",
                            Commands({kGroupingAll, kGroupingEntryOnly, kGroupingOff})),
                    E::Separator(),
                    E::Menu(Submenu::ColorScheme, "&Color Scheme",
                            Commands({kSchemePlainVanilla, kSchemeSmoothBlue, kSchemeSomewhatBlue,
                                      kSchemeOliveGreen})),
                }),
        E::Menu(Submenu::Actions, "&Actions", ActionsMenu()),
        E::Menu(Submenu::Help, "&Help", Commands({kHelpContents, kCheckForUpdates, 0, kAbout})),
    };
}

}  // namespace

const std::vector<CActionSpec>& ActionSpecs()
{
    static const std::vector<CActionSpec> specs = MakeActionSpecs();
    return specs;
}

const CActionSpec* FindActionSpec(unsigned id)
{
    const auto& specs = ActionSpecs();
    auto it = std::find_if(specs.begin(), specs.end(), [id](const CActionSpec& s) { return s.id == id; });
    return it == specs.end() ? nullptr : &*it;
}

const std::vector<CMenuEntry>& MenuBarLayout()
{
    static const std::vector<CMenuEntry> layout = MakeMenuBarLayout();
    return layout;
}

const std::vector<CMenuEntry>& TrayMenuLayout()
{
    static const std::vector<CMenuEntry> layout = {
        CMenuEntry::Menu(Submenu::Tray, "Tray", Commands({kRestoreFromTray, 0, kExit}))};
    return layout;
}

const std::vector<unsigned>& ToolBarLayout()
{
    static const std::vector<unsigned> layout = {kFileOpen, kFileSave, 0, kCopy, kPaste, 0, kHelpContents};
    return layout;
}

const CMenuEntry* FindMenu(const std::vector<CMenuEntry>& layout, Submenu menu)
{
    for (const CMenuEntry& entry : layout) {
        if (entry.kind != CMenuEntry::Kind::Menu)
            continue;
        if (entry.menu == menu)
            return &entry;
        if (const CMenuEntry* found = FindMenu(entry.children, menu))
            return found;
    }
    return nullptr;
}

std::vector<unsigned> MenuCommands(const CMenuEntry& menu)
{
    std::vector<unsigned> ids;
    for (const CMenuEntry& entry : menu.children) {
        if (entry.kind == CMenuEntry::Kind::Command) {
            ids.push_back(entry.id);
        } else if (entry.kind == CMenuEntry::Kind::Menu) {
            std::vector<unsigned> inner = MenuCommands(entry);
            ids.insert(ids.end(), inner.begin(), inner.end());
        }
    }
    return ids;
}

std::optional<int> MaxDigitsOfPreset(unsigned id) { return Lookup(kMaxDigitsPresets, id); }
std::optional<unsigned> PresetOfMaxDigits(int digits) { return ReverseLookup(kMaxDigitsPresets, digits); }
std::optional<int> GroupingOfCommand(unsigned id) { return Lookup(kGroupings, id); }
std::optional<unsigned> CommandOfGrouping(int grouping) { return ReverseLookup(kGroupings, grouping); }
std::optional<int> AngleOfCommand(unsigned id) { return Lookup(kAngles, id); }
std::optional<unsigned> CommandOfAngle(int angle) { return ReverseLookup(kAngles, angle); }
std::optional<std::string> SchemeOfCommand(unsigned id) { return Lookup(kSchemes, id); }
std::optional<unsigned> CommandOfScheme(const std::string& name) { return ReverseLookup(kSchemes, name); }
