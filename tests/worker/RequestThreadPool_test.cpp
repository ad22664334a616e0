// The worker program's pool of request threads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "number/Number.h"
#include "worker/RequestThreadPool.h"

namespace {

using namespace std::chrono_literals;

// Waits for `done` with a generous deadline, polling.
bool Eventually(const std::function<bool()>& done, std::chrono::milliseconds timeout = 20s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// A gate that holds work until it is opened.
class Gate {
public:
    void Open() {
        {
            std::lock_guard lock(m_lock);
            m_open = true;
        }
        m_opened.notify_all();
    }
    void Pass() {
        std::unique_lock lock(m_lock);
        m_opened.wait(lock, [&] { return m_open; });
    }

private:
    std::mutex m_lock;
    std::condition_variable m_opened;
    bool m_open = false;
};

TEST(WorkerRequestThreadPool, OneRequestAfterAnotherRunsOnTheSameWarmThread) {
    CRequestThreadPool pool;
    std::mutex lock;
    std::set<std::thread::id> threads;
    std::atomic<int> finished{0};
    for (int i = 0; i < 5; ++i) {
        // A function of the library, so that the thread's own caches are filled.
        ASSERT_TRUE(pool.Run([&] {
            const Number e = Number(1).exp(60);
            EXPECT_EQ(e.to_scientific(10), "2.7182818285E+0");
            std::lock_guard guard(lock);
            threads.insert(std::this_thread::get_id());
            ++finished;
        }));
        const int expected = i + 1;
        ASSERT_TRUE(Eventually([&] { return finished == expected && pool.Waiting() == 1; }));
    }
    EXPECT_EQ(threads.size(), 1u);
    EXPECT_EQ(pool.Threads(), 1u);
}

TEST(WorkerRequestThreadPool, RequestsThatOverlapEachGetAThread) {
    CRequestThreadPool pool;
    Gate gate;
    std::atomic<int> running{0};
    constexpr int kRequests = 4;
    for (int i = 0; i < kRequests; ++i)
        ASSERT_TRUE(pool.Run([&] {
            ++running;
            gate.Pass();
        }));
    // All of them run at once: none waits for another to end.
    EXPECT_TRUE(Eventually([&] { return running == kRequests; }));
    EXPECT_EQ(pool.Threads(), static_cast<std::size_t>(kRequests));
    gate.Open();
    EXPECT_TRUE(Eventually([&] { return pool.Waiting() == kRequests; }));
}

TEST(WorkerRequestThreadPool, AThreadWithoutWorkEndsAfterItsIdleLifetime) {
    CRequestThreadPool pool(50ms);
    std::atomic<int> ran{0};
    ASSERT_TRUE(pool.Run([&] { ++ran; }));
    ASSERT_TRUE(pool.Run([&] { ++ran; }));
    EXPECT_TRUE(Eventually([&] { return ran == 2 && pool.Threads() == 0; }));
    // A request after that gets a new thread.
    ASSERT_TRUE(pool.Run([&] { ++ran; }));
    EXPECT_TRUE(Eventually([&] { return ran == 3; }));
}

}  // namespace
