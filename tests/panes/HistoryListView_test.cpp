#include "panes/HistoryListView.h"

#include <memory>

#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "PaneFakes.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"

namespace {

class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.SetDefaults();
        config.m_digitGrouping = 2;
        view = std::make_unique<CHistoryListView>(fakes.Services(), config, settings);
        view->SetParentInterface(&parent);
        view->resize(300, 260);
        view->show();
    }

    void Load(std::deque<std::string> items)
    {
        config.m_historyItems = std::move(items);
        view->LoadFromConfig();
    }

    QString Shown(int row) { return view->model()->index(row, 0).data().toString(); }
    QPoint RowPoint(int row) { return view->visualRect(view->model()->index(row, 0)).center(); }

    ConfigOptions config;
    WindowSettings settings;
    FakeServices fakes;
    FakeHistoryParent parent;
    std::unique_ptr<CHistoryListView> view;
};

TEST_F(HistoryTest, LoadsItemsSelectsTheFirstAndTakesTheWidth)
{
    settings.m_nHistoryValueColWidth = 180;
    Load({"3", "2", "1"});
    EXPECT_EQ(view->ItemCount(), 3);
    EXPECT_EQ(view->SelectedRow(), 0);
    EXPECT_EQ(view->columnWidth(0), 180);
    EXPECT_EQ(Shown(2), "1");
    EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), "Value");
}

TEST_F(HistoryTest, NewestFirstAtMostFiftyAndALongerLoadedListKept)
{
    for (int i = 1; i <= 51; ++i)
        view->AddToHistory(std::to_string(i));
    EXPECT_EQ(view->ItemCount(), 50);
    EXPECT_EQ(Shown(0), "51");
    EXPECT_EQ(Shown(49), "2");

    std::deque<std::string> sixty;
    for (int i = 0; i < 60; ++i)
        sixty.push_back(std::to_string(i));
    Load(sixty);
    view->AddToHistory("new");
    EXPECT_EQ(view->ItemCount(), 60);
    EXPECT_EQ(Shown(0), "new");
    EXPECT_EQ(Shown(59), "58");
}

TEST_F(HistoryTest, AddingKeepsTheSelectedPositionOrSelectsTheNewItem)
{
    view->AddToHistory("1");
    EXPECT_EQ(view->SelectedRow(), 0);
    view->AddToHistory("2");
    std::string text;
    view->GetSelectedText(text);
    EXPECT_EQ(text, "2");   // the selected position stays: the newest result
    view->SelectRow(1);
    view->AddToHistory("2b");
    EXPECT_EQ(view->SelectedRow(), 1);
    view->GetSelectedText(text);
    EXPECT_EQ(text, "2");
    view->selectionModel()->clearSelection();
    view->AddToHistory("3");
    view->GetSelectedText(text);
    EXPECT_EQ(text, "3");
}

TEST_F(HistoryTest, SelectionAfterDelete)
{
    Load({"a", "b", "c"});
    view->SelectRow(2);
    view->OnDeleteItem();
    EXPECT_EQ(view->SelectedRow(), 1);   // the new last item
    view->SelectRow(0);
    view->ExecuteCommand(kHistoryDeleteItem);
    EXPECT_EQ(view->SelectedRow(), 0);
    EXPECT_EQ(Shown(0), "b");
    view->OnDeleteItem();
    EXPECT_EQ(view->ItemCount(), 0);
    EXPECT_EQ(view->SelectedRow(), -1);
    view->OnDeleteItem();   // nothing selected: nothing happens
    EXPECT_EQ(view->ItemCount(), 0);
}

TEST_F(HistoryTest, ClearHistoryAsksFirst)
{
    view->OnClearHistory();   // no items: no question
    EXPECT_TRUE(fakes.messageBox.calls.empty());

    Load({"1", "2"});
    fakes.messageBox.answer = MessageBoxAnswer::No;
    view->ExecuteCommand(kHistoryClear);
    ASSERT_EQ(fakes.messageBox.calls.size(), 1u);
    const FakeMessageBox::Call& call = fakes.messageBox.calls[0];
    EXPECT_EQ(call.text, "Are you sure you want to clear history");
    EXPECT_EQ(call.caption, "Confirm");
    EXPECT_EQ(call.buttons, MessageBoxButtons::YesNo);
    EXPECT_EQ(call.icon, MessageBoxIcon::Question);
    EXPECT_EQ(view->ItemCount(), 2);

    fakes.messageBox.answer = MessageBoxAnswer::Yes;
    view->OnClearHistory();
    EXPECT_EQ(view->ItemCount(), 0);
}

