#include "docking/DotNetTabCtrl.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QToolTip>

#include "docking/DockEvents.h"
#include "docking/DragSession.h"

namespace dockwins {

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
    if (m_itemDrag.Active()) {
        m_itemDrag.End();
        QGuiApplication::restoreOverrideCursor();
    }
    if (m_itemDragSession)
        m_itemDragSession->Abandon();
}

void CDotNetTabCtrl::EndDrags()
{
    // The item drag keeps indexes into the list: it ends (the tab goes back)
    // before the list changes under it.
    if (m_itemDrag.Active() && m_itemDragSession)
        m_itemDragSession->Abandon();
    else if (m_itemDrag.Active())
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

// ---- size and look ----------------------------------------------------------

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

}  // namespace dockwins
