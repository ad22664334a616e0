// The bound on requests of the worker process: how many run, how many wait,
// what is refused, and that everything accepted runs exactly once.

#include "worker/server/BoundedWorkerProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// A process whose request threads are real threads, counted; it can be told
// to fail at starting one.
class CCountingProcess : public IWorkerProcess {
public:
    int ProcessId() const override { return 1; }
    bool StartRequestThread(std::function<void()> work) override
    {
        if (failStarts)
            return false;
        ++started;
        threads.emplace_back(std::move(work));
        return true;
    }
    bool EndProcess() override { return true; }
    std::shared_ptr<CReportGate> ReportGate() override { return nullptr; }
    void JoinAll()
    {
        for (auto& t : threads)
            t.join();
        threads.clear();
    }

    std::atomic<bool> failStarts{false};
    std::atomic<int> started{0};
    std::vector<std::thread> threads;
};

// Work that holds until released, counting how many run at once.
class CGate {
public:
    std::function<void()> Work()
    {
        return [this] {
            std::unique_lock<std::mutex> lock(m_lock);
            ++running;
            most = std::max(most, running);
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return m_open; });
            --running;
            ++done;
        };
    }
    void Open()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_open = true;
        m_changed.notify_all();
    }
    bool WaitRunning(int n)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, 10s, [&] { return running == n; });
    }

    int running = 0;
    int most = 0;
    int done = 0;

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_open = false;
};

TEST(WorkerBoundedProcessTest, RunsAtMostTheBoundQueuesTheNextAndRefusesTheRest)
{
    const struct {
        std::size_t maxRunning, maxWaiting;
        int requests;
    } cases[] = {{4, 16, 2000}, {1, 0, 3}, {2, 3, 5}, {3, 2, 2}};
    for (const auto& c : cases) {
        auto inner = std::make_shared<CCountingProcess>();
        ergasto::CBoundedWorkerProcess process(inner, {c.maxRunning, c.maxWaiting});
        CGate gate;
        int accepted = 0;
        for (int i = 0; i < c.requests; ++i)
            accepted += process.StartRequestThread(gate.Work()) ? 1 : 0;
        const int expected = std::min<int>(c.requests, int(c.maxRunning + c.maxWaiting));
        EXPECT_EQ(accepted, expected) << c.maxRunning << "/" << c.maxWaiting;
        EXPECT_TRUE(gate.WaitRunning(std::min<int>(c.requests, int(c.maxRunning))));
        EXPECT_EQ(process.Running(), std::min<std::size_t>(c.requests, c.maxRunning));
        EXPECT_EQ(inner->started, std::min<int>(c.requests, int(c.maxRunning))) << "waiting work starts no thread";
        gate.Open();
        inner->JoinAll();
        EXPECT_EQ(gate.done, expected);
        EXPECT_LE(gate.most, int(c.maxRunning));
        EXPECT_EQ(process.Running(), 0u);
        EXPECT_EQ(process.Waiting(), 0u);
    }
}

TEST(WorkerBoundedProcessTest, AThreadThatCannotStartGivesItsSlotBack)
{
    auto inner = std::make_shared<CCountingProcess>();
    ergasto::CBoundedWorkerProcess process(inner, {1, 0});
    inner->failStarts = true;
    EXPECT_FALSE(process.StartRequestThread([] {}));
    EXPECT_EQ(process.Running(), 0u);
    inner->failStarts = false;
    std::atomic<bool> ran{false};
    EXPECT_TRUE(process.StartRequestThread([&] { ran = true; }));
    inner->JoinAll();
    EXPECT_TRUE(ran);
}

}  // namespace
