#include "engine/EvalData.h"

#include "engine/EvalStackHolder.h"

namespace {

std::shared_ptr<Number> CopyNumber(const std::shared_ptr<Number>& number) {
    return number ? std::make_shared<Number>(*number) : nullptr;
}

}  // namespace

EvalData::EvalData(const EvalData& other)
    : m_evalDataType(other.m_evalDataType),
      m_spNumber(CopyNumber(other.m_spNumber)),
      m_funcName(other.m_funcName),
      m_spArg1(CopyNumber(other.m_spArg1)),
      m_spArg2(CopyNumber(other.m_spArg2)) {}

EvalData& EvalData::operator=(const EvalData& other) {
    if (this != &other) {
        m_evalDataType = other.m_evalDataType;
        m_spNumber = CopyNumber(other.m_spNumber);
        m_funcName = other.m_funcName;
        m_spArg1 = CopyNumber(other.m_spArg1);
        m_spArg2 = CopyNumber(other.m_spArg2);
    }
    return *this;
}

EvalStackHolder::EvalStackHolder(const EvalStackHolder& other) : m_opStack(other.m_opStack) {
    for (const auto& data : other.m_evalStack)
        m_evalStack.push_back(data ? std::make_shared<EvalData>(*data) : nullptr);
}

EvalStackHolder& EvalStackHolder::operator=(const EvalStackHolder& other) {
    if (this != &other) {
        EvalStackHolder copy(other);
        m_evalStack = std::move(copy.m_evalStack);
        m_opStack = std::move(copy.m_opStack);
    }
    return *this;
}
