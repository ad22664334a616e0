#pragma once
// What the idle pass reads from the main frame (IMenuStateSource, implemented
// by the frame over its controller and panes) and what it writes to (IMenuView
// for the menu and toolbar commands, IStatusBarView for the status bar).
// Qt-free, so the enabling and checking rules run headless with fakes.

#include <optional>
#include <string>

#include "panes/PaneTable.h"
#include "shell/menus/ActionTable.h"

// The record window's selected line.
struct CRecordSelectionState {
    bool hasSelection = false;
    bool hasEntryNumber = false;  // SelectedHasEntryNumber
    bool hasResultOnly = false;   // SelectedHasResultOnly
    bool isBeforeLast = false;    // IsSelectedBeforeLast
};

// The list of a pane of the pane table.
struct CListPaneState {
    bool visible = false;       // the list window exists and is shown
    bool hasSelection = false;  // an item is selected
    int itemCount = 0;
};

class IMenuStateSource {
public:
    virtual ~IMenuStateSource() = default;
    virtual bool HasEngine() const = 0;
    virtual bool IsCalculating() const = 0;
    virtual bool IsCancelPending() const = 0;
    // The engine's digit count (Max Digits) and its open-parenthesis count.
    virtual int GetEngineDigits() const = 0;
    virtual int GetParenDepth() const = 0;
    virtual bool IsCalculationEmpty() const = 0;
    virtual bool CanAcceptEntry() const = 0;
    virtual bool CanEditEntry() const = 0;
    // The keypad's angle setting (0 degrees, 1 radians, 2 grads); nothing when
    // the keypad window does not exist.
    virtual std::optional<int> GetKeypadAngle() const = 0;
    virtual CRecordSelectionState GetRecordSelection() const = 0;
    // The list of a pane of the pane table.
    virtual CListPaneState GetPaneState(PaneId pane) const = 0;
};

class IMenuView {
public:
    virtual ~IMenuView() = default;
    // Enables or grays one command (menu item and toolbar button alike).
    virtual void EnableCommand(unsigned id, bool enabled) = 0;
    // Gives the radio mark of the command's group to the command.
    virtual void CheckRadio(unsigned id) = 0;
    // Takes the radio mark away from every item of the group.
    virtual void ClearRadio(RadioGroup group) = 0;
    virtual void SetCommandText(unsigned id, const std::string& text) = 0;
    // Enables or grays a submenu together with every command in it, so that
    // the commands' shortcuts are inert while it is gray.
    virtual void EnableSubmenu(Submenu menu, bool enabled) = 0;
};

class IStatusBarView {
public:
    virtual ~IStatusBarView() = default;
    static constexpr int kPartCount = 4;
    virtual std::string PartText(int part) const = 0;
    virtual void SetPartText(int part, const std::string& text) = 0;
};

// Whether Num Lock is on; where the platform cannot tell, it is reported off.
class INumLockIndicator {
public:
    virtual ~INumLockIndicator() = default;
    virtual bool IsNumLockOn() const = 0;
};
