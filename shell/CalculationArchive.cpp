#include "shell/CalculationArchive.h"

#include "engine/EngineSerialization.h"
#include "settings/ArchiveSchema.h"

const ArchiveType* AddCalcRecordArchiveType(ArchiveSchema& s)
{
    ArchiveType* entry = s.Class("CalcRecordEntry", 0, true);
    ArchiveSchema::AddMember(entry, "m_calcRecordEntryType", s.Int());
    ArchiveSchema::AddMember(entry, "m_opType", s.Int());
    ArchiveSchema::AddMember(entry, "m_entryString", s.String());
    ArchiveSchema::AddMember(entry, "m_resultString", s.String());
    ArchiveSchema::AddMember(entry, "m_parenDepth", s.Int());
    ArchiveType* record = s.Class("CCalcRecord");
    ArchiveSchema::AddMember(record, "m_calcRecordEntries", s.Sequence(s.SharedPtr(entry)));
    ArchiveSchema::AddMember(record, "m_parenDepth", s.Int());
    return record;
}

const ArchiveType* AddInnerCalcArchiveType(ArchiveSchema& s)
{
    ArchiveType* number = s.Class("Number", 0, true);
    ArchiveSchema::AddMember(number, "serializationString", s.CheckedString("number text", IsSavedNumberText));
    const ArchiveType* numberPtr = s.SharedPtr(number);

    ArchiveType* data = s.Class("EvalData", 0, true);
    ArchiveSchema::AddMember(data, "m_evalDataType", s.Int());
    ArchiveSchema::AddMember(data, "m_spNumber", numberPtr);
    ArchiveSchema::AddMember(data, "m_spArg1", numberPtr);
    ArchiveSchema::AddMember(data, "m_spArg1", numberPtr);
    ArchiveSchema::AddMember(data, "m_funcName", s.String());
    const ArchiveType* dataPtr = s.SharedPtr(data);

    ArchiveType* level = s.Class("EvalStackHolder", 0, true);
    ArchiveSchema::AddMember(level, "m_evalStack", s.Sequence(dataPtr));
    ArchiveSchema::AddMember(level, "m_opStack", s.Sequence(s.Int()));
    const ArchiveType* levelPtr = s.SharedPtr(level);

    // The undo records: a polymorphic base that is itself saved too, and
    // seven exported classes that write it first.
    ArchiveType* base = s.Class("ModifyInnerCalc", 0, true);
    ArchiveSchema::AddMember(base, "m_restoreCalcEntryType", s.Int());
    ArchiveSchema::AddMember(base, "m_restoreCalcState", s.Int());
    ArchiveSchema::AddMember(base, "m_bContinue", s.Bool());
    auto derived = [&](const char* name) {
        ArchiveType* t = s.Class(name, 0, true);
        t->exportKey = name;
        ArchiveSchema::AddMember(t, "ModifyInnerCalc", base);
        base->derived.push_back(t);
        return t;
    };
    derived("ResetModify");
    derived("RemoveLastEvalEntryModify");
    derived("RemoveLastOpEntryModify");
    derived("RemoveLastEvalStackHolderModify");
    ArchiveSchema::AddMember(derived("ReplaceLastEvalStackHolderModify"), "m_replaceValue", number);
    ArchiveType* restoreOperands = derived("RestorePreOpStackModify");
    ArchiveSchema::AddMember(restoreOperands, "m_spEvalDataFirst", dataPtr);
    ArchiveSchema::AddMember(restoreOperands, "m_spEvalDataSecond", dataPtr);
    ArchiveSchema::AddMember(restoreOperands, "m_opType", s.Int());
    ArchiveSchema::AddMember(derived("RestoreEvalStackHolderModify"), "m_spEvalStackHolder", levelPtr);

    ArchiveType* calc = s.Class("CInnerCalc");
    ArchiveSchema::AddMember(calc, "m_prevEntryType", s.Int());
    ArchiveSchema::AddMember(calc, "m_calcState", s.Int());
    ArchiveSchema::AddMember(calc, "m_masterStack", s.Sequence(levelPtr));
    ArchiveSchema::AddMember(calc, "m_stepBackStack", s.Sequence(s.SharedPtr(base)));
    return calc;
}
