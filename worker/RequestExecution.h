#pragma once
// What a worker does with an accepted request, on the request's own thread:
// parse the operands, compute with the checked routines, classify the result
// and report it exactly once through the caller's callback.
//
// The computations take their digit count explicitly (the request's digits
// through the precision rule) and never touch Number's process-wide default
// precision, so requests and an engine that share one process cannot disturb
// each other.
//
// The reported text is the exact result rounded once to the request's digits:
// a computed value that lies exactly on a midpoint of that rounding (it was
// rounded to more places first) is computed again with more digits to learn
// on which side of it the exact result lies.

#include <memory>
#include <string>

#include "number/Number.h"
#include "port/ArithRoutines.h"
#include "port/ICalcWorker.h"
#include "worker/ReportGate.h"

struct OpThreadPackage {
    int digits = 0;
    int ID = 0;
    std::string lhs;
    std::string rhs;
    int opType = 0;  // OperatorType
    std::shared_ptr<ICalcCompleteCallback> callback;
    std::shared_ptr<CReportGate> gate;  // may be null: reports always pass
};

struct SingleArgFuncThreadPackage {
    int digits = 0;
    int ID = 0;
    SingleArgFunc routine = nullptr;
    std::string arg;
    std::shared_ptr<ICalcCompleteCallback> callback;
    std::shared_ptr<CReportGate> gate;
};

// Both return the thread's exit code: 0 after a "Success" report, 1 in every
// other case (no callback: nothing is reported).
int PerformOperationThreadProc(std::shared_ptr<OpThreadPackage> record);
int ApplySinglArgFuncThreadProc(std::shared_ptr<SingleArgFuncThreadPackage> record);

// Waits the report delay, then reports value as "Overflow", "Underflow" or
// "Success" with its scientific text at `digits` decimals (all its digits when
// digits < 1). Returns the exit code as above.
int ReportComputedResult(ICalcCompleteCallback& callback, int ID, const Number& value, int digits,
                         CReportGate* gate);
