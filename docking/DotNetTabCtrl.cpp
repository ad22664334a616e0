#include "docking/DotNetTabCtrl.h"

#include <QApplication>
#include <QCursor>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include "docking/DockEvents.h"
#include "docking/DockingSystemSettings.h"
#include "docking/DragSession.h"
#include "docking/TabStripPainter.h"
#include "docking/core/TabColours.h"

namespace dockwins {

namespace {


}  // namespace

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

CDotNetTabCtrl::CDotNetTabCtrl(QWidget* parent, ITabCtrlOwner* owner, unsigned style)
    : QWidget(parent), m_owner(owner), m_style(style), m_items(*this)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollLeftTimer.setObjectName(QStringLiteral("scrollLeftRepeat"));
    m_scrollRightTimer.setObjectName(QStringLiteral("scrollRightRepeat"));
    m_scrollLeftTimer.setParent(this);
    m_scrollRightTimer.setParent(this);
    connect(&m_scrollLeftTimer, &QTimer::timeout, this, [this] { OnScrollTimer(false); });
    connect(&m_scrollRightTimer, &QTimer::timeout, this, [this] { OnScrollTimer(true); });
    Relayout();
}

CDotNetTabCtrl::~CDotNetTabCtrl()
{
    // The timers are members: take them out of the child list before they go.
    m_scrollLeftTimer.setParent(nullptr);
    m_scrollRightTimer.setParent(nullptr);
    // Ends a drag quietly: no tab moves back and nothing is announced from here.
    if (m_itemDrag.active) {
        m_itemDrag.active = false;
        QGuiApplication::restoreOverrideCursor();
    }
    if (m_itemDrag.session)
        m_itemDrag.session->Abandon();
}

void CDotNetTabCtrl::EndDrags()
{
    // The item drag keeps indexes into the list: it ends (the tab goes back)
    // before the list changes under it.
    if (m_itemDrag.active && m_itemDrag.session)
        m_itemDrag.session->Abandon();
    else if (m_itemDrag.active)
        ItemDragEnded();
    m_pressedIndex = -1;  // a press on a tab that moved starts no drag
}

// ---- items ----------------------------------------------------------------

int CDotNetTabCtrl::InsertItem(int index, const QString& text, const QIcon& icon, QWidget* window, bool select)
{
    EndDrags();
    TabStripItem item;
    item.text = text;
    item.toolTip = text;
    item.icon = icon;
    item.window = window;
    return m_items.InsertItem(index, std::move(item), select);
}

bool CDotNetTabCtrl::DeleteItem(int index, bool selectNeighbour, bool notify)
{
    if (!IsValid(index))
        return false;
    EndDrags();
    const int selected = m_items.Selected();
    if (!m_items.DeleteItem(index, selectNeighbour, notify))
        return false;
    if (index < selected)
        EnsureVisible(m_items.Selected());
    Relayout();
    update();
    return true;
}

void CDotNetTabCtrl::DeleteAllItems()
{
    EndDrags();
    m_items.DeleteAllItems();
    Relayout();
    update();
}

bool CDotNetTabCtrl::MoveItem(int from, int to, bool keepSelection, bool notify)
{
    return Reorder(keepSelection, [&] { return m_items.MoveItem(from, to, notify); });
}

bool CDotNetTabCtrl::SwapItems(int a, int b, bool keepSelection, bool notify)
{
    return Reorder(keepSelection, [&] { return m_items.SwapItems(a, b, notify); });
}

bool CDotNetTabCtrl::Reorder(bool keepSelection, const std::function<bool()>& change)
{
    // Without keepSelection the selected index stays where it was while the
    // tabs change places under it.
    const int selected = m_items.Selected();
    if (!change())
        return false;
    if (!keepSelection)
        m_items.SetCurSel(selected, false);
    Relayout();
    update();
    return true;
}

