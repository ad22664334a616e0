#pragma once
// The calculator's operations, one line each in one constant table: the nine
// binary operators, in the order of their OperatorType codes, then the
// one-argument functions in the order the engine builds its table. Every other
// table of operations is a view of this one: the operator words, record texts,
// precedence groups, error messages and trigonometric name sets
// (NameTables.h), the engine's function tables (ArithRoutines.h), the worker's
// operator and function tables and its routine for each operator; the keypad
// gives each operation its key by name (keypad/OperationKeys.h), and the
// dispatcher's command maps read both.
//
// Adding an operation: a line here (and, for an operator, its OperatorType
// code), its key in keypad/OperationKeys.h with the key's command id, help
// text and glyph in resources/, and its place on the keypad.
//
// The table is read-only and may be read from any thread.

#include <span>
#include <string_view>

#include "port/ArithRoutines.h"
#include "port/CalcTypes.h"

// The argument check of an operation: the OperationErrorCode it reports and
// the message the user is shown for it.
struct OperationCheck {
    int code = ErrNone;
    std::string_view message;
};

// What the engine does about angles and tiny results of a function.
enum AngleRule : unsigned {
    kAngleArgument = 1,     // "sin", "cos", "tan": the argument is turned from the angle unit into radians
    kAngleResult = 2,       // "asin", "acos", "atan": the result is turned back into the angle unit
    kTinyResultIsZero = 4,  // the twelve trigonometric and hyperbolic names: tiny results become 0
};

struct OperationSpec {
    std::string_view name;           // the word the worker takes; a function's name everywhere
    int arity = 0;                   // 2: a binary operator, 1: a function
    int opType = OpNone;             // an operator's OperatorType code
    std::string_view recordText;     // an operator's text in a calculation-record line
    int group = 0;                   // an operator's precedence group (see OperatorGroup)
    std::string_view engineName;     // its key in the engine's tables; empty: not there
    SingleArgFunc oneArg = nullptr;  // the engine's routine under engineName
    TwoArgFunc twoArg = nullptr;
    SingleArgFunc checkedOneArg = nullptr;  // the worker's routine; null: the worker does not offer it
    TwoArgFunc checkedTwoArg = nullptr;
    OperationCheck check;     // the worker's argument check; code ErrNone: none
    unsigned angleRules = 0;  // AngleRule bits
};

// Every operation: the operators first, then the functions.
std::span<const OperationSpec> Operations();
// The nine operators, indexed by their OperatorType code.
std::span<const OperationSpec> BinaryOperators();
// The 25 functions ("abs" ... "rnd").
std::span<const OperationSpec> Functions();

// The operator of a code 0..8; null for any other code.
const OperationSpec* FindOperator(int opType);
bool IsOperatorCode(int opType);
// The operation with that name (an operator by its worker word), or null.
const OperationSpec* FindOperation(std::string_view name);
