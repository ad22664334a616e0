#include "engine/CalcRecord.h"

#include "port/NameTables.h"

CCalcRecord::CCalcRecord(ICalcRecordChanged* listener) : m_listener(listener) {}

void CCalcRecord::SetListener(ICalcRecordChanged* listener) {
    std::lock_guard lock(m_lock);
    m_listener = listener;
}

ICalcRecordChanged* CCalcRecord::Listener() const {
    std::lock_guard lock(m_lock);
    return m_listener;
}

void CCalcRecord::AddBinaryOperation(int entryType, int opType, const std::string& resultString, int parenDepth) {
    auto entry = std::make_shared<CalcRecordEntry>();
    entry->m_calcRecordEntryType = entryType;
    entry->m_opType = opType;
    entry->m_entryString = std::string(OperatorRecordText(opType));
    entry->m_resultString = resultString;
    entry->m_parenDepth = parenDepth;
    Push(std::move(entry));
}

void CCalcRecord::AddEntry(int entryType, const std::string& entryString, const std::string& resultString,
                           int parenDepth) {
    auto entry = std::make_shared<CalcRecordEntry>();
    entry->m_calcRecordEntryType = entryType;
    entry->m_opType = OpNone;
    entry->m_entryString = entryString;
    entry->m_resultString = resultString;
    entry->m_parenDepth = parenDepth;
    Push(std::move(entry));
}

void CCalcRecord::Push(std::shared_ptr<CalcRecordEntry> entry) {
    if (!entry)
        return;
    {
        std::lock_guard lock(m_lock);
        if (entry->m_calcRecordEntryType == EntryOpenParen)
            ++m_parenDepth;
        else if (entry->m_calcRecordEntryType == EntryCloseParen)
            --m_parenDepth;
        m_calcRecordEntries.push_back(std::move(entry));
    }
    if (auto* listener = Listener())
        listener->EntryAdded();
}

void CCalcRecord::RemoveLast() {
    std::shared_ptr<CalcRecordEntry> removed;  // kept alive until the listener has been told
    {
        std::lock_guard lock(m_lock);
        if (m_calcRecordEntries.empty())
            return;
        removed = std::move(m_calcRecordEntries.back());
        m_calcRecordEntries.pop_back();
        if (removed->m_calcRecordEntryType == EntryCloseParen)
            ++m_parenDepth;
        else if (removed->m_calcRecordEntryType == EntryOpenParen)
            --m_parenDepth;
    }
    if (auto* listener = Listener())
        listener->LastEntryRemoved();
}

void CCalcRecord::Clear() {
    {
        std::lock_guard lock(m_lock);
        m_calcRecordEntries.clear();
        m_parenDepth = 0;
    }
    if (auto* listener = Listener())
        listener->Cleared();
}

std::shared_ptr<CalcRecordEntry> CCalcRecord::GetEntry(int index) const {
    std::lock_guard lock(m_lock);
    if (index < 0 || static_cast<std::size_t>(index) >= m_calcRecordEntries.size())
        return nullptr;
    return std::make_shared<CalcRecordEntry>(*m_calcRecordEntries[static_cast<std::size_t>(index)]);
}

int CCalcRecord::GetEntryCount() const {
    std::lock_guard lock(m_lock);
    return static_cast<int>(m_calcRecordEntries.size());
}

int CCalcRecord::GetParenDepth() const {
    std::lock_guard lock(m_lock);
    return m_parenDepth;
}
