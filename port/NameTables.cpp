#include "port/NameTables.h"

#include <array>

#include "port/Operations.h"

namespace {

constexpr std::array<std::string_view, 8> kStatusWords = {"DivByZero", "PowArgTooLarge", "PowArgTooSmall",
                                                          "InvalidInput", "Overflow",     "Underflow",
                                                          "UnknownError", "Success"};

using NameSet = std::set<std::string, std::less<>>;

// The names of the functions with that angle rule.
NameSet NamesWithRule(unsigned rule) {
    NameSet names;
    for (const OperationSpec& f : Functions())
        if (f.angleRules & rule)
            names.emplace(f.name);
    return names;
}

}  // namespace

std::string_view OperatorWord(int opType) {
    const OperationSpec* op = FindOperator(opType);
    return op ? op->name : std::string_view{};
}

std::string_view OperatorRecordText(int opType) {
    const OperationSpec* op = FindOperator(opType);
    return op ? op->recordText : std::string_view{"???"};
}

int OperatorGroup(int opType) {
    const OperationSpec* op = FindOperator(opType);
    return op ? op->group : 2;
}

const std::map<std::string, CalcStatus, std::less<>>& CalcStatusMap() {
    static const std::map<std::string, CalcStatus, std::less<>> map = [] {
        std::map<std::string, CalcStatus, std::less<>> m;
        for (std::size_t i = 0; i < kStatusWords.size(); ++i)
            m.emplace(std::string(kStatusWords[i]), static_cast<CalcStatus>(i));
        return m;
    }();
    return map;
}

CalcStatus StatusFromWord(std::string_view word) {
    const auto& map = CalcStatusMap();
    const auto it = map.find(word);
    return it == map.end() ? CalcStatus::UnknownError : it->second;
}

std::string_view StatusWord(CalcStatus status) {
    const auto index = static_cast<std::size_t>(status);
    return index < kStatusWords.size() ? kStatusWords[index] : kStatusWords[static_cast<int>(CalcStatus::UnknownError)];
}

const std::map<int, std::string>& OperationErrorMessages() {
    static const std::map<int, std::string> messages = [] {
        std::map<int, std::string> m;
        for (const OperationSpec& op : Operations())
            if (op.check.code != ErrNone)
                m.emplace(op.check.code, std::string(op.check.message));
        return m;
    }();
    return messages;
}

bool GetOperationErrorMessage(int code, std::string& message) {
    const auto& messages = OperationErrorMessages();
    const auto it = messages.find(code);
    if (it == messages.end()) {
        message = "Unknown error";
        return false;
    }
    message = it->second;
    return true;
}

const std::set<std::string, std::less<>>& TrigFunctionNames() {
    static const NameSet names = NamesWithRule(kAngleArgument);
    return names;
}

const std::set<std::string, std::less<>>& InverseTrigFunctionNames() {
    static const NameSet names = NamesWithRule(kAngleResult);
    return names;
}

const std::set<std::string, std::less<>>& TrigHyperbolicFunctionNames() {
    static const NameSet names = NamesWithRule(kTinyResultIsZero);
    return names;
}

bool IsTrigFunction(std::string_view name) { return TrigFunctionNames().contains(name); }
bool IsInverseTrigFunction(std::string_view name) { return InverseTrigFunctionNames().contains(name); }
bool IsTrigOrHyperbolicFunction(std::string_view name) { return TrigHyperbolicFunctionNames().contains(name); }
