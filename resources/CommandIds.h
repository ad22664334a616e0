#pragma once
// Every command id of the program, in one place: the calculator keys (cmd),
// the menus, the toolbar and the tray menu (menucmd), and the panes' context
// menus (panecmd). Each number is written here once; every module takes its ids
// from this header. The values are those the settings and the string table store.

namespace cmd {

inline constexpr unsigned kDigit0 = 6101;  // 6101..6110: digits 0..9
inline constexpr unsigned kDigit9 = 6110;
inline constexpr unsigned kNegate = 6111;
inline constexpr unsigned kPoint = 6112;
inline constexpr unsigned kDivide = 6113;
inline constexpr unsigned kMultiply = 6114;
inline constexpr unsigned kSubtract = 6115;
inline constexpr unsigned kAdd = 6116;
inline constexpr unsigned kSqrt = 6117;
inline constexpr unsigned kCbrt = 6118;
inline constexpr unsigned kReciprocal = 6119;
inline constexpr unsigned kPi = 6120;
inline constexpr unsigned kE = 6121;
inline constexpr unsigned kOpenParen = 6122;
inline constexpr unsigned kCloseParen = 6123;
inline constexpr unsigned kSin = 6124;
inline constexpr unsigned kAsin = 6125;
inline constexpr unsigned kSinh = 6126;
inline constexpr unsigned kAsinh = 6127;
inline constexpr unsigned kCos = 6128;
inline constexpr unsigned kAcos = 6129;
inline constexpr unsigned kCosh = 6130;
inline constexpr unsigned kAcosh = 6131;
inline constexpr unsigned kTan = 6132;
inline constexpr unsigned kAtan = 6133;
inline constexpr unsigned kTanh = 6134;
inline constexpr unsigned kAtanh = 6135;
inline constexpr unsigned kPower = 6136;
inline constexpr unsigned kSquare = 6137;
inline constexpr unsigned kCube = 6138;
inline constexpr unsigned kFactorial = 6139;
inline constexpr unsigned kLog = 6140;
inline constexpr unsigned kNCr = 6142;
inline constexpr unsigned kNPr = 6143;
inline constexpr unsigned kLn = 6144;
inline constexpr unsigned kClearAll = 6145;  // also the display's cancel button
inline constexpr unsigned kClearEntry = 6146;
inline constexpr unsigned kEquals = 6147;
inline constexpr unsigned kBackspace = 6148;
inline constexpr unsigned kFreeFormEntry = 13001;
inline constexpr unsigned kDegrees = 32775;
inline constexpr unsigned kRadians = 32776;
inline constexpr unsigned kGrads = 32777;
inline constexpr unsigned kScrollHome = 32811;
inline constexpr unsigned kScrollEnd = 32812;
inline constexpr unsigned kSci = 32813;
inline constexpr unsigned kStepBack = 32815;
inline constexpr unsigned kScrollLeft = 57718;
inline constexpr unsigned kScrollRight = 57719;
inline constexpr unsigned kRound = 34501;
inline constexpr unsigned kInt = 34502;
inline constexpr unsigned kIntegerDivide = 34503;
inline constexpr unsigned kModulo = 34504;

}  // namespace cmd

// The menus, the toolbar and the tray menu; the ids they share with the keys
// are the keys' own.
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

// The panes' context menus; their other items share the ids of the frame's
// Actions menu above.
namespace panecmd {

inline constexpr unsigned kRecordCopy = 32821;
inline constexpr unsigned kRecordAddAsNewEntry = 32823;
inline constexpr unsigned kRecordStepBack = 32824;
inline constexpr unsigned kRecordAddToVariables = 32826;
inline constexpr unsigned kHistoryAddAsNewEntry = 32827;
inline constexpr unsigned kVariablesAddAsNewEntry = 32831;
inline constexpr unsigned kVariablesCopyValue = 32832;

}  // namespace panecmd
