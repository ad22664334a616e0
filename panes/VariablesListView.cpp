#include "panes/VariablesListView.h"

#include <QDialog>

#include "panes/AddVarDlg.h"
#include "panes/PaneRules.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"

CVariablesListView::CVariablesListView(const CPaneServices& services, ConfigOptions& config,
                                       WindowSettings& settings, QWidget* parent)
    : CPaneListViewT(CPaneImageList::Kind::Variables, services, parent), m_config(config), m_settings(settings)
{
    m_model = new CVariablesItemModel([this] { return m_config.m_digitGrouping; },
                                      Images().Pixmap(CPaneImageList::kItemMark), this);
    setModel(m_model);
    setColumnWidth(0, kNameColumnInitialWidth);
    setColumnWidth(1, kValueColumnInitialWidth);
}

void CVariablesListView::LoadFromConfig()
{
    m_model->Load(m_config.m_variables, m_config.m_varSequence);
    if (ItemCount() > 0)
        SelectRow(0);
    if (m_settings.m_nVariablesVarNameColWidth > 0)
        setColumnWidth(0, m_settings.m_nVariablesVarNameColWidth);
    if (m_settings.m_nVariablesValueColWidth > 0)
        setColumnWidth(1, m_settings.m_nVariablesValueColWidth);
}

void CVariablesListView::StoreToSettings()
{
    m_model->List().StoreTo(m_config.m_variables, m_config.m_varSequence);
    m_settings.m_nVariablesVarNameColWidth = columnWidth(0);
    m_settings.m_nVariablesValueColWidth = columnWidth(1);
}

int CVariablesListView::MaxDigits() const
{
    return Parent() ? Parent()->GetMaxDigits() : m_config.m_nSigDigits;
}

void CVariablesListView::AddVariable(const std::string& value)
{
    CAddVarDlg dialog(this, m_model->List().Variables(), VariableNameForm::Add, value, MaxDigits());
    dialog.SetInitialName(m_model->List().DefaultName());
    if (Services().m_dialogs->Run(dialog) != QDialog::Accepted)
        return;
    const int row = m_model->Add(StoredVariableName(dialog.Name(), VariableNameForm::Add), dialog.Value());
    SelectRow(row);
}

void CVariablesListView::GetSelectedValue(std::string& text) const
{
    text = m_model->List().ValueAt(SelectedRow());
}

void CVariablesListView::OnModifyValue()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const CVariableList& list = m_model->List();
    CAddVarDlg dialog(this, list.Variables(), VariableNameForm::Modify, list.ValueAt(row), MaxDigits());
    dialog.SetInitialName(list.NameAt(row));
    if (Services().m_dialogs->Run(dialog) != QDialog::Accepted)
        return;
    m_model->Modify(StoredVariableName(dialog.Name(), VariableNameForm::Modify), dialog.Value());
}

void CVariablesListView::OnDeleteVariable()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const MessageBoxAnswer answer = Services().m_messageBox->Show(
        this, CVariableList::DeleteQuestion(m_model->List().NameAt(row)), kConfirmCaption, MessageBoxButtons::YesNo,
        MessageBoxIcon::Question);
    if (answer == MessageBoxAnswer::Yes)
        SelectRow(m_model->RemoveAt(row));
}

void CVariablesListView::ExecuteCommand(int command)
{
    switch (command) {
    case kVariablesAddAsNewEntry:
    case kVariablesMenuAddAsNewEntry: OnAddAsNewEntry(); break;
    case kVariablesCopyValue:
    case kVariablesMenuCopyValue: OnCopyValue(); break;
    case kVariablesModifyValue: OnModifyValue(); break;
    case kVariablesDelete: OnDeleteVariable(); break;
    case kVariablesAddNew: OnAddNewVariable(); break;
    default: break;
    }
}

CMenuItems CVariablesListView::BuildContextMenu(bool onItem) const
{
    return m_model->List().ContextMenu(onItem, OwnerCanAcceptEntry());
}
