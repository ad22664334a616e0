#include "panes/HistoryListView.h"

#include "panes/PaneRules.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"

CHistoryListView::CHistoryListView(const CPaneServices& services, ConfigOptions& config,
                                   WindowSettings& settings, QWidget* parent)
    : CPaneListViewT(CPaneImageList::Kind::History, services, parent), m_config(config), m_settings(settings)
{
    m_model = new CHistoryItemModel([this] { return m_config.m_digitGrouping; },
                                    Images().Pixmap(CPaneImageList::kItemMark), this);
    setModel(m_model);
    setColumnWidth(0, kValueColumnInitialWidth);
}

void CHistoryListView::LoadFromConfig()
{
    m_model->Load(m_config.m_historyItems);
    if (ItemCount() > 0)
        SelectRow(0);
    if (m_settings.m_nHistoryValueColWidth > 0)
        setColumnWidth(0, m_settings.m_nHistoryValueColWidth);
}

void CHistoryListView::StoreToSettings()
{
    m_config.m_historyItems = m_model->List().Items();
    m_settings.m_nHistoryValueColWidth = columnWidth(0);
}

void CHistoryListView::AddToHistory(const std::string& text)
{
    // The selection is a position, not an item: the selected row stays where
    // it was (so a selected newest result is followed by the next one).
    const int selected = SelectedRow();
    m_model->Add(text);
    scrollTo(m_model->index(0, 0));
    SelectRow(selected >= 0 && selected < ItemCount() ? selected : 0);
}

void CHistoryListView::GetSelectedText(std::string& text) const
{
    text = m_model->List().Text(SelectedRow());
}

void CHistoryListView::OnAddToVariableList()
{
    std::string text;
    GetSelectedText(text);
    if (Parent() && !text.empty())
        Parent()->AddAsVariable(text);
}

void CHistoryListView::OnDeleteItem()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    SelectRow(m_model->RemoveAt(row));
}

void CHistoryListView::OnClearHistory()
{
    if (ItemCount() == 0)
        return;
    const MessageBoxAnswer answer = Services().m_messageBox->Show(
        this, kClearHistoryQuestion, kConfirmCaption, MessageBoxButtons::YesNo, MessageBoxIcon::Question);
    if (answer == MessageBoxAnswer::Yes)
        m_model->Clear();
}

void CHistoryListView::ExecuteCommand(int command)
{
    switch (command) {
    case kHistoryAddAsNewEntry:
    case kHistoryMenuAddAsNewEntry: OnAddAsNewEntry(); break;
    case kHistoryCopy: OnCopy(); break;
    case kHistoryAddToVariables: OnAddToVariableList(); break;
    case kHistoryDeleteItem: OnDeleteItem(); break;
    case kHistoryClear: OnClearHistory(); break;
    default: break;
    }
}

CMenuItems CHistoryListView::BuildContextMenu(bool onItem) const
{
    return m_model->List().ContextMenu(onItem, OwnerCanAcceptEntry());
}
