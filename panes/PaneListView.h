#pragma once
// The list widget shared by the history and variables panes: a table view
// with grid lines and full-row single selection, the list background of the
// colour scheme, item activation and mouse drags that put an item into the
// entry line, and the context menu plumbing. The panes supply their texts,
// their menu and their owner.

#include <string>

#include <QTableView>

#include "panes/PaneImageList.h"
#include "panes/PaneMenu.h"
#include "panes/PaneServices.h"

struct ColorScheme;

class CPaneListView : public QTableView {
    Q_OBJECT
public:
    CPaneListView(CPaneImageList::Kind kind, const CPaneServices& services, QWidget* parent);

    const CPaneImageList& Images() const { return m_images; }

    // The background and text background of the list.
    void ApplyColorScheme(const ColorScheme& scheme);

    int SelectedRow() const;
    // Selects and focuses row (none for -1).
    void SelectRow(int row);

    // Puts the number of row into the entry line through the owner's flying
    // item: from (x, y) in list coordinates, or from the row's icon when x or y
    // is negative.
    void StartItemDrag(int row, int x, int y);

    // The context menu for a click at pos (viewport coordinates).
    CMenuItems ContextMenuAt(QPoint pos) const;

    // The mouse drag of row ended with the button released at screenPos.
    void FinishMouseDrag(int row, QPoint screenPos);

    // "Add as New Entry": the selected item through the flying item.
    void OnAddAsNewEntry();
    // "Copy": the selected item's stored text; nothing without a selection.
    void OnCopy();

    // What the frame's pane host asks of every pane of the pane table: the
    // items from the config options and the window settings, and back (safe
    // to call more than once); the texts anew after the grouping changed; a
    // command of the context menu or of the frame's menu.
    virtual void LoadFromConfig() = 0;
    virtual void StoreToSettings() = 0;
    virtual void RefreshTexts() = 0;
    virtual int ItemCount() const = 0;
    virtual void ExecuteCommand(int command) = 0;

protected:
    // The stored text that row puts into the entry line.
    virtual std::string ItemText(int row) const = 0;
    virtual CMenuItems BuildContextMenu(bool onItem) const = 0;
    virtual bool HasOwner() const = 0;
    virtual void OwnerBeginItemDrag(int screenX, int screenY, const std::string& text) = 0;
    virtual bool OwnerIsOverDropTarget(QPoint screenPos) = 0;
    virtual void OwnerAddAsNewEntry(const std::string& text) = 0;

    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

    const CPaneServices& Services() const { return m_services; }

private:
    void OnActivated(const QModelIndex& index);

    CPaneImageList m_images;
    CPaneServices m_services;
    bool m_bInDoubleClick = false;
    QPoint m_doubleClickPoint;
};

// The owner calls of a pane whose owner interface offers AddAsNewEntry,
// BeginItemDrag, IsOverDropTarget and CanAcceptEntry.
template <class IOwner>
class CPaneListViewT : public CPaneListView {
public:
    using CPaneListView::CPaneListView;

    void SetParentInterface(IOwner* parent) { m_parent = parent; }

protected:
    IOwner* Parent() const { return m_parent; }
    bool OwnerCanAcceptEntry() const { return m_parent && m_parent->CanAcceptEntry(); }
    bool HasOwner() const override { return m_parent != nullptr; }
    void OwnerBeginItemDrag(int screenX, int screenY, const std::string& text) override
    {
        m_parent->BeginItemDrag(Images(), CPaneImageList::kItemMark, screenX, screenY, text);
    }
    bool OwnerIsOverDropTarget(QPoint screenPos) override
    {
        return m_parent->IsOverDropTarget(screenPos.x(), screenPos.y());
    }
    void OwnerAddAsNewEntry(const std::string& text) override { m_parent->AddAsNewEntry(text); }

private:
    IOwner* m_parent = nullptr;
};
