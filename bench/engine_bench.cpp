// One calculation step from entry to CalcDoneEvent through the in-process
// worker, at 35 and 532 working digits (15 and 512 display digits), next to
// the same request run by the worker alone and the bare arithmetic, so the
// engine's own share of a step can be read off.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "engine/CalcRecord.h"
#include "engine/InnerCalc.h"
#include "platform/Event.h"
#include "worker/CalcWorker.h"
#include "worker/InProcessCalcWorker.h"
#include "worker/RequestExecution.h"

namespace {

// Operands with every working digit in use.
Number LeftOperand(int digits) { return Number(2).divide(Number(7), digits); }
Number RightOperand(int digits) { return Number::pi(digits); }

// A worker "process" that runs each request on the calling thread, and an
// engine that runs each step on the calling thread: what remains of a step is
// the engine's and the worker's own work, without thread starts and wake-ups.
class InlineProcess : public IWorkerProcess {
public:
    int ProcessId() const override { return 1; }
    bool StartRequestThread(std::function<void()> work) override {
        work();
        return true;
    }
    bool EndProcess() override { return true; }
    std::shared_ptr<CReportGate> ReportGate() override { return nullptr; }
};

class InlineWorkers : public ICalcWorkerFactory, public IProcessWaiter {
public:
    bool IsRegistered(const std::string&) override { return true; }
    HRESULT CreateWorker(const std::string&, std::shared_ptr<ICalcWorker>* worker) override {
        *worker = std::make_shared<CCalcWorker>(m_process);
        return S_OK;
    }
    bool WaitForProcessEnd(int, std::chrono::milliseconds) override { return false; }
    bool AwaitReport(int wakeFd, std::chrono::milliseconds timeout) override {
        return WaitUntilReadable(wakeFd, timeout);
    }

private:
    std::shared_ptr<InlineProcess> m_process = std::make_shared<InlineProcess>();
};

class Rig {
public:
    Rig(int workingDigits, bool inlineSteps = false) : m_host(std::make_shared<CInProcessWorkerHost>()) {
        CInnerCalc::Services services;
        if (inlineSteps) {
            auto workers = std::make_shared<InlineWorkers>();
            services.workerFactory = workers;
            services.processWaiter = workers;
            services.launchThread = [](std::function<void()> work) {
                work();
                return std::thread();
            };
        } else {
            services.workerFactory = m_host;
            services.processWaiter = m_host;
        }
        m_info.m_calcEvents = {&m_done, &m_aborted};
        m_calc = std::make_unique<CInnerCalc>(&m_record, services);
        m_calc->SetResultInfo(&m_info);
        m_calc->SetPrecision(workingDigits - 20);
    }
    CInnerCalc& Calc() { return *m_calc; }
    void WaitDone() {
        if (!m_done.wait(std::chrono::seconds(30)))
            throw std::runtime_error("no CalcDoneEvent");
    }

private:
    std::shared_ptr<CInProcessWorkerHost> m_host;
    CCalcRecord m_record;
    CEvent m_done, m_aborted;
    CalcResultInfo m_info;
    std::unique_ptr<CInnerCalc> m_calc;
};

// "a / b" is entered; "+" starts the step that evaluates it. Second
// argument 1: the step and the worker run on the calling thread.
void BM_EngineOperatorStep(benchmark::State& state) {
    const int digits = static_cast<int>(state.range(0));
    Rig rig(digits, state.range(1) != 0);
    const Number a = LeftOperand(digits), b = RightOperand(digits);
    for (auto _ : state) {
        state.PauseTiming();
        rig.Calc().Reset();
        rig.Calc().EnterNumber(a);
        rig.Calc().EnterOperator(OpDivide, nullptr);
        rig.Calc().EnterNumber(b);
        state.ResumeTiming();
        bool accepted = false;
        if (!rig.Calc().EnterOperator(OpAdd, &accepted))
            state.SkipWithError("no step started");
        rig.WaitDone();
    }
}
BENCHMARK(BM_EngineOperatorStep)
    ->ArgsProduct({{35, 532}, {0, 1}})
    ->ArgNames({"digits", "inline"})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// "x sin" in degrees: conversion to radians, the worker call and the result.
void BM_EngineFunctionStep(benchmark::State& state) {
    const int digits = static_cast<int>(state.range(0));
    Rig rig(digits, state.range(1) != 0);
    const Number x = LeftOperand(digits) * Number(100);
    for (auto _ : state) {
        state.PauseTiming();
        rig.Calc().Reset();
        rig.Calc().EnterNumber(x);
        state.ResumeTiming();
        rig.Calc().ApplyFunction("sin");
        rig.WaitDone();
    }
}
BENCHMARK(BM_EngineFunctionStep)
    ->ArgsProduct({{35, 532}, {0, 1}})
    ->ArgNames({"digits", "inline"})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// The worker's part alone, on the calling thread: parse, compute, report text.
struct NullCallback : ICalcCompleteCallback {
    HRESULT NotifyResult(int, const std::string&, const std::string& text, int) override {
        benchmark::DoNotOptimize(text.data());
        return S_OK;
    }
};

void BM_WorkerDivideRequest(benchmark::State& state) {
    const int digits = static_cast<int>(state.range(0));
    auto record = std::make_shared<OpThreadPackage>();
    record->digits = digits;
    record->lhs = LeftOperand(digits).to_scientific(digits);
    record->rhs = RightOperand(digits).to_scientific(digits);
    record->opType = OpDivide;
    record->callback = std::make_shared<NullCallback>();
    for (auto _ : state)
        benchmark::DoNotOptimize(PerformOperationThreadProc(record));
}
BENCHMARK(BM_WorkerDivideRequest)->Arg(35)->Arg(532)->Unit(benchmark::kMicrosecond);

void BM_WorkerSinRequest(benchmark::State& state) {
    const int digits = static_cast<int>(state.range(0));
    auto record = std::make_shared<SingleArgFuncThreadPackage>();
    record->digits = digits;
    record->arg = (LeftOperand(digits) * Number(100)).divide(Number(180), digits).to_scientific(digits);
    SingleArgFuncTable one;
    TwoArgFuncTable two;
    BuildFunctionTables(one, two);
    record->routine = one.at("sin");
    record->callback = std::make_shared<NullCallback>();
    for (auto _ : state)
        benchmark::DoNotOptimize(ApplySinglArgFuncThreadProc(record));
}
BENCHMARK(BM_WorkerSinRequest)->Arg(35)->Arg(532)->Unit(benchmark::kMicrosecond);


// As the worker runs requests: each on a thread of its own. The time is the
// request's own, measured on its fresh thread (the thread start is left out),
// so the difference to the rows above is what a fresh thread rebuilds
// (caches of powers and constants).
template <class Record, class Proc>
void RunOnFreshThreads(benchmark::State& state, const std::shared_ptr<Record>& record, Proc proc) {
    for (auto _ : state) {
        double seconds = 0;
        std::thread thread([&] {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(proc(record));
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        });
        thread.join();
        state.SetIterationTime(seconds);
    }
}

// What any first work costs on a fresh thread (the C library's first
// allocation on it, first touches of its stack): the floor of the rows below.
void BM_FreshThreadFirstAllocation(benchmark::State& state) {
    RunOnFreshThreads(state, std::make_shared<int>(35), [](const std::shared_ptr<int>& digits) {
        mpz_class value(*digits);
        value *= value;
        return value.get_si();
    });
}
BENCHMARK(BM_FreshThreadFirstAllocation)->Unit(benchmark::kMicrosecond)->UseManualTime();

std::shared_ptr<OpThreadPackage> DivideRecord(int digits) {
    auto record = std::make_shared<OpThreadPackage>();
    record->digits = digits;
    record->lhs = LeftOperand(digits).to_scientific(digits);
    record->rhs = RightOperand(digits).to_scientific(digits);
    record->opType = OpDivide;
    record->callback = std::make_shared<NullCallback>();
    return record;
}

std::shared_ptr<SingleArgFuncThreadPackage> FunctionRecord(const char* name, const std::string& arg, int digits) {
    CCalcWorker worker(std::make_shared<InlineProcess>());
    auto record = std::make_shared<SingleArgFuncThreadPackage>();
    record->digits = digits;
    record->arg = arg;
    if (!worker.LookupFunction(name, &record->routine))
        throw std::logic_error(name);
    record->callback = std::make_shared<NullCallback>();
    return record;
}

void BM_WorkerDivideRequestFreshThread(benchmark::State& state) {
    RunOnFreshThreads(state, DivideRecord(static_cast<int>(state.range(0))), PerformOperationThreadProc);
}
BENCHMARK(BM_WorkerDivideRequestFreshThread)->Arg(35)->Arg(532)->Unit(benchmark::kMicrosecond)->UseManualTime();

std::string SinArgument(int digits) {
    return (LeftOperand(digits) * Number(100)).divide(Number(180), digits).to_scientific(digits);
}

void BM_WorkerSinRequestFreshThread(benchmark::State& state) {
    const int digits = static_cast<int>(state.range(0));
    RunOnFreshThreads(state, FunctionRecord("sin", SinArgument(digits), digits), ApplySinglArgFuncThreadProc);
}
BENCHMARK(BM_WorkerSinRequestFreshThread)->Arg(35)->Arg(532)->Unit(benchmark::kMicrosecond)->UseManualTime();

void BM_WorkerLnRequestFreshThread(benchmark::State& state) {
    const int digits = static_cast<int>(state.range(0));
    RunOnFreshThreads(state, FunctionRecord("ln", SinArgument(digits), digits), ApplySinglArgFuncThreadProc);
}
BENCHMARK(BM_WorkerLnRequestFreshThread)->Arg(35)->Arg(532)->Unit(benchmark::kMicrosecond)->UseManualTime();

// n! reported at 15, 35 and 512 digits, as the worker runs it (fresh thread).
void BM_WorkerFactorialRequest(benchmark::State& state) {
    const auto record = FunctionRecord("factorial", std::to_string(state.range(0)), static_cast<int>(state.range(1)));
    RunOnFreshThreads(state, record, ApplySinglArgFuncThreadProc);
}
BENCHMARK(BM_WorkerFactorialRequest)
    ->ArgsProduct({{100000, 205021}, {15, 35, 512}})
    ->ArgNames({"n", "digits"})
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

void BM_WorkerCombinationsRequest(benchmark::State& state) {
    auto record = std::make_shared<OpThreadPackage>();
    record->digits = static_cast<int>(state.range(0));
    record->lhs = "200000";
    record->rhs = "100000";
    record->opType = state.range(1) != 0 ? OpNPr : OpNCr;
    record->callback = std::make_shared<NullCallback>();
    RunOnFreshThreads(state, record, PerformOperationThreadProc);
}
BENCHMARK(BM_WorkerCombinationsRequest)
    ->ArgsProduct({{35, 512}, {0, 1}})
    ->ArgNames({"digits", "npr"})
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
