#include "worker/server/BoundedWorkerProcess.h"

#include <algorithm>

namespace ergasto {

CBoundedWorkerProcess::CBoundedWorkerProcess(std::shared_ptr<IWorkerProcess> process, Limits limits)
    : m_process(std::move(process)), m_slots(std::make_shared<Slots>())
{
    limits.maxRunning = std::max<std::size_t>(1, limits.maxRunning);
    m_slots->limits = limits;
}

bool CBoundedWorkerProcess::StartRequestThread(std::function<void()> work)
{
    {
        std::lock_guard<std::mutex> guard(m_slots->lock);
        if (m_slots->running >= m_slots->limits.maxRunning) {
            if (m_slots->waiting.size() >= m_slots->limits.maxWaiting)
                return false;
            m_slots->waiting.push_back(std::move(work));
            return true;
        }
        ++m_slots->running;
    }
    auto slots = m_slots;
    auto shared = std::make_shared<std::function<void()>>(std::move(work));
    if (m_process->StartRequestThread([slots, shared] { RunThenWaiting(slots, std::move(*shared)); }))
        return true;
    std::lock_guard<std::mutex> guard(m_slots->lock);
    --m_slots->running;
    return false;
}

void CBoundedWorkerProcess::RunThenWaiting(const std::shared_ptr<Slots>& slots, std::function<void()> work)
{
    for (;;) {
        work();
        work = nullptr;  // the request's record (and its callback) go with it
        std::lock_guard<std::mutex> guard(slots->lock);
        if (slots->waiting.empty()) {
            --slots->running;
            return;
        }
        work = std::move(slots->waiting.front());
        slots->waiting.pop_front();
    }
}

std::size_t CBoundedWorkerProcess::Running() const
{
    std::lock_guard<std::mutex> guard(m_slots->lock);
    return m_slots->running;
}

std::size_t CBoundedWorkerProcess::Waiting() const
{
    std::lock_guard<std::mutex> guard(m_slots->lock);
    return m_slots->waiting.size();
}

}  // namespace ergasto
