#include "shell/menus/FrameMenus.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

#include "panes/about/AboutDlg.h"
#include "panes/about/ProgramArt.h"
#include "platform/qt/Clipboard.h"
#include "platform/qt/UrlOpener.h"
#include "resources/CommandIds.h"
#include "settings/ConfigOptions.h"
#include "shell/menus/ClipboardCommands.h"
#include "shell/menus/CommandActions.h"
#include "shell/menus/HelpAndLinks.h"
#include "shell/menus/HelpWindow.h"
#include "shell/menus/MenuBuilder.h"
#include "shell/menus/NumLockIndicator.h"
#include "shell/menus/OptionCommands.h"
#include "shell/menus/StatusBar.h"
#include "shell/menus/SystemTrayIcon.h"
#include "shell/menus/TrayController.h"
#include "shell/menus/TrayWindow.h"
#include "shell/menus/UserPrompts.h"
#include "shell/menus/ViewToggles.h"

using namespace menucmd;

CFrameMenus::CFrameMenus(QWidget& window, const CFrameMenusHosts& hosts)
    : QObject(&window),
      m_window(window),
      m_urlOpener(hosts.urlOpener ? *hosts.urlOpener : DesktopUrlOpener()),
      m_prompts(*hosts.prompts)
{
    ConfigOptions& config = hosts.config ? *hosts.config : ConfigOptions::Instance();

    m_actions = new CCommandActions(&window);
    connect(m_actions, &CCommandActions::commandTriggered, this, &CFrameMenus::commandTriggered);

    auto* mainWindow = qobject_cast<QMainWindow*>(&window);
    m_menuBar = mainWindow ? mainWindow->menuBar() : new QMenuBar(&window);
    BuildMenuBar(*m_menuBar, *m_actions);
    m_toolBar = new QToolBar(QStringLiteral("Toolbar"), &window);
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setMovable(false);
    BuildToolBar(*m_toolBar, *m_actions);
    m_statusBar = new CStatusBar(&window);
    if (mainWindow) {
        mainWindow->addToolBar(m_toolBar);
        mainWindow->setStatusBar(m_statusBar);
    } else {
        // The actions' shortcuts need a widget of the window that holds them.
        for (QAction* action : m_actions->AllActions())
            window.addAction(action);
    }

    m_trayIcon = new CSystemTrayIcon(ProgramIcon(), BuildTrayMenu(*m_actions, &window), this);
    m_trayWindow = std::make_unique<CWidgetTrayWindow>(&window);
    m_tray = std::make_unique<CTrayController>(*m_trayWindow, *m_trayIcon, m_prompts);
    m_trayIcon->SetController(m_tray.get());

    m_viewToggles = std::make_unique<CViewToggles>(*m_actions, m_toolBar, m_statusBar);
    m_viewToggles->SyncChecks();
    m_helpViewer = std::make_unique<CHelpWindowViewer>(m_urlOpener, &window);
    m_clipboardText = std::make_unique<CQtClipboardText>();
    m_clipboard = std::make_unique<CClipboardCommands>(*hosts.clipboard, *m_clipboardText);
    m_options = std::make_unique<COptionCommands>(*hosts.options, m_prompts, config);
    connect(m_statusBar, &CStatusBar::maxDigitsPartDoubleClicked, this,
            [this] { m_options->OnMaxDigitsPartDoubleClicked(); });

    m_numLock = std::make_unique<CNumLockIndicator>();
    m_updater = std::make_unique<CMenuUpdater>(*hosts.state, config, *m_actions, m_statusBar, m_numLock.get());
}

CFrameMenus::~CFrameMenus()
{
    if (m_trayIcon)
        m_trayIcon->SetController(nullptr);
}

bool CFrameMenus::OnCommand(unsigned id)
{
    switch (id) {
    case kCopy: m_clipboard->OnCopy(); return true;
    case kPaste: m_clipboard->OnPaste(); return true;
    case kMinimizeToTray: m_tray->MinimizeToTray(); return true;
    case kRestoreFromTray: m_tray->RestoreFromTray(); return true;
    case kExit: m_tray->Exit(); return true;
    case kHelpContents:
        ShowHelpContents(QApplication::applicationDirPath().toStdString(), *m_helpViewer, m_prompts);
        return true;
    case kCheckForUpdates: CheckForUpdates(m_urlOpener); return true;
    case kAbout: {
        // Owned by the active window (a floating pane, say), else the frame.
        QWidget* owner = QApplication::activeWindow();
        RunAboutBox(m_urlOpener, owner ? owner : &m_window);
        return true;
    }
    default: break;
    }
    if (m_viewToggles->OnCommand(id))
        return true;
    if (!m_options->OnCommand(id))
        return false;
    // A radio item is checked by the click itself; a change refused or
    // answered No must not leave the mark on it until the next idle pass.
    m_updater->UpdateOptionsMenu();
    return true;
}

CIdleOutcome CFrameMenus::OnIdle()
{
    const CIdleOutcome outcome = m_updater->Update();
    m_tray->OnIdle();
    return outcome;
}

void CFrameMenus::OnDestroy() { m_tray->OnDestroy(); }

void CFrameMenus::SyncViewChecks() { m_viewToggles->SyncChecks(); }
