#include "worker/server/ServerProcess.h"

namespace ergasto {

bool CServerProcess::StartRequestThread(std::function<void()> work)
{
    if (!m_bus.IsDispatchingHere())
        return Threads().Run(std::move(work));
    return m_bus.RunHereOnceDispatched(std::move(work),
                                       [this](std::function<void()> loop) { return Threads().Run(std::move(loop)); });
}

int CServerProcess::ServeUntilEnd()
{
    if (!Threads().Run([this] { m_bus.Serve(); }))
        return -1;
    return m_bus.WaitForEnd();
}

}  // namespace ergasto
