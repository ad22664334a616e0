#pragma once
// Carries the calculation record's changes to the user-interface thread.
//
// The record changes on the engine's calculation thread as well as on the
// user-interface thread, and tells its listener on the thread that changed it.
// CCalcRecordFeed is that listener: it copies each change (the new line itself,
// read on the changing thread) into a queue under its own lock and calls wake()
// when the queue turns non-empty, so that the window's thread drains the queue
// later. It never blocks on the window and never touches it. The window keeps
// a CCalcRecordSnapshot of the lines and paints only from that.

#include <functional>
#include <mutex>
#include <vector>

#include "engine/CalcRecord.h"

struct CCalcRecordChange {
    enum Kind { Added, RemovedLast, Cleared, Reset };
    Kind m_kind = Added;
    std::vector<CalcRecordEntry> m_lines;   // Added: the new line; Reset: every line
};

class CCalcRecordFeed final : public ICalcRecordChanged {
public:
    // record: the observed record (not owned). wake: called on the changing
    // thread when changes wait to be taken; it must only post, never block.
    CCalcRecordFeed(const CCalcRecord* record, std::function<void()> wake);

    void EntryAdded() override;
    void LastEntryRemoved() override;
    void Cleared() override;

    // Queues a copy of every line (after the record was replaced by a load).
    void QueueReset();

    // The queued changes, oldest first; the queue is empty afterwards.
    std::vector<CCalcRecordChange> TakeChanges();

    const CCalcRecord* Record() const { return m_record; }

private:
    void Queue(CCalcRecordChange change);

    const CCalcRecord* m_record;
    std::function<void()> m_wake;
    std::mutex m_lock;                         // guards m_pending
    std::vector<CCalcRecordChange> m_pending;
};

// The window's copy of the lines.
class CCalcRecordSnapshot {
public:
    const std::vector<CalcRecordEntry>& Lines() const { return m_lines; }
    int Count() const { return static_cast<int>(m_lines.size()); }
    const CalcRecordEntry* Line(int index) const;
    void Apply(const CCalcRecordChange& change);

private:
    std::vector<CalcRecordEntry> m_lines;
};
