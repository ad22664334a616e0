#include "docking/state/DockWndState.h"

#include "docking/DockEvents.h"
#include "docking/DockRequests.h"
#include "docking/DockingFrame.h"
#include "docking/DockingWindow.h"
#include "docking/DockingWindowOwner.h"
#include "docking/core/FloatingPlacement.h"

namespace sstate {

using dockwins::DockPosition;
using dockwins::DockRequest;

namespace {

constexpr std::uint32_t kPositionCode = dockwins::kGetDockingPosition;

void PutPosition(DockingRecord& r, const DockPosition& p)
{
    r.SetSideFlags(p.sideFlags);
    if (p.sideFlags & kSideFloating) {
        r.SetPositionRect(p.floatRect);
    } else {
        r.SetBarIndex(p.barIndex);
        r.SetFraction(p.fraction);
        r.SetWidth(p.width);
        r.SetHeight(p.height);
    }
    r.SetTabIndex(p.tabIndex);
}

DockPosition GetPosition(const DockingRecord& r)
{
    DockPosition p;
    p.sideFlags = r.SideFlags();
    if (r.Floating()) {
        p.floatRect = r.PositionRect();
    } else {
        p.barIndex = r.BarIndex();
        p.fraction = r.Fraction();
        p.width = r.Width();
        p.height = r.Height();
    }
    p.tabIndex = r.TabIndex();
    return p;
}

// A docking window's minimum when it floats.
QSize FloatingMinimum(CTabbedAutoHideDockingWindow* window)
{
    dockwins::MINMAXINFO info;
    window->GetMinMaxInfo(info);
    return QSize(info.ptMinTrackSize.x, info.ptMinTrackSize.y);
}

// Within reach on the screens of the restore, as every floating window is placed.
dockwins::RECT WithinReach(const dockwins::RECT& r, QSize minimum, const ScreenSet& screens)
{
    std::vector<dockwins::RECT> areas;
    for (const QRect& screen : screens.rects)
        areas.push_back(dockwins::ToRect(screen));
    return dockwins::PlaceFloatingWindow(r, minimum.width(), minimum.height(), areas);
}

// The box that holds the window, when it is in one.
QWidget* BoxOf(CTabbedAutoHideDockingWindow* window)
{
    QWidget* holder = window ? window->DockedTo() : nullptr;
    return holder && dockwins::IsBoxWindow(holder) ? holder : nullptr;
}

}  // namespace

// ------------------------------------------------------------------ one pane

CDockingWindowStateAdapter::CDockingWindowStateAdapter(CTabbedAutoHideDockingWindow* window) : m_window(window) {}

bool CDockingWindowStateAdapter::GetPlacement(DockingRecord& record, QWidget** holder) const
{
    *holder = nullptr;
    if (!m_window)
        return false;
    CTabbedAutoHideDockingWindow* w = m_window;
    QWidget* dockedTo = w->DockedTo();
    bool ok = true;
    record.SetDocked(dockedTo != nullptr);
    if (dockedTo) {
        record.SetFloatRect(w->FloatingRect());
        DockRequest request;
        request.window = w;
        request.target = dockedTo;
        ok = w->GetDockingPosition(request);
        record.words[2] = kPositionCode;
        PutPosition(record, request.position);
        *holder = dockedTo;
    } else {
        record.SetFloatRect(dockwins::ToRect(w->geometry()));
    }
    const bool visible = w->IsShownOrTabbed();
    record.SetVisible(visible);
    if (!dockedTo && !visible && w->StoredPosition().target) {
        record.words[2] = kPositionCode;
        PutPosition(record, w->StoredPosition().position);
        *holder = w->StoredTarget();  // never the handle of a window that is gone
    }
    return ok;
}

bool CDockingWindowStateAdapter::SetPlacement(const IMainState* main, DockingRecord record, QWidget* join)
{
    if (!m_window)
        return false;
    CTabbedAutoHideDockingWindow* w = m_window;
    const dockwins::IDockingWindowOwner* owner = w->Owner();
    if (main)
        ScaleRecord(record, main->GetXRatio(), main->GetYRatio());
    const QSize client = owner && owner->ClientArea() ? owner->ClientArea()->size() : QSize(0, 0);
    ClampRecord(record, client.width(), client.height());
    const ScreenSet screens = main ? main->Screens() : ScreenSet::Current();
    const QSize minimum = FloatingMinimum(w);
    dockwins::RECT floatRect = record.FloatRect();
    // An empty rectangle (never floated) stays empty unless the window floats now.
    if (!floatRect.IsEmpty() || (!record.Docked() && record.Visible()))
        floatRect = WithinReach(floatRect, minimum, screens);
    if (record.Floating())
        record.SetPositionRect(WithinReach(record.PositionRect(), minimum, screens));

    DockRequest position;
    position.window = w;
    position.code = dockwins::kSetDockingPosition;
    position.position = GetPosition(record);
    QWidget* target = join ? join : (record.HasPosition() ? w->Frame() : nullptr);

    if (w->IsDocked())
        w->Undock();
    if (!record.Visible()) {
        w->SetFloatingRect(floatRect);
        w->setGeometry(dockwins::ToQRect(floatRect));
        w->hide();
        w->RememberPosition(position, target);
        return true;
    }
    if (!record.Docked()) {
        w->SetFloatingRect(floatRect);
        w->setGeometry(dockwins::ToQRect(floatRect));
        w->show();
        return true;
    }
    w->RememberPosition(position, target ? target : w->Frame());
    const bool docked = w->DockBack();
    // The window keeps the floating rectangle stored for it, an empty one
    // too, unless it floats by itself because nobody took it: a window of a
    // floating box stands at the box's place only until the box is rebuilt.
    if (!floatRect.IsEmpty() || w->IsDocked() || record.Floating())
        w->SetFloatingRect(floatRect);
    // Nobody took it: it floats rather than being lost.
    if (!w->IsDocked() && w->isHidden())
        w->FloatAfterRefusal();
    return docked;
}

bool CDockingWindowStateAdapter::SaveAndHide()
{
    if (!m_window)
        return false;
    DockingRecord record;
    QWidget* holder = nullptr;
    if (GetPlacement(record, &holder)) {
        m_cached = record;
        m_cachedHolder = holder;
    } else {
        m_cached.reset();
    }
    return m_window->Hide();
}

bool CDockingWindowStateAdapter::RestoreDefault()
{
    if (!m_window)
        return false;
    if (m_cached) {
        // The holder may be gone (an emptied bar): then the frame places it.
        QWidget* join = m_cachedHolder && dockwins::IsBoxWindow(m_cachedHolder) ? m_cachedHolder.data() : nullptr;
        DockingRecord record = *m_cached;
        m_cached.reset();
        if (SetPlacement(nullptr, record, join))
            return true;
    }
    if (!m_window->IsVisibleWindow() && !m_window->IsDocked())
        m_window->show();
    return true;
}

// ------------------------------------------------------------------ the panes

int CDockWndMgrEx::Add(std::shared_ptr<CDockingWindowStateAdapter> adapter)
{
    const int id = m_nextId--;
    m_children[id] = std::move(adapter);
    return id;
}

bool CDockWndMgrEx::Store(IMainState&, CStateKey& key)
{
    // Windows of one floating box share the box's ordinal, so that they are
    // rebuilt as one box; handles of this run are never stored.
    std::map<QWidget*, std::uint32_t> boxOrdinals;
    for (auto& [id, child] : m_children) {
        DockingRecord record;
        QWidget* holder = nullptr;
        if (!child->GetPlacement(record, &holder))
            continue;
        record.words[0] = 0;
        std::uint32_t word4 = 0;
        for (auto& [otherId, other] : m_children)
            if (otherId != id && other->Window() && holder == other->Window())
                word4 = static_cast<std::uint32_t>(otherId);
        if (record.Docked() && record.Floating() && BoxOf(child->Window())) {
            auto [it, added] = boxOrdinals.emplace(holder, static_cast<std::uint32_t>(boxOrdinals.size() + 1));
            word4 = it->second << 9;
        }
        record.words[1] = word4;
        key.WriteBinary(IdName(id), record.ToBytes());
    }
    return true;
}

bool CDockWndMgrEx::Restore(IMainState& main, const CStateKey& key)
{
    // The bars are laid out over the client area as the restored placement
    // sized it (a window not shown yet has had no resize to tell its bars).
    if (m_frame)
        m_frame->UpdateLayout(false);
    for (auto& [id, child] : m_children)
        child->SaveAndHide();

    std::vector<std::pair<int, DockingRecord>> docked;
    for (auto& [id, child] : m_children) {
        const auto bytes = key.ReadBinary(IdName(id), DockingRecord::kSize);
        const auto record = bytes ? DockingRecord::FromBytes(*bytes) : std::nullopt;
        if (!record) {
            child->RestoreDefault();
            continue;
        }
        if (!record->Docked()) {
            // A place that names another pane joins it when it is shown again.
            const auto named = m_children.find(record->Target());
            QWidget* join = named != m_children.end() && named->first != id ? named->second->Window() : nullptr;
            child->SetPlacement(&main, *record, join);
            continue;
        }
        docked.push_back({id, *record});
    }

    const std::vector<PlannedRecord> plan = PlanDockedRecords(docked);
    CTabbedAutoHideDockingWindow* placed = nullptr;
    CTabbedAutoHideDockingWindow* active = nullptr;
    bool lastVisible = true;
    std::vector<CTabbedAutoHideDockingWindow*> members;
    for (const PlannedRecord& p : plan) {
        CDockingWindowStateAdapter& child = *m_children.at(p.id);
        DockingRecord record = p.record;
        if (record.Pinned()) {
            // Placed hidden (its floating rectangle kept), then pinned once with its label.
            record.SetDocked(false);
            record.SetVisible(false);
            child.SetPlacement(&main, record, nullptr);
            continue;
        }
        if (p.startsGroup) {
            FinishGroup(placed, active, lastVisible, members);
            placed = nullptr;
            active = nullptr;
            members.clear();
        }
        lastVisible = record.Visible();
        record.SetVisible(true);
        child.SetPlacement(&main, record, placed);
        placed = child.Window();
        members.push_back(placed);
        if (record.SideFlags() & kSideBoxActive)
            active = placed;
    }
    FinishGroup(placed, active, lastVisible, members);
    for (const PinGroup& group : GroupPinned(plan))
        PinLabel(group);
    return true;
}

void CDockWndMgrEx::FinishGroup(CTabbedAutoHideDockingWindow* placed, CTabbedAutoHideDockingWindow* active,
                                bool lastVisible, const std::vector<CTabbedAutoHideDockingWindow*>& members)
{
    if (!placed)
        return;
    QWidget* box = BoxOf(placed);
    if (box && active)
        dockwins::RequestActivateTab(box, active);
    if (lastVisible)
        return;
    // The group was hidden: a box is hidden as a whole (it is a docking
    // window itself), a lone window by itself; no bar and no frame is ever
    // closed for it.
    if (auto* boxWindow = dynamic_cast<CTabbedAutoHideDockingWindow*>(box)) {
        boxWindow->Hide();
        return;
    }
    for (auto it = members.rbegin(); it != members.rend(); ++it)
        if (*it)
            (*it)->Hide();
}

void CDockWndMgrEx::PinLabel(const PinGroup& group)
{
    if (!m_frame)
        return;
    std::vector<dockwins::WindowHandle> windows;
    std::vector<unsigned> widths;
    for (std::size_t i = 0; i < group.ids.size(); ++i)
        if (CTabbedAutoHideDockingWindow* w = m_children.at(group.ids[i])->Window()) {
            windows.push_back(w);
            widths.push_back(group.widths[i]);
        }
    CTabbedAutoHideDockingWindow* active = m_children.at(group.activeId)->Window();
    if (windows.empty() || !active)
        return;
    dockwins::PinToSideRequest pin;
    pin.window = active;
    pin.sideFlags = group.sideFlags & 3u;
    pin.width = group.width;
    pin.windows = windows;
    pin.widths = widths;
    if (dockwins::RequestPinToSide(m_frame, pin))
        return;
    // A frame that cannot pin leaves the panes reachable.
    for (dockwins::WindowHandle handle : windows) {
        auto* w = static_cast<CTabbedAutoHideDockingWindow*>(handle);
        if (!w->IsDocked() && w->isHidden())
            w->Activate();
    }
}

bool CDockWndMgrEx::RestoreDefault()
{
    for (auto& [id, child] : m_children)
        child->RestoreDefault();
    return true;
}

}  // namespace sstate
