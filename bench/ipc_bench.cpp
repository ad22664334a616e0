// One worker call end to end through the session bus (create the object, call,
// wait for the callback, release), with the worker already running (warm) and
// with the call that has to start it (cold); and one calculation step of the
// engine through the bus next to the same step through the in-process worker.
//
// Needs a session bus that can activate this build's Ergasto, for example the
// tests' private bus:
//   dbus-run-session --config-file=<build>/tests/harness/session-bus.conf -- <build>/bin/ipc_bench
#include "engine/CalcRecord.h"
#include "engine/InnerCalc.h"
#include "ipc/BusNames.h"
#include "ipc/DBusWorkerFactory.h"
#include "ipc/PidfdProcessWaiter.h"
#include "platform/Event.h"
#include "worker/InProcessCalcWorker.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

ipc::CDBusWorkerFactory& factory()
{
    static ipc::CDBusWorkerFactory instance;
    return instance;
}

// Waits for its report as the engine does: in the factory's AwaitReport.
class CWaitingCallback : public ICalcCompleteCallback {
public:
    HRESULT NotifyResult(int ID, const std::string& status, const std::string&, int) override
    {
        {
            std::lock_guard lock(m_mutex);
            m_lastId = ID;
            m_ok = status == "Success";
        }
        m_arrived.set();
        return S_OK;
    }
    bool waitFor(int id)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            {
                std::lock_guard lock(m_mutex);
                if (m_lastId == id)
                    return m_ok;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return false;
            if (factory().AwaitReport(m_arrived.fd(), left))
                m_arrived.tryReset();
        }
    }

private:
    CEvent m_arrived;
    std::mutex m_mutex;
    int m_lastId = -1;
    bool m_ok = false;
};

// create, call, callback, release; false on any failure.
bool oneCall(CWaitingCallback& callback, int id)
{
    std::shared_ptr<ICalcWorker> worker;
    if (Failed(factory().CreateWorker(kCalcWorkerProgId, &worker)) || !worker)
        return false;
    auto cb = std::shared_ptr<ICalcCompleteCallback>(&callback, [](ICalcCompleteCallback*) {});
    if (Failed(worker->PerformOperation(id, "1.2345678901234567890123456789012345E+0",
                                        "9.8765432109876543210987654321098765E-1", "*", 35, cb)))
        return false;
    return callback.waitFor(id);
}

bool workerRunning()
{
    auto r = QDBusConnection::sessionBus().interface()->isServiceRegistered(QLatin1String(ipc::kWorkerServiceName));
    return r.isValid() && r.value();
}

