#include "port/Operations.h"

#include <algorithm>

#include "port/CheckedArith.h"

namespace {

// A library function of one value under the precision rule.
template <Number (Number::*F)(int) const>
Number UnderRule(const Number& x, int precision) {
    return (x.*F)(RulePlaces(x, precision));
}

Number Abs(const Number& x, int) { return x.abs(); }
Number Factorial(const Number& x, int) { return x.factorial(); }

// The library's operators: sum, difference and product exact, the quotient under the rule.
Number Sum(const Number& left, const Number& right, int) { return left + right; }
Number Difference(const Number& left, const Number& right, int) { return left - right; }
Number Product(const Number& left, const Number& right, int) { return left * right; }
Number Quotient(const Number& left, const Number& right, int precision) {
    return left.divide(right, RulePlaces(left, right, precision));
}

// An operator: code, word, record text, precedence group, the worker's routine
// and its check; engineName and routine: its entry in the engine's two-argument table.
constexpr OperationSpec Operator(OperatorType op, std::string_view word, std::string_view recordText, int group,
                                 TwoArgFunc worker, OperationCheck check = {}, std::string_view engineName = {},
                                 TwoArgFunc routine = nullptr) {
    return {word, 2, op, recordText, group, engineName, nullptr, routine, nullptr, worker, check, 0};
}

// A function: name, the engine's routine, the worker's (null: not offered),
// the worker's check and the angle rules.
constexpr OperationSpec Function(std::string_view name, SingleArgFunc routine, SingleArgFunc worker,
                                 OperationCheck check = {}, unsigned angleRules = 0) {
    return {name, 1, OpNone, {}, 0, name, routine, nullptr, worker, nullptr, check, angleRules};
}

constexpr unsigned kTrig = kAngleArgument | kTinyResultIsZero;
constexpr unsigned kInverseTrig = kAngleResult | kTinyResultIsZero;
constexpr unsigned kHyperbolic = kTinyResultIsZero;

constexpr OperationSpec kOperations[] = {
    Operator(OpAdd, "+", "+", 0, &Sum),
    Operator(OpSubtract, "-", "-", 0, &Difference),
    Operator(OpMultiply, "*", "*", 1, &Product),
    // The worker refuses a zero divisor with "DivByZero" and this code.
    Operator(OpDivide, "/", "/", 1, &Quotient,
             {ErrDivide, "The denominator for the divide operator must be non-zero."}),
    Operator(OpIntegerDivide, "idiv", "idiv", 1, &CheckedIntegerDivide,
             {ErrIntegerDivide, "The denominator for the 'integer divide' operator must be non-zero.  In addition, "
                                "both the numerator and denominator must be integers."}),
    Operator(OpModulo, "mod", "mod", 1, &CheckedMod,
             {ErrModulo, "The denominator for the mod operator must be non-zero.  In addition, both the numerator "
                         "and denominator must be integers."}),
    // The worker's limits of a power are its request execution's.
    Operator(OpPower, "^", "^", 2, &Power, {}, "pow", &Power),
    Operator(OpNCr, "ncr", "nCr", 2, &CheckedNCr,
             {ErrNCr, "Both inputs to the nCr operator must be non-negative and integer valued.  In addition, the "
                      "left-hand-side operand must be greater than or equal to the right-hand-side operand."},
             "ncr", &NCr),
    Operator(OpNPr, "npr", "nPr", 2, &CheckedNPr,
             {ErrNPr, "Both inputs to the nPr operator must be non-negative and integer valued.  In addition, the "
                      "left-hand-side operand must be greater than or equal to the right-hand-side operand."},
             "npr", &NPr),

    Function("abs", &Abs, &Abs),
    Function("sqrt", &UnderRule<&Number::sqrt>, &CheckedSqrt,
             {ErrSqrt, "The sqrt function accepts only non-negative inputs."}),
    Function("cbrt", &UnderRule<&Number::cbrt>, &UnderRule<&Number::cbrt>),
    Function("ln", &UnderRule<&Number::ln>, &CheckedLn,
             {ErrLn, "The natural log (ln) function accepts only positive (non-zero) inputs."}),
    Function("exp", &UnderRule<&Number::exp>, &UnderRule<&Number::exp>),
    Function("log", &UnderRule<&Number::log10>, &CheckedLog10,
             {ErrLog, "The log function accepts only positive (non-zero) inputs."}),
    Function("sin", &UnderRule<&Number::sin>, &UnderRule<&Number::sin>, {}, kTrig),
    Function("asin", &UnderRule<&Number::asin>, &CheckedAsin,
             {ErrAsin, "The asin (inverse sine) function accepts only values between -1 and 1 (inclusive) as input."},
             kInverseTrig),
    Function("cos", &UnderRule<&Number::cos>, &UnderRule<&Number::cos>, {}, kTrig),
    Function("acos", &UnderRule<&Number::acos>, &CheckedAcos,
             {ErrAcos,
              "The acos (inverse cosine) function accepts only values between -1 and 1 (inclusive) as input."},
             kInverseTrig),
    Function("tan", &UnderRule<&Number::tan>, &UnderRule<&Number::tan>, {}, kTrig),
    Function("atan", &UnderRule<&Number::atan>, &UnderRule<&Number::atan>, {}, kInverseTrig),
    Function("sinh", &UnderRule<&Number::sinh>, &UnderRule<&Number::sinh>, {}, kHyperbolic),
    Function("asinh", &UnderRule<&Number::asinh>, &UnderRule<&Number::asinh>, {}, kHyperbolic),
    Function("cosh", &UnderRule<&Number::cosh>, &UnderRule<&Number::cosh>, {}, kHyperbolic),
    Function("acosh", &UnderRule<&Number::acosh>, &UnderRule<&Number::acosh>, {}, kHyperbolic),
    Function("tanh", &UnderRule<&Number::tanh>, &UnderRule<&Number::tanh>, {}, kHyperbolic),
    Function("atanh", &UnderRule<&Number::atanh>, &UnderRule<&Number::atanh>, {}, kHyperbolic),
    Function("square", &Square, &Square),
    Function("cube", &Cube, &Cube),
    Function("reciprocal", &Reciprocal, &CheckedReciprocal,
             {ErrReciprocal, "The reciprocal function accepts only non-zero inputs."}),
    Function("factorial", &Factorial, &CheckedFactorial,
             {ErrFactorial, "The factorial function accepts only non-zero integer inputs."}),
    // The engine negates on its own; the worker has no negate.
    Function("negate", &NegateValue, nullptr),
    Function("int", &IntegerPart, &IntegerPart),
    Function("rnd", &RoundToInteger, &RoundToInteger),
};

constexpr std::size_t kOperatorCount = OpNPr + 1;
constexpr std::span<const OperationSpec> kAll(kOperations);

// The table's shape: the operators first in code order, each kind with only
// its own routines, names unique, each check with its message and its own
// code. (Which routines are there is the tests': the address of a routine of
// another file is no constant where null pointer checks are kept.)
constexpr bool WellFormed() {
    for (std::size_t i = 0; i < kAll.size(); ++i) {
        const OperationSpec& op = kAll[i];
        if (i < kOperatorCount) {
            if (op.arity != 2 || op.opType != static_cast<int>(i) || op.recordText.empty() || op.oneArg ||
                op.checkedOneArg || op.angleRules)
                return false;
        } else if (op.arity != 1 || op.opType != OpNone || op.engineName != op.name || op.twoArg ||
                   op.checkedTwoArg) {
            return false;
        }
        if (op.name.empty() || (op.check.code == ErrNone) != op.check.message.empty())
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (kAll[j].name == op.name || (op.check.code != ErrNone && kAll[j].check.code == op.check.code))
                return false;
    }
    return true;
}
static_assert(WellFormed());

}  // namespace

std::span<const OperationSpec> Operations() { return kAll; }
std::span<const OperationSpec> BinaryOperators() { return kAll.first(kOperatorCount); }
std::span<const OperationSpec> Functions() { return kAll.subspan(kOperatorCount); }

const OperationSpec* FindOperator(int opType) {
    return opType >= 0 && static_cast<std::size_t>(opType) < kOperatorCount ? &kAll[opType] : nullptr;
}

bool IsOperatorCode(int opType) { return FindOperator(opType) != nullptr; }

const OperationSpec* FindOperation(std::string_view name) {
    const auto it = std::ranges::find(kAll, name, &OperationSpec::name);
    return it == kAll.end() ? nullptr : &*it;
}