int CDotNetTabCtrl::SetCurSel(int index, bool notify)
{
    const int previous = m_items.Selected();
    const int result = m_items.SetCurSel(index, notify);
    if (!notify && m_items.Selected() != previous) {
        EnsureVisible(m_items.Selected());
        Relayout();
        update();
    }
    return result;
}

QWidget* CDotNetTabCtrl::ItemWindow(int index) const { return IsValid(index) ? m_items.Item(index).window.data() : nullptr; }
QString CDotNetTabCtrl::ItemText(int index) const { return IsValid(index) ? m_items.Item(index).text : QString(); }
QIcon CDotNetTabCtrl::ItemIcon(int index) const { return IsValid(index) ? m_items.Item(index).icon : QIcon(); }
QString CDotNetTabCtrl::ItemToolTip(int index) const { return IsValid(index) ? m_items.Item(index).toolTip : QString(); }
bool CDotNetTabCtrl::ItemCanClose(int index) const { return IsValid(index) && m_items.Item(index).canClose; }
bool CDotNetTabCtrl::ItemHighlighted(int index) const { return IsValid(index) && m_items.Item(index).highlighted; }

void CDotNetTabCtrl::SetItemText(int index, const QString& text)
{
    if (!IsValid(index))
        return;
    m_items.Item(index).text = text;
    Relayout();
    update();
}

void CDotNetTabCtrl::SetItemIcon(int index, const QIcon& icon)
{
    if (!IsValid(index))
        return;
    m_items.Item(index).icon = icon;
    Relayout();
    update();
}

void CDotNetTabCtrl::SetItemToolTip(int index, const QString& tip)
{
    if (IsValid(index))
        m_items.Item(index).toolTip = tip;
}

void CDotNetTabCtrl::SetItemCanClose(int index, bool canClose)
{
    if (!IsValid(index))
        return;
    m_items.Item(index).canClose = canClose;
    Relayout();
    update();
}

void CDotNetTabCtrl::SetItemHighlighted(int index, bool highlighted)
{
    if (!IsValid(index))
        return;
    m_items.Item(index).highlighted = highlighted;
    update();
}

// ---- the list's notifications --------------------------------------------

bool CDotNetTabCtrl::OnSelChanging(int oldIndex, int newIndex)
{
    return m_owner && m_owner->OnSelChanging(oldIndex, newIndex);
}

void CDotNetTabCtrl::OnSelChange(int oldIndex, int newIndex)
{
    EnsureVisible(newIndex);
    Relayout();
    update();
    emit selChanged(oldIndex, newIndex);
}

void CDotNetTabCtrl::OnItemInserted(int index)
{
    Relayout();
    update();
    emit itemInserted(index);
}

bool CDotNetTabCtrl::OnDeletingItem(int index) { return m_owner && m_owner->OnDeletingItem(index); }

void CDotNetTabCtrl::OnItemMoved(int from, int to) { emit itemMoved(from, to); }

void CDotNetTabCtrl::OnItemsSwapped(int first, int second) { emit itemsSwapped(first, second); }

// ---- layout ---------------------------------------------------------------

int CDotNetTabCtrl::NaturalWidth(int index) const
{
    const TabStripItem& item = m_items.Item(index);
    QFont font = this->font();
    if (index == m_items.Selected() && (m_style & kBoldSelected))
        font.setWeight(QFont::Bold);
    const int textWidth = item.text.isEmpty() ? 0 : QFontMetrics(font).horizontalAdvance(item.text);
    return TabNaturalWidth(textWidth, !item.text.isEmpty(), item.icon.isNull() ? 0 : kIconSize);
}

void CDotNetTabCtrl::Relayout()
{
    TabLayoutInput input;
    input.client = {0, 0, width(), height()};
    input.style = m_style;
    input.selected = m_items.Selected();
    input.selectedCanClose = ItemCanClose(input.selected);
    input.scrollOffset = m_scrollOffset;
    input.naturalWidths.reserve(static_cast<std::size_t>(m_items.Count()));
    for (int i = 0; i < m_items.Count(); ++i)
        input.naturalWidths.push_back(NaturalWidth(i));
    m_layout = ComputeTabLayout(input);
    m_scrollOffset = m_layout.scroll.offset;
}

