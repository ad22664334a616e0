#include "worker/RequestExecution.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <new>
#include <optional>
#include <thread>

#include "port/CalcTypes.h"
#include "port/CheckedArith.h"
#include "port/ErgastoException.h"
#include "port/NameTables.h"
#include "port/Operations.h"
#include "worker/CalcDuration.h"

namespace {

constexpr long long kPowerExponentLimit = 5555555;
// log10 of a power's magnitude beyond which it is refused without computing;
// a little above the report limits, which then classify the rest exactly.
constexpr double kPowerMagnitudeLimit = 1000001.0;
// Digit count beyond which a midpoint is not computed again.
constexpr std::int64_t kFinestPrecision = 1'000'000;

const Number& UpperLimit() {
    static const Number limit = Number::from_text("1E999999");
    return limit;
}

const Number& LowerLimit() {
    static const Number limit = Number::from_text("1E-999999");
    return limit;
}

// One report through the gate; returns the exit code it earns.
int Report(ICalcCompleteCallback& callback, CReportGate* gate, int ID, CalcStatus status,
           const std::string& text = {}, int errorCode = ErrNone) {
    const std::string word(StatusWord(status));
    const auto notify = [&] { callback.NotifyResult(ID, word, text, errorCode); };
    if (gate)
        gate->Pass(notify);
    else
        notify();
    return status == CalcStatus::Success ? 0 : 1;
}

// The outcome of the computation step: a value to report, or an early report.
struct Computed {
    std::optional<Number> value;
    CalcStatus status = CalcStatus::Success;
    int errorCode = ErrNone;
};

Computed Early(CalcStatus status, int errorCode = ErrNone) { return Computed{std::nullopt, status, errorCode}; }

// Runs compute inside the guard: argument errors become "InvalidInput" with
// their code, every other failure "InvalidInput" with 0; a result the Number
// type cannot hold becomes "Overflow", or "Underflow" when it is too close to 0.
template <class F>
Computed Guarded(F&& compute) {
    try {
        return compute();
    } catch (const ErgastoException& e) {
        return Early(CalcStatus::InvalidInput, e.GetErrorCode());
    } catch (const NumberUnderflowError&) {
        return Early(CalcStatus::Underflow);
    } catch (const NumberOverflowError&) {
        return Early(CalcStatus::Overflow);
    } catch (const std::exception&) {
        return Early(CalcStatus::InvalidInput);
    }
}

// An operator by the operation table: a zero divisor and a power too far out
// are refused before computing, each with a status of its own; every other
// argument check is the worker's routine's.
Computed ComputeOperation(const Number& lhs, const Number& rhs, int opType, int digits) {
    const OperationSpec* op = FindOperator(opType);
    if (!op)
        return Early(CalcStatus::UnknownError);
    if (opType == OpDivide && rhs.is_zero())
        return Early(CalcStatus::DivByZero, op->check.code);
    if (opType == OpPower) {
        // The sum of lhs's exponent and rhs is the quick test for results too
        // far out to compute. It misjudges bases near 1 in magnitude (0.9999 ^ 1E7
        // is about 4.8E-435, 1 ^ 1E7 is 1), bases below 1 (0.5 ^ -5555555 is
        // huge, not tiny) and a zero base, so a refusal stands only when the
        // result's real size is beyond the limits too, and on the side it is.
        const Number t = Number(static_cast<long long>(lhs.is_zero() ? 0 : lhs.exponent())) + rhs;
        if (!lhs.is_zero() && (t > Number(kPowerExponentLimit) || t < Number(-kPowerExponentLimit))) {
            const double magnitude = Log10PowerMagnitude(lhs, rhs);
            if (magnitude > kPowerMagnitudeLimit)
                return Early(CalcStatus::PowArgTooLarge);
            if (magnitude < -kPowerMagnitudeLimit)
                return Early(CalcStatus::PowArgTooSmall);
        }
    }
    return Computed{op->checkedTwoArg(lhs, rhs, digits)};
}

// Whether value, reported with `digits` decimals, lies exactly on a midpoint
// of that rounding: digits + 2 significant digits, the last a 5. The value
// was itself rounded (to the places of the precision rule, which may be more
// than `digits`), so it no longer shows on which side of the midpoint the
// exact result lies; rounding it again could be one unit off.
bool OnReportMidpoint(const Number& value, int digits) {
    return digits >= 1 && value.last_digit() == 5 &&
           value.significant_digits() == static_cast<std::int64_t>(digits) + 2;
}

// Runs compute(digits) inside the guard. A value on a midpoint of the report's
// rounding is computed again with many more digits: a value off the midpoint
// then lies on the same side of it as the exact result and is rounded once by
// the report; one still on it is the exact midpoint (these digit counts
// exceed how close an inexact result of operands of `operandDigits` digits
// can come to it) and rounds away from zero.
template <class F>
Computed ComputeForReport(F&& compute, int digits, std::int64_t operandDigits) {
    Computed computed = Guarded([&] { return compute(digits); });
    if (!computed.value || !OnReportMidpoint(*computed.value, digits))
        return computed;
    std::int64_t precision = 2 * std::max<std::int64_t>(operandDigits, digits) + 2 * static_cast<std::int64_t>(digits) + 40;
    for (int attempt = 0; attempt < 2 && precision < kFinestPrecision; ++attempt, precision *= 2) {
        const Computed finer = Guarded([&] { return compute(static_cast<int>(precision)); });
        if (!finer.value)
            break;  // keep the first value
        if (*finer.value != *computed.value)
            return finer;
    }
    return computed;
}

int Finish(ICalcCompleteCallback& callback, CReportGate* gate, int ID, const Computed& computed, int digits) {
    if (!computed.value)
        return Report(callback, gate, ID, computed.status, {}, computed.errorCode);
    return ReportComputedResult(callback, ID, *computed.value, digits, gate);
}

}  // namespace

