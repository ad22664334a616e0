#pragma once
// Fakes of the frame's side for the menu, option, tray and help tests.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "shell/menus/ActionTable.h"
#include "shell/menus/ClipboardCommands.h"
#include "shell/menus/HelpAndLinks.h"
#include "shell/menus/MenuState.h"
#include "shell/menus/OptionCommands.h"
#include "shell/menus/TrayController.h"
#include "shell/menus/UserPrompts.h"
#include "tests/panes/about/FakeUrlOpener.h"

struct CFakeMenuState : IMenuStateSource {
    bool hasEngine = true;
    bool calculating = false;
    bool cancelPending = false;
    int digits = 35;
    int parenDepth = 0;
    bool empty = true;
    bool canAccept = true;
    bool canEdit = true;
    std::optional<int> keypadAngle = 0;
    CRecordSelectionState record;
    CListPaneState history;
    CListPaneState variables;

    bool HasEngine() const override { return hasEngine; }
    bool IsCalculating() const override { return calculating; }
    bool IsCancelPending() const override { return cancelPending; }
    int GetEngineDigits() const override { return digits; }
    int GetParenDepth() const override { return parenDepth; }
    bool IsCalculationEmpty() const override { return empty; }
    bool CanAcceptEntry() const override { return canAccept; }
    bool CanEditEntry() const override { return canEdit; }
    std::optional<int> GetKeypadAngle() const override { return keypadAngle; }
    CRecordSelectionState GetRecordSelection() const override { return record; }
    CListPaneState GetPaneState(PaneId pane) const override
    {
        return pane == PaneId::History ? history : variables;
    }
};

// Records the menu state as the idle pass leaves it.
struct CFakeMenuView : IMenuView {
    std::map<unsigned, bool> enabled;
    std::map<RadioGroup, unsigned> checked;  // 0: no item
    std::map<unsigned, std::string> texts;
    std::map<Submenu, bool> submenus;

    void EnableCommand(unsigned id, bool on) override { enabled[id] = on; }
    void CheckRadio(unsigned id) override;
    void ClearRadio(RadioGroup group) override { checked[group] = 0; }
    void SetCommandText(unsigned id, const std::string& text) override { texts[id] = text; }
    void EnableSubmenu(Submenu menu, bool on) override { submenus[menu] = on; }

    bool IsEnabled(unsigned id) const
    {
        auto it = enabled.find(id);
        return it != enabled.end() && it->second;
    }
    unsigned Checked(RadioGroup group) const
    {
        auto it = checked.find(group);
        return it == checked.end() ? 0 : it->second;
    }
};

struct CFakeStatusBar : IStatusBarView {
    std::string parts[kPartCount];
    int writes = 0;
    std::string PartText(int part) const override { return parts[part]; }
    void SetPartText(int part, const std::string& text) override
    {
        parts[part] = text;
        ++writes;
    }
};

struct CFakeNumLock : INumLockIndicator {
    bool on = false;
    bool IsNumLockOn() const override { return on; }
};

struct CFakePrompts : IUserPrompts {
    int beeps = 0;
    bool answer = true;
    std::vector<std::pair<std::string, std::string>> questions;  // text, caption
    std::vector<std::pair<std::string, std::string>> errors;

    void Beep() override { ++beeps; }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        questions.emplace_back(text, caption);
        return answer;
    }
    void ShowError(const std::string& text, const std::string& caption) override
    {
        errors.emplace_back(text, caption);
    }
};

struct CFakeOptionsHost : IOptionsHost {
    bool calculating = false;
    bool cancelPending = false;
    bool empty = true;
    int digits = 35;
    std::optional<int> dialogAnswer;
    std::vector<int> dialogOpenedWith;
    std::vector<int> applied;
    std::vector<int> angles;
    int groupingRefreshes = 0;
    int schemeApplications = 0;
    std::vector<std::string> events;  // order of calls

    bool IsCalculating() const override { return calculating; }
    bool IsCancelPending() const override { return cancelPending; }
    bool IsCalculationEmpty() const override { return empty; }
    int GetEngineDigits() const override { return digits; }
    void ApplyMaxDigits(int d) override
    {
        applied.push_back(d);
        digits = d;
        empty = true;
        events.push_back("apply");
    }
    std::optional<int> RunCustomMaxDigitsDialog(int current) override
    {
        dialogOpenedWith.push_back(current);
        events.push_back("dialog");
        return dialogAnswer;
    }
    void SetKeypadAngle(int angle) override { angles.push_back(angle); }
    void RefreshDigitGrouping() override { ++groupingRefreshes; }
    void ApplyColorScheme() override { ++schemeApplications; }
};

struct CFakeClipboard : IClipboardText {
    std::optional<std::string> text;
    bool SetText(const std::string& t) override
    {
        text = t;
        return true;
    }
    std::optional<std::string> GetText() override { return text; }
};

struct CFakeClipboardHost : IClipboardHost {
    std::string entryText = "0";
    int maxDigits = 35;
    std::vector<std::string> added;
    std::string GetEntryText() const override { return entryText; }
    int GetMaxDigits() const override { return maxDigits; }
    void AddAsNewEntry(const std::string& text) override { added.push_back(text); }
};

struct CFakeTrayWindow : ITrayWindow {
    bool visible = true;
    bool minimized = false;
    std::vector<std::string> calls;
    bool IsWindowVisible() const override { return visible; }
    void HideWindow() override
    {
        visible = false;
        calls.push_back("hide");
    }
    void MinimizeWindow() override
    {
        minimized = true;
        calls.push_back("minimize");
    }
    void ShowRestoreAndActivate() override
    {
        visible = true;
        minimized = false;
        calls.push_back("restore");
    }
    void PostClose() override { calls.push_back("close"); }
};

struct CFakeTrayIcon : ITrayIcon {
    bool available = true;
    bool accepts = true;
    bool shown = false;
    int adds = 0;
    bool IsTrayAvailable() const override { return available; }
    bool AddIcon() override
    {
        ++adds;
        shown = accepts;
        return accepts;
    }
    void RemoveIcon() override { shown = false; }
};

struct CFakeHelpViewer : IHelpViewer {
    std::vector<std::string> shown;
    void ShowHelpFile(const std::string& path) override { shown.push_back(path); }
};

inline void CFakeMenuView::CheckRadio(unsigned id)
{
    const CActionSpec* spec = FindActionSpec(id);
    checked[spec ? spec->radio : RadioGroup::None] = id;
}
