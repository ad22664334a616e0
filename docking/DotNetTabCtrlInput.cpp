// The tab strip's pointer and keyboard input: hot tracking, presses on the
// tabs and the close and scroll buttons, the held scroll buttons' repeat,
// tooltips, the Left and Right keys and, with kItemDrag, the item drag that
// moves a tab along the strip (its rules in docking/core/TabTracking).

#include "docking/DotNetTabCtrl.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include "docking/DockEvents.h"
#include "docking/DragSession.h"

namespace dockwins {

// Hands the drag session's calls to the strip; owned by the session.
class CDotNetTabCtrl::ItemDragTracker final : public IDDTracker {
public:
    explicit ItemDragTracker(CDotNetTabCtrl& ctrl) : m_ctrl(&ctrl) {}
    void BeginDrag() override {}
    void EndDrag(bool) override {
        if (m_ctrl)
            m_ctrl->ItemDragEnded();
    }
    void OnMove(int x, int y) override {
        if (m_ctrl)
            m_ctrl->ItemDragMove({x, y});
    }
    void OnCancelDrag(int, int) override {
        if (m_ctrl)
            m_ctrl->ItemDragCancel();
    }
    void OnDrop(int, int) override {
        if (m_ctrl)
            m_ctrl->ItemDragDrop();
    }

private:
    QPointer<CDotNetTabCtrl> m_ctrl;
};

void CDotNetTabCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (m_buttons.Pressed() == TabElement::TabArea && (m_style & kItemDrag) && !m_itemDrag.Active() &&
        !m_itemDragRefused && m_pressedIndex >= 0 && p.x() != m_pressPoint.x() &&
        (event->buttons() & Qt::LeftButton)) {
        BeginItemDrag();
        if (m_itemDrag.Active()) {
            ItemDragMove(p);
            return;
        }
    }
    const TabElement element = ElementAt(p);
    const TabElement oldHot = m_buttons.Hot();
    const TabElement oldPointer = m_buttons.Pointer();
    m_buttons.OnMove(element);
    int hot = -1;
    if ((m_style & kHotTrack) && element == TabElement::TabArea)
        hot = HitTest(p);
    const bool hotChanged = hot != m_items.Hot();
    m_items.SetHot(hot);
    if (hotChanged || oldHot != m_buttons.Hot() || oldPointer != m_buttons.Pointer())
        update();
}

void CDotNetTabCtrl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_buttons.OnLeave();
    m_items.SetHot(-1);
    Relayout();
    update();
}

void CDotNetTabCtrl::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    switch (event->button()) {
    case Qt::LeftButton: break;
    case Qt::RightButton: {
        const int index = HitTest(p);
        const bool refused = m_owner && m_owner->OnTabRightClick(index, p);
        if (!refused && index >= 0)
            SetCurSel(index, true);
        return;
    }
    case Qt::MiddleButton: emit middleClicked(HitTest(p), p); return;
    default: return;
    }

    m_pressedIndex = -1;
    m_itemDragRefused = false;
    const TabElement element = ElementAt(p);
    switch (element) {
    case TabElement::Close:
        m_buttons.OnPress(element);
        update();
        return;
    case TabElement::ScrollRight:
    case TabElement::ScrollLeft: {
        m_buttons.OnPress(element);
        const bool right = element == TabElement::ScrollRight;
        if (const int step = TabScrollStep(m_layout.scroll, right)) {
            ScrollBy(step);
            const int interval = TabScrollRepeatMs(kScrollRepeatSpeed);
            if (interval > 0)
                (right ? m_scrollRightTimer : m_scrollLeftTimer).start(interval);
        }
        update();
        return;
    }
    default: break;
    }
    const int index = HitTest(p);
    const bool refused = m_owner && m_owner->OnTabClick(index, p);
    if (refused || index < 0)
        return;
    SetCurSel(index, true);
    if (GetCurSel() != index)
        return;  // the owner kept the old selection: nothing to press or drag
    m_buttons.OnPress(TabElement::TabArea);
    m_pressedIndex = index;
    m_pressPoint = p;
}

void CDotNetTabCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool closeClick = m_buttons.OnRelease();
    m_pressedIndex = -1;
    Relayout();
    update();
    if (closeClick && m_layout.strip.hasClose)
        emit closeClicked(GetCurSel(), event->position().toPoint());
}

void CDotNetTabCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    switch (event->button()) {
    case Qt::LeftButton: emit doubleClicked(HitTest(p), p); break;
    case Qt::RightButton: emit rightDoubleClicked(HitTest(p), p); break;
    case Qt::MiddleButton: emit middleDoubleClicked(HitTest(p), p); break;
    default: break;
    }
}

void CDotNetTabCtrl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: m_items.SelectPrevious(); break;
    case Qt::Key_Right: m_items.SelectNext(); break;
    default: QWidget::keyPressEvent(event); break;
    }
}

