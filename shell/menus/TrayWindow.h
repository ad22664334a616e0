#pragma once
// ITrayWindow over the main window widget.

#include <QPointer>
#include <QWidget>

#include "shell/menus/TrayController.h"

class CWidgetTrayWindow final : public ITrayWindow {
public:
    explicit CWidgetTrayWindow(QWidget* window) : m_window(window) {}

    bool IsWindowVisible() const override { return m_window && m_window->isVisible(); }
    void HideWindow() override;
    void MinimizeWindow() override;
    void ShowRestoreAndActivate() override;
    // Queued, so the close (and its quit question) runs after the current
    // event, outside the tray menu's own handling.
    void PostClose() override;

private:
    QPointer<QWidget> m_window;
};
