#pragma once
// The main frame's record window and the lists of the pane table's panes,
// behind a small surface: the frame creates them here, feeds the history,
// asks for the states its menus need and passes their commands on. Keeps the
// panes' headers out of the frame's own translation units.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "panes/PaneTable.h"
#include "shell/menus/MenuState.h"

class CCalcRecord;
class CCalcRecordWindow;
class CHistoryListView;
class CPaneListView;
class ICalcRecordChanged;
class ICalcRecordWindowParent;
class IHistoryParent;
class IVariablesParent;
class QWidget;
struct CPaneServices;

class CPaneHost {
public:
    struct Owners {
        ICalcRecordWindowParent* record = nullptr;
        IHistoryParent* history = nullptr;
        IVariablesParent* variables = nullptr;
    };

    CPaneHost(const CCalcRecord* record, Owners owners, QWidget* parent);
    ~CPaneHost();
    CPaneHost(const CPaneHost&) = delete;
    CPaneHost& operator=(const CPaneHost&) = delete;

    QWidget* RecordWidget() const;
    CCalcRecordWindow* RecordWindow() const { return m_record; }
    // The list of a pane of the pane table.
    CPaneListView* Pane(PaneId pane) const { return m_lists[PaneIndex(pane)]; }
    CHistoryListView* HistoryList() const;

    ICalcRecordChanged* RecordListener() const;
    void RefreshRecord();
    void AddToHistory(const std::string& text);
    void AddVariable(const std::string& value);
    // Items from the config options, and back with the column widths.
    void LoadFromConfig();
    void StoreToSettings();
    // Takes the current colour scheme's list background; repaints.
    void ApplyColorScheme();
    // The grouping option changed: repaint the texts.
    void RefreshTexts();

    // Commands of the Actions menu: the record's and the panes'; false when
    // the id is none of them.
    bool ExecuteCommand(unsigned id);

    // States for the menus.
    CRecordSelectionState GetRecordState() const;
    CListPaneState GetPaneState(PaneId pane) const;

    // The custom Max Digits dialog with the current count; the count on OK.
    std::optional<int> RunCustomMaxDigitsDialog(int currentDigits, QWidget* owner);
    // The free-form entry dialog with the entry text; the text on OK.
    std::optional<std::string> RunFreeFormDialog(const std::string& text, int maxDigits, QWidget* owner);

private:
    std::unique_ptr<CPaneServices> m_services;
    CCalcRecordWindow* m_record = nullptr;
    std::array<CPaneListView*, kPaneCount> m_lists{};  // in table order
};
