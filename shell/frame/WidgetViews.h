#pragma once
// The controller's entry line and display over the keypad's widgets.

#include "shell/frame/FrameInterfaces.h"

class CCalcDisplayWindow;
class CCalcEdit;

class CEditEntryLine : public IEntryLine {
public:
    explicit CEditEntryLine(CCalcEdit& edit) : m_edit(edit) {}
    std::string GetText() const override;
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
    std::string ErrorText() const override;
    bool IsStartOver() const override;
    void SetStartOver(bool startOver) override;
    int MaxDigits() const override;
    void SetMaxDigits(int digits) override;
    void SetOpenParenShown(bool shown) override;

private:
    CCalcEdit& m_edit;
};

class CWindowDisplayPanel : public IDisplayPanel {
public:
    explicit CWindowDisplayPanel(CCalcDisplayWindow& display) : m_display(display) {}
    void SetMessage(const std::string& text) override;
    void ClearMessage() override;
    void ShowMessageString(unsigned id) override;
    void SetErrorDetail(const std::string& text) override;
    void ClearErrorDetail() override;
    void ShowBusy() override;
    void HideBusy() override;
    void ShowCancelling() override;
    void HideCancelling() override;

private:
    CCalcDisplayWindow& m_display;
};
