// The record changes on another thread while the window repaints: the window
// must only ever paint its own snapshot, and end up showing the record as it is.
#include <atomic>
#include <thread>

#include <QApplication>

#include <gtest/gtest.h>

#include "PaneFakes.h"
#include "panes/CalcRecordWindow.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"

namespace {

TEST(RecordWindowThreading, ACalculationThreadPushesAndRemovesWhileTheWindowRepaints)
{
    CCalcRecord record;
    ConfigOptions config;
    config.m_digitGrouping = 0;
    WindowSettings settings;
    FakeServices fakes;
    CCalcRecordWindow window(&record, fakes.Services(), config, settings);
    window.resize(400, 200);
    window.show();
    record.SetListener(window.Listener());

    std::atomic<bool> painting{false};
    std::atomic<bool> done{false};
    std::thread calculation([&] {
        while (!painting)
            std::this_thread::yield();
        for (int i = 0; i < 3000; ++i) {
            record.AddEntry(EntryNumber, std::to_string(1000000 + i), "", i % 4);
            if (i % 5 == 4)
                record.RemoveLast();
            if (i % 7 == 6)
                record.AddBinaryOperation(EntryBinaryOperator, i % 9, std::to_string(i), 0);
            if (i == 1500)
                record.Clear();
        }
        done = true;
    });
    int repaints = 0;
    do {
        QApplication::processEvents();
        window.viewport()->repaint();
        ++repaints;
        painting = true;
    } while (!done);
    calculation.join();
    QApplication::processEvents();
    record.SetListener(nullptr);

    EXPECT_GT(repaints, 0);
    ASSERT_EQ(window.LineCount(), record.GetEntryCount());
    const CCalcRecordSnapshot& snapshot = window.Snapshot();
    for (int i = 0; i < snapshot.Count(); ++i) {
        const auto line = record.GetEntry(i);
        ASSERT_EQ(snapshot.Line(i)->m_entryString, line->m_entryString) << i;
        ASSERT_EQ(snapshot.Line(i)->m_resultString, line->m_resultString) << i;
    }
}

}  // namespace
