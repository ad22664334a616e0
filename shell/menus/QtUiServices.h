#pragma once
// The frame's desktop services (IUiServices) on Qt: the program's beep, Qt
// message boxes over an owner window (each "\n\r" of a text one line break),
// the shared clipboard helpers and the desktop's URL handler.

#include <QPointer>
#include <QWidget>

#include "shell/frame/FrameInterfaces.h"

class IUrlOpener;

class CQtUiServices final : public IUiServices {
public:
    // urlOpener: null for the desktop's handler.
    explicit CQtUiServices(QWidget* owner, IUrlOpener* urlOpener = nullptr);

    void SetOwner(QWidget* owner) { m_owner = owner; }

    void Beep() override;
    UiMessageAnswer ShowMessageBox(const std::string& text, const std::string& caption, UiMessageIcon icon,
                                    UiMessageButtons buttons) override;
    void SetClipboardText(const std::string& text) override;
    std::string GetClipboardText() override;
    void OpenUrl(const std::string& url) override;

private:
    QPointer<QWidget> m_owner;
    IUrlOpener* m_urlOpener;
};
