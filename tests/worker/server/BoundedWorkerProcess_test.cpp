// The bound on requests of the worker process, on real threads: how many run,
// how many wait, what is refused, that another client is served while one
// holds its share, and that everything accepted runs exactly once.

#include "worker/server/BoundedWorkerProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
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
            m_changed.notify_all();
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
    bool WaitDone(int n)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, 10s, [&] { return done == n; });
    }

    int running = 0;
    int most = 0;
    int done = 0;

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_open = false;
};

using ergasto::ClientId;
using ergasto::CRequestSlots;

const ClientId kFirst{":1.1", 10}, kSecondOfFirst{":1.2", 10}, kOther{":1.3", 20};

TEST(WorkerBoundedProcessTest, RunsAtMostTheBoundQueuesTheNextAndRefusesTheRest)
{
    const struct {
        CRequestSlots::Limits limits;
        int requests;   // from kFirst, then as many from kSecondOfFirst
        int accepted;   // of each
        int running;    // at once
    } cases[] = {
        {{}, 2000, 4, 2},                    // the worker's own: 4 per connection, 8 per process, 2 running
        {{1, 0, 1, 4, 4}, 3, 1, 1},          // nothing waits
        {{2, 3, 2, 5, 5}, 5, 5, 2},          // room for 2 + 3 in all: the second connection gets none
        {{3, 2, 3, 6, 3}, 2, 2, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.requests);
        auto inner = std::make_shared<CCountingProcess>();
        auto process = std::make_shared<ergasto::CBoundedWorkerProcess>(inner, c.limits);
        CGate gate;
        int accepted = 0, acceptedSecond = 0;
        for (int i = 0; i < c.requests; ++i)
            accepted += process->ForClient(kFirst)->StartRequestThread(gate.Work()) ? 1 : 0;
        for (int i = 0; i < c.requests; ++i)
            acceptedSecond += process->StartRequest(kSecondOfFirst, gate.Work()) ? 1 : 0;
        EXPECT_EQ(accepted, c.accepted);
        const int expected = std::min<int>(2 * c.requests, std::min<int>(int(c.limits.perProcess),
                                                                         int(c.limits.running + c.limits.waiting)));
        EXPECT_EQ(accepted + acceptedSecond, expected);
        EXPECT_TRUE(gate.WaitRunning(c.running));
        EXPECT_EQ(process->Running(), std::size_t(c.running));
        EXPECT_EQ(inner->started, c.running) << "waiting work starts no thread";
        gate.Open();
        inner->JoinAll();
        EXPECT_EQ(gate.done, expected);
        EXPECT_LE(gate.most, c.running);
        EXPECT_EQ(process->Running(), 0u);
        EXPECT_EQ(process->Waiting(), 0u);
    }
}

TEST(WorkerBoundedProcessTest, AnotherProcessIsServedWhileOneHoldsItsShare)
{
    auto inner = std::make_shared<CCountingProcess>();
    auto process = std::make_shared<ergasto::CBoundedWorkerProcess>(inner, CRequestSlots::Limits{});
    CGate held;
    int accepted = 0;
    for (const auto& client : {kFirst, kSecondOfFirst})
        for (int i = 0; i < 20; ++i)
            accepted += process->StartRequest(client, held.Work()) ? 1 : 0;
    EXPECT_EQ(accepted, 8);
    ASSERT_TRUE(held.WaitRunning(2));

    // The other process's request runs now, beside the held ones.
    CGate other;
    other.Open();
    ASSERT_TRUE(process->StartRequest(kOther, other.Work()));
    EXPECT_TRUE(other.WaitDone(1));

    // A connection that leaves takes its waiting requests with it: they never run.
    process->DropWaiting(kSecondOfFirst.connection);
    EXPECT_EQ(process->Waiting(), 2u);
    held.Open();
    inner->JoinAll();
    EXPECT_EQ(held.done, 4);
    EXPECT_EQ(process->Running(), 0u);
}

TEST(WorkerBoundedProcessTest, AThreadThatCannotStartGivesItsSlotBack)
{
    auto inner = std::make_shared<CCountingProcess>();
    auto process = std::make_shared<ergasto::CBoundedWorkerProcess>(inner, CRequestSlots::Limits{1, 0, 1, 1, 1});
    inner->failStarts = true;
    EXPECT_FALSE(process->StartRequest(kFirst, [] {}));
    EXPECT_EQ(process->Running(), 0u);
    inner->failStarts = false;
    std::atomic<bool> ran{false};
    EXPECT_TRUE(process->StartRequest(kFirst, [&] { ran = true; }));
    inner->JoinAll();
    EXPECT_TRUE(ran);
}

TEST(WorkerBoundedProcessTest, AReportsAnswerGivesTheSlotBackBeforeTheRequestsThreadIsDone)
{
    auto inner = std::make_shared<CCountingProcess>();
    // One running, one waiting, two per client.
    auto process = std::make_shared<ergasto::CBoundedWorkerProcess>(inner, CRequestSlots::Limits{1, 1, 1, 2, 2});
    EXPECT_FALSE(ergasto::CBoundedWorkerProcess::SlotGiverOfThisThread()) << "not a request's thread";

    CGate held;
    std::mutex lock;
    std::condition_variable gotGiver;
    std::function<void()> giveBack;
    auto holdWork = held.Work();
    ASSERT_TRUE(process->StartRequest(kFirst, [&] {
        {
            std::lock_guard<std::mutex> guard(lock);
            giveBack = ergasto::CBoundedWorkerProcess::SlotGiverOfThisThread();
        }
        gotGiver.notify_all();
        holdWork();   // the report's answer has come, but the thread is still busy
    }));
    {
        std::unique_lock<std::mutex> guard(lock);
        ASSERT_TRUE(gotGiver.wait_for(guard, 10s, [&] { return bool(giveBack); }));
    }
    std::atomic<int> later{0};
    ASSERT_TRUE(process->StartRequest(kFirst, [&] { ++later; }));    // waits
    EXPECT_FALSE(process->StartRequest(kFirst, [&] { ++later; }));   // beyond the client's two

    // Given back from another thread: the waiting request holds the running
    // slot now, and the client has room for one more.
    giveBack();
    giveBack();   // only the first call counts
    EXPECT_EQ(process->Running(), 1u);
    EXPECT_EQ(process->Waiting(), 0u);
    EXPECT_TRUE(process->StartRequest(kFirst, [&] { ++later; }));
    EXPECT_FALSE(process->StartRequest(kFirst, [&] { ++later; }));

    // The held thread runs what it was given once it is done, then the rest.
    held.Open();
    inner->JoinAll();
    EXPECT_EQ(later.load(), 2);
    EXPECT_EQ(inner->started, 1) << "everything ran on the first request's thread";
    EXPECT_EQ(process->Running(), 0u);
    EXPECT_EQ(process->Waiting(), 0u);
}

}  // namespace
