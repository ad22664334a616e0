#include "docking/AutoHideManager.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QTimer>
#include <QWidget>

#include "docking/AutoHidePane.h"
#include "docking/AutoHideSizeTracker.h"
#include "docking/AutoHideStrip.h"
#include "docking/DockEvents.h"
#include "docking/DockRequests.h"
#include "docking/DockingSystemSettings.h"
#include "docking/DockingWindow.h"
#include "docking/DragSession.h"
#include "docking/GhostBar.h"
#include "docking/core/CaptionLayout.h"

namespace dockwins {

namespace {

// Widths beyond any screen are cut so that no pane arithmetic overflows.
constexpr unsigned kMaxPinnedWidth = 100000;


bool FullDrag() { return (DockingSettings().Flags() & CDockingSettings::kFullDrag) != 0; }

}  // namespace

CAutoHideManager::CAutoHideManager(QWidget* frame, QWidget* clientArea, IFocusHandler* focus,
                                   std::function<void()> relayout)
    : m_frame(frame), m_clientArea(clientArea), m_focus(focus), m_relayout(std::move(relayout))
{
    for (int side = 0; side < kAutoHideSideCount; ++side)
        m_strips[static_cast<std::size_t>(side)] = new CAutoHideStrip(*this, side, clientArea);
    m_pane = new CAutoHidePane(*this, clientArea);
    m_ghost = new CGhostBar(clientArea);

    m_hoverTimer = new QTimer(this);
    m_hoverTimer->setSingleShot(true);
    m_hoverTimer->setInterval(kAutoHideHoverMs);
    connect(m_hoverTimer, &QTimer::timeout, this, &CAutoHideManager::HoverShow);
    m_hideTimer = new QTimer(this);
    m_hideTimer->setInterval(kAutoHideHideCheckMs);
    connect(m_hideTimer, &QTimer::timeout, this, &CAutoHideManager::HideTick);
    m_slideTimer = new QTimer(this);
    m_slideTimer->setInterval(kAutoHideSlideMs / kAutoHideSlideSteps);
    connect(m_slideTimer, &QTimer::timeout, this, &CAutoHideManager::SlideStep);

    m_hoverAllowed = [this] {
        return m_frame && m_frame->isActiveWindow() && QApplication::mouseButtons() == Qt::NoButton;
    };
    m_cursor = [] { return QCursor::pos(); };
    RefreshMetrics();
}

CAutoHideManager::~CAutoHideManager()
{
    // Pinned windows are children of the pane and go with it.
    m_closing = true;
    m_hoverTimer->stop();
    m_hideTimer->stop();
    m_slideTimer->stop();
    for (auto& strip : m_strips)
        delete strip.data();
    delete m_ghost.data();
    delete m_pane.data();
}

// ------------------------------------------------------------------ frame's calls

RECT CAutoHideManager::TakeStrips(const RECT& client)
{
    DropDeadEntries();
    const auto has = m_labels.HasLabels();
    m_sides = LayOutAutoHideSides(client, has, m_thickness);
    for (int side = 0; side < kAutoHideSideCount; ++side) {
        const auto s = static_cast<std::size_t>(side);
        CAutoHideStrip* strip = m_strips[s];
        if (has[s]) {
            LayOutSide(side);
            if (strip) {
                strip->setGeometry(ToQRect(AutoHideStripFill(m_sides, side)));
                strip->show();
                strip->update();
            }
        } else {
            m_labelRects[s].clear();
            if (strip)
                strip->hide();
        }
    }
    if (m_shown && !IsSliding())
        if (const auto where = m_labels.Find(m_shown); where.Found())
            PlacePane(PaneRectFor(m_side, m_labels.LabelAt(where.side, where.label).At(where.entry).width));
    return m_sides.bounds;
}

bool CAutoHideManager::GetDockingPosition(DockRequest& request)
{
    const auto position = m_labels.PositionOf(Window(ToWidget(request.window)));
    if (!position.found)
        return false;
    request.position.sideFlags = static_cast<unsigned>(position.sideFlags);
    request.position.barIndex = position.barIndex;
    request.position.fraction = 0.0f;
    request.position.width = static_cast<unsigned>(std::max(0, position.width));
    request.position.height = 1;
    request.position.tabIndex = position.tabIndex;
    return true;
}

bool CAutoHideManager::IsAutoHidePane(WindowHandle target) const { return target && target == m_pane.data(); }

std::intptr_t CAutoHideManager::PinToSide(DockRequest& request, bool& stripAppeared)
{
    stripAppeared = false;
    if (!m_pane)
        return 0;
    const int side = static_cast<int>(request.position.sideFlags & 3u);
    const auto limited = [](unsigned width) { return static_cast<int>(std::min(width, kMaxPinnedWidth)); };
    const int width = limited(request.position.width);
    std::vector<QWidget*> windows;
    std::vector<int> widths;  // each window's own
    if (request.windowCount >= 2 && request.windows) {
        for (int i = 0; i < request.windowCount; ++i)
            if (QWidget* w = ToWidget(request.windows[i]); w && std::find(windows.begin(), windows.end(), w) == windows.end()) {
                windows.push_back(w);
                widths.push_back(request.widths ? limited(request.widths[i]) : width);
            }
    } else if (QWidget* w = ToWidget(request.window)) {
        windows.push_back(w);
        widths.push_back(width);
    }
    if (windows.empty())
        return 0;

    // A window already pinned leaves its label first: no two labels own one window.
    bool sideEmptied = false;
    for (QWidget* w : windows) {
        if (!m_labels.IsPinned(w))
            continue;
        if (w == m_shown)
            Hide(false);
        sideEmptied = m_labels.Remove(w).sideEmptied || sideEmptied;
    }

    std::vector<Labels::Entry> entries;
    for (QWidget* w : windows)
        entries.push_back({Window(w), 0, w->windowTitle().toStdU16String(), !w->windowIcon().isNull()});
    const auto pinned = m_labels.PinUp(side, std::move(entries), Window(ToWidget(request.window)), width);
    if (!pinned.where.Found())
        return 0;
    {
        auto& label = m_labels.LabelAt(pinned.where.side, pinned.where.label);
        for (std::size_t i = 0; i < windows.size(); ++i)
            if (const int entry = label.IndexOf(Window(windows[i])); entry >= 0)
                label.At(entry).width = widths[i];
    }
    for (QWidget* w : windows)
        Attach(w, side);
    stripAppeared = pinned.sideWasEmpty;
    if (stripAppeared || sideEmptied) {
        Relayout();
    } else {
        LayOutSide(side);
        RedrawSide(side);
    }
    if (request.pinShow & 1u) {
        const auto& label = m_labels.LabelAt(pinned.where.side, pinned.where.label);
        Show(label.At(label.Active()).window, false);
    }
    return 1;
}

int CAutoHideManager::MinimumExtraWidth() const
{
    return AutoHideMinimumGrowth(m_labels.HasLabels(), m_thickness).width;
}

int CAutoHideManager::MinimumExtraHeight() const
{
    return AutoHideMinimumGrowth(m_labels.HasLabels(), m_thickness).height;
}

void CAutoHideManager::RefreshMetrics()
{
    const QFontMetrics metrics(QApplication::font());
    // The vertical font is the same font turned: the same height.
    m_thickness = AutoHideStripThickness(metrics.height(), metrics.height(), m_smallIcon);
    if (m_pane)
        m_pane->RefreshMetrics();
}

void CAutoHideManager::SetSmallIconSize(int size)
{
    m_smallIcon = std::max(0, size);
    RefreshMetrics();
}

// ------------------------------------------------------------------ pin and release

void CAutoHideManager::Attach(QWidget* window, int side)
{
    window->hide();
    window->setParent(m_pane);
    CDockNotifyEvent notify(true, IsVerticalSide(side), m_pane, true);
    QCoreApplication::sendEvent(window, &notify);
    connect(window, &QObject::destroyed, this, &CAutoHideManager::OnWindowDestroyed, Qt::UniqueConnection);
}

void CAutoHideManager::Release(QWidget* window)
{
    disconnect(window, &QObject::destroyed, this, &CAutoHideManager::OnWindowDestroyed);
    window->hide();
    // Never parentless: a released window floats as a tool window of the frame.
    window->setParent(m_frame ? m_frame.data() : nullptr, Qt::Tool | Qt::FramelessWindowHint);
    CDockNotifyEvent notify(false, false, m_pane);
    QCoreApplication::sendEvent(window, &notify);
}

bool CAutoHideManager::Remove(QWidget* window, bool unpin)
{
    if (!window)
        return false;
    const auto where = m_labels.Find(window);
    if (!where.Found())
        return false;
    const auto& owner = m_labels.LabelAt(where.side, where.label);
    if (m_shown && (m_shown == window || (unpin && owner.IsOwner(m_shown))))
        Hide(false);
    if (!unpin) {
        const auto removed = m_labels.Remove(window);
        Release(window);
        if (removed.sideEmptied) {
            Relayout();
        } else {
            LayOutSide(removed.side);
            RedrawSide(removed.side);
        }
        return true;
    }
    auto label = m_labels.Unpin(window);
    if (label)
        UnpinLabel(std::move(*label), where.side);
    Relayout();
    return true;
}

void CAutoHideManager::UnpinLabel(Labels::Label label, int side)
{
    const std::vector<Window> order = label.UnpinOrder();
    const Window active = label.At(label.Active()).window;
    QPointer<QWidget> first;
    auto dockAt = [&](QWidget* w, QWidget* target, int tabIndex) {
        const auto p = label.PositionOf(Window(w));
        DockRequest request;
        request.window = w;
        request.position.sideFlags = static_cast<unsigned>(PinnedSideFlags(side)) | (p.active ? kSideBoxActive : 0u);
        request.position.barIndex = 0;
        request.position.fraction = 0.0f;
        request.position.width = static_cast<unsigned>(std::max(0, p.width));
        request.position.height = 1;
        request.position.tabIndex = tabIndex;
        return RequestSetDockingPosition(target, request);
    };
    for (std::size_t i = 0; i < order.size(); ++i) {
        QWidget* w = order[i];
        if (!w)
            continue;
        Release(w);
        // The first window takes a new bar on the side; the others join it as
        // tabs. A window nobody takes gets a bar of its own, or floats: never lost.
        bool docked = false;
        if (first)
            docked = dockAt(w, first, static_cast<int>(i));
        if (!docked)
            docked = dockAt(w, m_frame, 0);
        if (!docked)
            if (auto* dw = qobject_cast<CTabbedAutoHideDockingWindow*>(w))
                dw->FloatAfterRefusal();
        if (!first)
            first = w;
    }
    if (first && active && order.size() > 1)
        RequestActivateTab(first, active);
}

void CAutoHideManager::OnWindowDestroyed()
{
    if (m_closing)
        return;
    // The sender is going: its entry is dropped by identity, so that no label
    // keeps a window that is gone.
    QObject* gone = sender();
    for (int side = 0; side < kAutoHideSideCount; ++side)
        for (int i = 0; i < m_labels.LabelCount(side); ++i) {
            auto& label = m_labels.LabelAt(side, i);
            for (int j = 0; j < label.Count(); ++j)
                if (label.At(j).window.data() == gone)
                    label.At(j).window = nullptr;
        }
    if (m_shown.data() == gone)
        m_shown = nullptr;
    DropDeadEntries();
    Relayout();
}

void CAutoHideManager::DropDeadEntries()
{
    while (m_labels.IsPinned(Window()))
        m_labels.Remove(Window());
    if (!m_shown && m_pane && m_pane->isVisible() && !IsSlidingOut())
        Hide(false);
}

// ------------------------------------------------------------------ layout and drawing

int CAutoHideManager::MeasureText(const std::u16string& text) const
{
    return QFontMetrics(QApplication::font()).horizontalAdvance(QString::fromStdU16String(text));
}

void CAutoHideManager::LayOutSide(int side)
{
    const auto s = static_cast<std::size_t>(side);
    if (m_labels.LabelCount(side) == 0 || m_sides.strips[s].IsEmpty()) {
        m_labelRects[s].clear();
        return;
    }
    m_labelRects[s] = m_labels.LayOutSide(
        side, m_sides.strips[s], [this](const std::u16string& text) { return MeasureText(text); }, m_smallIcon);
}

void CAutoHideManager::RedrawSide(int side)
{
    if (CAutoHideStrip* strip = m_strips[static_cast<std::size_t>(side)])
        strip->update();
}

void CAutoHideManager::Relayout()
{
    if (m_relayout && !m_closing)
        m_relayout();
}

QRect CAutoHideManager::LabelRectOf(QWidget* window) const
{
    const auto where = m_labels.Find(window);
    if (!where.Found())
        return {};
    const auto& rects = m_labelRects[static_cast<std::size_t>(where.side)];
    if (where.label >= static_cast<int>(rects.size()))
        return {};
    return ToQRect(rects[static_cast<std::size_t>(where.label)]);
}

QRect CAutoHideManager::PaneRectFor(int side, int width) const
{
    return ToQRect(AutoHidePaneRect(m_sides.bounds, side, width));
}

void CAutoHideManager::RaiseOverBars()
{
    if (m_pane)
        m_pane->raise();
    if (m_ghost)
        m_ghost->raise();
}

void CAutoHideManager::PlacePane(const QRect& rect)
{
    if (m_pane)
        m_pane->setGeometry(rect);
}

// ------------------------------------------------------------------ hover, show and hide

void CAutoHideManager::HoverCheck(QPoint clientPoint)
{
    m_hoverPoint = clientPoint;
    if (m_hoverAllowed && !m_hoverAllowed())
        return;
    const auto where = m_labels.EntryAt(m_labelRects, {clientPoint.x(), clientPoint.y()}, false);
    QWidget* w = where.Found() ? m_labels.LabelAt(where.side, where.label).At(where.entry).window.data() : nullptr;
    if (!w || w == m_shown) {
        HoverLeave();
        return;
    }
    if (w != m_candidate) {
        m_candidate = w;
        m_hoverTimer->start();
    }
}

void CAutoHideManager::HoverLeave()
{
    m_candidate = nullptr;
    m_hoverTimer->stop();
}

void CAutoHideManager::HoverShow()
{
    QWidget* candidate = m_candidate;
    m_candidate = nullptr;
    if (!candidate || (m_hoverAllowed && !m_hoverAllowed()))
        return;
    const auto where = m_labels.EntryAt(m_labelRects, {m_hoverPoint.x(), m_hoverPoint.y()}, true);
    if (!where.Found())
        return;
    QWidget* w = m_labels.LabelAt(where.side, where.label).At(where.entry).window;
    if (w != candidate || w == m_shown)
        return;
    RedrawSide(where.side);
    Show(w, true);
}

bool CAutoHideManager::Show(QWidget* window, bool slide)
{
    DropDeadEntries();
    const auto where = m_labels.Find(window);
    if (!where.Found() || !m_pane)
        return false;
    StopSlide();
    if (m_shown) {
        m_hideTimer->stop();
        m_shown->hide();
        m_pane->hide();
        const int oldSide = m_side;
        m_shown = nullptr;
        RedrawSide(oldSide);
    }
    m_side = where.side;
    m_shown = window;
    const auto& entry = m_labels.LabelAt(where.side, where.label).At(where.entry);
    m_pane->SetShown(window, m_side, QString::fromStdU16String(entry.text));
    const QRect target = PaneRectFor(m_side, entry.width);
    window->show();
    m_pane->raise();
    if (slide && FullDrag()) {
        StartSlide(target, true);
    } else {
        PlacePane(target);
        m_pane->show();
    }
    m_hideTimer->start();
    RedrawSide(m_side);
    return true;
}

void CAutoHideManager::Hide(bool slide)
{
    m_hideTimer->stop();
    StopSlide();
    // The entry is forgotten before the pane slides back.
    QPointer<QWidget> shown = m_shown;
    m_shown = nullptr;
    if (shown)
        shown->hide();
    if (m_pane) {
        m_pane->SetShown(nullptr, m_side, QString());
        if (m_pane->isVisible() && slide && FullDrag())
            StartSlide(m_pane->geometry(), false);
        else
            m_pane->hide();
    }
    RedrawSide(m_side);
}

bool CAutoHideManager::PointerAndFocusHaveLeft() const
{
    if (!m_shown || !m_pane || !m_clientArea)
        return true;
    const QPoint cursor = m_clientArea->mapFromGlobal(m_cursor ? m_cursor() : QCursor::pos());
    const QWidget* focus = QApplication::focusWidget();
    const bool focusInPane = focus && (focus == m_pane || m_pane->isAncestorOf(focus));
    return AutoHideShouldHide({cursor.x(), cursor.y()}, ToRect(m_pane->geometry()), ToRect(LabelRectOf(m_shown)),
                              focusInPane);
}

void CAutoHideManager::HideTick()
{
    if (!m_shown) {
        m_hideTimer->stop();
        return;
    }
    if (PointerAndFocusHaveLeft())
        Hide(true);
}

// ------------------------------------------------------------------ sliding

bool CAutoHideManager::IsSliding() const { return m_slideTimer->isActive(); }

void CAutoHideManager::StartSlide(const QRect& pane, bool show)
{
    m_slideSteps = AutoHideSlideSteps(ToRect(pane), m_side, show);
    m_slideShowing = show;
    m_slideIndex = 0;
    if (show && !m_slideSteps.empty()) {
        PlacePane(ToQRect(m_slideSteps[m_slideIndex++]));
        m_pane->show();
    }
    m_slideTimer->start();
}

void CAutoHideManager::SlideStep()
{
    if (m_slideIndex < m_slideSteps.size())
        PlacePane(ToQRect(m_slideSteps[m_slideIndex++]));
    if (m_slideIndex >= m_slideSteps.size()) {
        m_slideTimer->stop();
        if (!m_slideShowing && m_pane)
            m_pane->hide();
    }
}

void CAutoHideManager::StopSlide()
{
    // A new slide stops the running one; nothing of it is stored.
    if (!m_slideTimer->isActive())
        return;
    m_slideTimer->stop();
    if (!m_slideShowing && m_pane)
        m_pane->hide();
}

// ------------------------------------------------------------------ the pane's requests

void CAutoHideManager::OnPaneResized()
{
    // Only a size the user gave the pane is kept: neither the steps of a
    // slide nor a place cut short by narrow bounds replace the width.
    if (!m_userSizing || !m_shown || IsSliding() || !m_pane)
        return;
    const auto where = m_labels.Find(m_shown);
    if (!where.Found())
        return;
    const int extent = IsVerticalSide(m_side) ? m_pane->width() : m_pane->height();
    if (const auto width = AutoHideWidthToStore(extent, m_pane->CaptionThickness()))
        m_labels.LabelAt(where.side, where.label).At(where.entry).width = *width;
}

void CAutoHideManager::OnPaneUnpin()
{
    if (QWidget* window = m_shown)
        Remove(window, true);
}

void CAutoHideManager::OnPaneClose()
{
    // The shown window closes as by its own close: hidden, its place kept.
    if (QPointer<QWidget> window = m_shown.data())
        window->close();
}

void CAutoHideManager::StartSizing(QPoint clientPoint)
{
    if (!m_shown || !m_pane || !m_clientArea || IsSliding())
        return;
    std::unique_ptr<IDDTracker> tracker;
    const RECT pane = ToRect(m_pane->geometry());
    const POINT at{clientPoint.x(), clientPoint.y()};
    IAutoHideSizingView& view = *this;
    if (DockingSettings().GhostDrag())
        tracker = std::make_unique<CSizeTrackerGhost>(view, pane, m_sides.bounds, m_side, at);
    else
        tracker = std::make_unique<CSizeTrackerFull>(view, pane, m_sides.bounds, m_side, at);
    CDragSession::Start(m_clientArea, std::move(tracker));
}

void CAutoHideManager::SuspendHiding(bool suspend)
{
    if (suspend)
        m_hideTimer->stop();
    else if (m_shown)
        m_hideTimer->start();
}

void CAutoHideManager::MovePane(const QRect& rect)
{
    m_userSizing = true;
    PlacePane(rect);
    m_userSizing = false;
}

void CAutoHideManager::ShowSizingGhost(const QRect& bar)
{
    if (!m_ghost)
        return;
    m_ghost->setGeometry(bar);
    m_ghost->show();
    m_ghost->raise();
}

void CAutoHideManager::HideSizingGhost()
{
    if (m_ghost)
        m_ghost->hide();
}

bool CAutoHideManager::IsSizingGhostShown() const { return m_ghost && m_ghost->isVisible(); }

void CAutoHideManager::RecordPaneCaption()
{
    if (m_focus && m_pane)
        m_focus->RecordCaption(m_pane.data());
}

}  // namespace dockwins
