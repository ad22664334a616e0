#pragma once
// The keys of the operations (port/Operations.h), one line each: the
// operation by its name, the key's command id, the cell of its glyph in the
// keypad strip and the item text of its face in a button's popup menu. The
// keypad's faces (KeypadCommands.h) and the dispatcher's command maps take an
// operation's key from here; "abs" and "exp" have none.

#include <string_view>

#include "port/Operations.h"
#include "resources/CommandIds.h"

struct OperationKey {
    std::string_view operation;  // its name in the operation table
    unsigned commandId = 0;
    unsigned glyph = 0;          // cell in the keypad's glyph strip
    std::string_view faceName;   // item text in a button's popup menu
};

inline constexpr OperationKey kOperationKeys[] = {
    {"+", cmd::kAdd, 15, "+"},
    {"-", cmd::kSubtract, 14, "-"},
    {"*", cmd::kMultiply, 13, "x"},
    {"/", cmd::kDivide, 12, "\u00F7"},
    {"idiv", cmd::kIntegerDivide, 49, "idiv"},
    {"mod", cmd::kModulo, 50, "mod"},
    {"^", cmd::kPower, 35, "x to the power y"},
    {"ncr", cmd::kNCr, 41, "nCr"},
    {"npr", cmd::kNPr, 42, "nPr"},
    {"sqrt", cmd::kSqrt, 16, "sqrt"},
    {"cbrt", cmd::kCbrt, 17, "cbrt"},
    {"ln", cmd::kLn, 43, "ln"},
    {"log", cmd::kLog, 39, "log"},
    {"sin", cmd::kSin, 23, "sin"},
    {"asin", cmd::kAsin, 24, "asin"},
    {"cos", cmd::kCos, 27, "cos"},
    {"acos", cmd::kAcos, 28, "acos"},
    {"tan", cmd::kTan, 31, "tan"},
    {"atan", cmd::kAtan, 32, "atan"},
    {"sinh", cmd::kSinh, 25, "sinh"},
    {"asinh", cmd::kAsinh, 26, "asinh"},
    {"cosh", cmd::kCosh, 29, "cosh"},
    {"acosh", cmd::kAcosh, 30, "acosh"},
    {"tanh", cmd::kTanh, 33, "tanh"},
    {"atanh", cmd::kAtanh, 34, "atanh"},
    {"square", cmd::kSquare, 36, "x squared"},
    {"cube", cmd::kCube, 37, "x cubed"},
    {"reciprocal", cmd::kReciprocal, 18, "1/x"},
    {"factorial", cmd::kFactorial, 38, "n!"},
    {"negate", cmd::kNegate, 10, "+/-"},
    {"int", cmd::kInt, 47, "int"},
    {"rnd", cmd::kRound, 48, "rnd"},
};

// The key of the operation with that name; a name without a key does not compile.
consteval const OperationKey& KeyOf(std::string_view operation)
{
    for (const OperationKey& key : kOperationKeys)
        if (key.operation == operation)
            return key;
    throw "no key for this operation";
}

// The operation of a key's command id, or null for any other id.
const OperationSpec* OperationOfCommand(unsigned commandId);
