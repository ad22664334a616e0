#include "shell/frame/MainFrame.h"

#include <QCloseEvent>

#include "docking/state/WindowState.h"
#include "settings/ColorScheme.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"
#include "shell/frame/CalcEventWatcher.h"
#include "shell/frame/FrameController.h"
#include "shell/frame/PaneDocks.h"
#include "shell/frame/PaneHost.h"
#include "shell/menus/FrameMenus.h"

// The close of the main window: the quit question while a step runs, the
// window layout and the window settings stored, and the calculator shut down
// with its options written back to the config options record.

namespace {

constexpr auto kShutdownWait = std::chrono::seconds(15);  // longer than the engine's wait for its worker
constexpr const char* kQuitQuestion = "A calculation is in progress.  Are you sure you want to quit now?";

}  // namespace

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_destroyed) {
        event->accept();
        return;
    }
    if (!m_closeWithoutAsking && m_controller->IsCalculating() &&
        m_services->ShowMessageBox(kQuitQuestion, "Quit?", UiMessageIcon::Question, UiMessageButtons::YesNo) !=
            UiMessageAnswer::Yes) {
        event->ignore();
        return;
    }
    if (!m_windowState->StoreWindowState())
        m_layoutSaveError = m_windowState->FileProblem();
    StoreWindowSettings();
    OnDestroy();
    event->accept();
    emit closed();
}

void CMainFrame::RequestClose()
{
    m_closeWithoutAsking = true;
    close();
}

void CMainFrame::StoreWindowSettings()
{
    m_paneDocks->StoreToSettings(WindowSettings::Instance());
    m_panes->StoreToSettings();
}

void CMainFrame::OnDestroy()
{
    m_destroyed = true;
    if (m_menus)
        m_menus->OnDestroy();
    hide();
    setAcceptDrops(false);
    if (m_eventWatcher)
        m_eventWatcher->Stop();
    ConfigOptions& config = ConfigOptions::Instance();
    if (m_controller->Engine()) {
        config.m_nSigDigits = m_controller->Engine()->GetDisplayDigits();
        config.m_angleSetting = m_controller->Engine()->GetAngleSetting();
    }
    const std::string scheme = GetCurrentColorScheme().m_name;
    config.m_colorScheme = scheme.empty() ? "Plain Vanilla" : scheme;
    // Cancels a running step and waits for its thread before the engine goes.
    m_engineAbandoned = !m_controller->Shutdown(kShutdownWait);
    m_controller->Record().SetListener(nullptr);
}
