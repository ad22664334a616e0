#pragma once
// One parenthesis level of the engine: its operands (top at the back) and its
// pending operators (top at the FRONT: operators are pushed, read and popped
// at the front, so saved files list the newest operator first).

#include <deque>
#include <memory>

#include "engine/EvalData.h"
#include "port/CalcTypes.h"

struct EvalStackHolder {
    EvalStackHolder() = default;
    // Deep copy: every operand is copied with its number.
    EvalStackHolder(const EvalStackHolder& other);
    EvalStackHolder& operator=(const EvalStackHolder& other);

    std::deque<std::shared_ptr<EvalData>> m_evalStack;
    std::deque<OperatorType> m_opStack;

    template <class Archive>
    void serialize(Archive& ar, unsigned int version);  // defined with the saved-file code
};
