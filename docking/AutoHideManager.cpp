#include "docking/AutoHideManager.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QTimer>
#include <QWidget>

#include "docking/AutoHidePane.h"
#include "docking/AutoHideStrip.h"
#include "docking/DockEvents.h"
#include "docking/DockRequests.h"
#include "docking/DockingSystemSettings.h"
#include "docking/DockingWindow.h"
#include "docking/GhostBar.h"
#include "docking/core/CaptionLayout.h"

namespace dockwins {

namespace {

// Widths beyond any screen are cut so that no pane arithmetic overflows.
constexpr unsigned kMaxPinnedWidth = 100000;

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
    m_slide = new CAutoHideSlide(m_pane, this);

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

}  // namespace dockwins
