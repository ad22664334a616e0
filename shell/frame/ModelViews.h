#pragma once
// The controller's entry line and display over the Qt-free models of the
// keypad. Each change calls `changed`, so a widget over the model can repaint:
// the program runs the entry line over the model of its CCalcEdit; tests use
// them as they are.

#include <functional>
#include <string>

#include "keypad/DisplayModel.h"
#include "keypad/EntryLineModel.h"
#include "shell/frame/FrameInterfaces.h"

class CModelEntryLine : public IEntryLine {
public:
    explicit CModelEntryLine(CEntryLineModel& model, std::function<void()> changed = {})
        : m_model(model), m_changed(std::move(changed)) {}

    std::string GetText() const override { return m_model.GetText(); }
    bool SetText(const std::string& text, bool startOver) override;
    void Clear(bool startOver) override;
    bool TypeChar(char c) override;
    void Backspace() override;
    void Negate() override;
    void ScrollHome() override;
    void ScrollEnd() override;
    void ScrollLeft() override;
    void ScrollRight() override;
    void SetErrorText(const std::string& text) override;
    std::string ErrorText() const override { return m_model.ErrorText(); }
    bool IsStartOver() const override { return m_model.IsStartOver(); }
    void SetStartOver(bool startOver) override { m_model.SetStartOver(startOver); }
    int MaxDigits() const override { return m_model.MaxDigits(); }
    void SetMaxDigits(int digits) override;
    void SetOpenParenShown(bool shown) override;

    CEntryLineModel& Model() { return m_model; }

private:
    void Changed() const
    {
        if (m_changed)
            m_changed();
    }
    CEntryLineModel& m_model;
    std::function<void()> m_changed;
};

class CModelDisplayPanel : public IDisplayPanel {
public:
    explicit CModelDisplayPanel(CDisplayModel& model, std::function<void()> changed = {})
        : m_model(model), m_changed(std::move(changed)) {}

    void SetMessage(const std::string& text) override { Apply(m_model.SetMessage(text)); }
    void ClearMessage() override { Apply(m_model.ClearMessage()); }
    void ShowMessageString(unsigned id) override { Apply(m_model.ShowMessageString(id)); }
    void SetErrorDetail(const std::string& text) override { Apply(m_model.SetErrorDetail(text)); }
    void ClearErrorDetail() override { Apply(m_model.ClearErrorDetail()); }
    void ShowBusy() override { Apply(m_model.SetBusy(true)); }
    void HideBusy() override { Apply(m_model.SetBusy(false)); }
    void ShowCancelling() override { Apply(m_model.SetCancelling(true)); }
    void HideCancelling() override { Apply(m_model.SetCancelling(false)); }

    CDisplayModel& Model() { return m_model; }

private:
    void Apply(bool changed) const
    {
        if (changed && m_changed)
            m_changed();
    }
    CDisplayModel& m_model;
    std::function<void()> m_changed;
};
