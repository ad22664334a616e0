#include "engine/InnerCalc.h"

#include <system_error>

#include "engine/CalcCallbackLink.h"
#include "engine/FormatNumber.h"
#include "port/NameTables.h"
#include "port/Operations.h"

HRESULT CInnerCalcCallbackLink::NotifyResult(int ID, const std::string& status, const std::string& resultString,
                                             int nErrorCode) {
    std::lock_guard lock(m_lock);
    return m_calc ? m_calc->NotifyResult(ID, status, resultString, nErrorCode) : S_OK;
}

CInnerCalc::CInnerCalc(IUpdateCalcRecord* record, Services services)
    : m_record(record), m_services(std::move(services)) {
    m_callbackLink = std::make_shared<CInnerCalcCallbackLink>(this);
    Init();
    BuildFunctionTables(m_singleArgFunctions, m_twoArgFunctions);
    m_nDisplayDigits = 60;
    m_nWorkingDigits = 80;
    Number::set_default_precision(m_nWorkingDigits);
    Reset();
}

CInnerCalc::~CInnerCalc() {
    m_callbackLink->Detach();
    if (m_thread.joinable()) {
        Cancel();
        m_thread.join();
    }
}

void CInnerCalc::Init() {
    auto tell = [this](const std::string& text, const std::string& caption) {
        if (m_services.messageBoxes)
            m_services.messageBoxes->ShowMessageBox(text, caption);
    };
    if (!m_services.workerFactory || !m_services.workerFactory->IsRegistered(kCalcWorkerProgId)) {
        tell("Could not locate calculation engine!", "Fatal error");
        throw EngineInitError("Could not locate calculation engine!", 3);
    }
    try {
        m_resultEvent = std::make_unique<CEvent>();
    } catch (const std::system_error&) {
        tell("Fatal error - could not create event!", "Error");
        throw EngineInitError("Fatal error - could not create event!", 2);
    }
}

// ---------------------------------------------------------------- helpers

EvalStackHolder* CInnerCalc::TopLevel() const { return m_masterStack.empty() ? nullptr : m_masterStack.back().get(); }

bool CInnerCalc::TopLevelHasValue() const {
    const auto* level = TopLevel();
    return level && !level->m_evalStack.empty();
}

// n values and n - 1 pending operators, n from 1 to 4.
bool CInnerCalc::TopLevelShapeIsComplete() const {
    const auto* level = TopLevel();
    if (!level)
        return false;
    const auto values = level->m_evalStack.size();
    return values >= 1 && values <= 4 && level->m_opStack.size() + 1 == values;
}

std::string CInnerCalc::Formatted(const Number& value) const {
    std::string text;
    FormatNumber(value, text, false, nullptr);
    return text;
}

bool CInnerCalc::FormatNumber(const Number& value, std::string& text, bool zeroBelowResolution,
                              bool* rounded) const {
    text = FormatNumberText(value, m_nDisplayDigits, zeroBelowResolution, rounded);
    return true;
}

bool CInnerCalc::ParseNumberText(const std::string& text, Number& number) {
    const auto parsed = Number::parse(text);
    if (!parsed)
        return false;
    number = *parsed;
    return true;
}

int CInnerCalc::GetParenDepth() const {
    return m_masterStack.empty() ? 0 : static_cast<int>(m_masterStack.size()) - 1;
}

Number CInnerCalc::GetResult() const {
    for (const auto& level : m_masterStack) {
        if (!level->m_evalStack.empty() && level->m_evalStack.back()->m_spNumber)
            return level->m_evalStack.back()->m_spNumber->round(m_nDisplayDigits);
    }
    return Number(0);
}

void CInnerCalc::SetPrecision(int digits) {
    m_nDisplayDigits = digits;
    m_nWorkingDigits = digits + 20;
    Number::set_default_precision(m_nWorkingDigits);
}

// ---------------------------------------------------------------- undo records

