#include "panes/VariableList.h"

#include <gtest/gtest.h>

namespace {

using Map = CVariableList::Map;
using Sequence = CVariableList::Sequence;

TEST(VariableList, DefaultNameIsTheSmallestFreeX)
{
    CVariableList list;
    EXPECT_EQ(list.DefaultName(), "X0");
    list.Load({{"X0", "1"}, {"X1", "2"}, {"X3", "3"}}, {"X0", "X1", "X3"});
    EXPECT_EQ(list.DefaultName(), "X2");

    Map all;
    Sequence order;
    for (int i = 0; i < 1000; ++i) {
        all["X" + std::to_string(i)] = "1";
        order.push_back("X" + std::to_string(i));
    }
    list.Load(all, order);
    EXPECT_EQ(list.DefaultName(), "");
}

TEST(VariableList, StoredNamesAreTrimmedAndUpperCasedForAdd)
{
    EXPECT_EQ(StoredVariableName("  rate b1 \t", VariableNameForm::Add), "RATE B1");
    EXPECT_EQ(StoredVariableName("  rate b1 \t", VariableNameForm::Modify), "rate b1");
    EXPECT_EQ(StoredVariableName("x~y.z_9", VariableNameForm::Add), "X~Y.Z_9");
}

TEST(VariableList, AddSortsInByteOrderAndOverwritesExistingNames)
{
    CVariableList list;
    EXPECT_EQ(list.Add("Z", "1"), 0);
    EXPECT_EQ(list.Add("B", "2"), 0);
    EXPECT_EQ(list.Add("B2", "3"), 1);
    EXPECT_EQ(list.Add("A_", "4"), 0);
    EXPECT_EQ(list.Order(), (Sequence{"A_", "B", "B2", "Z"}));
    EXPECT_EQ(list.Add("B", "9"), 1);   // existing: new value, no new line
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.ValueAt(1), "9");
}

TEST(VariableList, ModifyAppendsANewNameAndKeepsTheOld)
{
    CVariableList list;
    list.Add("B", "1");
    list.Add("C", "2");
    EXPECT_EQ(list.Modify("A", "5"), 2);
    EXPECT_EQ(list.Order(), (Sequence{"B", "C", "A"}));
    EXPECT_EQ(list.Modify("C", "7"), 1);
    EXPECT_EQ(list.ValueAt(1), "7");
    EXPECT_EQ(list.Count(), 3);
}

TEST(VariableList, RemoveSelectsTheSameLineOrTheNewLast)
{
    CVariableList list;
    list.Load({{"A", "1"}, {"B", "2"}, {"C", "3"}}, {"A", "B", "C"});
    EXPECT_EQ(list.RemoveAt(2), 1);
    EXPECT_FALSE(list.Contains("C"));
    EXPECT_EQ(list.RemoveAt(0), 0);
    EXPECT_EQ(list.NameAt(0), "B");
    EXPECT_EQ(list.RemoveAt(0), -1);
    EXPECT_EQ(list.Count(), 0);
}

// Containers that disagree are repaired, never emptied.
TEST(VariableList, DisagreeingContainersAreRepaired)
{
    struct Case {
        Map variables;
        Sequence order;
        Sequence expected;
    };
    const Case cases[] = {
        {{{"A", "1"}, {"B", "2"}}, {"B", "A"}, {"B", "A"}},
        {{{"A", "1"}, {"B", "2"}, {"C", "3"}}, {"C"}, {"C", "A", "B"}},
        {{{"A", "1"}}, {"A", "GHOST", "A"}, {"A"}},
        {{{"B", "1"}, {"A", "2"}}, {}, {"A", "B"}},
        {{}, {"A"}, {}},
    };
    for (const Case& c : cases) {
        CVariableList list;
        list.Load(c.variables, c.order);
        EXPECT_EQ(list.Order(), c.expected);
        EXPECT_EQ(list.Variables(), c.variables);
        Map storedMap;
        Sequence storedOrder;
        list.StoreTo(storedMap, storedOrder);
        EXPECT_EQ(storedOrder, c.expected);
    }
}

TEST(VariableList, ContextMenu)
{
    CVariableList list;
    CMenuItems menu = list.ContextMenu(false, true);
    for (int command : {kVariablesAddAsNewEntry, kVariablesCopyValue, kVariablesModifyValue, kVariablesDelete})
        EXPECT_FALSE(FindMenuItem(menu, command)->m_bEnabled) << command;
    EXPECT_TRUE(FindMenuItem(menu, kVariablesAddNew)->m_bEnabled);
    menu = list.ContextMenu(true, false);
    EXPECT_FALSE(FindMenuItem(menu, kVariablesAddAsNewEntry)->m_bEnabled);
    EXPECT_TRUE(FindMenuItem(menu, kVariablesModifyValue)->m_bEnabled);
    EXPECT_EQ(CVariableList::DeleteQuestion("X1"), "Are you sure you want to delete variable X1?");
}

}  // namespace
