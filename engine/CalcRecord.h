#pragma once
// The calculation record: one line per entry and intermediate result of the
// current calculation, in entry order.
//
// The engine writes it through IUpdateCalcRecord, on the user-interface thread
// (numbers, "(", negate) and on its calculation thread (results of operators,
// functions, ")" and "="). The record has a lock of its own, so a reader on
// another thread never sees it half-changed; GetEntry hands out copies.
//
// ICalcRecordChanged notifications are made on the thread that changed the
// record - which may be the engine's calculation thread - after the lock is
// released. A listener that owns widgets must pass them on to its own thread.

#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "port/CalcTypes.h"

namespace boost::serialization {
class access;
}

struct CalcRecordEntry {
    int m_calcRecordEntryType = EntryNone;  // CalcEntryType of the line
    int m_opType = OpNone;                  // OperatorType of an operator line, else 9
    std::string m_entryString;              // what was entered
    std::string m_resultString;             // result shown beside the entry (may be empty)
    int m_parenDepth = 0;                   // depth at which the entry was made

    template <class Archive>
    void serialize(Archive& ar, unsigned int version);  // defined with the saved-file code
};

class IUpdateCalcRecord {
public:
    virtual ~IUpdateCalcRecord() = default;
    // A line whose entry text is the operator's record text ("+", ..., "nCr",
    // "nPr"; "???" for a code outside 0..8).
    virtual void AddBinaryOperation(int entryType, int opType, const std::string& resultString, int parenDepth) = 0;
    virtual void AddEntry(int entryType, const std::string& entryString, const std::string& resultString,
                          int parenDepth) = 0;
    virtual void Push(std::shared_ptr<CalcRecordEntry> entry) = 0;
    virtual void RemoveLast() = 0;
    virtual void Clear() = 0;
};

// Told of every change. Called on the changing thread, possibly the engine's
// calculation thread; the record is consistent and unlocked during the call.
class ICalcRecordChanged {
public:
    virtual ~ICalcRecordChanged() = default;
    virtual void EntryAdded() = 0;
    virtual void LastEntryRemoved() = 0;
    virtual void Cleared() = 0;
};

class CCalcRecord : public IUpdateCalcRecord {
public:
    explicit CCalcRecord(ICalcRecordChanged* listener = nullptr);

    void SetListener(ICalcRecordChanged* listener);

    void AddBinaryOperation(int entryType, int opType, const std::string& resultString, int parenDepth) override;
    void AddEntry(int entryType, const std::string& entryString, const std::string& resultString,
                  int parenDepth) override;
    // Appends the line: "(" adds 1 to the running depth, ")" takes 1 off.
    void Push(std::shared_ptr<CalcRecordEntry> entry) override;
    // Drops the last line (nothing when empty), undoing its depth change.
    void RemoveLast() override;
    // Empties the lines and sets the running depth back to 0.
    void Clear() override;

    // A copy of line index (0 = oldest); null when index is out of range.
    std::shared_ptr<CalcRecordEntry> GetEntry(int index) const;
    int GetEntryCount() const;
    int GetParenDepth() const;

    template <class Archive>
    void serialize(Archive& ar, unsigned int version);  // defined with the saved-file code

private:
    friend class boost::serialization::access;
    ICalcRecordChanged* Listener() const;

    mutable std::mutex m_lock;  // guards the lines, the depth and the listener pointer
    std::deque<std::shared_ptr<CalcRecordEntry>> m_calcRecordEntries;
    ICalcRecordChanged* m_listener = nullptr;  // not owned
    int m_parenDepth = 0;
};
