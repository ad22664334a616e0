#pragma once
// The history pane: finished results, newest first, reused as a new entry, a
// variable or clipboard text; items are deleted singly or all at once.

#include <string>

#include "panes/HistoryItemModel.h"
#include "panes/IHistoryParent.h"
#include "panes/PaneListView.h"

class ConfigOptions;
class WindowSettings;

class CHistoryListView : public CPaneListViewT<IHistoryParent> {
    Q_OBJECT
public:
    static constexpr int kValueColumnInitialWidth = 275;

    CHistoryListView(const CPaneServices& services, ConfigOptions& config, WindowSettings& settings,
                     QWidget* parent = nullptr);

    void SetMaxItems(int maxItems) { m_model->List().SetMaxItems(maxItems); }

    // Items from the config options (all of them, in stored order), item 0
    // selected, the column width from the window settings.
    void LoadFromConfig() override;
    // Copies the items and the column width back. Safe to call more than once;
    // the owner calls it before the settings are saved.
    void StoreToSettings() override;

    // A finished result: put in front, the oldest dropped beyond the maximum.
    void AddToHistory(const std::string& text);
    void GetSelectedText(std::string& text) const;
    int ItemCount() const override { return m_model->List().Count(); }
    const CHistoryList& History() const { return m_model->List(); }
    // Shows the texts anew (after the digit grouping changed).
    void RefreshTexts() override { m_model->RefreshTexts(); }

    void OnAddToVariableList();
    void OnDeleteItem();
    void OnClearHistory();
    // A command of the context menu or of the frame's menu.
    void ExecuteCommand(int command) override;

protected:
    std::string ItemText(int row) const override { return m_model->List().Text(row); }
    CMenuItems BuildContextMenu(bool onItem) const override;

private:
    ConfigOptions& m_config;
    WindowSettings& m_settings;
    CHistoryItemModel* m_model;
};
