#include "shell/frame/HandOverQueue.h"

void CHandOverQueue::Push(std::string path)
{
    if (path.empty())
        return;
    m_pending = HandOver{std::move(path)};
}

std::optional<HandOver> CHandOverQueue::Take()
{
    std::optional<HandOver> next = std::move(m_pending);
    m_pending.reset();
    return next;
}
