#pragma once
// Everything of the main window's menus, bars, tray and help in one place for
// the frame to host: the actions, the menu bar, the toolbar, the status bar,
// the tray icon and its menu, the help window, the idle pass and the commands
// they own. The frame supplies the state and host interfaces; it connects
// commandTriggered to its command handler, which offers each id to OnCommand
// first, and calls OnIdle from its idle pass and OnDestroy when it goes.
//
// When the window is a QMainWindow, the bars are installed in it; otherwise
// the frame places MenuBar(), ToolBar() and StatusBar() itself.

#include <QObject>
#include <memory>

#include "shell/menus/MenuUpdater.h"

class CCommandActions;
class CHelpWindowViewer;
class CNumLockIndicator;
class COptionCommands;
class CClipboardCommands;
class CQtClipboardText;
class CStatusBar;
class CSystemTrayIcon;
class CTrayController;
class CViewToggles;
class CWidgetTrayWindow;
class ConfigOptions;
class IClipboardHost;
class IOptionsHost;
class IUrlOpener;
class IUserPrompts;
class QMenuBar;
class QToolBar;
class QWidget;

struct CFrameMenusHosts {
    IMenuStateSource* state = nullptr;        // required
    IOptionsHost* options = nullptr;          // required
    IClipboardHost* clipboard = nullptr;      // required
    IUserPrompts* prompts = nullptr;          // required (CUiServicesPrompts over the frame's services)
    IUrlOpener* urlOpener = nullptr;          // null: the desktop's handler
    ConfigOptions* config = nullptr;          // null: ConfigOptions::Instance()
};

class CFrameMenus : public QObject {
    Q_OBJECT
public:
    CFrameMenus(QWidget& window, const CFrameMenusHosts& hosts);
    ~CFrameMenus() override;

    // Runs the command when it is one of these components' own: Copy, Paste,
    // the Options commands, the View toggles of toolbar and status bar,
    // Minimize to Tray, Restore, Exit, Help, Check for Updates and About.
    // False for every other id (Open, Save, the panes' commands, keys, ...).
    bool OnCommand(unsigned id);
    // The idle pass over menus, toolbar, status bar and tray; what it gives
    // back is for the keypad (EnableFreeFormButton, EnableAngleButtons).
    CIdleOutcome OnIdle();
    // The window is being destroyed: the tray icon goes.
    void OnDestroy();

    CCommandActions& Actions() const { return *m_actions; }
    QMenuBar* MenuBar() const { return m_menuBar; }
    QToolBar* ToolBar() const { return m_toolBar; }
    CStatusBar* StatusBar() const { return m_statusBar; }
    // The View menu's toolbar and status bar checks follow the bars.
    void SyncViewChecks();
    CTrayController& Tray() const { return *m_tray; }
    CSystemTrayIcon& TrayIcon() const { return *m_trayIcon; }
    CHelpWindowViewer& HelpViewer() const { return *m_helpViewer; }

signals:
    // A menu item, toolbar button or shortcut was chosen.
    void commandTriggered(unsigned id);

private:
    QWidget& m_window;
    IUrlOpener& m_urlOpener;
    IUserPrompts& m_prompts;
    CCommandActions* m_actions = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    CStatusBar* m_statusBar = nullptr;
    CSystemTrayIcon* m_trayIcon = nullptr;
    std::unique_ptr<CNumLockIndicator> m_numLock;
    std::unique_ptr<CWidgetTrayWindow> m_trayWindow;
    std::unique_ptr<CTrayController> m_tray;
    std::unique_ptr<CViewToggles> m_viewToggles;
    std::unique_ptr<CHelpWindowViewer> m_helpViewer;
    std::unique_ptr<CQtClipboardText> m_clipboardText;
    std::unique_ptr<CClipboardCommands> m_clipboard;
    std::unique_ptr<COptionCommands> m_options;
    std::unique_ptr<CMenuUpdater> m_updater;
};
