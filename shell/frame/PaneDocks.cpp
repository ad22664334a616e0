#include "shell/frame/PaneDocks.h"

#include "docking/DockEvents.h"
#include "docking/DockingWindow.h"
#include "docking/state/DockWndState.h"
#include "panes/PaneListView.h"
#include "panes/PanePlacement.h"
#include "settings/WindowSettings.h"
#include "shell/frame/PaneHost.h"

namespace {

// Docked on the left (side flags 3), in the first bar, 200 by 100 pixels.
constexpr unsigned kDockSide = 3;
constexpr int kDockWidth = 200;
constexpr int kDockHeight = 100;

}  // namespace

CPaneDocks::CPaneDocks(CDockingFrame& frame, const CPaneHost& panes) : m_frame(frame)
{
    for (const CPaneSpec& pane : kPaneTable) {
        auto* window = new CTabbedAutoHideDockingWindow(&frame, pane.caption);
        window->SetClient(panes.Pane(pane.id));
        frame.DockWindow(window, kDockSide, 0, 0.0f, kDockWidth, kDockHeight);
        m_windows[PaneIndex(pane.id)] = window;
    }
    // All panes as tabs of one box in the first one's place, the first in front.
    CTabbedAutoHideDockingWindow* first = m_windows.front();
    for (std::size_t i = 1; i < kPaneCount; ++i)
        m_windows[i]->DockTo(first, 0);
    first->Activate();
}

std::shared_ptr<sstate::CDockWndMgrEx> CPaneDocks::MakeLayoutState() const
{
    auto state = std::make_shared<sstate::CDockWndMgrEx>(&m_frame);
    for (CTabbedAutoHideDockingWindow* window : m_windows)
        state->Add(std::make_shared<sstate::CDockingWindowStateAdapter>(window));
    return state;
}

bool CPaneDocks::ExecuteShowCommand(unsigned id)
{
    for (const CPaneSpec& pane : kPaneTable) {
        if (pane.showCommand != id)
            continue;
        if (CTabbedAutoHideDockingWindow* window = Window(pane.id))
            window->BringIntoView();
        return true;
    }
    return false;
}

void CPaneDocks::PlaceFromSettings(WindowSettings& settings)
{
    // Every other arrangement is the restored layout's.
    const CPanePlacement placement = PanePlacementAtStart(settings);
    if (!placement.m_bDockTogether)
        return;
    // The panes join the box place at their tabs: a pane that was hidden joins
    // one that is shown, so the box comes back in the shown pane's place.
    CTabbedAutoHideDockingWindow* place = Window(placement.m_boxPlace);
    for (std::size_t i = 0; i < kPaneCount; ++i)
        if (m_windows[i] != place)
            m_windows[i]->DockTo(place, placement.m_tabIndex[i]);
    for (std::size_t i = 0; i < kPaneCount; ++i)
        if (placement.m_hidden[i])
            m_windows[i]->Hide();
    if (placement.m_front)
        Window(*placement.m_front)->Activate();
}

void CPaneDocks::StoreToSettings(WindowSettings& settings)
{
    // A hidden pane is shown first, so that its place in a shared box can be read.
    std::array<bool, kPaneCount> hidden{};
    bool anyHidden = false;
    for (std::size_t i = 0; i < kPaneCount; ++i) {
        hidden[i] = !m_windows[i]->IsShownOrTabbed();
        anyHidden = anyHidden || hidden[i];
    }
    for (std::size_t i = 0; i < kPaneCount; ++i)
        if (hidden[i])
            m_windows[i]->Activate();
    for (std::size_t i = 0; i < kPaneCount; ++i)
        if (const auto field = kPaneTable[i].settings.hidden)
            settings.*field = hidden[i];

    QWidget* box = m_windows.front()->DockedTo();
    bool shared = box != nullptr;
    for (CTabbedAutoHideDockingWindow* window : m_windows)
        shared = shared && window->DockedTo() == box;
    shared = shared && dockwins::IsBoxWindow(box);
    settings.*kPanesSharedBoxField = shared;
    if (!shared)
        return;
    for (std::size_t i = 0; i < kPaneCount; ++i) {
        const CPaneSettingsFields& fields = kPaneTable[i].settings;
        if (fields.tabIndex) {
            dockwins::DockRequest request;
            request.window = m_windows[i];
            request.target = box;
            if (m_windows[i]->GetDockingPosition(request))
                settings.*fields.tabIndex = request.position.tabIndex;
        }
        if (fields.onTop && !anyHidden)
            settings.*fields.onTop = !m_windows[i]->isHidden();
    }
}
