#include "shell/frame/MainFrame.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QToolBar>

#include "docking/DockingWindow.h"
#include "docking/state/DockWndState.h"
#include "docking/state/WindowState.h"
#include "docking/SplitterWindow.h"
#include "engine/InnerCalc.h"
#include "keypad/CalcDisplayWindow.h"
#include "keypad/CalcEdit.h"
#include "keypad/CalcWindow.h"
#include "panes/PaneImageList.h"
#include "resources/CommandIds.h"
#include "settings/ColorScheme.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"
#include "shell/frame/CalcEventWatcher.h"
#include "shell/frame/FlyingItem.h"
#include "shell/frame/FrameController.h"
#include "shell/frame/FrameMenuHosts.h"
#include "shell/frame/IdleHook.h"
#include "shell/frame/KeyTable.h"
#include "shell/frame/MainWindowBands.h"
#include "shell/frame/ModelViews.h"
#include "shell/frame/PaneDocks.h"
#include "shell/frame/PaneHost.h"
#include "shell/frame/SavedCalculation.h"
#include "shell/frame/WidgetViews.h"
#include "shell/menus/FrameMenus.h"
#include "shell/menus/QtUiServices.h"
#include "shell/menus/StatusBar.h"
#include "shell/menus/UiServicesPrompts.h"

namespace {

constexpr int kInitialKeypadHeight = 395;
// How long a key that starts a step waits for its result before the window
// goes on showing the busy state (the step through the worker program takes
// well under a millisecond).
constexpr auto kQuickStepWait = std::chrono::milliseconds(3);

int CheckedSigDigits(int digits)
{
    return ConfigOptions::IsSigDigitsInRange(digits) ? digits : ConfigOptions::kDefaultSigDigits;
}

}  // namespace

// ------------------------------------------------------------------ creation

CMainFrame::CMainFrame(Setup setup, QWidget* parent) : CDockingFrame(parent), m_setup(std::move(setup))
{
    setWindowTitle(QString::fromUtf8(kTitle));
    SetMinimumTrackSize(QSize(kMinimumWidth, kMinimumHeight));
    resize(960, 720);
    setAcceptDrops(true);
    OnCreate(0);  // the docking frame's packages, before any pane is docked

    if (m_setup.services) {
        m_services = m_setup.services;
    } else {
        m_ownServices = std::make_unique<CQtUiServices>(this);
        m_services = m_ownServices.get();
    }
    m_prompts = std::make_unique<CUiServicesPrompts>(*m_services);

    CreateClient();
    CCalcEdit* edit = m_calcWindow->Edit();
    m_entryLine = std::make_unique<CModelEntryLine>(edit->EditableModel(), [edit] { edit->Refresh(); });
    m_display = std::make_unique<CWindowDisplayPanel>(*m_calcWindow->Display());
    m_controller = std::make_unique<CFrameController>(
        CFrameController::Views{m_entryLine.get(), m_display.get(), m_services, this}, m_setup.events);
    m_files = std::make_unique<CCalculationFiles>(*m_controller);
    CreatePanes();

    m_menuState = std::make_unique<CFrameMenuState>(*m_controller, m_calcWindow, *m_panes);
    m_optionsHost = std::make_unique<CFrameOptionsHost>(*m_controller, m_calcWindow, *m_panes, this);
    m_clipboardHost = std::make_unique<CControllerClipboardHost>(*m_controller);
    CFrameMenusHosts hosts;
    hosts.state = m_menuState.get();
    hosts.options = m_optionsHost.get();
    hosts.clipboard = m_clipboardHost.get();
    hosts.prompts = m_prompts.get();
    m_menus = new CFrameMenus(*this, hosts);
    connect(m_menus, &CFrameMenus::commandTriggered, this, [this](unsigned id) { OnCommand(static_cast<int>(id)); });

    if (m_setup.events[0] && m_setup.events[1]) {
        m_eventWatcher = new CCalcEventWatcher(*m_setup.events[0], *m_setup.events[1], this);
        connect(m_eventWatcher, &CCalcEventWatcher::calcDone, this, [this] {
            m_controller->OnResultEvent();
            OnStepEnded();
        });
        connect(m_eventWatcher, &CCalcEventWatcher::calcAborted, this, [this] {
            m_controller->OnAbortEvent();
            OnStepEnded();
        });
    }
    m_idleHook = new CIdleHook([this] { OnIdle(); }, this);
    m_flyingItem = new CFlyingItem(this);
    qApp->installEventFilter(this);
    BuildWindowState();
}