TEST_F(HistoryTest, ActivationPutsTheItemInThroughTheFlyingItem)
{
    Load({"12.5", "7"});
    view->SelectRow(1);
    view->setFocus();
    QTest::keyClick(view.get(), Qt::Key_Return);
    ASSERT_EQ(parent.drags.size(), 1u);
    EXPECT_EQ(parent.drags[0].text, "7");
    EXPECT_EQ(parent.drags[0].imageIndex, CPaneImageList::kItemMark);
    EXPECT_EQ(parent.drags[0].images, &view->Images());
    // From the item's icon, in screen coordinates.
    const QRect item = view->visualRect(view->model()->index(1, 0));
    EXPECT_EQ(QPoint(parent.drags[0].x, parent.drags[0].y),
              view->viewport()->mapToGlobal(QPoint(item.left() + 3, item.top() + (item.height() - 16) / 2)));

    // A double click starts from the mouse.
    const QPoint click = RowPoint(0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, click);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, click);
    ASSERT_EQ(parent.drags.size(), 2u);
    EXPECT_EQ(parent.drags[1].text, "12.5");
    EXPECT_EQ(QPoint(parent.drags[1].x, parent.drags[1].y), view->viewport()->mapToGlobal(click));

    view->ExecuteCommand(kHistoryAddAsNewEntry);
    view->ExecuteCommand(kHistoryMenuAddAsNewEntry);
    ASSERT_EQ(parent.drags.size(), 4u);
    EXPECT_EQ(parent.drags[2].text, "12.5");
    EXPECT_EQ(parent.drags[3].text, "12.5");
    EXPECT_TRUE(parent.newEntries.empty());   // the owner enters it when the flight ends
}

TEST_F(HistoryTest, AMouseDragEntersTheItemOnlyOverADropTarget)
{
    Load({"12.5", "7"});
    fakes.drags.release = QPoint(400, 500);
    const QPoint start = RowPoint(1);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(view->viewport(), start + QPoint(30, 0));
    QTest::mouseMove(view->viewport(), start + QPoint(60, 0));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, start + QPoint(60, 0));
    ASSERT_EQ(fakes.drags.runs, 1);
    EXPECT_EQ(fakes.drags.data, QByteArray("7"));
    EXPECT_EQ(fakes.drags.hotSpot, QPoint(15, 15));
    ASSERT_EQ(parent.dropQueries.size(), 1u);
    EXPECT_EQ(parent.dropQueries[0], QPoint(400, 500));
    EXPECT_TRUE(parent.newEntries.empty());   // released elsewhere: nothing entered

    parent.overDropTarget = true;
    view->FinishMouseDrag(1, QPoint(10, 10));
    EXPECT_EQ(parent.newEntries, (std::vector<std::string>{"7"}));
}

TEST_F(HistoryTest, ContextMenu)
{
    Load({"1", "2"});
    fakes.menus.choice = kHistoryAddToVariables;
    const QPoint onItem = RowPoint(1);
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, onItem);
    QContextMenuEvent event(QContextMenuEvent::Mouse, onItem, view->viewport()->mapToGlobal(onItem));
    QApplication::sendEvent(view->viewport(), &event);
    ASSERT_EQ(fakes.menus.runs, 1);
    for (const CMenuItemState& item : fakes.menus.items)
        EXPECT_TRUE(item.m_bEnabled) << item.m_text;
    EXPECT_EQ(parent.variables, (std::vector<std::string>{"2"}));

    // Empty space with items present: only "Clear History".
    const CMenuItems below = view->ContextMenuAt(QPoint(20, view->viewport()->height() - 4));
    for (const CMenuItemState& item : below) {
        if (!item.IsSeparator()) {
            EXPECT_EQ(item.m_bEnabled, item.m_command == kHistoryClear) << item.m_text;
        }
    }

    parent.canAcceptEntry = false;
    EXPECT_FALSE(FindMenuItem(view->ContextMenuAt(onItem), kHistoryAddAsNewEntry)->m_bEnabled);
}

TEST_F(HistoryTest, GroupingShowsGroupedTextsButCopyTakesTheStoredOne)
{
    Load({"1234567.125", "1E5E6", "-0.50"});
    config.m_digitGrouping = 0;
    EXPECT_EQ(Shown(0), "1,234,567.125");
    EXPECT_EQ(Shown(1), "1E5E6");   // cannot be grouped: shown as stored
    EXPECT_EQ(Shown(2), "-0.50");
    view->SelectRow(0);
    view->OnCopy();
    EXPECT_EQ(fakes.clipboard.text, "1234567.125");
    for (int grouping : {1, 2}) {
        config.m_digitGrouping = grouping;
        EXPECT_EQ(Shown(0), "1234567.125");
    }
}

TEST_F(HistoryTest, CopyWithNothingSelectedLeavesTheClipboard)
{
    Load({"1"});
    view->selectionModel()->clearSelection();
    view->ExecuteCommand(kHistoryCopy);
    view->OnAddToVariableList();
    EXPECT_EQ(fakes.clipboard.sets, 0);
    EXPECT_EQ(fakes.clipboard.text, "left alone");
    EXPECT_TRUE(parent.variables.empty());
}

TEST_F(HistoryTest, StoreToSettingsIsRepeatableAndDestructionWritesNothing)
{
    Load({"1", "2"});
    view->AddToHistory("3");
    view->setColumnWidth(0, 123);
    view->StoreToSettings();
    view->StoreToSettings();
    EXPECT_EQ(config.m_historyItems, (std::deque<std::string>{"3", "1", "2"}));
    EXPECT_EQ(settings.m_nHistoryValueColWidth, 123);
    config.m_historyItems.clear();
    view.reset();
    EXPECT_TRUE(config.m_historyItems.empty());
}

}  // namespace
