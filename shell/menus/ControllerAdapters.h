#pragma once
// The frame controller's side of the menu, option and clipboard interfaces.
// What only the widgets know (the keypad's angle, the panes' selections, the
// custom Max Digits dialog, repainting) stays pure virtual for the main frame
// to supply; the rest is answered by the controller.

#include "shell/frame/FrameController.h"
#include "shell/menus/ClipboardCommands.h"
#include "shell/menus/MenuState.h"
#include "shell/menus/OptionCommands.h"

class CControllerMenuState : public IMenuStateSource {
public:
    explicit CControllerMenuState(const CFrameController& controller) : m_controller(controller) {}

    bool HasEngine() const override { return m_controller.Engine() != nullptr; }
    bool IsCalculating() const override { return m_controller.IsCalculating(); }
    bool IsCancelPending() const override { return m_controller.IsCancelPending(); }
    int GetEngineDigits() const override { return m_controller.EngineDigits(); }
    int GetParenDepth() const override { return m_controller.Engine() ? m_controller.Engine()->GetParenDepth() : 0; }
    bool IsCalculationEmpty() const override { return m_controller.IsCalculationEmpty(); }
    bool CanAcceptEntry() const override { return m_controller.CanAcceptEntry(); }
    bool CanEditEntry() const override { return m_controller.CanEditEntry(); }

protected:
    const CFrameController& m_controller;
};

class CControllerClipboardHost final : public IClipboardHost {
public:
    explicit CControllerClipboardHost(CFrameController& controller) : m_controller(controller) {}

    std::string GetEntryText() const override { return m_controller.EntryLine().GetText(); }
    int GetMaxDigits() const override { return m_controller.EngineDigits(); }
    void AddAsNewEntry(const std::string& text) override { m_controller.AddAsNewEntry(text); }

private:
    CFrameController& m_controller;
};

class CControllerOptionsHost : public IOptionsHost {
public:
    explicit CControllerOptionsHost(CFrameController& controller) : m_controller(controller) {}

    bool IsCalculating() const override { return m_controller.IsCalculating(); }
    bool IsCancelPending() const override { return m_controller.IsCancelPending(); }
    bool IsCalculationEmpty() const override { return m_controller.IsCalculationEmpty(); }
    int GetEngineDigits() const override { return m_controller.EngineDigits(); }
    // Clear All, the engine's digits, the entry line's Max Digits.
    void ApplyMaxDigits(int digits) override { m_controller.SetPrecision(digits); }

protected:
    CFrameController& m_controller;
};
