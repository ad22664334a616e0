#pragma once
// The arithmetic routines behind the operators and functions, shared by the
// engine and the worker.
//
// Every routine that rounds takes `precision`, the digit count of the
// precision rule, explicitly instead of reading the Number type's process-wide
// default: the engine passes its working digits, the worker the request's
// digits. Threads of the engine and of an in-process worker can then compute
// side by side without disturbing each other. The rule itself:
//   one value:            places = max(significant digits of x, precision)
//   division and power:   places = max(sig(left), precision, sig(right))
// with precision below 2 taken as 2 (places are decimals of the scientific
// form, as for Number).
//
// IntegerDivide, Modulo, NCr and NPr raise std::runtime_error("invalid input")
// for arguments outside their domain; CalcSequenceProduct raises its own text.

#include <string>
#include <unordered_map>

#include "number/Number.h"

// A one-argument routine: x and the precision of the rule.
using SingleArgFunc = Number (*)(const Number& x, int precision);
// A two-argument routine: left and right operand and the precision.
using TwoArgFunc = Number (*)(const Number& left, const Number& right, int precision);

using SingleArgFuncTable = std::unordered_map<std::string, SingleArgFunc>;
using TwoArgFuncTable = std::unordered_map<std::string, TwoArgFunc>;

// Places of the precision rule.
int RulePlaces(const Number& x, int precision);
int RulePlaces(const Number& left, const Number& right, int precision);

Number Square(const Number& x, int precision);
Number Cube(const Number& x, int precision);
Number Reciprocal(const Number& x, int precision);
Number NegateValue(const Number& x, int precision);
Number IntegerPart(const Number& x, int precision);     // truncation toward zero
Number RoundToInteger(const Number& x, int precision);  // nearest, halves away from zero
Number Power(const Number& x, const Number& y, int precision);

// first * (first + 1) * ... * last, exact; only integers are passed in.
Number CalcSequenceProduct(const Number& first, const Number& last);

Number IntegerDivide(const Number& left, const Number& right, int precision);
Number Modulo(const Number& left, const Number& right, int precision);
Number NCr(const Number& n, const Number& r, int precision);
Number NPr(const Number& n, const Number& r, int precision);

// Domain tests, shared with the worker's checked routines.
bool IsIntegerDivisionValid(const Number& left, const Number& right);
bool IsCombinationValid(const Number& n, const Number& r);  // nCr and nPr

// The engine's tables, views of the operation table (Operations.h): the
// one-argument functions by name ("abs" ... "negate", "int", "rnd") and the
// two-argument routines "pow", "ncr", "npr".
void BuildFunctionTables(SingleArgFuncTable& oneArg, TwoArgFuncTable& twoArg);
