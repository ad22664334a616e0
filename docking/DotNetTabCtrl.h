#pragma once
// A flat tab strip in the look of a development environment's tool windows:
// tabs with an icon and a title, one of them selected and raised, tabs that
// shrink in proportion when the strip is too short (or keep their width and
// scroll with scroll buttons), an optional close button, hover and press
// feedback, tooltips, Left and Right keys and, with kItemDrag, reordering by
// dragging a tab along the strip. The arithmetic lives in docking/core
// (TabLayout, TabItemList, TabTracking, TabColours); this widget turns input
// into calls of it (DotNetTabCtrlInput.cpp) and paints the result
// (DotNetTabCtrlPaint.cpp). The docking box uses the derived CFlyingTabCtrl.

#include <functional>

#include <QIcon>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "docking/TabStripPainter.h"
#include "docking/core/TabItemList.h"
#include "docking/core/TabLayout.h"
#include "docking/core/TabTracking.h"

class QHelpEvent;
class QPainter;

namespace dockwins {

class CDragSession;

// The strip's notifications whose answer matters; the rest are signals.
class ITabCtrlOwner {
public:
    virtual ~ITabCtrlOwner() = default;
    // A left press on the strip (index -1 off every tab); true: no selection.
    virtual bool OnTabClick(int index, const QPoint& p) { (void)index; (void)p; return false; }
    // A right press; false and a tab hit: the tab is selected.
    virtual bool OnTabRightClick(int index, const QPoint& p) { (void)index; (void)p; return false; }
    // Before a selection change; true cancels it.
    virtual bool OnSelChanging(int oldIndex, int newIndex) { (void)oldIndex; (void)newIndex; return false; }
    // Before an item is deleted; true keeps it.
    virtual bool OnDeletingItem(int index) { (void)index; return false; }
    // Before an item drag starts (kItemDrag); true cancels it.
    virtual bool OnBeginItemDrag(int index, const QPoint& p) { (void)index; (void)p; return false; }
};

// What one tab holds.
struct TabStripItem {
    QString text;
    QString toolTip;
    QIcon icon;
    QPointer<QWidget> window;  // the window the tab stands for; may be none
    bool highlighted = false;
    bool canClose = true;
};

class CDotNetTabCtrl : public QWidget, private ITabOwner {
    Q_OBJECT
public:
    // The style bits of docking/core/TabLayout.
    enum Style : unsigned {
        kScrollButtons = TAB_SCROLL,
        kBottom = TAB_BOTTOM,
        kCloseButton = TAB_CLOSE,
        kHotTrack = TAB_HOTTRACK,
        kVertical = TAB_VERTICAL,
        kFlatTop = TAB_FLATEDGE,
        kItemDrag = TAB_DRAGITEMS,
        kBoldSelected = TAB_BOLDSELECTED,
        kToolTips = TAB_TOOLTIPS,
    };
    // Pixels per scroll step and the repeat interval of held scroll buttons.
    static constexpr int kScrollStep = kTabScrollStep;
    static constexpr int kScrollRepeatSpeed = 2;  // 25 ms
    static constexpr int kEdgeScrollMs = 100;     // item drag near an end of the strip
    static constexpr int kIconSize = 16;

    CDotNetTabCtrl(QWidget* parent, ITabCtrlOwner* owner, unsigned style = kBottom | kToolTips);
    ~CDotNetTabCtrl() override;

    // Inserts a tab (below 0 or past the end: at the end), with the text as its
    // tooltip too; the first tab, or any with `select`, is selected with
    // notification. Returns the index.
    int InsertItem(int index, const QString& text, const QIcon& icon, QWidget* window, bool select = true);
    // With `notify` the owner is asked first and may keep the item.
    bool DeleteItem(int index, bool selectNeighbour = true, bool notify = true);
    // Deletes every tab the owner lets go; kept tabs stay, in order.
    void DeleteAllItems();
    bool MoveItem(int from, int to, bool keepSelection = true, bool notify = true);
    bool SwapItems(int a, int b, bool keepSelection = true, bool notify = true);
    // An index at or past the end keeps the selection; negative selects none.
    // Returns the previous selection, -1 when the owner refused.
    int SetCurSel(int index, bool notify = true);
    int GetCurSel() const { return m_items.Selected(); }
    int GetItemCount() const { return m_items.Count(); }
    int HotItem() const { return m_items.Hot(); }

