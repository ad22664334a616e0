#include "panes/CalcRecordFeed.h"

#include <utility>

CCalcRecordFeed::CCalcRecordFeed(const CCalcRecord* record, std::function<void()> wake)
    : m_record(record), m_wake(std::move(wake))
{
}

namespace {

std::vector<CalcRecordEntry> CopyLines(const CCalcRecord* record)
{
    std::vector<CalcRecordEntry> lines;
    if (record) {
        for (int i = 0, n = record->GetEntryCount(); i < n; ++i)
            if (auto line = record->GetEntry(i))
                lines.push_back(*line);
    }
    return lines;
}

}  // namespace

void CCalcRecordFeed::EntryAdded()
{
    std::shared_ptr<CalcRecordEntry> line;
    if (m_record)
        line = m_record->GetEntry(m_record->GetEntryCount() - 1);
    if (line)
        Queue({CCalcRecordChange::Added, {*line}});
    else   // the line is gone again: take the record as it is now
        Queue({CCalcRecordChange::Reset, CopyLines(m_record)});
}

void CCalcRecordFeed::LastEntryRemoved()
{
    Queue({CCalcRecordChange::RemovedLast, {}});
}

void CCalcRecordFeed::Cleared()
{
    Queue({CCalcRecordChange::Cleared, {}});
}

void CCalcRecordFeed::QueueReset()
{
    Queue({CCalcRecordChange::Reset, CopyLines(m_record)});
}

void CCalcRecordFeed::Queue(CCalcRecordChange change)
{
    bool wasEmpty = false;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        wasEmpty = m_pending.empty();
        m_pending.push_back(std::move(change));
    }
    if (wasEmpty && m_wake)
        m_wake();
}

std::vector<CCalcRecordChange> CCalcRecordFeed::TakeChanges()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return std::exchange(m_pending, {});
}

const CalcRecordEntry* CCalcRecordSnapshot::Line(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return &m_lines[static_cast<std::size_t>(index)];
}

void CCalcRecordSnapshot::Apply(const CCalcRecordChange& change)
{
    switch (change.m_kind) {
    case CCalcRecordChange::Added:
        m_lines.insert(m_lines.end(), change.m_lines.begin(), change.m_lines.end());
        break;
    case CCalcRecordChange::RemovedLast:
        if (!m_lines.empty())
            m_lines.pop_back();
        break;
    case CCalcRecordChange::Cleared:
        m_lines.clear();
        break;
    case CCalcRecordChange::Reset:
        m_lines = change.m_lines;
        break;
    }
}
