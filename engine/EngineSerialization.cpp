#include "engine/EngineSerialization.h"

#include <boost/serialization/base_object.hpp>
#include <boost/serialization/deque.hpp>
#include <boost/serialization/export.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/shared_ptr.hpp>
#include <boost/serialization/split_free.hpp>
#include <boost/serialization/string.hpp>

#include "engine/UnfinishedObjects.h"
#include "port/NameTables.h"
#include "port/Operations.h"

#include <optional>

using boost::serialization::base_object;
using boost::serialization::make_nvp;

// ---- objects read through pointers ----

// The classes that files hold behind pointers: their objects are noted while
// they are read, so that a read that fails half-way frees them (see
// UnfinishedObjects.h). Each load below ends with NoteFinished.
#define QUILLIX_NOTED_CONSTRUCTION(Class)                                                 \
    template <class Archive>                                                             \
    void load_construct_data(Archive& ar, Class* object, unsigned int /*version*/)       \
    {                                                                                    \
        NoteConstructed(ar, object);                                                     \
    }

QUILLIX_NOTED_CONSTRUCTION(Number)
QUILLIX_NOTED_CONSTRUCTION(EvalData)
QUILLIX_NOTED_CONSTRUCTION(EvalStackHolder)
QUILLIX_NOTED_CONSTRUCTION(CalcRecordEntry)
QUILLIX_NOTED_CONSTRUCTION(ModifyInnerCalc)
QUILLIX_NOTED_CONSTRUCTION(ResetModify)
QUILLIX_NOTED_CONSTRUCTION(RemoveLastEvalEntryModify)
QUILLIX_NOTED_CONSTRUCTION(RemoveLastOpEntryModify)
QUILLIX_NOTED_CONSTRUCTION(RemoveLastEvalStackHolderModify)
QUILLIX_NOTED_CONSTRUCTION(ReplaceLastEvalStackHolderModify)
QUILLIX_NOTED_CONSTRUCTION(RestorePreOpStackModify)
QUILLIX_NOTED_CONSTRUCTION(RestoreEvalStackHolderModify)
#undef QUILLIX_NOTED_CONSTRUCTION

namespace {

template <class Archive, class T>
void FinishLoad(Archive& ar, T* object)
{
    if constexpr (Archive::is_loading::value)
        NoteFinished(ar, object);
}

}  // namespace

// ---- Number: its full scientific text ----

namespace {

std::optional<Number> SavedNumber(std::string_view text)
{
    // Bounded before it is parsed: a forged text of millions of digits must
    // not cost the parse.
    if (text.size() > kMaxSavedNumberText)
        return std::nullopt;
    auto value = Number::parse(text);
    if (!value || value->significant_digits() > kMaxSavedNumberDigits ||
        value->exponent() > kMaxSavedNumberExponent || value->exponent() < -kMaxSavedNumberExponent)
        return std::nullopt;
    return value;
}

}  // namespace

bool IsSavedNumberText(std::string_view text)
{
    return SavedNumber(text).has_value();
}

namespace boost::serialization {

template <class Archive>
void save(Archive& ar, const Number& number, unsigned int /*version*/)
{
    const std::string serializationString = number.to_scientific(-1);
    ar << BOOST_SERIALIZATION_NVP(serializationString);
}

template <class Archive>
void load(Archive& ar, Number& number, unsigned int /*version*/)
{
    std::string serializationString;
    ar >> BOOST_SERIALIZATION_NVP(serializationString);
    // The archive check refuses such texts before the reader runs; this is
    // the last guard.
    const auto value = SavedNumber(serializationString);
    if (!value)
        throw EngineStateError("a saved number is not a number within the limits");
    number = *value;
    NoteFinished(ar, &number);
}

template <class Archive>
void serialize(Archive& ar, Number& number, unsigned int version)
{
    split_free(ar, number, version);
}

}  // namespace boost::serialization

// ---- the records ----

template <class Archive>
void EvalData::serialize(Archive& ar, unsigned int /*version*/)
{
    ar & BOOST_SERIALIZATION_NVP(m_evalDataType);
    ar & BOOST_SERIALIZATION_NVP(m_spNumber);
    // The one argument slot is stored twice under the same name; on loading
    // the second occurrence (a reference to the first) wins.
    ar & BOOST_SERIALIZATION_NVP(m_spArg1);
    ar & BOOST_SERIALIZATION_NVP(m_spArg1);
    ar & BOOST_SERIALIZATION_NVP(m_funcName);
    FinishLoad(ar, this);
}

