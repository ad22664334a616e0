// The auto-hide manager's pane: a label's window shown slid out on hover or
// by request, hidden again once pointer and focus have left it, and the
// pane's own requests (unpin, close, resizing by its sizing bar).

#include "docking/AutoHideManager.h"

#include <QApplication>
#include <QCursor>
#include <QTimer>
#include <QWidget>

#include "docking/AutoHidePane.h"
#include "docking/AutoHideSizeTracker.h"
#include "docking/AutoHideSlide.h"
#include "docking/DockEvents.h"
#include "docking/DockingSystemSettings.h"
#include "docking/DragSession.h"
#include "docking/GhostBar.h"

namespace dockwins {

namespace {

bool FullDrag() { return (DockingSettings().Flags() & CDockingSettings::kFullDrag) != 0; }

}  // namespace

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
    m_slide->Stop();
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
        m_slide->Start(target, m_side, true);
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
    m_slide->Stop();
    // The entry is forgotten before the pane slides back.
    QPointer<QWidget> shown = m_shown;
    m_shown = nullptr;
    if (shown)
        shown->hide();
    if (m_pane) {
        m_pane->SetShown(nullptr, m_side, QString());
        if (m_pane->isVisible() && slide && FullDrag())
            m_slide->Start(m_pane->geometry(), m_side, false);
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
