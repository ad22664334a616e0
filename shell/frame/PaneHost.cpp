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
const std::set<unsigned> kHistoryCommands{menucmd::kHistoryAddAsNewEntry, menucmd::kHistoryCopySelected,
                                          menucmd::kHistoryAddToVariables, menucmd::kHistoryDeleteSelected,
                                          menucmd::kHistoryClear};
const std::set<unsigned> kVariablesCommands{menucmd::kVariablesAddAsNewEntry, menucmd::kVariablesCopyValue,
                                            menucmd::kVariablesModifyValue, menucmd::kVariablesDelete,
                                            menucmd::kVariablesAddNew};

template <class List>
CPaneHost::ListState ListStateOf(const List* list)
{
    CPaneHost::ListState state;
    if (!list)
        return state;
    state.visible = list->isVisible();
    state.hasSelection = list->SelectedRow() >= 0;
    state.itemCount = list->ItemCount();
    return state;
}

}  // namespace

CPaneHost::CPaneHost(const CCalcRecord* record, Owners owners, QWidget* parent)
    : m_services(std::make_unique<CPaneServices>(CPaneServices::Default()))
{
    ConfigOptions& config = ConfigOptions::Instance();
    WindowSettings& settings = WindowSettings::Instance();
    m_record = new CCalcRecordWindow(record, *m_services, config, settings, parent);
    m_record->SetParentInterface(owners.record);
    m_history = new CHistoryListView(*m_services, config, settings, parent);
    m_history->SetParentInterface(owners.history);
    m_variables = new CVariablesListView(*m_services, config, settings, parent);
    m_variables->SetParentInterface(owners.variables);
    ApplyColorScheme();
}

CPaneHost::~CPaneHost() = default;

QWidget* CPaneHost::RecordWidget() const { return m_record; }
QWidget* CPaneHost::HistoryWidget() const { return m_history; }
QWidget* CPaneHost::VariablesWidget() const { return m_variables; }
ICalcRecordChanged* CPaneHost::RecordListener() const { return m_record ? m_record->Listener() : nullptr; }

void CPaneHost::RefreshRecord()
{
    if (m_record)
        m_record->Refresh();
}

void CPaneHost::AddToHistory(const std::string& text)
{
    if (m_history)
        m_history->AddToHistory(text);
}

void CPaneHost::AddVariable(const std::string& value)
{
    if (m_variables)
        m_variables->AddVariable(value);
}

void CPaneHost::LoadFromConfig()
{
    if (m_history)
        m_history->LoadFromConfig();
    if (m_variables)
        m_variables->LoadFromConfig();
}

void CPaneHost::StoreToSettings()
{
    if (m_record)
        m_record->StoreToSettings();
    if (m_history)
        m_history->StoreToSettings();
    if (m_variables)
        m_variables->StoreToSettings();
}

void CPaneHost::ApplyColorScheme()
{
    const ColorScheme scheme = GetCurrentColorScheme();
    if (m_history)
        m_history->ApplyColorScheme(scheme);
    if (m_variables)
        m_variables->ApplyColorScheme(scheme);
    if (m_record)
        m_record->viewport()->update();
}

void CPaneHost::RefreshTexts()
{
    if (m_history)
        m_history->RefreshTexts();
    if (m_variables)
        m_variables->RefreshTexts();
    if (m_record)
        m_record->viewport()->update();
}

bool CPaneHost::ExecuteCommand(unsigned id)
{
    if (kRecordCommands.count(id) && m_record) {
        m_record->ExecuteCommand(static_cast<int>(id));
        return true;
    }
    if (kHistoryCommands.count(id) && m_history) {
        m_history->ExecuteCommand(static_cast<int>(id));
        return true;
    }
    if (kVariablesCommands.count(id) && m_variables) {
        m_variables->ExecuteCommand(static_cast<int>(id));
        return true;
    }
    return false;
}

CPaneHost::RecordState CPaneHost::GetRecordState() const
{
    RecordState state;
    if (!m_record || m_record->GetSelectedIndex() < 0)
        return state;
    state.hasSelection = true;
    state.hasEntryNumber = m_record->SelectedHasEntryNumber();
    state.hasResultOnly = m_record->SelectedHasResultOnly();
    state.isBeforeLast = m_record->IsSelectedBeforeLast();
    return state;
}

CPaneHost::ListState CPaneHost::GetHistoryState() const { return ListStateOf(m_history); }
CPaneHost::ListState CPaneHost::GetVariablesState() const { return ListStateOf(m_variables); }

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
