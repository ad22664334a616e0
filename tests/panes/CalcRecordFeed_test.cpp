#include "panes/CalcRecordFeed.h"

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

namespace {

TEST(CalcRecordFeed, CopiesEachChangeAndWakesOncePerBatch)
{
    CCalcRecord record;
    int wakes = 0;
    CCalcRecordFeed feed(&record, [&] { ++wakes; });
    record.SetListener(&feed);

    record.AddEntry(EntryNumber, "2", "", 0);
    record.AddBinaryOperation(EntryBinaryOperator, OpAdd, "", 0);
    record.AddEntry(EntryNumber, "3", "", 0);
    EXPECT_EQ(wakes, 1);   // the queue turned non-empty once

    std::vector<CCalcRecordChange> changes = feed.TakeChanges();
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[1].m_kind, CCalcRecordChange::Added);
    ASSERT_EQ(changes[1].m_lines.size(), 1u);
    EXPECT_EQ(changes[1].m_lines[0].m_entryString, "+");

    record.RemoveLast();
    record.Clear();
    EXPECT_EQ(wakes, 2);
    changes = feed.TakeChanges();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].m_kind, CCalcRecordChange::RemovedLast);
    EXPECT_EQ(changes[1].m_kind, CCalcRecordChange::Cleared);
    EXPECT_TRUE(feed.TakeChanges().empty());
    record.SetListener(nullptr);
}

TEST(CalcRecordFeed, SnapshotFollowsTheRecord)
{
    CCalcRecord record;
    CCalcRecordFeed feed(&record, {});
    record.SetListener(&feed);
    CCalcRecordSnapshot snapshot;
    const auto apply = [&] {
        for (const CCalcRecordChange& change : feed.TakeChanges())
            snapshot.Apply(change);
    };

    record.AddEntry(EntryOpenParen, "(", "", 0);
    record.AddEntry(EntryNumber, "7", "", 1);
    record.AddEntry(EntryCloseParen, ")", "7", 1);
    record.RemoveLast();
    apply();
    ASSERT_EQ(snapshot.Count(), 2);
    EXPECT_EQ(snapshot.Line(1)->m_entryString, "7");
    EXPECT_EQ(snapshot.Line(1)->m_parenDepth, 1);
    EXPECT_EQ(snapshot.Line(2), nullptr);

    record.Clear();
    record.AddEntry(EntryNumber, "9", "", 0);
    feed.QueueReset();
    apply();
    ASSERT_EQ(snapshot.Count(), 1);
    EXPECT_EQ(snapshot.Line(0)->m_entryString, "9");
    record.SetListener(nullptr);
}

// Changes made on another thread arrive complete and in order; the reader
// never touches the record.
TEST(CalcRecordFeed, ChangesFromAnotherThreadArriveInOrder)
{
    CCalcRecord record;
    std::atomic<int> wakes{0};
    CCalcRecordFeed feed(&record, [&] { wakes.fetch_add(1); });
    record.SetListener(&feed);
    CCalcRecordSnapshot snapshot;

    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 2000; ++i) {
            record.AddEntry(EntryNumber, std::to_string(i), "", 0);
            if (i % 3 == 2)
                record.RemoveLast();
        }
        done = true;
    });
    while (!done) {
        for (const CCalcRecordChange& change : feed.TakeChanges())
            snapshot.Apply(change);
        std::this_thread::yield();
    }
    writer.join();
    for (const CCalcRecordChange& change : feed.TakeChanges())
        snapshot.Apply(change);
    record.SetListener(nullptr);

    ASSERT_EQ(snapshot.Count(), record.GetEntryCount());
    for (int i = 0; i < snapshot.Count(); ++i)
        EXPECT_EQ(snapshot.Line(i)->m_entryString, record.GetEntry(i)->m_entryString);
    EXPECT_GE(wakes.load(), 1);
}

}  // namespace