// Ends the running worker process and waits until it and its name are gone.
bool stopWorker()
{
    std::shared_ptr<ICalcWorker> worker;
    if (Failed(factory().CreateWorker(kCalcWorkerProgId, &worker)) || !worker)
        return false;
    int pid = 0;
    if (Failed(worker->GetProcessId_CW(&pid)) || Failed(worker->EndProcess_CW()))
        return false;
    worker.reset();
    ipc::CPidfdProcessWaiter waiter;
    if (!waiter.WaitForProcessEnd(pid, std::chrono::seconds(10)))
        return false;
    for (int i = 0; i < 200 && workerRunning(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return !workerRunning();
}

void BM_WorkerCallWarm(benchmark::State& state)
{
    CWaitingCallback callback;
    // An object held for the whole run keeps the worker from its idle end.
    std::shared_ptr<ICalcWorker> keepAlive;
    if (Failed(factory().CreateWorker(kCalcWorkerProgId, &keepAlive))) {
        state.SkipWithError("no worker: run under a bus that can activate Ergasto");
        return;
    }
    int id = 0;
    for (auto _ : state) {
        if (!oneCall(callback, ++id)) {
            state.SkipWithError("worker call failed");
            return;
        }
    }
}
BENCHMARK(BM_WorkerCallWarm)->Unit(benchmark::kMicrosecond);

void BM_WorkerCallCold(benchmark::State& state)
{
    CWaitingCallback callback;
    int id = 1000000;
    for (auto _ : state) {
        if (workerRunning() && !stopWorker()) {
            state.SkipWithError("could not end the running worker");
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        const bool ok = oneCall(callback, ++id);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        if (!ok) {
            state.SkipWithError("no worker: run under a bus that can activate Ergasto");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
    }
}
BENCHMARK(BM_WorkerCallCold)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// One request as the engine makes it at Max Digits 512 (532 working digits),
// warm: create, call, callback, release. A small division next to 200000!,
// whose result is as long but whose computation (log-gamma at that precision)
// leans on the per-thread caches of the worker's request thread.
void BM_WorkerRequestThroughBus(benchmark::State& state, bool factorial)
{
    constexpr int kDigits = 532;
    CWaitingCallback callback;
    std::shared_ptr<ICalcWorker> keepAlive;
    if (Failed(factory().CreateWorker(kCalcWorkerProgId, &keepAlive))) {
        state.SkipWithError("no worker: run under a bus that can activate Ergasto");
        return;
    }
    auto cb = std::shared_ptr<ICalcCompleteCallback>(&callback, [](ICalcCompleteCallback*) {});
    int id = 2000000;
    for (auto _ : state) {
        std::shared_ptr<ICalcWorker> worker;
        const bool ok =
            Succeeded(factory().CreateWorker(kCalcWorkerProgId, &worker)) && worker &&
            Succeeded(factorial ? worker->ApplySinglArgFunc(++id, "factorial", "2.0E+5", kDigits, cb)
                                : worker->PerformOperation(++id, "2", "3", "/", kDigits, cb)) &&
            callback.waitFor(id);
        if (!ok) {
            state.SkipWithError("worker call failed");
            return;
        }
    }
}
BENCHMARK_CAPTURE(BM_WorkerRequestThroughBus, divide_2_3_at_512, false)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_WorkerRequestThroughBus, factorial_200000_at_512, true)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// An engine whose worker factory and process waiter are given.
class StepRig {
public:
    StepRig(int displayDigits, std::shared_ptr<ICalcWorkerFactory> workers, std::shared_ptr<IProcessWaiter> waiter)
    {
        CInnerCalc::Services services;
        services.workerFactory = std::move(workers);
        services.processWaiter = std::move(waiter);
        m_info.m_calcEvents = {&m_done, &m_aborted};
        m_calc = std::make_unique<CInnerCalc>(&m_record, services);
        m_calc->SetResultInfo(&m_info);
        m_calc->SetPrecision(displayDigits);
    }
    CInnerCalc& Calc() { return *m_calc; }
    bool WaitDone() { return m_done.wait(std::chrono::seconds(30)); }
    bool WaitAborted() { return m_aborted.wait(std::chrono::seconds(30)); }

private:
    CCalcRecord m_record;
    CEvent m_done, m_aborted;
    CalcResultInfo m_info;
    std::unique_ptr<CInnerCalc> m_calc;
};

// Context switches so far of this process, all its threads together.
double OwnContextSwitches()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_nvcsw + usage.ru_nivcsw);
}

// "a / b" is entered; "+" starts the step that evaluates it, timed from the
// key to CalcDoneEvent. Operands use every working digit. Besides the mean,
// the counters give the fastest step and the tenth percentile: on a busy
// machine they come closest to a step whose threads found a free core. "cs"
// counts the context switches of this process (all its threads) per step.
void RunOperatorSteps(benchmark::State& state, StepRig& rig)
{
    const int working = rig.Calc().GetWorkingDigits();
    const Number a = Number(2).divide(Number(7), working), b = Number::pi(working);
    std::vector<double> times;
    const double switchesBefore = OwnContextSwitches();
    for (auto _ : state) {
        state.PauseTiming();
        rig.Calc().Reset();
        rig.Calc().EnterNumber(a);
        rig.Calc().EnterOperator(OpDivide, nullptr);
        rig.Calc().EnterNumber(b);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        bool accepted = false;
        if (!rig.Calc().EnterOperator(OpAdd, &accepted) || !rig.WaitDone()) {
            state.SkipWithError("the step did not finish");
            return;
        }
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    if (times.empty())
        return;
    state.counters["cs"] = (OwnContextSwitches() - switchesBefore) / static_cast<double>(times.size());
    std::sort(times.begin(), times.end());
    state.counters["min_us"] = times.front();
    state.counters["p10_us"] = times[times.size() / 10];
    state.counters["p50_us"] = times[times.size() / 2];
}

// The worker program registered for the engine, which looks the class up in
// the classes hive first (the bus sandbox has a fresh one); false, with the
// benchmark skipped, when it cannot be.
bool RegisterWorkerProgram(benchmark::State& state)
{
    std::shared_ptr<ICalcWorker> probe;
    if (Failed(factory().CreateWorker(kCalcWorkerProgId, &probe))) {
        state.SkipWithError("no worker: run under a bus that can activate Ergasto");
        return false;
    }
    if (!factory().IsRegistered(kCalcWorkerProgId) &&
        QProcess::execute(QCoreApplication::applicationDirPath() + QStringLiteral("/Ergasto"),
                          {QStringLiteral("-RegServer")}) != 0) {
        state.SkipWithError("could not register Ergasto");
        return false;
    }
    return true;
}

std::shared_ptr<ICalcWorkerFactory> BusWorkers()
{
    return std::shared_ptr<ICalcWorkerFactory>(&factory(), [](ICalcWorkerFactory*) {});
}

// A warm step through the worker program (argument: display digits).
void BM_EngineStepThroughBus(benchmark::State& state)
{
    std::shared_ptr<ICalcWorker> keepAlive;
    if (!RegisterWorkerProgram(state) || Failed(factory().CreateWorker(kCalcWorkerProgId, &keepAlive)))
        return;
    StepRig rig(static_cast<int>(state.range(0)), BusWorkers(), std::make_shared<ipc::CPidfdProcessWaiter>());
    RunOperatorSteps(state, rig);
}
BENCHMARK(BM_EngineStepThroughBus)
    ->Arg(15)->Arg(35)->Arg(75)->Arg(256)->Arg(512)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// A step whose report the worker holds back is ended: by the user's cancel
// (the engine ends the worker process) or by the worker's death (SIGKILL).
// Timed from the cancel or the kill to CalcAbortedEvent; the worker process
// is started afresh, untimed, for each.
void RunAbortedSteps(benchmark::State& state, bool kill)
{
    if (!RegisterWorkerProgram(state))
        return;
    StepRig rig(15, BusWorkers(), std::make_shared<ipc::CPidfdProcessWaiter>());
    for (auto _ : state) {
        std::shared_ptr<ICalcWorker> control;
        int pid = 0;
        bool accepted = false;
        if (Failed(factory().CreateWorker(kCalcWorkerProgId, &control)) || Failed(control->SetCalcDuration(5000)) ||
            Failed(control->GetProcessId_CW(&pid))) {
            state.SkipWithError("no worker");
            return;
        }
        rig.Calc().Reset();
        rig.Calc().EnterNumber(Number(1));
        rig.Calc().EnterOperator(OpAdd, nullptr);
        rig.Calc().EnterNumber(Number(2));
        if (!rig.Calc().EnterOperator(OpAdd, &accepted)) {
            state.SkipWithError("the step did not start");
            return;
        }
        // Long enough for the request to reach the worker.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const auto start = std::chrono::steady_clock::now();
        if (kill)
            ::kill(pid, SIGKILL);
        else
            rig.Calc().Cancel();
        if (!rig.WaitAborted()) {
            state.SkipWithError("the step did not end");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        control.reset();
        // The ended worker's process is gone before the next one is asked for.
        ipc::CPidfdProcessWaiter().WaitForProcessEnd(pid, std::chrono::milliseconds(10000));
    }
}

void BM_EngineCancelThroughBus(benchmark::State& state) { RunAbortedSteps(state, false); }
BENCHMARK(BM_EngineCancelThroughBus)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_EngineWorkerDeathThroughBus(benchmark::State& state) { RunAbortedSteps(state, true); }
BENCHMARK(BM_EngineWorkerDeathThroughBus)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// The same step with the in-process worker: the engine's and the worker's own
// threads and work, without the bus.
void BM_EngineStepInProcess(benchmark::State& state)
{
    auto host = std::make_shared<CInProcessWorkerHost>();
    StepRig rig(static_cast<int>(state.range(0)), host, host);
    RunOperatorSteps(state, rig);
}
BENCHMARK(BM_EngineStepInProcess)
    ->Arg(15)->Arg(35)->Arg(75)->Arg(256)->Arg(512)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
