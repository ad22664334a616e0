#include "engine/ModifyInnerCalc.h"

bool ModifyInnerCalc::Undo(IInnerCalcUndoTarget& calc) {
    calc.SetPrevEntryType(m_restoreCalcEntryType);
    calc.SetCalcState(m_restoreCalcState);
    return m_bContinue;
}

EvalStackHolder* ModifyInnerCalc::TopLevel(IInnerCalcUndoTarget& calc) {
    auto& levels = calc.MasterStack();
    return levels.empty() ? nullptr : levels.back().get();
}

bool ResetModify::Undo(IInnerCalcUndoTarget& calc) {
    calc.ResetCalculation();
    return m_bContinue;
}

bool RemoveLastEvalEntryModify::Undo(IInnerCalcUndoTarget& calc) {
    if (auto* level = TopLevel(calc); level && !level->m_evalStack.empty())
        level->m_evalStack.pop_back();
    return ModifyInnerCalc::Undo(calc);
}

bool RemoveLastOpEntryModify::Undo(IInnerCalcUndoTarget& calc) {
    if (auto* level = TopLevel(calc); level && !level->m_opStack.empty())
        level->m_opStack.pop_front();
    return ModifyInnerCalc::Undo(calc);
}

bool RemoveLastEvalStackHolderModify::Undo(IInnerCalcUndoTarget& calc) {
    if (auto& levels = calc.MasterStack(); !levels.empty())
        levels.pop_back();
    return ModifyInnerCalc::Undo(calc);
}

bool ReplaceLastEvalStackHolderModify::Undo(IInnerCalcUndoTarget& calc) {
    if (auto* level = TopLevel(calc); level && !level->m_evalStack.empty() && level->m_evalStack.back()) {
        auto& number = level->m_evalStack.back()->m_spNumber;
        if (number)
            *number = m_replaceValue;  // in place: records that share the operand see it too
        else
            number = std::make_shared<Number>(m_replaceValue);
    }
    return ModifyInnerCalc::Undo(calc);
}

bool RestorePreOpStackModify::Undo(IInnerCalcUndoTarget& calc) {
    if (auto* level = TopLevel(calc)) {
        if (!level->m_evalStack.empty())
            level->m_evalStack.pop_back();
        level->m_evalStack.push_back(m_spEvalDataFirst);
        level->m_evalStack.push_back(m_spEvalDataSecond);
        level->m_opStack.push_front(static_cast<OperatorType>(m_opType));
    }
    return ModifyInnerCalc::Undo(calc);
}

bool RestoreEvalStackHolderModify::Undo(IInnerCalcUndoTarget& calc) {
    if (m_spEvalStackHolder)
        calc.MasterStack().push_back(m_spEvalStackHolder);
    return ModifyInnerCalc::Undo(calc);
}