int ReportComputedResult(ICalcCompleteCallback& callback, int ID, const Number& value, int digits,
                         CReportGate* gate) {
    if (const int delay = GetCalcDuration(); delay > 0) {
        const std::chrono::milliseconds wait(delay);
        if (gate) {
            if (!gate->SleepFor(wait))
                return 1;  // the process is ending: no report
        } else {
            std::this_thread::sleep_for(wait);
        }
    }
    const Number a = value.abs();
    if (a > UpperLimit())
        return Report(callback, gate, ID, CalcStatus::Overflow);
    if (a < LowerLimit())
        return Report(callback, gate, ID, CalcStatus::Underflow);
    std::string text;
    try {
        text = value.to_scientific(digits >= 1 ? digits : -1);
    } catch (const std::bad_alloc&) {
        return Report(callback, gate, ID, CalcStatus::UnknownError);
    }
    return Report(callback, gate, ID, CalcStatus::Success, text);
}

int PerformOperationThreadProc(std::shared_ptr<OpThreadPackage> record) {
    if (!record || !record->callback)
        return 1;
    ICalcCompleteCallback& callback = *record->callback;
    CReportGate* gate = record->gate.get();
    const auto lhs = Number::parse(record->lhs);
    const auto rhs = Number::parse(record->rhs);
    if (!lhs || !rhs)
        return Report(callback, gate, record->ID, CalcStatus::InvalidInput);
    const Computed computed = ComputeForReport(
        [&](int precision) { return ComputeOperation(*lhs, *rhs, record->opType, precision); }, record->digits,
        std::max(lhs->significant_digits(), rhs->significant_digits()));
    return Finish(callback, gate, record->ID, computed, record->digits);
}

int ApplySinglArgFuncThreadProc(std::shared_ptr<SingleArgFuncThreadPackage> record) {
    if (!record || !record->callback)
        return 1;
    ICalcCompleteCallback& callback = *record->callback;
    CReportGate* gate = record->gate.get();
    const auto arg = Number::parse(record->arg);
    if (!arg || !record->routine)
        return Report(callback, gate, record->ID, CalcStatus::InvalidInput);
    const Computed computed = ComputeForReport(
        [&](int precision) { return Computed{record->routine(*arg, precision)}; }, record->digits,
        arg->significant_digits());
    return Finish(callback, gate, record->ID, computed, record->digits);
}
