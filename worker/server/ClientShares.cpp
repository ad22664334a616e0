#include "worker/server/ClientShares.h"

namespace ergasto {

bool CClientShares::canTake(const ClientId& client) const
{
    return m_total < m_limits.total && ofConnection(client.connection) < m_limits.perConnection &&
           ofProcess(client.processId) < m_limits.perProcess;
}

bool CClientShares::take(const ClientId& client)
{
    if (!canTake(client))
        return false;
    ++m_total;
    ++m_perConnection[client.connection];
    ++m_perProcess[client.processId];
    return true;
}

void CClientShares::give(const ClientId& client)
{
    if (ofConnection(client.connection) == 0 || ofProcess(client.processId) == 0)
        return;   // nothing of the client's to give back
    --m_total;
    lower(m_perConnection, client.connection);
    lower(m_perProcess, client.processId);
}

}  // namespace ergasto
