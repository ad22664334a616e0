// One worker call end to end through the session bus (create the object, call,
// wait for the callback, release), with the worker already running (warm) and
// with the call that has to start it (cold).
//
// Needs a session bus that can activate this build's Ergasto, for example the
// tests' private bus:
//   dbus-run-session --config-file=<build>/tests/harness/session-bus.conf -- <build>/bin/ipc_bench
#include "ipc/BusNames.h"
#include "ipc/DBusWorkerFactory.h"
#include "ipc/PidfdProcessWaiter.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

class CWaitingCallback : public ICalcCompleteCallback {
public:
    HRESULT NotifyResult(int ID, const std::string& status, const std::string&, int) override
    {
        std::lock_guard lock(m_mutex);
        m_lastId = ID;
        m_ok = status == "Success";
        m_cv.notify_all();
        return S_OK;
    }
    bool waitFor(int id)
    {
        std::unique_lock lock(m_mutex);
        return m_cv.wait_for(lock, std::chrono::seconds(10), [&] { return m_lastId == id; }) && m_ok;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    int m_lastId = -1;
    bool m_ok = false;
};

ipc::CDBusWorkerFactory& factory()
{
    static ipc::CDBusWorkerFactory instance;
    return instance;
}

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

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
