#pragma once
// The history list's item model over CHistoryList: one column "Value".

#include "panes/HistoryList.h"
#include "panes/PaneItemModel.h"

class CHistoryItemModel : public CPaneItemModel {
    Q_OBJECT
public:
    CHistoryItemModel(std::function<int()> digitGrouping, QPixmap itemMark, QObject* parent = nullptr);

    const CHistoryList& List() const { return m_list; }
    CHistoryList& List() { return m_list; }

    void Load(const std::deque<std::string>& items);
    void Add(const std::string& text);
    // Returns the row to select afterwards (-1: none).
    int RemoveAt(int row);
    void Clear();

protected:
    int ItemCount() const override { return m_list.Count(); }
    std::string ShownText(int row, int column, int digitGrouping) const override;

private:
    CHistoryList m_list;
};