void CMainFrame::BuildWindowState()
{
    using namespace sstate;
    m_windowState = std::make_unique<CWindowStateMgr>(this, m_setup.windowStatePath);
    m_windowState->Add(m_paneDocks->MakeLayoutState());  // -1
    m_windowState->Add(std::make_shared<CRebarStateAdapter>(
        std::make_shared<CMainWindowBands>(m_menus->MenuBar(), m_menus->ToolBar()), 0));  // -2
    m_windowState->Add(std::make_shared<CToggleWindowAdapter>(m_menus->StatusBar()));    // -3
}

CMainFrame::~CMainFrame()
{
    if (qApp)
        qApp->removeEventFilter(this);
    if (!m_destroyed)
        OnDestroy();
}

CTabbedAutoHideDockingWindow* CMainFrame::PaneWindow(PaneId pane) const { return m_paneDocks->Window(pane); }

void CMainFrame::CreateClient()
{
    auto* splitter = new TG3_SplitterWindowT<false>(this);
    // The keypad keeps its height, and the bar does not move.
    splitter->SetSplitterExtendedStyle(SPLIT_NONINTERACTIVE | SPLIT_RIGHTALIGNED);
    m_splitter = splitter;
    m_calcWindow = new CCalcWindow(this, splitter);
    connect(m_calcWindow, &CCalcWindow::command, this, [this](int id) { OnCommand(id); });
    connect(m_calcWindow, &CCalcWindow::keypadPlaced, this, &CMainFrame::OnKeypadPlaced);
    SetClientWindow(splitter);
}

void CMainFrame::CreatePanes()
{
    m_panes = std::make_unique<CPaneHost>(&m_controller->Record(), CPaneHost::Owners{this, this, this}, this);
    m_splitter->SetSplitterPanes(m_panes->RecordWidget(), m_calcWindow);
    m_splitter->SetSplitterPos(std::max(0, m_splitter->height() - kInitialKeypadHeight));
    m_paneDocks = std::make_unique<CPaneDocks>(*this, *m_panes);
    m_controller->Record().SetListener(m_panes->RecordListener());
}

void CMainFrame::Create(const std::string& startupPath)
{
    ConfigOptions& config = ConfigOptions::Instance();
    if (const auto scheme = FindColorScheme(config.m_colorScheme))
        SetCurrentColorScheme(*scheme);
    m_panes->ApplyColorScheme();
    m_calcWindow->Display()->ApplyColorScheme();

    CInnerCalc::Services services;
    services.workerFactory = m_setup.workerFactory;
    services.processWaiter = m_setup.processWaiter;
    m_controller->CreateEngine(std::move(services), CheckedSigDigits(config.m_nSigDigits));
    // From here on the engine keeps the digits and the angle unit.
    m_controller->Engine()->SetAngleSetting(config.m_angleSetting);
    m_calcWindow->ShowAngleSetting(m_controller->Engine()->GetAngleSetting());

    m_panes->LoadFromConfig();
    // The layout and placement of the last run, then the panes' shared box.
    m_windowState->RestoreWindowState();
    UpdateLayout(false);
    m_paneDocks->PlaceFromSettings(WindowSettings::Instance());
    m_menus->SyncViewChecks();
    if (!startupPath.empty())
        LoadCalculation(startupPath, true);
    m_idleHook->MarkDirty();
}

void CMainFrame::OnKeypadPlaced(int /*width*/, int height)
{
    m_keypadHeight = height;
    m_splitter->SetSecondPaneMinimum(height);
    m_splitter->SetSplitterPos(m_splitter->height() - height - m_splitter->BarWidth());
}

// ------------------------------------------------------------------ commands

