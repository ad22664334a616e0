#include "docking/FlyingTabCtrl.h"

#include <vector>

namespace dockwins {

struct CFlyingTabCtrl::Impl {
    ITabCtrlOwner* owner = nullptr;
    unsigned style = 0;
    struct Item {
        QString text;
        QIcon icon;
        QWidget* window = nullptr;
        QString tip;
        bool canClose = true;
    };
    std::vector<Item> items;
    int selected = -1;
};

CFlyingTabCtrl::CFlyingTabCtrl(QWidget* parent, ITabCtrlOwner* owner, unsigned style)
    : QWidget(parent), m_impl(new Impl) {
    m_impl->owner = owner;
    m_impl->style = style;
}
CFlyingTabCtrl::~CFlyingTabCtrl() { delete m_impl; }

int CFlyingTabCtrl::InsertItem(int index, const QString& text, const QIcon& icon, QWidget* window, bool select) {
    if (index < 0 || index > GetItemCount())
        index = GetItemCount();
    m_impl->items.insert(m_impl->items.begin() + index, Impl::Item{text, icon, window, {}, true});
    if (m_impl->selected >= index)
        ++m_impl->selected;
    emit itemInserted(index);
    if (select || GetItemCount() == 1)
        SetCurSel(index);
    return index;
}
bool CFlyingTabCtrl::DeleteItem(int, bool, bool) { return false; }
void CFlyingTabCtrl::DeleteAllItems() {}
bool CFlyingTabCtrl::MoveItem(int, int, bool, bool) { return false; }
bool CFlyingTabCtrl::SwapItems(int, int, bool, bool) { return false; }
int CFlyingTabCtrl::SetCurSel(int index, bool) {
    const int old = m_impl->selected;
    m_impl->selected = index;
    return old;
}
int CFlyingTabCtrl::GetCurSel() const { return m_impl->selected; }
int CFlyingTabCtrl::GetItemCount() const { return static_cast<int>(m_impl->items.size()); }
QWidget* CFlyingTabCtrl::ItemWindow(int index) const {
    return index >= 0 && index < GetItemCount() ? m_impl->items[static_cast<std::size_t>(index)].window : nullptr;
}
QString CFlyingTabCtrl::ItemText(int) const { return {}; }
QIcon CFlyingTabCtrl::ItemIcon(int) const { return {}; }
QString CFlyingTabCtrl::ItemToolTip(int) const { return {}; }
bool CFlyingTabCtrl::ItemCanClose(int) const { return true; }
void CFlyingTabCtrl::SetItemText(int, const QString&) {}
void CFlyingTabCtrl::SetItemIcon(int, const QIcon&) {}
void CFlyingTabCtrl::SetItemToolTip(int, const QString&) {}
void CFlyingTabCtrl::SetItemCanClose(int, bool) {}
int CFlyingTabCtrl::HitTest(const QPoint&, unsigned* flags) const {
    if (flags)
        *flags = 0;
    return -1;
}
QRect CFlyingTabCtrl::GetItemRect(int) const { return {}; }
int CFlyingTabCtrl::TabHeight() const { return 24; }
unsigned CFlyingTabCtrl::Style() const { return m_impl->style; }
void CFlyingTabCtrl::SetStyle(unsigned style) { m_impl->style = style; }
void CFlyingTabCtrl::EnsureVisible(int, bool) {}

}  // namespace dockwins