    QWidget* ItemWindow(int index) const;
    QString ItemText(int index) const;
    QIcon ItemIcon(int index) const;
    QString ItemToolTip(int index) const;
    bool ItemCanClose(int index) const;
    bool ItemHighlighted(int index) const;
    void SetItemText(int index, const QString& text);
    void SetItemIcon(int index, const QIcon& icon);
    void SetItemToolTip(int index, const QString& tip);
    void SetItemCanClose(int index, bool canClose);
    void SetItemHighlighted(int index, bool highlighted);

    // The tab under `p` (-1 for none) and in `flags` what was hit: 6 a tab, 16
    // the close button, 32 scroll right, 64 scroll left, 0 nothing.
    int HitTest(const QPoint& p, unsigned* flags = nullptr) const;
    // As drawn (shifted by the scroll offset); empty for a bad index.
    QRect GetItemRect(int index) const;
    QRect TabAreaRect() const;
    QRect CloseButtonRect() const;        // empty without the button
    QRect ScrollRightButtonRect() const;  // empty without scroll buttons
    QRect ScrollLeftButtonRect() const;
    int ScrollOffset() const { return m_layout.scroll.offset; }
    bool TabsHiddenLeft() const { return m_layout.scroll.hiddenLeft; }
    bool TabsHiddenRight() const { return m_layout.scroll.hiddenRight; }
    bool ItemDragActive() const { return m_itemDrag.Active(); }

    unsigned Style() const { return m_style; }
    void SetStyle(unsigned style);
    // Scrolls a tab into the tab area (only with scroll buttons); with
    // `partialAllowed` a partly visible tab stays.
    void EnsureVisible(int index, bool partialAllowed = false);

    QSize sizeHint() const override;

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

protected:
    ITabCtrlOwner* Owner() const { return m_owner; }
    // The tab the last left press selected (-1 when the owner refused it or
    // no tab was hit) and where the press was.
    int PressedIndex() const { return m_pressedIndex; }
    QPoint PressPoint() const { return m_pressPoint; }
    void Relayout();
    // Ends any drag of the strip before its items change; the flying strip
    // adds its own.
    virtual void EndDrags();

    // Painting stages. Item rectangles are before scrolling: with scroll
    // buttons the painter is clipped to the tab area and shifted.
    virtual void DrawBackground(QPainter& painter, const TabPaintContext& context);
    virtual void DrawItem(QPainter& painter, const TabPaintContext& context, int index, const QRect& rect,
                          unsigned state);
    virtual void DrawButtons(QPainter& painter, const TabPaintContext& context);
    TabPaintContext PaintContext() const;

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class ItemDragTracker;

    // ITabOwner: the item list's notifications.
    bool OnSelChanging(int oldIndex, int newIndex) override;
    void OnSelChange(int oldIndex, int newIndex) override;
    void OnItemInserted(int index) override;
    bool OnDeletingItem(int index) override;
    void OnItemMoved(int from, int to) override;
    void OnItemsSwapped(int first, int second) override;

    bool IsValid(int index) const { return m_items.IsValid(index); }
    // Moves tabs by `change`, then lays the strip out again.
    bool Reorder(bool keepSelection, const std::function<bool()>& change);
    TabElement ElementAt(const QPoint& p) const;
    int NaturalWidth(int index) const;
    void ScrollBy(int delta);
    void OnScrollTimer(bool right);
    void ShowToolTip(QHelpEvent* help);

    void BeginItemDrag();
    void ItemDragMove(const QPoint& p);
    void ItemDragDrop();
    void ItemDragCancel();
    void ItemDragEnded();

    ITabCtrlOwner* m_owner;
    unsigned m_style;
    CTabItemList<TabStripItem> m_items;
    TabLayoutResult m_layout;
    int m_scrollOffset = 0;
    CTabButtonTracker m_buttons;
    QTimer m_scrollLeftTimer;
    QTimer m_scrollRightTimer;
    int m_pressedIndex = -1;
    QPoint m_pressPoint;
    bool m_itemDragRefused = false;  // the owner refused an item drag for this press
    CTabItemDrag m_itemDrag;
    QPointer<CDragSession> m_itemDragSession;
};

}  // namespace dockwins
