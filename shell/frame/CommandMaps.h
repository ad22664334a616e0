#pragma once
// How the dispatcher reads a calculator command id: a typed character, a
// binary operator, a one-argument function, or a key of its own. Operators
// and functions are the operations' keys (keypad/OperationKeys.h).

#include <optional>
#include <string>

// '0'-'9', '.', '+', '-', 'e' for the keys that type a character.
std::optional<char> CommandChar(int id);
// The OperatorType code of an operator key.
std::optional<int> CommandOperator(int id);
// The engine's function name of a function key ("sqrt", ..., "rnd"): the
// functions the worker computes; negate is a key of its own.
std::optional<std::string> CommandFunction(int id);
