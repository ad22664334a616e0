#include "panes/HistoryList.h"

#include <gtest/gtest.h>

namespace {

std::deque<std::string> Numbers(int from, int count)
{
    std::deque<std::string> items;
    for (int i = 0; i < count; ++i)
        items.push_back(std::to_string(from + i));
    return items;
}

TEST(HistoryList, NewestFirstAndAtMostFiftyOnAdding)
{
    CHistoryList history;
    for (int i = 1; i <= 51; ++i)
        history.Add(std::to_string(i));
    ASSERT_EQ(history.Count(), 50);
    EXPECT_EQ(history.Text(0), "51");
    EXPECT_EQ(history.Text(49), "2");   // "1" was dropped
}

TEST(HistoryList, ALongerLoadedListIsKeptAndShrinksNoFurther)
{
    CHistoryList history;
    history.Load(Numbers(0, 60));
    EXPECT_EQ(history.Count(), 60);
    history.Add("new");
    EXPECT_EQ(history.Count(), 60);
    EXPECT_EQ(history.Text(0), "new");
    EXPECT_EQ(history.Text(59), "58");
}

TEST(HistoryList, SelectionAfterRemoval)
{
    struct Case {
        int count;
        int removed;
        int selected;
    };
    for (const Case& c : {Case{5, 2, 2}, Case{5, 4, 3}, Case{5, 0, 0}, Case{1, 0, -1}, Case{3, 7, -1}}) {
        CHistoryList history;
        history.Load(Numbers(0, c.count));
        EXPECT_EQ(history.RemoveAt(c.removed), c.selected) << c.count << " " << c.removed;
    }
    CHistoryList history;
    history.Load({"a", "b", "c"});
    history.RemoveAt(1);
    EXPECT_EQ(history.Items(), (std::deque<std::string>{"a", "c"}));
}

TEST(HistoryList, ContextMenu)
{
    CHistoryList history;
    history.Load({"1"});
    CMenuItems menu = history.ContextMenu(true, true);
    ASSERT_EQ(menu.size(), 7u);
    for (const CMenuItemState& item : menu)
        EXPECT_TRUE(item.m_bEnabled) << item.m_text;
    EXPECT_EQ(FindMenuItem(menu, kHistoryAddToVariables)->m_text, "Add to Variable List");

    menu = history.ContextMenu(true, false);
    EXPECT_FALSE(FindMenuItem(menu, kHistoryAddAsNewEntry)->m_bEnabled);
    EXPECT_TRUE(FindMenuItem(menu, kHistoryCopy)->m_bEnabled);

    // Empty space with items: only "Clear History" stays enabled.
    menu = history.ContextMenu(false, true);
    for (int command : {kHistoryAddAsNewEntry, kHistoryCopy, kHistoryAddToVariables, kHistoryDeleteItem})
        EXPECT_FALSE(FindMenuItem(menu, command)->m_bEnabled) << command;
    EXPECT_EQ(FindMenuItem(menu, kHistoryAddToVariables)->m_text, "Add as Variable");
    EXPECT_TRUE(FindMenuItem(menu, kHistoryClear)->m_bEnabled);

    history.Clear();
    EXPECT_FALSE(FindMenuItem(history.ContextMenu(false, true), kHistoryClear)->m_bEnabled);
}

}  // namespace