void CMainFrame::OnCommand(int id)
{
    if (m_destroyed)
        return;
    const auto uid = static_cast<unsigned>(id);
    if (m_menus && m_menus->OnCommand(uid))
        return;
    switch (uid) {
    case menucmd::kFileOpen: OnFileOpen(); return;
    case menucmd::kFileSave: OnFileSave(); return;
    case menucmd::kFocusRecord: m_panes->RecordWidget()->setFocus(); return;
    case cmd::kFreeFormEntry: OnFreeFormEntry(); return;
    default: break;
    }
    if (m_paneDocks->ExecuteShowCommand(uid) || m_panes->ExecuteCommand(uid))
        return;
    const bool wasBusy = m_controller->IsBusy();
    m_controller->DispatchCalcCommand(id);
    // Most steps end within a millisecond: their result is taken before the
    // loop paints the busy state, so the window takes the next key sooner
    // and paints once.
    if (!wasBusy && m_controller->IsCalculating() && m_eventWatcher)
        m_eventWatcher->TakeWithin(kQuickStepWait);
}

void CMainFrame::OnAcceleratorCommand(int id)
{
    if (m_calcWindow)
        m_calcWindow->PostFlashButton(id);
    OnCommand(id);
}

void CMainFrame::OnFreeFormEntry()
{
    if (!m_controller->CanEditEntry()) {
        m_services->Beep();
        return;
    }
    const auto text = m_panes->RunFreeFormDialog(m_controller->EntryLine().GetText(),
                                                 m_controller->EngineDigits(), this);
    if (text)
        m_controller->RestoreNumberEntry(*text);
}

// ------------------------------------------------------------------ owners

void CMainFrame::AddAsNewEntry(const std::string& text) { m_controller->AddAsNewEntry(text); }

void CMainFrame::AddAsVariable(const std::string& text) { m_panes->AddVariable(text); }

void CMainFrame::StepBackTo(int count) { m_controller->StepBackTo(count); }

bool CMainFrame::CanAcceptEntry() { return m_controller && m_controller->CanAcceptEntry(); }

bool CMainFrame::IsCalculating() { return m_controller && m_controller->IsCalculating(); }

bool CMainFrame::IsCancelPending() { return m_controller && m_controller->IsCancelPending(); }

void CMainFrame::OnAngleChosen(int angle)
{
    if (m_controller && m_controller->Engine())
        m_controller->Engine()->SetAngleSetting(angle);
}

void CMainFrame::AddToHistory(const std::string& text) { m_panes->AddToHistory(text); }

int CMainFrame::GetMaxDigits() { return m_controller->EngineDigits(); }

void CMainFrame::BeginItemDrag(const CPaneImageList& images, int imageIndex, int screenX, int screenY,
                               const std::string& text)
{
    // The target: 16 pixels left of the entry line's right edge, at its middle.
    CCalcEdit* edit = m_calcWindow->Edit();
    const QPoint target = edit->mapToGlobal(QPoint(edit->width() - 16, edit->height() / 2));
    m_flyingItem->Start(images.Pixmap(imageIndex), QPoint(screenX, screenY), target, text,
                        [this](const std::string& landed) { AddAsNewEntry(landed); });
}

bool CMainFrame::IsOverDropTarget(int screenX, int screenY)
{
    QWidget* target = QApplication::widgetAt(screenX, screenY);
    if (!target || !m_calcWindow)
        return false;
    return target == m_calcWindow->Edit() || target == m_calcWindow || target->parentWidget() == m_calcWindow;
}

// ------------------------------------------------------------------ idle

void CMainFrame::OnIdle()
{
    if (m_destroyed || !m_controller)
        return;
    m_controller->EntryLine().SetOpenParenShown(m_controller->IsParenJustOpened());
    if (m_menus) {
        const CIdleOutcome outcome = m_menus->OnIdle();
        m_calcWindow->EnableFreeFormButton(outcome.freeFormEnabled);
        m_calcWindow->EnableAngleButtons(outcome.angleButtonsEnabled);
    }
}

// ------------------------------------------------------------------ events

bool CMainFrame::HandleKey(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || QApplication::activeModalWidget())
        return false;
    // The calculator's keys come first wherever the focus is, lists included:
    // a list that took Enter would also pass it on to its parents (item views
    // ignore Enter after activating), so one press would both put the item in
    // and press "=".
    auto* key = static_cast<QKeyEvent*>(event);
    const int id = CalculatorCommandForKey(key->key(), key->modifiers(), key->text());
    if (id == 0)
        return false;
    OnAcceleratorCommand(id);
    return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && HandleKey(watched, event))
        return true;
    return CDockingFrame::eventFilter(watched, event);
}
