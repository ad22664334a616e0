#include "panes/PaneListView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPointer>

#include "platform/qt/ColorRef.h"
#include "platform/qt/FixedFont.h"
#include "settings/ColorScheme.h"

CPaneListView::CPaneListView(CPaneImageList::Kind kind, const CPaneServices& services, QWidget* parent)
    : QTableView(parent), m_images(kind), m_services(services)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setIconSize(QSize(CPaneImageList::kImageSize, CPaneImageList::kImageSize));
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWindowIcon(m_images.Icon());

    QFont fixed = FixedPitchFont();
    fixed.setPointSizeF(QApplication::font().pointSizeF());
    setFont(fixed);
    horizontalHeader()->setFont(QApplication::font());
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(
        std::max(QFontMetrics(fixed).height() + 4, CPaneImageList::kImageSize + 3));

    ApplyColorScheme(GetCurrentColorScheme());
    connect(this, &QAbstractItemView::activated, this, &CPaneListView::OnActivated);
}

void CPaneListView::ApplyColorScheme(const ColorScheme& scheme)
{
    QPalette colors = palette();
    colors.setColor(QPalette::Base, ColorFromColorRef(scheme.m_crListBackground));
    colors.setColor(QPalette::AlternateBase, ColorFromColorRef(scheme.m_crListBackground));
    setPalette(colors);
    viewport()->update();
}

int CPaneListView::SelectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CPaneListView::SelectRow(int row)
{
    if (!model() || !selectionModel())
        return;
    if (row < 0 || row >= model()->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void CPaneListView::StartItemDrag(int row, int x, int y)
{
    if (!HasOwner() || !model() || row < 0 || row >= model()->rowCount())
        return;
    QPoint start;
    if (x < 0 || y < 0) {
        const QRect item = visualRect(model()->index(row, 0));
        const int iconTop = item.top() + (item.height() - CPaneImageList::kImageSize) / 2;
        start = viewport()->mapToGlobal(QPoint(item.left() + 3, iconTop));
    } else {
        start = viewport()->mapToGlobal(QPoint(x, y));
    }
    OwnerBeginItemDrag(start.x(), start.y(), ItemText(row));
}

void CPaneListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_doubleClickPoint = event->position().toPoint();
    m_bInDoubleClick = true;
    QTableView::mouseDoubleClickEvent(event);
    m_bInDoubleClick = false;
}

void CPaneListView::OnActivated(const QModelIndex& index)
{
    // A double click starts from the mouse; Enter from the item's icon.
    if (m_bInDoubleClick)
        StartItemDrag(index.row(), m_doubleClickPoint.x(), m_doubleClickPoint.y());
    else
        StartItemDrag(index.row(), -1, -1);
}

CMenuItems CPaneListView::ContextMenuAt(QPoint pos) const
{
    const bool onItem = indexAt(pos).isValid() && SelectedRow() >= 0;
    return BuildContextMenu(onItem);
}

void CPaneListView::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint pos = event->pos();
    if (event->reason() == QContextMenuEvent::Keyboard && SelectedRow() >= 0)
        pos = visualRect(model()->index(SelectedRow(), 0)).center();
    const CMenuItems items = ContextMenuAt(pos);
    const QPointer<CPaneListView> alive(this);
    const int command = m_services.m_menus->Run(this, items, viewport()->mapToGlobal(pos));
    if (alive && command != 0)
        ExecuteCommand(command);
}

void CPaneListView::startDrag(Qt::DropActions)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const int row = current.row();
    auto data = std::make_unique<QMimeData>();
    data->setData(kPaneItemMimeType, QByteArray::fromStdString(ItemText(row)));
    const QPointer<CPaneListView> alive(this);
    const QPoint released = m_services.m_drags->Run(this, std::move(data), m_images.Pixmap(CPaneImageList::kDragImage),
                                                    QPoint(15, 15));
    if (alive)
        FinishMouseDrag(row, released);
}

void CPaneListView::FinishMouseDrag(int row, QPoint screenPos)
{
    if (!HasOwner() || !model() || row < 0 || row >= model()->rowCount())
        return;
    if (OwnerIsOverDropTarget(screenPos))
        OwnerAddAsNewEntry(ItemText(row));
}

void CPaneListView::OnAddAsNewEntry()
{
    if (SelectedRow() >= 0)
        StartItemDrag(SelectedRow(), -1, -1);
}

void CPaneListView::OnCopy()
{
    if (SelectedRow() >= 0)
        CopyToClipboard(*m_services.m_clipboard, ItemText(SelectedRow()));
}