template <class Archive>
void EvalStackHolder::serialize(Archive& ar, unsigned int /*version*/)
{
    ar & BOOST_SERIALIZATION_NVP(m_evalStack);
    ar & BOOST_SERIALIZATION_NVP(m_opStack);
    FinishLoad(ar, this);
}

template <class Archive>
void CalcRecordEntry::serialize(Archive& ar, unsigned int /*version*/)
{
    ar & BOOST_SERIALIZATION_NVP(m_calcRecordEntryType);
    ar & BOOST_SERIALIZATION_NVP(m_opType);
    ar & BOOST_SERIALIZATION_NVP(m_entryString);
    ar & BOOST_SERIALIZATION_NVP(m_resultString);
    ar & BOOST_SERIALIZATION_NVP(m_parenDepth);
    FinishLoad(ar, this);
}

template <class Archive>
void ModifyInnerCalc::serialize(Archive& ar, unsigned int /*version*/)
{
    ar & BOOST_SERIALIZATION_NVP(m_restoreCalcEntryType);
    ar & BOOST_SERIALIZATION_NVP(m_restoreCalcState);
    ar & BOOST_SERIALIZATION_NVP(m_bContinue);
    FinishLoad(ar, this);
}

#define QUILLIX_BASE_ONLY_RECORD(Class)                                                   \
    template <class Archive>                                                             \
    void Class::serialize(Archive& ar, unsigned int /*version*/)                         \
    {                                                                                    \
        ar & make_nvp("ModifyInnerCalc", base_object<ModifyInnerCalc>(*this));           \
        FinishLoad(ar, this);                                                            \
    }

QUILLIX_BASE_ONLY_RECORD(ResetModify)
QUILLIX_BASE_ONLY_RECORD(RemoveLastEvalEntryModify)
QUILLIX_BASE_ONLY_RECORD(RemoveLastOpEntryModify)
QUILLIX_BASE_ONLY_RECORD(RemoveLastEvalStackHolderModify)
#undef QUILLIX_BASE_ONLY_RECORD

template <class Archive>
void ReplaceLastEvalStackHolderModify::serialize(Archive& ar, unsigned int /*version*/)
{
    ar & make_nvp("ModifyInnerCalc", base_object<ModifyInnerCalc>(*this));
    ar & BOOST_SERIALIZATION_NVP(m_replaceValue);
    FinishLoad(ar, this);
}

template <class Archive>
void RestorePreOpStackModify::serialize(Archive& ar, unsigned int /*version*/)
{
    ar & make_nvp("ModifyInnerCalc", base_object<ModifyInnerCalc>(*this));
    ar & BOOST_SERIALIZATION_NVP(m_spEvalDataFirst);
    ar & BOOST_SERIALIZATION_NVP(m_spEvalDataSecond);
    ar & BOOST_SERIALIZATION_NVP(m_opType);
    FinishLoad(ar, this);
}

template <class Archive>
void RestoreEvalStackHolderModify::serialize(Archive& ar, unsigned int /*version*/)
{
    ar & make_nvp("ModifyInnerCalc", base_object<ModifyInnerCalc>(*this));
    ar & BOOST_SERIALIZATION_NVP(m_spEvalStackHolder);
    FinishLoad(ar, this);
}

// The export keys are the bare class names (no namespace may enter them).
BOOST_CLASS_EXPORT_GUID(ResetModify, "ResetModify")
BOOST_CLASS_EXPORT_GUID(RemoveLastEvalEntryModify, "RemoveLastEvalEntryModify")
BOOST_CLASS_EXPORT_GUID(RemoveLastOpEntryModify, "RemoveLastOpEntryModify")
BOOST_CLASS_EXPORT_GUID(RemoveLastEvalStackHolderModify, "RemoveLastEvalStackHolderModify")
BOOST_CLASS_EXPORT_GUID(ReplaceLastEvalStackHolderModify, "ReplaceLastEvalStackHolderModify")
BOOST_CLASS_EXPORT_GUID(RestorePreOpStackModify, "RestorePreOpStackModify")
BOOST_CLASS_EXPORT_GUID(RestoreEvalStackHolderModify, "RestoreEvalStackHolderModify")

// ---- the state checks ----

