#include "shell/menus/QtUserPrompts.h"

#include <QMessageBox>

#include "keypad/DisplayModel.h"
#include "platform/qt/BeepService.h"

void CQtUserPrompts::Beep() { MessageBeep(); }

bool CQtUserPrompts::AskYesNo(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::Question, QString::fromStdString(caption),
                    QString::fromStdString(NormalizeLineBreaks(text)), QMessageBox::Yes | QMessageBox::No,
                    m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void CQtUserPrompts::ShowError(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(caption),
                    QString::fromStdString(NormalizeLineBreaks(text)), QMessageBox::Ok, m_owner);
    box.exec();
}
