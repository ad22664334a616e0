#pragma once
// One operand on the engine's evaluation stack. Every operand the engine makes
// is a plain number (kind 0); the function name and the two argument slots
// exist for the saved-file format and stay empty.

#include <memory>
#include <string>

#include "number/Number.h"

namespace boost::serialization {
class access;
}

struct EvalData {
    EvalData() = default;
    explicit EvalData(const Number& value) : m_spNumber(std::make_shared<Number>(value)) {}
    // Deep copy: the numbers are copied into new objects.
    EvalData(const EvalData& other);
    EvalData& operator=(const EvalData& other);

    int m_evalDataType = 0;
    std::shared_ptr<Number> m_spNumber;
    std::string m_funcName;
    std::shared_ptr<Number> m_spArg1;
    std::shared_ptr<Number> m_spArg2;

    template <class Archive>
    void serialize(Archive& ar, unsigned int version);  // defined with the saved-file code
};
