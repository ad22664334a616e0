#pragma once
// The worker program's request threads. A request runs on a thread that has
// finished an earlier request and waits for the next one, or on a new thread
// when none waits. A thread that waits kIdleLifetime without work ends. The
// threads are detached: the process may end while they run or wait.
//
// A thread kept from request to request keeps what the number library caches
// per thread (MPFR's constants and Bernoulli numbers, held powers of ten), so
// only a request's first thread pays for computing them.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class CRequestThreadPool {
public:
    static constexpr std::chrono::seconds kIdleLifetime{30};

    explicit CRequestThreadPool(std::chrono::milliseconds idleLifetime = kIdleLifetime);

    // Runs work on a waiting thread or a new one; false when no thread could
    // be started (work is then dropped unrun).
    bool Run(std::function<void()> work);

    // Threads alive now, and those of them waiting for work.
    std::size_t Threads() const;
    std::size_t Waiting() const;

private:
    struct Shared {
        std::chrono::milliseconds idleLifetime;
        mutable std::mutex lock;
        std::condition_variable arrived;
        std::deque<std::function<void()>> handedOver;  // taken by waiting threads
        std::size_t threads = 0;
        std::size_t waiting = 0;
    };
    static void Serve(const std::shared_ptr<Shared>& shared, std::function<void()> work);

    std::shared_ptr<Shared> m_shared;
};
