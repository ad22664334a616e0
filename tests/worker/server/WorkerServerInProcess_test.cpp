// The worker program's server pieces run inside the test process, on a
// private bus, served by the calculator's own transport from several
// threads: the bus loop moving from thread to thread with the requests, the
// reports and their answers, the shares, a client that leaves with requests
// waiting, and the idle end. In one process, so that ThreadSanitizer watches
// every thread of both sides.
#include "TestBus.h"

#include "ipc/DBusWorkerFactory.h"
#include "ipc/ClassesHive.h"
#include "worker/server/ErgastoServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

TEST(WorkerServerInProcessTest, SeveralCallersThreadsAreServedAndTheServerEndsWhenIdle)
{
    ipc_test::EnsureCoreApplication();
    // A worker another test of this process activated keeps the name until it ends by itself.
    ASSERT_TRUE(ipc_test::WaitUntil([] { return !ipc_test::WorkerNameHasOwner(); }, 15s));
    ergasto::CErgastoServer server;
    ASSERT_EQ(server.Start(), "");
    auto served = std::async(std::launch::async, [&] { return server.ServeUntilEnd(); });
    struct EndServing {
        ergasto::CErgastoServer& server;
        std::future<int>& served;
        ~EndServing()
        {
            if (served.valid()) {
                server.Quit(0);
                served.wait();
            }
        }
    } endServing{server, served};

    // Two callers (connections), two threads each: steps as the engine makes them.
    constexpr int kSteps = 25;
    std::vector<std::unique_ptr<ipc::CDBusWorkerFactory>> callers;
    for (int c = 0; c < 2; ++c)
        callers.push_back(std::make_unique<ipc::CDBusWorkerFactory>(std::string(), ipc::CClassesHive::DefaultFilePath()));
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            auto& factory = *callers[static_cast<std::size_t>(t % 2)];
            auto callback = std::make_shared<ipc_test::CRecordingCallback>(&factory);
            for (int i = 1; i <= kSteps; ++i) {
                std::shared_ptr<ICalcWorker> worker;
                int pid = 0;
                if (Failed(factory.CreateWorker(kCalcWorkerProgId, &worker)) || Failed(worker->GetProcessId_CW(&pid)) ||
                    Failed(worker->PerformOperation(i, std::to_string(t + 1), std::to_string(i), "*", 35, callback)) ||
                    !callback->waitForReports(static_cast<std::size_t>(i), 20s) ||
                    callback->reportFor(i)->status != "Success") {
                    ++wrong;
                    return;
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);

    // A caller that leaves with requests held by the report delay and more
    // waiting behind them: the waiting ones go with it.
    {
        auto leaving = std::make_unique<ipc::CDBusWorkerFactory>(std::string(), ipc::CClassesHive::DefaultFilePath());
        std::shared_ptr<ICalcWorker> worker;
        ASSERT_EQ(leaving->CreateWorker(kCalcWorkerProgId, &worker), S_OK);
        ASSERT_EQ(worker->SetCalcDuration(300), S_OK);
        auto callback = std::make_shared<ipc_test::CRecordingCallback>(leaving.get());
        for (int id = 1; id <= 4; ++id)
            EXPECT_EQ(worker->PerformOperation(id, "1", "2", "+", 35, callback), S_OK);
        worker.reset();
        leaving.reset();
    }
    // The report delay holds for every object of the process: set it back.
    {
        std::shared_ptr<ICalcWorker> worker;
        ASSERT_EQ(callers[0]->CreateWorker(kCalcWorkerProgId, &worker), S_OK);
        EXPECT_EQ(worker->SetCalcDuration(0), S_OK);
    }

    // Every object is gone: the server ends by the idle rule, its
    // computations and reports held or not.
    const auto lastRelease = std::chrono::steady_clock::now();
    ASSERT_EQ(served.wait_for(15s), std::future_status::ready);
    EXPECT_EQ(served.get(), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - lastRelease, 4800ms);
    callers.clear();
}

}  // namespace