void CDotNetTabCtrl::EnsureVisible(int index, bool partialAllowed)
{
    if (!IsValid(index) || !(m_style & kScrollButtons))
        return;
    Relayout();
    if (static_cast<std::size_t>(index) >= m_layout.items.size())
        return;
    m_scrollOffset = TabScrollToShow(m_layout.items[static_cast<std::size_t>(index)], m_layout.strip.tabArea,
                                     m_scrollOffset, partialAllowed);
    Relayout();
    update();
}

void CDotNetTabCtrl::ScrollBy(int delta)
{
    m_scrollOffset += delta;
    Relayout();
    update();
}

int CDotNetTabCtrl::HitTest(const QPoint& p, unsigned* flags) const
{
    const TabHit hit = HitTestTabs(m_layout.strip, m_layout.items, m_layout.scroll.offset, ToPoint(p));
    if (flags)
        *flags = static_cast<unsigned>(hit.flags);
    return hit.index;
}

QRect CDotNetTabCtrl::GetItemRect(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_layout.items.size())
        return {};
    return ToQRect(m_layout.items[static_cast<std::size_t>(index)].Moved(m_layout.scroll.offset, 0));
}

QRect CDotNetTabCtrl::TabAreaRect() const { return ToQRect(m_layout.strip.tabArea); }
QRect CDotNetTabCtrl::CloseButtonRect() const { return m_layout.strip.hasClose ? ToQRect(m_layout.strip.close) : QRect(); }
QRect CDotNetTabCtrl::ScrollRightButtonRect() const
{
    return m_layout.strip.hasScroll ? ToQRect(m_layout.strip.scrollRight) : QRect();
}
QRect CDotNetTabCtrl::ScrollLeftButtonRect() const
{
    return m_layout.strip.hasScroll ? ToQRect(m_layout.strip.scrollLeft) : QRect();
}

void CDotNetTabCtrl::SetStyle(unsigned style)
{
    const unsigned changed = m_style ^ style;
    m_style = style;
    if ((changed & kScrollButtons) && !(style & kScrollButtons)) {
        m_scrollOffset = 0;
        m_scrollLeftTimer.stop();
        m_scrollRightTimer.stop();
    }
    if ((changed & kToolTips) && !(style & kToolTips))
        QToolTip::hideText();
    Relayout();
    update();
}

QSize CDotNetTabCtrl::sizeHint() const
{
    int width = 2 * kTabMargin;
    for (int i = 0; i < m_items.Count(); ++i)
        width += NaturalWidth(i);
    return {width, QFontMetrics(font()).height() + 10};
}

TabElement CDotNetTabCtrl::ElementAt(const QPoint& p) const
{
    const POINT point = ToPoint(p);
    if (m_layout.strip.hasClose && m_layout.strip.close.Contains(point))
        return TabElement::Close;
    if (m_layout.strip.hasScroll && m_layout.strip.scrollRight.Contains(point))
        return TabElement::ScrollRight;
    if (m_layout.strip.hasScroll && m_layout.strip.scrollLeft.Contains(point))
        return TabElement::ScrollLeft;
    if (m_layout.strip.tabArea.Contains(point))
        return TabElement::TabArea;
    return TabElement::None;
}

// ---- input ----------------------------------------------------------------

void CDotNetTabCtrl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Relayout();
    update();
}

void CDotNetTabCtrl::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        Relayout();
        update();
        break;
    default: break;
    }
}

void CDotNetTabCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (m_buttons.Pressed() == TabElement::TabArea && (m_style & kItemDrag) && !m_itemDrag.active &&
        !m_itemDragRefused && m_pressedIndex >= 0 && p.x() != m_pressPoint.x() &&
        (event->buttons() & Qt::LeftButton)) {
        BeginItemDrag();
        if (m_itemDrag.active) {
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
        if (right ? m_layout.scroll.hiddenRight : m_layout.scroll.hiddenLeft) {
            ScrollBy(right ? -kScrollStep : kScrollStep);
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
    if (m_itemDrag.active) {
        timer.stop();
        ItemDragMove(mapFromGlobal(QCursor::pos()));
        return;
    }
    const TabElement element = right ? TabElement::ScrollRight : TabElement::ScrollLeft;
    const bool canScroll = right ? m_layout.scroll.hiddenRight : m_layout.scroll.hiddenLeft;
    if (!canScroll || m_buttons.Pressed() != element) {
        timer.stop();
        return;
    }
    if (m_buttons.Repeats(element))
        ScrollBy(right ? -kScrollStep : kScrollStep);
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
    m_itemDrag = {};
    m_itemDrag.active = true;
    m_itemDrag.source = m_itemDrag.current = m_pressedIndex;
    QGuiApplication::setOverrideCursor(Qt::DragMoveCursor);
    m_itemDrag.session = CDragSession::Start(this, std::make_unique<ItemDragTracker>(*this));
    if (!m_itemDrag.session)
        ItemDragEnded();
}

void CDotNetTabCtrl::ItemDragMove(const QPoint& p)
{
    if (!m_itemDrag.active)
        return;
    QGuiApplication::changeOverrideCursor(rect().contains(p) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    std::vector<RECT> shifted;
    shifted.reserve(m_layout.items.size());
    for (const RECT& item : m_layout.items)
        shifted.push_back(item.Moved(m_layout.scroll.offset, 0));
    const int target = TabItemDragTarget(shifted, m_itemDrag.current, ToPoint(p));
    if (target >= 0) {
        MoveItem(m_itemDrag.current, target, true, false);
        m_itemDrag.current = target;
    }
    if (m_style & kScrollButtons) {
        const int edge = TabItemDragEdgeScroll(m_layout.strip.tabArea, p.x());
        if (edge < 0 && m_layout.scroll.hiddenLeft) {
            ScrollBy(kScrollStep);
            m_scrollLeftTimer.start(kEdgeScrollMs);
        } else if (edge > 0 && m_layout.scroll.hiddenRight) {
            ScrollBy(-kScrollStep);
            m_scrollRightTimer.start(kEdgeScrollMs);
        }
    }
}

void CDotNetTabCtrl::ItemDragDrop()
{
    if (!m_itemDrag.active || m_itemDrag.resolved)
        return;
    m_itemDrag.resolved = true;
    emit itemDragDropped(m_itemDrag.source, m_itemDrag.current);
}

void CDotNetTabCtrl::ItemDragCancel()
{
    if (!m_itemDrag.active || m_itemDrag.resolved)
        return;
    m_itemDrag.resolved = true;
    const int source = m_itemDrag.source;
    if (m_itemDrag.current != source)
        MoveItem(m_itemDrag.current, source, true, false);
    m_itemDrag.current = source;
    EnsureVisible(source);
    emit itemDragCancelled(source);
}

void CDotNetTabCtrl::ItemDragEnded()
{
    if (!m_itemDrag.active)
        return;
    // A lost grab ends the drag without a drop: the tab goes back.
    if (!m_itemDrag.resolved)
        ItemDragCancel();
    m_itemDrag = {};
    m_buttons.OnCaptureLost();
    m_pressedIndex = -1;
    m_scrollLeftTimer.stop();
    m_scrollRightTimer.stop();
    QGuiApplication::restoreOverrideCursor();
    update();
}

// ---- painting -------------------------------------------------------------

TabPaintContext CDotNetTabCtrl::PaintContext() const
{
    const QPalette& pal = palette();
    TabPaintContext c;
    const QColor grey = pal.color(QPalette::Disabled, QPalette::WindowText);
    const QScreen* screen = this->screen();
    if (screen && screen->depth() <= 8) {
        c.background = pal.color(QPalette::Base);
        c.inactiveText = grey;
    } else {
        c.background = ToQColor(DockingSettings().Highlight());
        const TabRgb dark = DarkenGreyText({grey.red(), grey.green(), grey.blue()});
        c.inactiveText = QColor(dark.red, dark.green, dark.blue);
    }
    c.buttonFace = pal.color(QPalette::Button);
    c.shadow = pal.color(QPalette::Mid);
    c.light = pal.color(QPalette::Light);
    c.text = pal.color(QPalette::ButtonText);
    c.selectedText = c.text;
    c.selectedFill = c.buttonFace;
    c.highlight = pal.color(QPalette::Highlight);
    c.highlightedText = pal.color(QPalette::HighlightedText);
    c.hotText = pal.color(QPalette::Link);
    c.normalFont = font();
    c.selectedFont = font();
    if (m_style & kBoldSelected)
        c.selectedFont.setWeight(QFont::Bold);
    c.imageOffset = TabImageOffset(-QFontInfo(c.normalFont).pixelSize());
    return c;
}

void CDotNetTabCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(rect());
    const TabPaintContext context = PaintContext();
    painter.setFont(context.normalFont);
    DrawBackground(painter, context);

    painter.save();
    if (m_layout.strip.hasScroll) {
        painter.setClipRect(TabAreaRect());
        painter.translate(m_layout.scroll.offset, 0);
    }
    const int selected = m_items.Selected();
    const auto stateOf = [&](int i) {
        unsigned state = 0;
        if (i == selected)
            state |= kTabItemSelected;
        if ((m_style & kHotTrack) && i == m_items.Hot())
            state |= kTabItemHot;
        if (m_items.Item(i).highlighted)
            state |= kTabItemHighlighted;
        return state;
    };
    const int count = std::min(m_items.Count(), static_cast<int>(m_layout.items.size()));
    for (int i = 0; i < count; ++i) {
        if (i != selected)
            DrawItem(painter, context, i, ToQRect(m_layout.items[static_cast<std::size_t>(i)]), stateOf(i));
    }
    if (selected >= 0 && selected < count)
        DrawItem(painter, context, selected, ToQRect(m_layout.items[static_cast<std::size_t>(selected)]),
                 stateOf(selected));
    painter.restore();
    DrawButtons(painter, context);
}

void CDotNetTabCtrl::DrawBackground(QPainter& painter, const TabPaintContext& context)
{
    PaintTabStripBackground(painter, context, rect(), m_style);
}

void CDotNetTabCtrl::DrawItem(QPainter& painter, const TabPaintContext& context, int index, const QRect& rect,
                              unsigned state)
{
    const TabStripItem& item = m_items.Item(index);
    TabItemPaint paint;
    paint.rect = rect;
    paint.stripRect = this->rect();
    paint.state = state;
    paint.bottom = (m_style & kBottom) != 0;
    paint.nextIsSelected = index + 1 == m_items.Selected();
    paint.text = item.text;
    paint.icon = item.icon;
    paint.iconSize = kIconSize;
    PaintTabItem(painter, context, paint);
}

void CDotNetTabCtrl::DrawButtons(QPainter& painter, const TabPaintContext& context)
{
    const auto stateOf = [this](TabElement element) {
        if (m_buttons.IsDrawnPressed(element))
            return TabButtonLook::Pressed;
        if (m_buttons.Pressed() == TabElement::None && m_buttons.Hot() == element)
            return TabButtonLook::Hot;
        return TabButtonLook::Normal;
    };
    if (m_layout.strip.hasClose)
        PaintTabCloseButton(painter, context, CloseButtonRect(), stateOf(TabElement::Close));
    if (m_layout.strip.hasScroll) {
        PaintTabScrollButton(painter, context, ScrollRightButtonRect(), true, m_layout.scroll.hiddenRight,
                             stateOf(TabElement::ScrollRight));
        PaintTabScrollButton(painter, context, ScrollLeftButtonRect(), false, m_layout.scroll.hiddenLeft,
                             stateOf(TabElement::ScrollLeft));
    }
}

}  // namespace dockwins
