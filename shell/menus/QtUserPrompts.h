#pragma once
// IUserPrompts with Qt message boxes over an owner window and the program's
// beep service. The program's texts break lines with "\n\r"; each such
// pair reaches the box as one line break (NormalizeLineBreaks).

#include <QPointer>
#include <QWidget>

#include "shell/menus/UserPrompts.h"

class CQtUserPrompts final : public IUserPrompts {
public:
    explicit CQtUserPrompts(QWidget* owner) : m_owner(owner) {}

    void Beep() override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void ShowError(const std::string& text, const std::string& caption) override;

private:
    QPointer<QWidget> m_owner;
};
