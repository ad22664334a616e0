#include "shell/menus/QtUiServices.h"

#include <QMessageBox>

#include "keypad/DisplayModel.h"
#include "platform/qt/BeepService.h"
#include "platform/qt/Clipboard.h"
#include "platform/qt/UrlOpener.h"

namespace {

QMessageBox::Icon QtIcon(UiMessageIcon icon)
{
    switch (icon) {
    case UiMessageIcon::Error:
    case UiMessageIcon::Stop: return QMessageBox::Critical;
    case UiMessageIcon::Question: return QMessageBox::Question;
    case UiMessageIcon::Warning: return QMessageBox::Warning;
    case UiMessageIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

CQtUiServices::CQtUiServices(QWidget* owner, IUrlOpener* urlOpener)
    : m_owner(owner), m_urlOpener(urlOpener ? urlOpener : &DesktopUrlOpener())
{
}

void CQtUiServices::Beep() { MessageBeep(); }

UiMessageAnswer CQtUiServices::ShowMessageBox(const std::string& text, const std::string& caption,
                                               UiMessageIcon icon, UiMessageButtons buttons)
{
    const bool yesNo = buttons == UiMessageButtons::YesNo;
    QMessageBox box(QtIcon(icon), QString::fromStdString(caption),
                    QString::fromStdString(NormalizeLineBreaks(text)),
                    yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, m_owner);
    const int answer = box.exec();
    if (!yesNo)
        return UiMessageAnswer::Ok;
    // Closing the box without a button counts as No.
    return answer == QMessageBox::Yes ? UiMessageAnswer::Yes : UiMessageAnswer::No;
}

void CQtUiServices::SetClipboardText(const std::string& text) { ::SetClipboardText(text); }

std::string CQtUiServices::GetClipboardText()
{
    std::string text;
    ::GetClipboardText(text);
    return text;
}

void CQtUiServices::OpenUrl(const std::string& url) { m_urlOpener->OpenUrl(url); }
