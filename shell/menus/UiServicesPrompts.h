#pragma once
// IUserPrompts over the frame's desktop services (IUiServices), so the option,
// tray and help commands use the same beep and message boxes as the rest of
// the frame.

#include "shell/frame/FrameInterfaces.h"
#include "shell/menus/UserPrompts.h"

class CUiServicesPrompts final : public IUserPrompts {
public:
    explicit CUiServicesPrompts(IUiServices& services) : m_services(services) {}

    void Beep() override { m_services.Beep(); }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        return m_services.ShowMessageBox(text, caption, UiMessageIcon::Question, UiMessageButtons::YesNo) ==
               UiMessageAnswer::Yes;
    }
    void ShowError(const std::string& text, const std::string& caption) override
    {
        m_services.ShowMessageBox(text, caption, UiMessageIcon::Error, UiMessageButtons::Ok);
    }

private:
    IUiServices& m_services;
};
