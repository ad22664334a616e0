#pragma once
// The item model shared by the history and variables lists: one row per item,
// fixed column headers, the item mark in front of column 0, texts asked of the
// pane's own data.

#include <functional>

#include <QAbstractTableModel>
#include <QPixmap>
#include <QStringList>

class CPaneItemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // digitGrouping: read whenever a text is shown.
    CPaneItemModel(QStringList headers, std::function<int()> digitGrouping, QPixmap itemMark,
                   QObject* parent = nullptr);

    // The texts are shown anew (after the grouping changed).
    void RefreshTexts();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    virtual int ItemCount() const = 0;
    // Removes row with remove(row), which gives the row to select afterwards.
    template <class Remove>
    int RemoveRowWith(int row, Remove remove)
    {
        if (row < 0 || row >= ItemCount())
            return -1;
        beginRemoveRows({}, row, row);
        const int next = remove(row);
        endRemoveRows();
        return next;
    }
    // The shown text of row in column, for the given digit grouping.
    virtual std::string ShownText(int row, int column, int digitGrouping) const = 0;

private:
    QStringList m_headers;
    std::function<int()> m_digitGrouping;
    QPixmap m_itemMark;
};
