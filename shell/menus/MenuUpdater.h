#pragma once
// The idle pass of the main frame: after every burst of messages it brings
// the status bar, the Edit, Options, Actions and File menus and the toolbar
// in step with the calculator. The frame calls Update from its idle handler;
// what concerns the keypad and the entry line comes back in CIdleOutcome for
// the frame to pass on.

#include <array>
#include <string>

#include "shell/menus/MenuState.h"

class ConfigOptions;

// The texts of the four status bar parts.
using CStatusTexts = std::array<std::string, IStatusBarView::kPartCount>;
CStatusTexts ComputeStatusTexts(const IMenuStateSource& state, bool numLockOn);

// The text of the custom Max Digits item for a digit count.
std::string CustomMaxDigitsText(int digits);

struct CIdleOutcome {
    bool freeFormEnabled = false;     // the keypad's free-form button (EnableFreeFormButton)
    bool angleButtonsEnabled = false; // the keypad's angle buttons (EnableAngleButtons)
};

class CMenuUpdater {
public:
    // statusBar and numLock may be null (no status bar; Num Lock unknown).
    CMenuUpdater(const IMenuStateSource& state, const ConfigOptions& options, IMenuView& menus,
                 IStatusBarView* statusBar, const INumLockIndicator* numLock);

    // The whole idle pass over menus and status bar.
    CIdleOutcome Update();

    void UpdateStatusBar();
    void UpdateEditMenu();
    void UpdateOptionsMenu();
    void UpdateActionsMenu();
    void UpdateFileCommands();
    bool UpdateFreeFormEntry();

    void SetStatusBar(IStatusBarView* statusBar) { m_statusBar = statusBar; }

private:
    bool IsBusy() const { return m_state.IsCalculating() || m_state.IsCancelPending(); }
    void UpdateRecordMenu(bool canAccept);
    // A pane's submenu of the Actions menu, from the state of its list.
    void UpdatePaneMenu(const CPaneCommands& commands, const CListPaneState& list, bool canAccept);

    const IMenuStateSource& m_state;
    const ConfigOptions& m_options;
    IMenuView& m_menus;
    IStatusBarView* m_statusBar;
    const INumLockIndicator* m_numLock;
};
