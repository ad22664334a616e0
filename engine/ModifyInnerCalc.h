#pragma once
// Undo records. Every change the engine makes to its stacks is recorded as one
// of these on its step-back stack; the records of one user entry form one step.
// The first record of a step has m_bContinue false (undoing stops after it),
// the later ones true. Undo reverses the record's change on the engine it is
// given and returns m_bContinue.
//
// The records are saved with a calculation (base object "ModifyInnerCalc",
// then each class's own fields; export keys are the bare class names).

#include <deque>
#include <memory>

#include "engine/EvalData.h"
#include "engine/EvalStackHolder.h"
#include "number/Number.h"

namespace boost::serialization {
class access;
}

// What an undo record may change in the engine.
class IInnerCalcUndoTarget {
public:
    // Empties the engine completely (stacks, step-back stack, record, result event).
    virtual void ResetCalculation() = 0;
    virtual void SetPrevEntryType(int entryType) = 0;
    virtual void SetCalcState(int calcState) = 0;
    // Level 0 (outermost) at the front, the top level at the back.
    virtual std::deque<std::shared_ptr<EvalStackHolder>>& MasterStack() = 0;

protected:
    ~IInnerCalcUndoTarget() = default;
};

// A step that changed only the entry type and the calculation state.
class ModifyInnerCalc {
public:
    ModifyInnerCalc() = default;
    explicit ModifyInnerCalc(bool bContinue) : m_bContinue(bContinue) {}
    virtual ~ModifyInnerCalc() = default;

    virtual void SetRestoreCalcEntryType(int entryType) { m_restoreCalcEntryType = entryType; }
    virtual void SetRestoreCalcState(int calcState) { m_restoreCalcState = calcState; }
    // Puts back the entry type and calculation state; returns m_bContinue.
    virtual bool Undo(IInnerCalcUndoTarget& calc);

    int m_restoreCalcEntryType = 0;
    int m_restoreCalcState = 0;
    bool m_bContinue = false;

    template <class Archive>
    void serialize(Archive& ar, unsigned int version);  // defined with the saved-file code

protected:
    // The top level, or null when there is none.
    static EvalStackHolder* TopLevel(IInnerCalcUndoTarget& calc);
};

// Empties the engine; the base fields are not restored.
class ResetModify : public ModifyInnerCalc {
public:
    using ModifyInnerCalc::ModifyInnerCalc;
    bool Undo(IInnerCalcUndoTarget& calc) override;
    template <class Archive>
    void serialize(Archive& ar, unsigned int version);
};

// Removes the top level's last value.
class RemoveLastEvalEntryModify : public ModifyInnerCalc {
public:
    using ModifyInnerCalc::ModifyInnerCalc;
    bool Undo(IInnerCalcUndoTarget& calc) override;
    template <class Archive>
    void serialize(Archive& ar, unsigned int version);
};

// Removes the top level's top operator (front of m_opStack).
class RemoveLastOpEntryModify : public ModifyInnerCalc {
public:
    using ModifyInnerCalc::ModifyInnerCalc;
    bool Undo(IInnerCalcUndoTarget& calc) override;
    template <class Archive>
    void serialize(Archive& ar, unsigned int version);
};

// Removes the top level.
class RemoveLastEvalStackHolderModify : public ModifyInnerCalc {
public:
    using ModifyInnerCalc::ModifyInnerCalc;
    bool Undo(IInnerCalcUndoTarget& calc) override;
    template <class Archive>
    void serialize(Archive& ar, unsigned int version);
};

// Sets the top level's last value back to m_replaceValue.
class ReplaceLastEvalStackHolderModify : public ModifyInnerCalc {
public:
    ReplaceLastEvalStackHolderModify() = default;
    ReplaceLastEvalStackHolderModify(bool bContinue, const Number& value)
        : ModifyInnerCalc(bContinue), m_replaceValue(value) {}
    bool Undo(IInnerCalcUndoTarget& calc) override;
    template <class Archive>
    void serialize(Archive& ar, unsigned int version);

    Number m_replaceValue;
};

// Takes back one evaluation round: removes the round's result from the top
// level, pushes the two operands back and the operator back at the front.
class RestorePreOpStackModify : public ModifyInnerCalc {
public:
    RestorePreOpStackModify() = default;
    RestorePreOpStackModify(bool bContinue, std::shared_ptr<EvalData> first, std::shared_ptr<EvalData> second,
                            int opType)
        : ModifyInnerCalc(bContinue),
          m_spEvalDataFirst(std::move(first)),
          m_spEvalDataSecond(std::move(second)),
          m_opType(opType) {}
    bool Undo(IInnerCalcUndoTarget& calc) override;
    template <class Archive>
    void serialize(Archive& ar, unsigned int version);

    std::shared_ptr<EvalData> m_spEvalDataFirst;
    std::shared_ptr<EvalData> m_spEvalDataSecond;
    int m_opType = OpNone;
};

// Pushes m_spEvalStackHolder back as the new top level.
class RestoreEvalStackHolderModify : public ModifyInnerCalc {
public:
    RestoreEvalStackHolderModify() = default;
    RestoreEvalStackHolderModify(bool bContinue, std::shared_ptr<EvalStackHolder> level)
        : ModifyInnerCalc(bContinue), m_spEvalStackHolder(std::move(level)) {}
    bool Undo(IInnerCalcUndoTarget& calc) override;
    template <class Archive>
    void serialize(Archive& ar, unsigned int version);

    std::shared_ptr<EvalStackHolder> m_spEvalStackHolder;
};
