#pragma once
// The variables list's item model over CVariableList: columns "Name" and
// "Value".

#include "panes/PaneItemModel.h"
#include "panes/VariableList.h"

class CVariablesItemModel : public CPaneItemModel {
    Q_OBJECT
public:
    CVariablesItemModel(std::function<int()> digitGrouping, QPixmap itemMark, QObject* parent = nullptr);

    const CVariableList& List() const { return m_list; }

    void Load(const CVariableList::Map& variables, const CVariableList::Sequence& sequence);
    // The add and modify rules of CVariableList; each returns the name's row.
    int Add(const std::string& name, const std::string& value);
    int Modify(const std::string& name, const std::string& value);
    // Returns the row to select afterwards (-1: none).
    int RemoveAt(int row);

protected:
    int ItemCount() const override { return m_list.Count(); }
    std::string ShownText(int row, int column, int digitGrouping) const override;

private:
    CVariableList m_list;
};
