#pragma once
// The few ways the option, tray and help commands talk to the user: the beep
// of a refused command and two kinds of message box. Qt-free; the frame passes
// its desktop services through CUiServicesPrompts (UiServicesPrompts.h).

#include <string>

class IUserPrompts {
public:
    virtual ~IUserPrompts() = default;
    virtual void Beep() = 0;
    // Yes/No with the question icon; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // OK with the error icon.
    virtual void ShowError(const std::string& text, const std::string& caption) = 0;
};
