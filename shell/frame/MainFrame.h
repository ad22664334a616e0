#pragma once
// CMainFrame: the calculator's main window. A docking frame with the menu bar,
// toolbar and status bar, the record window above the keypad window in a
// splitter as its client, and the panes of the pane table as tabs of one box
// on the left. Every command - keypad button, key, menu item - ends in
// OnCommand; the calculator logic is the controller's (FrameController.h),
// the menus' is CFrameMenus', the panes' docking windows are CPaneDocks'. The
// frame is the owner that the panes and the keypad call back through their
// small interfaces.
//
// Its definitions, by concern: MainFrame.cpp the window's creation, the
// command entry, the owner interfaces, the idle pass and the keys;
// MainFrameFiles.cpp the calculation files that come to the window (Open and
// Save, a second start's hand-over, a drop); MainFrameClose.cpp the close and
// the shutdown.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "docking/DockingFrame.h"
#include "keypad/ICalcWindowParent.h"
#include "panes/ICalcRecordWindowParent.h"
#include "panes/IHistoryParent.h"
#include "panes/IVariablesParent.h"
#include "panes/PaneTable.h"
#include "shell/frame/FrameInterfaces.h"
#include "shell/frame/HandOverQueue.h"

class CCalcEventWatcher;
class CCalcWindow;
class CCalculationFiles;
class CEvent;
class CFrameController;
class CFlyingItem;
class CFrameMenuState;
class CFrameMenus;
class CFrameOptionsHost;
class CIdleHook;
class CPaneDocks;
class CPaneHost;
class CSplitterWindowBase;
class CTabbedAutoHideDockingWindow;
class IUserPrompts;
class IClipboardHost;
class ICalcWorkerFactory;
class IProcessWaiter;
class QTimer;
namespace sstate {
class CWindowStateMgr;
}

class CMainFrame : public CDockingFrame,
                   public ICalcRecordWindowParent,
                   public IHistoryParent,
                   public IVariablesParent,
                   public ICalcWindowParent,
                   private IHistorySink {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Vornel Quillix";
    static constexpr int kMinimumWidth = 700;
    static constexpr int kMinimumHeight = 650;

    struct Setup {
        std::array<CEvent*, 2> events{};                     // CalcDoneEvent, CalcAbortedEvent
        std::shared_ptr<ICalcWorkerFactory> workerFactory;  // the worker program (or a stand-in)
        std::shared_ptr<IProcessWaiter> processWaiter;
        IUiServices* services = nullptr;                    // null: the desktop's
        QString windowStatePath;                             // the window state file; empty: the user's
    };

    explicit CMainFrame(Setup setup, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Creates the engine with the saved options and loads the start-up file
    // when there is one. Raises EngineInitError (after its box) when the
    // calculator cannot work.
    void Create(const std::string& startupPath = {});

    // The one entry of every command id: menus, toolbar, keypad and keys.
    void OnCommand(int id);
    // A key of the keyboard table: flashes its keypad button, then runs it.
    void OnAcceleratorCommand(int id);
    void LoadCalculation(const std::string& path, bool askFirst);
    // A second start handed over: the window comes forward at once (restored
    // from minimised, with a box or dialog that is open in front), then the
    // file loads. While a box or dialog is open or a step runs or is
    // cancelled, the file waits (the newest one wins) and loads once the box
    // has closed or the step has ended, so its own box never opens inside
    // another and no file is dropped.
    void OnHandOver(const QString& path);
    // Files dropped on the window: one calculation file is loaded, anything
    // else is refused with a display message; the window comes forward.
    void OnDropFiles(const std::vector<std::string>& paths);
    // Closes the window for a termination request (SIGTERM, SIGINT): like a
    // close by the user, but a running calculation is cancelled without the
    // quit question, since at logout nobody may be there to answer it.
    void RequestClose();
    // Brings the window to the front without un-maximising it.
    void BringToFront();

    CFrameController& Controller() { return *m_controller; }
    CCalcWindow* CalcWindow() const { return m_calcWindow; }
    CPaneHost& Panes() { return *m_panes; }
    CFrameMenus* Menus() const { return m_menus; }
    CSplitterWindowBase* Splitter() const { return m_splitter; }
    sstate::CWindowStateMgr& WindowState() { return *m_windowState; }
    // The docking window of a pane of the pane table.
    CTabbedAutoHideDockingWindow* PaneWindow(PaneId pane) const;
    // The idle pass (also run by the loop before each wait).
    void OnIdle();
    bool IsDestroyed() const { return m_destroyed; }
    // Why the window layout could not be stored when the window closed
    // (empty: it was, or the window has not closed), for the report at exit.
    const std::string& LayoutSaveError() const { return m_layoutSaveError; }
    // The calculation thread did not end in time at shutdown: the engine was
    // left alone, and the events it may still set must outlive the process.
    bool EngineAbandoned() const { return m_engineAbandoned; }

    // Owner interfaces of the panes and the keypad.
    void AddAsNewEntry(const std::string& text) override;
    void AddAsVariable(const std::string& text) override;
    void StepBackTo(int count) override;
    bool CanAcceptEntry() override;
    bool IsCalculating() override;
    bool IsCancelPending() override;
    void OnAngleChosen(int angle) override;
    void BeginItemDrag(const CPaneImageList& images, int imageIndex, int screenX, int screenY,
                       const std::string& text) override;
    bool IsOverDropTarget(int screenX, int screenY) override;
    int GetMaxDigits() override;

signals:
    // The window was closed for good and its calculator shut down: the
    // program ends its main loop (the window leaves the loop to its owner, so
    // a window closed where no loop runs asks no later loop to end).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddToHistory(const std::string& text) override;
    void CreateClient();
    void CreatePanes();
    void OnKeypadPlaced(int width, int height);
    void OnFileOpen();
    void OnFileSave();
    void OnFreeFormEntry();
    void RunHandOvers();
    void OnStepEnded();
    void OnDestroy();
    void BuildWindowState();
    void StoreWindowSettings();
    bool HandleKey(QObject* watched, QEvent* event);

    Setup m_setup;
    std::unique_ptr<IUiServices> m_ownServices;
    IUiServices* m_services = nullptr;
    std::unique_ptr<IUserPrompts> m_prompts;
    std::unique_ptr<IEntryLine> m_entryLine;
    std::unique_ptr<IDisplayPanel> m_display;
    std::unique_ptr<CFrameController> m_controller;
    std::unique_ptr<CCalculationFiles> m_files;
    std::unique_ptr<CPaneHost> m_panes;
    std::unique_ptr<CPaneDocks> m_paneDocks;
    std::unique_ptr<CFrameMenuState> m_menuState;
    std::unique_ptr<CFrameOptionsHost> m_optionsHost;
    std::unique_ptr<IClipboardHost> m_clipboardHost;
    std::unique_ptr<sstate::CWindowStateMgr> m_windowState;
    CFrameMenus* m_menus = nullptr;
    CCalcWindow* m_calcWindow = nullptr;
    CSplitterWindowBase* m_splitter = nullptr;
    CCalcEventWatcher* m_eventWatcher = nullptr;
    CIdleHook* m_idleHook = nullptr;
    CFlyingItem* m_flyingItem = nullptr;
    CHandOverQueue m_handOvers;
    QTimer* m_handOverRetry = nullptr;
    bool m_inHandOver = false;
    int m_keypadHeight = 0;
    bool m_destroyed = false;
    bool m_closeWithoutAsking = false;
    std::string m_layoutSaveError;
    bool m_engineAbandoned = false;
};