void CInnerCalc::AddRecord(std::shared_ptr<ModifyInnerCalc> record) {
    record->SetRestoreCalcEntryType(m_prevEntryType);
    record->SetRestoreCalcState(m_calcState);
    m_stepBackStack.push_back(std::move(record));
}

void CInnerCalc::DropNewestRecord() {
    if (!m_stepBackStack.empty())
        m_stepBackStack.pop_back();
}

void CInnerCalc::PushPlainStepRecord(bool bContinue) { AddRecord(std::make_shared<ModifyInnerCalc>(bContinue)); }

void CInnerCalc::PushResetRecord(bool bContinue) {
    // Its Undo empties the engine and reads neither restore field; they keep
    // the "empty" values 0 and 0.
    m_stepBackStack.push_back(std::make_shared<ResetModify>(bContinue));
}

void CInnerCalc::PushRemoveLastValueRecord(bool bContinue) {
    AddRecord(std::make_shared<RemoveLastEvalEntryModify>(bContinue));
}

void CInnerCalc::PushRemoveLastOperatorRecord(bool bContinue) {
    AddRecord(std::make_shared<RemoveLastOpEntryModify>(bContinue));
}

void CInnerCalc::PushRemoveLastLevelRecord(bool bContinue) {
    AddRecord(std::make_shared<RemoveLastEvalStackHolderModify>(bContinue));
}

void CInnerCalc::PushReplaceLastValueRecord(const EvalStackHolder& level, bool bContinue) {
    AddRecord(std::make_shared<ReplaceLastEvalStackHolderModify>(bContinue, *level.m_evalStack.back()->m_spNumber));
}

void CInnerCalc::PushRestoreOperandsRecord(const EvalStackHolder& level, bool bContinue) {
    const auto count = level.m_evalStack.size();
    auto left = level.m_evalStack[count - 2];
    auto right = std::make_shared<EvalData>(*level.m_evalStack[count - 1]);
    AddRecord(std::make_shared<RestorePreOpStackModify>(bContinue, std::move(left), std::move(right),
                                                        level.m_opStack.front()));
}

void CInnerCalc::PushRestoreLevelRecord(const EvalStackHolder& level, bool bContinue) {
    AddRecord(std::make_shared<RestoreEvalStackHolderModify>(bContinue, std::make_shared<EvalStackHolder>(level)));
}

void CInnerCalc::StepBack(bool updateRecord) {
    if (m_stepBackStack.empty())
        return;
    if (updateRecord && m_record)
        m_record->RemoveLast();
    while (!m_stepBackStack.empty()) {
        const auto record = m_stepBackStack.back();  // alive until its Undo has returned
        m_stepBackStack.pop_back();
        if (!record->Undo(*this))
            break;
    }
}

void CInnerCalc::Reset() {
    m_prevEntryType = EntryNone;
    m_calcState = CalcStateEmpty;
    m_masterStack.clear();
    m_stepBackStack.clear();
    if (m_resultEvent)
        m_resultEvent->tryReset();
    if (m_record)
        m_record->Clear();
}

// ---------------------------------------------------------------- entries

bool CInnerCalc::EnterNumber(const Number& number) {
    if (IsBusy())
        return false;
    if (IsEmpty()) {
        PushResetRecord(false);
        m_masterStack.push_back(std::make_shared<EvalStackHolder>());
        m_calcState = CalcStateEntering;
    } else if (m_prevEntryType == EntryBinaryOperator || m_prevEntryType == EntryOpenParen) {
        PushRemoveLastValueRecord(false);
    } else {
        return false;
    }
    TopLevel()->m_evalStack.push_back(std::make_shared<EvalData>(number));
    m_prevEntryType = EntryNumber;
    if (m_record)
        m_record->AddEntry(EntryNumber, Formatted(number), "", GetParenDepth());
    return true;
}