void CDotNetTabCtrl::OnScrollTimer(bool right)
{
    QTimer& timer = right ? m_scrollRightTimer : m_scrollLeftTimer;
    if (m_itemDrag.Active()) {
        timer.stop();
        ItemDragMove(mapFromGlobal(QCursor::pos()));
        return;
    }
    const TabElement element = right ? TabElement::ScrollRight : TabElement::ScrollLeft;
    const int step = TabScrollStep(m_layout.scroll, right);
    if (step == 0 || m_buttons.Pressed() != element) {
        timer.stop();
        return;
    }
    if (m_buttons.Repeats(element))
        ScrollBy(step);
}

bool CDotNetTabCtrl::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        ShowToolTip(static_cast<QHelpEvent*>(event));
        return true;
    case QEvent::UngrabMouse:
    case QEvent::WindowDeactivate:
        // The grab is gone: nothing stays pressed.
        if (m_buttons.Pressed() != TabElement::None) {
            m_buttons.OnCaptureLost();
            m_pressedIndex = -1;
            update();
        }
        break;
    default: break;
    }
    return QWidget::event(event);
}

void CDotNetTabCtrl::ShowToolTip(QHelpEvent* help)
{
    QString text;
    QRect rect;
    if (m_style & kToolTips) {
        unsigned flags = 0;
        const int index = HitTest(help->pos(), &flags);
        if (index >= 0) {
            const TabStripItem& item = m_items.Item(index);
            text = item.toolTip.isEmpty() ? item.text : item.toolTip;
            rect = GetItemRect(index).intersected(TabAreaRect());
        } else if (flags == TAB_HIT_CLOSE) {
            text = tr("Close");
            rect = CloseButtonRect();
        } else if (flags == TAB_HIT_SCROLL_RIGHT) {
            text = tr("Scroll Right");
            rect = ScrollRightButtonRect();
        } else if (flags == TAB_HIT_SCROLL_LEFT) {
            text = tr("Scroll Left");
            rect = ScrollLeftButtonRect();
        }
    }
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, this, rect);
}

// ---- item drag --------------------------------------------------------------

void CDotNetTabCtrl::BeginItemDrag()
{
    if (m_owner && m_owner->OnBeginItemDrag(m_pressedIndex, m_pressPoint)) {
        m_itemDragRefused = true;
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_itemDrag.Begin(m_pressedIndex);
    QGuiApplication::setOverrideCursor(Qt::DragMoveCursor);
    m_itemDragSession = CDragSession::Start(this, std::make_unique<ItemDragTracker>(*this));
    if (!m_itemDragSession)
        ItemDragEnded();
}

void CDotNetTabCtrl::ItemDragMove(const QPoint& p)
{
    if (!m_itemDrag.Active())
        return;
    QGuiApplication::changeOverrideCursor(rect().contains(p) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    std::vector<RECT> shifted;
    shifted.reserve(m_layout.items.size());
    for (const RECT& item : m_layout.items)
        shifted.push_back(item.Moved(m_layout.scroll.offset, 0));
    const int from = m_itemDrag.Current();
    if (const int target = m_itemDrag.OnMove(shifted, ToPoint(p)); target >= 0)
        MoveItem(from, target, true, false);
    if (m_style & kScrollButtons) {
        // Near an end of the strip it scrolls, and keeps scrolling while the pointer rests there.
        if (const int edge = TabItemDragEdgeScroll(m_layout.strip.tabArea, p.x()); edge != 0) {
            const bool right = edge > 0;
            if (const int step = TabScrollStep(m_layout.scroll, right)) {
                ScrollBy(step);
                (right ? m_scrollRightTimer : m_scrollLeftTimer).start(kEdgeScrollMs);
            }
        }
    }
}

void CDotNetTabCtrl::ItemDragDrop()
{
    if (m_itemDrag.Drop())
        emit itemDragDropped(m_itemDrag.Source(), m_itemDrag.Current());
}

void CDotNetTabCtrl::ItemDragCancel()
{
    int from = -1;
    if (!m_itemDrag.Cancel(from))
        return;
    const int source = m_itemDrag.Source();
    if (from != source)
        MoveItem(from, source, true, false);
    EnsureVisible(source);
    emit itemDragCancelled(source);
}

void CDotNetTabCtrl::ItemDragEnded()
{
    if (!m_itemDrag.Active())
        return;
    // A lost grab ends the drag without a drop: the tab goes back.
    if (m_itemDrag.Unresolved())
        ItemDragCancel();
    m_itemDrag.End();
    m_itemDragSession = nullptr;
    m_buttons.OnCaptureLost();
    m_pressedIndex = -1;
    m_scrollLeftTimer.stop();
    m_scrollRightTimer.stop();
    QGuiApplication::restoreOverrideCursor();
    update();
}

}  // namespace dockwins
