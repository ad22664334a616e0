#pragma once
// Command ids of the menus, the toolbar and the tray menu (the calculator
// keys' ids are in keypad/CommandIds.h; the few that are both come from there).

#include "keypad/CommandIds.h"

namespace menucmd {

// File
inline constexpr unsigned kFileOpen = 57601;
inline constexpr unsigned kFileSave = 57603;
inline constexpr unsigned kMinimizeToTray = 32889;
inline constexpr unsigned kRestoreFromTray = 32888;
inline constexpr unsigned kExit = 57665;
// Edit
inline constexpr unsigned kCopy = 57634;
inline constexpr unsigned kPaste = 57637;
// View
inline constexpr unsigned kViewToolbar = 59392;
inline constexpr unsigned kViewStatusBar = 59393;
inline constexpr unsigned kFocusRecord = 32854;
inline constexpr unsigned kShowHistory = 32838;
inline constexpr unsigned kShowVariables = 32837;
// Options: angle unit
using cmd::kDegrees;
using cmd::kGrads;
using cmd::kRadians;
// Options: Max Digits
inline constexpr unsigned kMaxDigits15 = 32841;
inline constexpr unsigned kMaxDigits35 = 32842;
inline constexpr unsigned kMaxDigits75 = 32843;
inline constexpr unsigned kMaxDigits256 = 32844;
inline constexpr unsigned kMaxDigits512 = 32845;
inline constexpr unsigned kMaxDigitsCustom = 32846;
// Options: digit grouping
inline constexpr unsigned kGroupingAll = 32933;
inline constexpr unsigned kGroupingEntryOnly = 32936;
inline constexpr unsigned kGroupingOff = 32935;
// Options: colour scheme
inline constexpr unsigned kSchemePlainVanilla = 32853;
inline constexpr unsigned kSchemeSmoothBlue = 32848;
inline constexpr unsigned kSchemeSomewhatBlue = 32890;
inline constexpr unsigned kSchemeOliveGreen = 32920;
// Actions: record
inline constexpr unsigned kRecordCopySelected = 32866;
inline constexpr unsigned kRecordAddToVariables = 32867;
inline constexpr unsigned kRecordAddAsNewEntry = 32868;
inline constexpr unsigned kRecordStepBackTo = 32869;
// Actions: history
inline constexpr unsigned kHistoryAddAsNewEntry = 32858;
inline constexpr unsigned kHistoryCopySelected = 32828;
inline constexpr unsigned kHistoryAddToVariables = 32829;
inline constexpr unsigned kHistoryDeleteSelected = 32938;
inline constexpr unsigned kHistoryClear = 32830;
// Actions: variables
inline constexpr unsigned kVariablesAddAsNewEntry = 32862;
inline constexpr unsigned kVariablesCopyValue = 32863;
inline constexpr unsigned kVariablesModifyValue = 32911;
inline constexpr unsigned kVariablesDelete = 32833;
inline constexpr unsigned kVariablesAddNew = 32835;
// Actions: free-form entry
using cmd::kFreeFormEntry;
// Help
inline constexpr unsigned kHelpContents = 32917;
inline constexpr unsigned kCheckForUpdates = 32916;
inline constexpr unsigned kAbout = 57664;

}  // namespace menucmd
