#pragma once
// Read-only name tables shared by the engine and the worker: operator words,
// status words, error messages and the function-name sets. All but the status
// words are views of the operation table (Operations.h). Each table is built
// on first use (thread-safe) and never changes afterwards.

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "port/CalcTypes.h"

// The word the worker accepts for an operator code ("+", ..., "ncr", "npr");
// empty for a code outside 0..8.
std::string_view OperatorWord(int opType);
// The text a calculation-record line shows for an operator ("nCr", "nPr");
// "???" for a code outside 0..8.
std::string_view OperatorRecordText(int opType);
// Precedence group: 0 for "+" "-", 1 for "*" "/" idiv mod, 2 for "^" nCr nPr
// (and for a code outside 0..8).
int OperatorGroup(int opType);

// Status word -> CalcStatus, exact case.
const std::map<std::string, CalcStatus, std::less<>>& CalcStatusMap();
// CalcStatusMap lookup; a word that is not in the map gives UnknownError.
CalcStatus StatusFromWord(std::string_view word);
std::string_view StatusWord(CalcStatus status);

// OperationErrorCode -> the message the user is shown (12 entries).
const std::map<int, std::string>& OperationErrorMessages();
// Found: copies the message and returns true. Absent (0 included): sets
// "Unknown error" and returns false.
bool GetOperationErrorMessage(int code, std::string& message);

// "sin", "cos", "tan": arguments are turned from the angle unit into radians.
const std::set<std::string, std::less<>>& TrigFunctionNames();
// "asin", "acos", "atan": results are turned back into the angle unit.
const std::set<std::string, std::less<>>& InverseTrigFunctionNames();
// The twelve trigonometric and hyperbolic names: tiny results become 0.
const std::set<std::string, std::less<>>& TrigHyperbolicFunctionNames();

bool IsTrigFunction(std::string_view name);
bool IsInverseTrigFunction(std::string_view name);
bool IsTrigOrHyperbolicFunction(std::string_view name);
