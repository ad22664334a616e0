#pragma once
// The controller's display over the keypad's display window (the entry line
// is a CModelEntryLine over the CCalcEdit's model).

#include "shell/frame/FrameInterfaces.h"

class CCalcDisplayWindow;

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
