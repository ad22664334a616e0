#include "shell/frame/PaneHost.h"

#include <set>

#include "panes/CalcRecordWindow.h"
#include "panes/CustomMaxDigitsDlg.h"
#include "panes/HistoryListView.h"
#include "panes/MLEDlg.h"
#include "panes/PaneServices.h"
#include "panes/VariablesListView.h"
#include "resources/CommandIds.h"
#include "settings/ColorScheme.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"

namespace {

const std::set<unsigned> kRecordCommands{menucmd::kRecordCopySelected, menucmd::kRecordAddToVariables,
                                         menucmd::kRecordAddAsNewEntry, menucmd::kRecordStepBackTo};

// The widget of a pane of the pane table, with its owner.
CPaneListView* MakePaneList(PaneId pane, const CPaneServices& services, const CPaneHost::Owners& owners,
                            QWidget* parent)
{
    ConfigOptions& config = ConfigOptions::Instance();
    WindowSettings& settings = WindowSettings::Instance();
    switch (pane) {
    case PaneId::History: {
        auto* list = new CHistoryListView(services, config, settings, parent);
        list->SetParentInterface(owners.history);
        return list;
    }
    case PaneId::Variables: {
        auto* list = new CVariablesListView(services, config, settings, parent);
        list->SetParentInterface(owners.variables);
        return list;
    }
    }
    return nullptr;
}

}  // namespace

CPaneHost::CPaneHost(const CCalcRecord* record, Owners owners, QWidget* parent)
    : m_services(std::make_unique<CPaneServices>(CPaneServices::Default()))
{
    m_record = new CCalcRecordWindow(record, *m_services, ConfigOptions::Instance(), WindowSettings::Instance(),
                                     parent);
    m_record->SetParentInterface(owners.record);
    for (const CPaneSpec& pane : kPaneTable)
        m_lists[PaneIndex(pane.id)] = MakePaneList(pane.id, *m_services, owners, parent);
    ApplyColorScheme();
}

CPaneHost::~CPaneHost() = default;

QWidget* CPaneHost::RecordWidget() const { return m_record; }
CHistoryListView* CPaneHost::HistoryList() const { return static_cast<CHistoryListView*>(Pane(PaneId::History)); }
ICalcRecordChanged* CPaneHost::RecordListener() const { return m_record ? m_record->Listener() : nullptr; }

void CPaneHost::RefreshRecord()
{
    if (m_record)
        m_record->Refresh();
}

void CPaneHost::AddToHistory(const std::string& text)
{
    if (CHistoryListView* history = HistoryList())
        history->AddToHistory(text);
}

void CPaneHost::AddVariable(const std::string& value)
{
    if (auto* variables = static_cast<CVariablesListView*>(Pane(PaneId::Variables)))
        variables->AddVariable(value);
}

void CPaneHost::LoadFromConfig()
{
    for (CPaneListView* list : m_lists)
        if (list)
            list->LoadFromConfig();
}

void CPaneHost::StoreToSettings()
{
    if (m_record)
        m_record->StoreToSettings();
    for (CPaneListView* list : m_lists)
        if (list)
            list->StoreToSettings();
}

void CPaneHost::ApplyColorScheme()
{
    const ColorScheme scheme = GetCurrentColorScheme();
    for (CPaneListView* list : m_lists)
        if (list)
            list->ApplyColorScheme(scheme);
    if (m_record)
        m_record->viewport()->update();
}

void CPaneHost::RefreshTexts()
{
    for (CPaneListView* list : m_lists)
        if (list)
            list->RefreshTexts();
    if (m_record)
        m_record->viewport()->update();
}

bool CPaneHost::ExecuteCommand(unsigned id)
{
    if (kRecordCommands.count(id) && m_record) {
        m_record->ExecuteCommand(static_cast<int>(id));
        return true;
    }
    for (const CPaneSpec& pane : kPaneTable) {
        CPaneListView* list = Pane(pane.id);
        if (IsPaneCommand(pane, id) && list) {
            list->ExecuteCommand(static_cast<int>(id));
            return true;
        }
    }
    return false;
}

CRecordSelectionState CPaneHost::GetRecordState() const
{
    CRecordSelectionState state;
    if (!m_record || m_record->GetSelectedIndex() < 0)
        return state;
    state.hasSelection = true;
    state.hasEntryNumber = m_record->SelectedHasEntryNumber();
    state.hasResultOnly = m_record->SelectedHasResultOnly();
    state.isBeforeLast = m_record->IsSelectedBeforeLast();
    return state;
}

CListPaneState CPaneHost::GetPaneState(PaneId pane) const
{
    CListPaneState state;
    const CPaneListView* list = Pane(pane);
    if (!list)
        return state;
    state.visible = list->isVisible();
    state.hasSelection = list->SelectedRow() >= 0;
    state.itemCount = list->ItemCount();
    return state;
}

std::optional<int> CPaneHost::RunCustomMaxDigitsDialog(int currentDigits, QWidget* owner)
{
    CCustomMaxDigitsDlg dialog(std::to_string(currentDigits), *m_services->m_messageBox, owner);
    if (m_services->m_dialogs->Run(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Value();
}

std::optional<std::string> CPaneHost::RunFreeFormDialog(const std::string& text, int maxDigits, QWidget* owner)
{
    CMLEDlg dialog(owner, text, maxDigits);
    if (m_services->m_dialogs->Run(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Text();
}
