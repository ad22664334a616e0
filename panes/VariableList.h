#pragma once
// The variables pane's data and rules, without any window: a map from name to
// number text and the names in display order. Both containers are those of the
// config options, so they are stored back unchanged.

#include <deque>
#include <map>
#include <string>

#include "panes/PaneMenu.h"
#include "resources/CommandIds.h"

enum VariablesCommand : int {
    kVariablesAddAsNewEntry = panecmd::kVariablesAddAsNewEntry,
    kVariablesCopyValue = panecmd::kVariablesCopyValue,
    kVariablesModifyValue = menucmd::kVariablesModifyValue,
    kVariablesDelete = menucmd::kVariablesDelete,
    kVariablesAddNew = menucmd::kVariablesAddNew,
    // The frame's Variables menu (its other items share the ids above).
    kVariablesMenuAddAsNewEntry = menucmd::kVariablesAddAsNewEntry,
    kVariablesMenuCopyValue = menucmd::kVariablesCopyValue,
};

// How a dialog's name becomes the stored name.
enum class VariableNameForm {
    Add,      // trimmed and upper-cased (a-z to A-Z)
    Modify,   // trimmed only
};

// The name as it will be stored.
std::string StoredVariableName(const std::string& dialogName, VariableNameForm form);

class CVariableList {
public:
    using Map = std::map<std::string, std::string>;
    using Sequence = std::deque<std::string>;

    // Takes both containers. When they disagree, the order is repaired instead
    // of dropping the variables: names without a value and repeated names
    // leave the order, values without a name in it are appended in byte order.
    void Load(const Map& variables, const Sequence& sequence);
    void StoreTo(Map& variables, Sequence& sequence) const;

    const Map& Variables() const { return m_variables; }
    const Sequence& Order() const { return m_sequence; }
    int Count() const { return static_cast<int>(m_sequence.size()); }
    bool Contains(const std::string& name) const { return m_variables.count(name) != 0; }
    // Name and value of line index (empty when out of range).
    std::string NameAt(int index) const;
    std::string ValueAt(int index) const;
    int IndexOf(const std::string& name) const;

    // "X" and the smallest free number from 0 to 999, or empty when all are taken.
    std::string DefaultName() const;

    // The add rule: the name (already in stored form) gets the value; a new
    // name joins the order, which is then sorted. Returns the name's line.
    int Add(const std::string& name, const std::string& value);
    // The modify rule: a new name is appended at the end, unsorted; the old
    // variable is kept. Returns the name's line.
    int Modify(const std::string& name, const std::string& value);
    // Removes line index; returns the line to select afterwards (-1: none).
    int RemoveAt(int index);

    CMenuItems ContextMenu(bool onItem, bool canAcceptEntry) const;

    static std::string DeleteQuestion(const std::string& name)
    {
        return "Are you sure you want to delete variable " + name + "?";
    }

private:
    Map m_variables;
    Sequence m_sequence;
};
