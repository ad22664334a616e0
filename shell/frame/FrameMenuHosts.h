#pragma once
// The main frame's side of the menus' state and option interfaces, where only
// its widgets can answer: the keypad's angle unit, the selections of the
// record window and the panes' lists, the custom Max Digits dialog and the
// repainting after an option changed. The rest is the controller's
// (shell/menus/ControllerAdapters.h).

#include "shell/menus/ControllerAdapters.h"

class CCalcWindow;
class CPaneHost;
class QWidget;

class CFrameMenuState final : public CControllerMenuState {
public:
    // calcWindow may be null (no keypad window).
    CFrameMenuState(const CFrameController& controller, const CCalcWindow* calcWindow, const CPaneHost& panes);

    std::optional<int> GetKeypadAngle() const override;
    CRecordSelectionState GetRecordSelection() const override;
    CListPaneState GetPaneState(PaneId pane) const override;

private:
    const CCalcWindow* m_calcWindow;
    const CPaneHost& m_panes;
};

class CFrameOptionsHost final : public CControllerOptionsHost {
public:
    // calcWindow may be null (no keypad window); dialogOwner owns the dialog.
    CFrameOptionsHost(CFrameController& controller, CCalcWindow* calcWindow, CPaneHost& panes, QWidget* dialogOwner);

    std::optional<int> RunCustomMaxDigitsDialog(int currentDigits) override;
    void SetKeypadAngle(int angle) override;
    void RefreshDigitGrouping() override;
    void ApplyColorScheme() override;

private:
    CCalcWindow* m_calcWindow;
    CPaneHost& m_panes;
    QWidget* m_dialogOwner;
};