void CInnerCalc::OpenParen() {
    if (IsBusy())
        return;
    if (IsEmpty()) {
        PushResetRecord(false);
        m_masterStack.push_back(std::make_shared<EvalStackHolder>());
        m_masterStack.push_back(std::make_shared<EvalStackHolder>());
        m_calcState = CalcStateEntering;
    } else if (m_prevEntryType == EntryBinaryOperator || m_prevEntryType == EntryOpenParen) {
        PushRemoveLastLevelRecord(false);
        m_masterStack.push_back(std::make_shared<EvalStackHolder>());
    } else {
        return;
    }
    m_prevEntryType = EntryOpenParen;
    if (m_record)
        m_record->AddEntry(EntryOpenParen, "(", "", GetParenDepth());
}

namespace {

bool OperatorMayFollow(int prevEntryType) {
    switch (prevEntryType) {
    case EntryNumber:
    case EntryFunction:
    case 5:
    case 6:
    case EntryCloseParen:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool CInnerCalc::EnterOperator(int opType, bool* accepted) {
    if (accepted)
        *accepted = false;
    if (IsBusy() || !IsOperatorCode(opType) || IsEmpty() || !TopLevelHasValue() || !OperatorMayFollow(m_prevEntryType))
        return false;
    {
        std::lock_guard lock(m_resultLock);
        m_errorCode = ErrNone;
    }
    if (accepted)
        *accepted = true;

    EvalStackHolder& level = *TopLevel();
    if (level.m_opStack.empty() || OperatorGroup(level.m_opStack.front()) < OperatorGroup(opType)) {
        PushOperator(level, opType);
        return false;
    }

    m_pendingOperator = opType;
    if (!StartCalcThread(&CInnerCalc::OperatorThreadProc)) {
        if (accepted)
            *accepted = false;
        return false;
    }
    return true;
}

bool CInnerCalc::EnterOperatorInline(int opType, Number*) {
    if (IsBusy() || !IsOperatorCode(opType) || IsEmpty() || !TopLevelHasValue() || !OperatorMayFollow(m_prevEntryType))
        return false;
    EvalStackHolder& level = *TopLevel();
    if (!level.m_opStack.empty())
        return false;
    PushOperator(level, opType);
    return false;
}

// An operator that evaluates nothing: pushed as a step of its own.
void CInnerCalc::PushOperator(EvalStackHolder& level, int opType) {
    PushRemoveLastOperatorRecord(false);
    level.m_opStack.push_front(static_cast<OperatorType>(opType));
    m_prevEntryType = EntryBinaryOperator;
    if (m_record)
        m_record->AddBinaryOperation(EntryBinaryOperator, opType, "", GetParenDepth());
}

void CInnerCalc::ApplyFunction(const std::string& name) {
    if (IsBusy())
        return;
    m_functionName = name;
    // The unit is taken here, on the user-interface thread, once per step.
    m_angleUnit = m_angleSetting;
    StartCalcThread(&CInnerCalc::FunctionThreadProc);
}

bool CInnerCalc::Negate(const std::string& text, Number* result) {
    if (IsBusy() || IsEmpty() || m_prevEntryType < EntryNumber || m_prevEntryType == 2 ||
        m_prevEntryType > EntryCloseParen || !TopLevelHasValue())
        return false;
    EvalStackHolder& level = *TopLevel();
    auto& operand = level.m_evalStack.back();
    PushReplaceLastValueRecord(level, false);
    const Number negated = m_singleArgFunctions.at("negate")(*operand->m_spNumber, m_nWorkingDigits);
    *operand->m_spNumber = negated;  // in place, in the operand that holds the value
    if (result)
        *result = negated;
    m_prevEntryType = EntryFunction;
    if (m_record)
        m_record->AddEntry(EntryFunction, text, Formatted(negated), GetParenDepth());
    return true;
}

void CInnerCalc::CloseParen() {
    if (!IsBusy())
        StartCalcThread(&CInnerCalc::CloseParenThreadProc);
}

void CInnerCalc::Equals() {
    if (!IsBusy())
        StartCalcThread(&CInnerCalc::EqualsThreadProc);
}

void CInnerCalc::Cancel() {
    if (m_busy.Get() && !m_cancel.Get()) {
        m_cancel.Set(true);
        m_resultEvent->set();
    }
}
