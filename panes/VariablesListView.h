#pragma once
// The variables pane: named numbers added, changed, deleted and reused as a
// new entry or clipboard text. Names and values are edited in CAddVarDlg.

#include <string>

#include "panes/IVariablesParent.h"
#include "panes/PaneListView.h"
#include "panes/VariablesItemModel.h"

class ConfigOptions;
class WindowSettings;

class CVariablesListView : public CPaneListViewT<IVariablesParent> {
    Q_OBJECT
public:
    static constexpr int kNameColumnInitialWidth = 75;
    static constexpr int kValueColumnInitialWidth = 275;

    CVariablesListView(const CPaneServices& services, ConfigOptions& config, WindowSettings& settings,
                       QWidget* parent = nullptr);

    // Variables and their order from the config options (repaired when they
    // disagree), line 0 selected, the column widths from the window settings.
    void LoadFromConfig() override;
    // Copies the variables, their order and the column widths back. Safe to
    // call more than once; the owner calls it before the settings are saved.
    void StoreToSettings() override;

    // The add dialog with value as the initial value (may be empty).
    void AddVariable(const std::string& value);
    void GetSelectedValue(std::string& text) const;
    int ItemCount() const override { return m_model->List().Count(); }
    const CVariableList& Variables() const { return m_model->List(); }
    void RefreshTexts() override { m_model->RefreshTexts(); }

    void OnCopyValue() { OnCopy(); }
    void OnModifyValue();
    void OnDeleteVariable();
    void OnAddNewVariable() { AddVariable(std::string()); }
    // A command of the context menu or of the frame's menu.
    void ExecuteCommand(int command) override;

protected:
    std::string ItemText(int row) const override { return m_model->List().ValueAt(row); }
    CMenuItems BuildContextMenu(bool onItem) const override;

private:
    int MaxDigits() const;

    ConfigOptions& m_config;
    WindowSettings& m_settings;
    CVariablesItemModel* m_model;
};
