#pragma once
// The docking box's tab strip: flat tabs with an icon and a title each, one
// of them selected, optional scroll and close buttons, hot tracking, tooltips,
// item drag inside the strip and the flying tab drag that reorders tabs and
// tears one out when the pointer leaves the strip.

#include <QIcon>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

namespace dockwins {

// The strip's notifications whose answer matters; the rest are signals.
class ITabCtrlOwner {
public:
    virtual ~ITabCtrlOwner() = default;
    // A left press; true: the tab is not selected.
    virtual bool OnTabClick(int index, const QPoint& p) { (void)index; (void)p; return false; }
    // A right press; false and a tab hit: the tab is selected.
    virtual bool OnTabRightClick(int index, const QPoint& p) { (void)index; (void)p; return false; }
    // Before a selection change; true cancels it.
    virtual bool OnSelChanging(int oldIndex, int newIndex) { (void)oldIndex; (void)newIndex; return false; }
    // Before an item is deleted; true keeps it.
    virtual bool OnDeletingItem(int index) { (void)index; return false; }
    // Before an item drag starts; true cancels it.
    virtual bool OnBeginItemDrag(int index, const QPoint& p) { (void)index; (void)p; return false; }
};

class CFlyingTabCtrl : public QWidget {
    Q_OBJECT
public:
    enum Style : unsigned {
        kScrollButtons = 0x0001,
        kBottom = 0x0002,
        kCloseButton = 0x0008,
        kHotTrack = 0x0040,
        kVertical = 0x0080,
        kFlatTop = 0x0100,
        kItemDrag = 0x0400,
        kBoldSelected = 0x2000,
        kToolTips = 0x4000,
    };

    CFlyingTabCtrl(QWidget* parent, ITabCtrlOwner* owner, unsigned style = kBottom | kToolTips);
    ~CFlyingTabCtrl() override;

    // Inserts a tab (below 0 or past the end: at the end); -1 on failure.
    int InsertItem(int index, const QString& text, const QIcon& icon, QWidget* window, bool select = true);
    bool DeleteItem(int index, bool selectNeighbour = true, bool notify = true);
    void DeleteAllItems();
    bool MoveItem(int from, int to, bool keepSelection = true, bool notify = true);
    bool SwapItems(int a, int b, bool keepSelection = true, bool notify = true);
    // Returns the previous selection, -1 when refused.
    int SetCurSel(int index, bool notify = true);
    int GetCurSel() const;
    int GetItemCount() const;

    QWidget* ItemWindow(int index) const;
    QString ItemText(int index) const;
    QIcon ItemIcon(int index) const;
    QString ItemToolTip(int index) const;
    bool ItemCanClose(int index) const;
    void SetItemText(int index, const QString& text);
    void SetItemIcon(int index, const QIcon& icon);
    void SetItemToolTip(int index, const QString& tip);
    void SetItemCanClose(int index, bool canClose);

    // Flags: 6 item, 16 close, 32 scroll right, 64 scroll left, 0 nowhere.
    int HitTest(const QPoint& p, unsigned* flags = nullptr) const;
    // Shifted by the scroll offset; empty for a bad index.
    QRect GetItemRect(int index) const;
    int TabHeight() const;
    unsigned Style() const;
    void SetStyle(unsigned style);
    void EnsureVisible(int index, bool partialAllowed = false);

signals:
    void selChanged(int oldIndex, int newIndex);
    void itemInserted(int index);
    void itemMoved(int from, int to);
    void itemsSwapped(int a, int b);
    void closeClicked(int index, QPoint p);
    void doubleClicked(int index, QPoint p);
    void rightDoubleClicked(int index, QPoint p);
    void middleClicked(int index, QPoint p);
    void middleDoubleClicked(int index, QPoint p);
    void itemDragDropped(int from, int to);
    void itemDragCancelled(int source);
    void tabDraggedOut();

private:
    struct Impl;
    Impl* m_impl;
};

}  // namespace dockwins
