#pragma once
// Hiding the main window in the tray and bringing it back. Qt-free: the
// window and the icon are reached through small interfaces; CSystemTrayIcon
// (SystemTrayIcon.h) and CWidgetTrayWindow (TrayWindow.h) are the Qt ones.
//
// Where the desktop has no tray, minimising to the tray tells the user and
// minimises the window normally instead, so it can never become unreachable.

class IUserPrompts;

class ITrayWindow {
public:
    virtual ~ITrayWindow() = default;
    virtual bool IsWindowVisible() const = 0;
    virtual void HideWindow() = 0;
    virtual void MinimizeWindow() = 0;
    // Shows the window, restores it from minimised and brings it to the front.
    virtual void ShowRestoreAndActivate() = 0;
    // Asks the window to close later, through its normal close handling (the
    // quit question while calculating).
    virtual void PostClose() = 0;
};

class ITrayIcon {
public:
    virtual ~ITrayIcon() = default;
    virtual bool IsTrayAvailable() const = 0;
    // Shows the icon; false when the desktop did not take it.
    virtual bool AddIcon() = 0;
    virtual void RemoveIcon() = 0;
};

// How the icon was clicked.
enum class TrayActivation { Click, DoubleClick, MiddleClick, ContextMenu };

class CTrayController {
public:
    CTrayController(ITrayWindow& window, ITrayIcon& icon, IUserPrompts& prompts);

    bool IsInTray() const { return m_bInTray; }

    // 32889 "Minimize to System Tray".
    void MinimizeToTray();
    // 32888 "Restore Quillix" of the tray menu.
    void RestoreFromTray();
    // A click on the icon: a plain or a double click restores (some tray hosts
    // report no double click); the context menu is the icon's own.
    void OnIconActivated(TrayActivation how);
    // 57665 "Exit" (File menu and tray menu).
    void Exit();
    // The idle pass: a visible window takes its icon away.
    void OnIdle();
    // The tray host came back (the icon must be added again).
    void OnTrayHostRestarted();
    // The main window is being destroyed.
    void OnDestroy() { RemoveTrayIcon(); }

    bool AddTrayIcon();
    void RemoveTrayIcon();

    static constexpr const char* kNoTrayText = "Could not perform intialization for system tray icon";

private:
    ITrayWindow& m_window;
    ITrayIcon& m_icon;
    IUserPrompts& m_prompts;
    bool m_bInTray = false;
};
