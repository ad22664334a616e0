#include "shell/menus/TrayController.h"

#include "shell/menus/UserPrompts.h"

CTrayController::CTrayController(ITrayWindow& window, ITrayIcon& icon, IUserPrompts& prompts)
    : m_window(window), m_icon(icon), m_prompts(prompts)
{
}

bool CTrayController::AddTrayIcon()
{
    if (!m_icon.IsTrayAvailable()) {
        m_prompts.ShowError(kNoTrayText, "Error");
        m_bInTray = false;
        return false;
    }
    m_bInTray = m_icon.AddIcon();
    return m_bInTray;
}

void CTrayController::RemoveTrayIcon()
{
    if (m_bInTray)
        m_icon.RemoveIcon();
    m_bInTray = false;
}

void CTrayController::MinimizeToTray()
{
    if (AddTrayIcon())
        m_window.HideWindow();
    else
        m_window.MinimizeWindow();  // no icon to come back by: stay on the task bar
}

void CTrayController::RestoreFromTray()
{
    RemoveTrayIcon();
    m_window.ShowRestoreAndActivate();
}

void CTrayController::OnIconActivated(TrayActivation how)
{
    if (how == TrayActivation::Click || how == TrayActivation::DoubleClick)
        RestoreFromTray();
}

void CTrayController::Exit()
{
    // Out of the tray first: the quit question needs a window to stand on,
    // and a window that stays open must not keep a stale icon.
    if (m_bInTray)
        RestoreFromTray();
    m_window.PostClose();
}

void CTrayController::OnIdle()
{
    if (m_bInTray && m_window.IsWindowVisible())
        RemoveTrayIcon();
}

void CTrayController::OnTrayHostRestarted()
{
    if (!m_bInTray)
        return;
    m_icon.RemoveIcon();
    m_bInTray = m_icon.IsTrayAvailable() && m_icon.AddIcon();
    if (!m_bInTray && !m_window.IsWindowVisible())
        m_window.MinimizeWindow();
}