namespace {

bool IsEntryType(int type)
{
    switch (type) {
    case EntryNone:
    case EntryNumber:
    case EntryBinaryOperator:
    case EntryFunction:
    case EntryOpenParen:
    case EntryCloseParen:
    case EntryEquals:
        return true;
    default:
        return false;
    }
}

bool IsCalcState(int state)
{
    return state >= CalcStateEmpty && state <= CalcStateCompleted;
}

bool IsPlainValue(const std::shared_ptr<EvalData>& value)
{
    return value && value->m_evalDataType == 0 && value->m_spNumber;
}

// A level's shape: every value a plain number, operators 0..8 whose
// precedence rises strictly from the bottom to the top (the front), and one
// value more than operators or as many (waitingForValue: exactly as many).
std::string CheckLevel(const std::shared_ptr<EvalStackHolder>& level, bool waitingForValue)
{
    if (!level)
        return "a parenthesis level is missing";
    for (const auto& value : level->m_evalStack)
        if (!IsPlainValue(value))
            return "a value is missing or not a number";
    int previousGroup = -1;
    for (auto it = level->m_opStack.rbegin(); it != level->m_opStack.rend(); ++it) {
        if (!IsOperatorCode(*it))
            return "an operator code is out of range";
        const int group = OperatorGroup(*it);
        if (group <= previousGroup)
            return "pending operators out of precedence order";
        previousGroup = group;
    }
    const std::size_t values = level->m_evalStack.size();
    const std::size_t ops = level->m_opStack.size();
    const bool shapeOk = waitingForValue ? values == ops : (values == ops || values == ops + 1);
    return shapeOk ? std::string() : "a parenthesis level of an impossible shape";
}

std::string CheckRecord(const std::shared_ptr<ModifyInnerCalc>& record)
{
    if (!record)
        return "an undo record is missing";
    if (!IsEntryType(record->m_restoreCalcEntryType) || !IsCalcState(record->m_restoreCalcState))
        return "an undo record restores an impossible state";
    if (auto* restore = dynamic_cast<const RestorePreOpStackModify*>(record.get())) {
        if (!IsPlainValue(restore->m_spEvalDataFirst) || !IsPlainValue(restore->m_spEvalDataSecond))
            return "an undo record lacks its operands";
        if (!IsOperatorCode(restore->m_opType))
            return "an undo record has an operator code out of range";
    }
    if (auto* restore = dynamic_cast<const RestoreEvalStackHolderModify*>(record.get()))
        return CheckLevel(restore->m_spEvalStackHolder, false);
    return {};
}

}  // namespace

std::string CheckEngineState(int prevEntryType, int calcState,
                             const std::deque<std::shared_ptr<EvalStackHolder>>& masterStack,
                             const std::deque<std::shared_ptr<ModifyInnerCalc>>& stepBackStack)
{
    if (!IsEntryType(prevEntryType))
        return "the entry type is out of range";
    if (!IsCalcState(calcState))
        return "the calculation state is out of range";
    if (masterStack.size() > std::size_t(kMaxSavedParenDepth) + 1)
        return "too many parenthesis levels";
    for (std::size_t i = 0; i < masterStack.size(); ++i)
        if (std::string why = CheckLevel(masterStack[i], i + 1 < masterStack.size()); !why.empty())
            return why;
    if (!stepBackStack.empty() && stepBackStack.front() && stepBackStack.front()->m_bContinue)
        return "the oldest undo record continues into nothing";
    for (const auto& record : stepBackStack)
        if (std::string why = CheckRecord(record); !why.empty())
            return why;
    return {};
}

// ---- the engine and the record ----

template <class Archive>
void CInnerCalc::serialize(Archive& ar, unsigned int /*version*/)
{
    if constexpr (Archive::is_saving::value) {
        ar & BOOST_SERIALIZATION_NVP(m_prevEntryType);
        ar & BOOST_SERIALIZATION_NVP(m_calcState);
        ar & BOOST_SERIALIZATION_NVP(m_masterStack);
        ar & BOOST_SERIALIZATION_NVP(m_stepBackStack);
    } else {
        if (IsBusy())
            throw EngineStateError("a calculation is in progress");
        int prevEntryType = EntryNone;
        int calcState = CalcStateEmpty;
        std::deque<std::shared_ptr<EvalStackHolder>> masterStack;
        std::deque<std::shared_ptr<ModifyInnerCalc>> stepBackStack;
        ar & make_nvp("m_prevEntryType", prevEntryType);
        ar & make_nvp("m_calcState", calcState);
        ar & make_nvp("m_masterStack", masterStack);
        ar & make_nvp("m_stepBackStack", stepBackStack);
        if (std::string why = CheckEngineState(prevEntryType, calcState, masterStack, stepBackStack); !why.empty())
            throw EngineStateError("the saved calculation cannot be used: " + why);
        m_prevEntryType = prevEntryType;
        m_calcState = calcState;
        m_masterStack.swap(masterStack);
        m_stepBackStack.swap(stepBackStack);
    }
}

