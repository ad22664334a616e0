#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "engine/CalcRecord.h"

namespace {

class CountingListener : public ICalcRecordChanged {
public:
    explicit CountingListener(CCalcRecord* record = nullptr) : m_record(record) {}
    void EntryAdded() override {
        ++added;
        if (m_record)
            lastCount = m_record->GetEntryCount();  // reading from the notification must not deadlock
    }
    void LastEntryRemoved() override { ++removed; }
    void Cleared() override { ++cleared; }
    int added = 0, removed = 0, cleared = 0, lastCount = -1;

private:
    CCalcRecord* m_record;
};

TEST(EngineCalcRecord, LinesOfOperatorsAndEntries) {
    CCalcRecord record;
    record.AddBinaryOperation(3, 7, "", 0);
    record.AddBinaryOperation(3, 12, "", 0);
    record.AddBinaryOperation(3, 4, "5", 1);
    record.AddEntry(1, "42", "", 0);
    ASSERT_EQ(record.GetEntryCount(), 4);
    EXPECT_EQ(record.GetEntry(0)->m_entryString, "nCr");
    EXPECT_EQ(record.GetEntry(0)->m_opType, 7);
    EXPECT_EQ(record.GetEntry(1)->m_entryString, "???");
    EXPECT_EQ(record.GetEntry(2)->m_entryString, "idiv");
    EXPECT_EQ(record.GetEntry(2)->m_resultString, "5");
    EXPECT_EQ(record.GetEntry(2)->m_parenDepth, 1);
    EXPECT_EQ(record.GetEntry(3)->m_opType, 9);
    EXPECT_EQ(record.GetEntry(3)->m_calcRecordEntryType, 1);
    EXPECT_EQ(record.GetEntry(4), nullptr);
    EXPECT_EQ(record.GetEntry(-1), nullptr);
}

TEST(EngineCalcRecord, ParenDepthFollowsPushAndRemove) {
    CCalcRecord record;
    record.AddEntry(7, "(", "", 1);
    record.AddEntry(7, "(", "", 2);
    EXPECT_EQ(record.GetParenDepth(), 2);
    record.AddEntry(8, ")", "3", 1);
    EXPECT_EQ(record.GetParenDepth(), 1);
    record.RemoveLast();  // ")" gives its level back
    EXPECT_EQ(record.GetParenDepth(), 2);
    record.RemoveLast();  // "(" takes it away
    EXPECT_EQ(record.GetParenDepth(), 1);
    record.Clear();
    EXPECT_EQ(record.GetParenDepth(), 0);
    EXPECT_EQ(record.GetEntryCount(), 0);
    record.RemoveLast();  // nothing to remove
    EXPECT_EQ(record.GetParenDepth(), 0);
}

TEST(EngineCalcRecord, GetEntryGivesACopy) {
    CCalcRecord record;
    record.AddEntry(1, "7", "", 0);
    auto copy = record.GetEntry(0);
    copy->m_entryString = "changed";
    EXPECT_EQ(record.GetEntry(0)->m_entryString, "7");
}

TEST(EngineCalcRecord, ListenerIsToldOfEveryChange) {
    CCalcRecord record;
    CountingListener listener(&record);
    record.AddEntry(1, "1", "", 0);  // no listener yet
    record.SetListener(&listener);
    record.AddEntry(3, "+", "", 0);
    record.AddBinaryOperation(3, 0, "", 0);
    EXPECT_EQ(listener.lastCount, 3);
    record.RemoveLast();
    record.RemoveLast();
    record.RemoveLast();
    record.RemoveLast();  // empty: no notification
    record.Clear();
    EXPECT_EQ(listener.added, 2);
    EXPECT_EQ(listener.removed, 3);
    EXPECT_EQ(listener.cleared, 1);
}

// A reader on another thread sees whole lines only, while lines are added and
// removed (run under ThreadSanitizer too).
TEST(EngineCalcRecord, ReaderOnAnotherThreadSeesConsistentLines) {
    CCalcRecord record;
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::thread reader([&] {
        while (!stop.load()) {
            const int n = record.GetEntryCount();
            for (int i = 0; i < n; ++i) {
                if (auto entry = record.GetEntry(i); entry && entry->m_entryString != entry->m_resultString)
                    ++bad;
            }
        }
    });
    for (int i = 0; i < 2000; ++i) {
        const std::string text = std::to_string(i);
        record.AddEntry(1, text, text, 0);
        if (i % 3 == 0)
            record.RemoveLast();
        if (i % 500 == 0)
            record.Clear();
    }
    stop = true;
    reader.join();
    EXPECT_EQ(bad.load(), 0);
}

}  // namespace
