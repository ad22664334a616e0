#include "worker/RequestThreadPool.h"

#include <system_error>
#include <thread>

CRequestThreadPool::CRequestThreadPool(std::chrono::milliseconds idleLifetime)
    : m_shared(std::make_shared<Shared>()) {
    m_shared->idleLifetime = idleLifetime;
}

bool CRequestThreadPool::Run(std::function<void()> work) {
    {
        std::unique_lock lock(m_shared->lock);
        // Each waiting thread takes one piece of work handed over.
        if (m_shared->waiting > m_shared->handedOver.size()) {
            m_shared->handedOver.push_back(std::move(work));
            // Woken with the lock free, the thread need not wait for it again.
            lock.unlock();
            m_shared->arrived.notify_one();
            return true;
        }
        ++m_shared->threads;
    }
    try {
        std::thread(&CRequestThreadPool::Serve, m_shared, std::move(work)).detach();
        return true;
    } catch (const std::system_error&) {
        std::lock_guard lock(m_shared->lock);
        --m_shared->threads;
        return false;
    }
}

void CRequestThreadPool::Serve(const std::shared_ptr<Shared>& shared, std::function<void()> work) {
    for (;;) {
        work();
        work = nullptr;  // the request's record (and its callback) go before the wait
        std::unique_lock lock(shared->lock);
        ++shared->waiting;
        const bool handed =
            shared->arrived.wait_for(lock, shared->idleLifetime, [&] { return !shared->handedOver.empty(); });
        --shared->waiting;
        if (!handed) {
            --shared->threads;
            return;
        }
        work = std::move(shared->handedOver.front());
        shared->handedOver.pop_front();
    }
}

std::size_t CRequestThreadPool::Threads() const {
    std::lock_guard lock(m_shared->lock);
    return m_shared->threads;
}

std::size_t CRequestThreadPool::Waiting() const {
    std::lock_guard lock(m_shared->lock);
    return m_shared->waiting;
}