template <class Archive>
void CCalcRecord::serialize(Archive& ar, unsigned int /*version*/)
{
    if constexpr (Archive::is_saving::value) {
        std::lock_guard lock(m_lock);
        ar & BOOST_SERIALIZATION_NVP(m_calcRecordEntries);
        ar & BOOST_SERIALIZATION_NVP(m_parenDepth);
    } else {
        std::deque<std::shared_ptr<CalcRecordEntry>> entries;
        int parenDepth = 0;
        ar & make_nvp("m_calcRecordEntries", entries);
        ar & make_nvp("m_parenDepth", parenDepth);
        auto depthOk = [](int depth) { return depth >= 0 && depth <= kMaxSavedParenDepth; };
        if (!depthOk(parenDepth))
            throw EngineStateError("the saved record has an impossible depth");
        // The depth the lines give, as Push and RemoveLast keep it: never
        // below 0 (a close parenthesis without its open one) nor above the
        // engine's levels, or the next save would write a depth that no load
        // takes.
        int runningDepth = 0;
        for (const auto& entry : entries) {
            if (!entry || !IsEntryType(entry->m_calcRecordEntryType) || entry->m_opType < OpAdd ||
                entry->m_opType > OpNone || !depthOk(entry->m_parenDepth))
                throw EngineStateError("the saved record has an impossible line");
            if (entry->m_calcRecordEntryType == EntryOpenParen)
                ++runningDepth;
            else if (entry->m_calcRecordEntryType == EntryCloseParen)
                --runningDepth;
            if (!depthOk(runningDepth))
                throw EngineStateError("the saved record's parentheses do not match");
        }
        std::lock_guard lock(m_lock);
        m_calcRecordEntries.swap(entries);
        // The lines decide the depth; the saved one is only range-checked, as
        // a file need not agree with its lines there.
        m_parenDepth = runningDepth;
    }
}

void SaveCalcRecord(boost::archive::xml_oarchive& archive, const CCalcRecord& record)
{
    archive << make_nvp("CCalcRecord", record);
}

void LoadCalcRecord(boost::archive::xml_iarchive& archive, CCalcRecord& record)
{
    archive >> make_nvp("CCalcRecord", record);
}

void SaveInnerCalc(boost::archive::xml_oarchive& archive, const CInnerCalc& calc)
{
    archive << make_nvp("CInnerCalc", calc);
}

void LoadInnerCalc(boost::archive::xml_iarchive& archive, CInnerCalc& calc)
{
    archive >> make_nvp("CInnerCalc", calc);
}

// The serialize functions for the XML archives, so that every user of them
// links this translation unit.
#define QUILLIX_INSTANTIATE(Class)                                                                 \
    template void Class::serialize(boost::archive::xml_oarchive&, unsigned int);                  \
    template void Class::serialize(boost::archive::xml_iarchive&, unsigned int);

QUILLIX_INSTANTIATE(CInnerCalc)
QUILLIX_INSTANTIATE(CCalcRecord)
QUILLIX_INSTANTIATE(CalcRecordEntry)
QUILLIX_INSTANTIATE(EvalData)
QUILLIX_INSTANTIATE(EvalStackHolder)
QUILLIX_INSTANTIATE(ModifyInnerCalc)
QUILLIX_INSTANTIATE(ResetModify)
QUILLIX_INSTANTIATE(RemoveLastEvalEntryModify)
QUILLIX_INSTANTIATE(RemoveLastOpEntryModify)
QUILLIX_INSTANTIATE(RemoveLastEvalStackHolderModify)
QUILLIX_INSTANTIATE(ReplaceLastEvalStackHolderModify)
QUILLIX_INSTANTIATE(RestorePreOpStackModify)
QUILLIX_INSTANTIATE(RestoreEvalStackHolderModify)
#undef QUILLIX_INSTANTIATE
