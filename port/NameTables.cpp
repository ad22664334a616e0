#include "port/NameTables.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 9> kOperatorWords = {"+", "-", "*", "/", "idiv", "mod", "^", "ncr", "npr"};
constexpr std::array<std::string_view, 9> kOperatorRecordTexts = {"+",   "-", "*",   "/",  "idiv",
                                                                   "mod", "^", "nCr", "nPr"};
constexpr std::array<std::string_view, 8> kStatusWords = {"DivByZero", "PowArgTooLarge", "PowArgTooSmall",
                                                          "InvalidInput", "Overflow",     "Underflow",
                                                          "UnknownError", "Success"};

bool InRange(int opType) { return opType >= 0 && opType < static_cast<int>(kOperatorWords.size()); }

}  // namespace

std::string_view OperatorWord(int opType) { return InRange(opType) ? kOperatorWords[opType] : std::string_view{}; }

std::string_view OperatorRecordText(int opType) {
    return InRange(opType) ? kOperatorRecordTexts[opType] : std::string_view{"???"};
}

int OperatorGroup(int opType) {
    switch (opType) {
    case OpAdd:
    case OpSubtract:
        return 0;
    case OpMultiply:
    case OpDivide:
    case OpIntegerDivide:
    case OpModulo:
        return 1;
    default:
        return 2;
    }
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
    static const std::map<int, std::string> messages = {
        {ErrSqrt, "The sqrt function accepts only non-negative inputs."},
        {ErrLn, "The natural log (ln) function accepts only positive (non-zero) inputs."},
        {ErrLog, "The log function accepts only positive (non-zero) inputs."},
        {ErrAsin, "The asin (inverse sine) function accepts only values between -1 and 1 (inclusive) as input."},
        {ErrAcos, "The acos (inverse cosine) function accepts only values between -1 and 1 (inclusive) as input."},
        {ErrReciprocal, "The reciprocal function accepts only non-zero inputs."},
        {ErrFactorial, "The factorial function accepts only non-zero integer inputs."},
        {ErrNCr, "Both inputs to the nCr operator must be non-negative and integer valued.  In addition, the "
                 "left-hand-side operand must be greater than or equal to the right-hand-side operand."},
        {ErrNPr, "Both inputs to the nPr operator must be non-negative and integer valued.  In addition, the "
                 "left-hand-side operand must be greater than or equal to the right-hand-side operand."},
        {ErrDivide, "The denominator for the divide operator must be non-zero."},
        {ErrIntegerDivide, "The denominator for the 'integer divide' operator must be non-zero.  In addition, both "
                           "the numerator and denominator must be integers."},
        {ErrModulo, "The denominator for the mod operator must be non-zero.  In addition, both the numerator and "
                    "denominator must be integers."},
    };
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
    static const std::set<std::string, std::less<>> names = {"sin", "cos", "tan"};
    return names;
}

const std::set<std::string, std::less<>>& InverseTrigFunctionNames() {
    static const std::set<std::string, std::less<>> names = {"asin", "acos", "atan"};
    return names;
}

const std::set<std::string, std::less<>>& TrigHyperbolicFunctionNames() {
    static const std::set<std::string, std::less<>> names = {"sin",  "asin",  "sinh", "asinh", "cos",  "acos",
                                                             "cosh", "acosh", "tan",  "atan",  "tanh", "atanh"};
    return names;
}

bool IsTrigFunction(std::string_view name) { return TrigFunctionNames().contains(name); }
bool IsInverseTrigFunction(std::string_view name) { return InverseTrigFunctionNames().contains(name); }
bool IsTrigOrHyperbolicFunction(std::string_view name) { return TrigHyperbolicFunctionNames().contains(name); }
