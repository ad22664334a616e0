#include "worker/server/RequestSlots.h"

#include <algorithm>

namespace ergasto {

namespace {

CRequestSlots::Limits Sane(CRequestSlots::Limits limits)
{
    limits.running = std::max<std::size_t>(1, limits.running);
    limits.runningPerProcess = std::clamp<std::size_t>(limits.runningPerProcess, 1, limits.running);
    return limits;
}

}  // namespace

CRequestSlots::CRequestSlots(Limits limits)
    : m_limits(Sane(limits)),
      m_admitted({m_limits.perConnection, m_limits.perProcess, m_limits.running + m_limits.waiting}),
      m_running({m_limits.runningPerProcess, m_limits.runningPerProcess, m_limits.running})
{
}

CRequestSlots::Admitted CRequestSlots::admit(const ClientId& client)
{
    if (!m_admitted.canTake(client))
        return {};
    const Ticket ticket = m_nextTicket++;
    if (m_running.take(client)) {
        m_admitted.take(client);
        m_runningTickets.emplace(ticket, client);
        return {Admission::Run, ticket};
    }
    if (m_waiting.size() >= m_limits.waiting)
        return {};
    m_admitted.take(client);
    m_waiting.push_back({ticket, client});
    return {Admission::Wait, ticket};
}

void CRequestSlots::release(std::map<Ticket, ClientId>::iterator running)
{
    m_running.give(running->second);
    m_admitted.give(running->second);
    m_runningTickets.erase(running);
}

std::optional<CRequestSlots::Ticket> CRequestSlots::finish(Ticket ticket)
{
    const auto it = m_runningTickets.find(ticket);
    if (it == m_runningTickets.end())
        return std::nullopt;
    release(it);
    // The oldest waiting request of the process with the fewest running ones.
    auto next = m_waiting.end();
    for (auto w = m_waiting.begin(); w != m_waiting.end(); ++w) {
        if (m_running.canTake(w->client) &&
            (next == m_waiting.end() || m_running.ofProcess(w->client.processId) <
                                            m_running.ofProcess(next->client.processId)))
            next = w;
    }
    if (next == m_waiting.end())
        return std::nullopt;
    m_running.take(next->client);
    m_runningTickets.emplace(next->ticket, next->client);
    const Ticket started = next->ticket;
    m_waiting.erase(next);
    return started;
}

void CRequestSlots::withdraw(Ticket ticket)
{
    const auto it = m_runningTickets.find(ticket);
    if (it != m_runningTickets.end())
        release(it);
}

std::vector<CRequestSlots::Ticket> CRequestSlots::dropWaiting(const std::string& connection)
{
    std::vector<Ticket> dropped;
    for (auto w = m_waiting.begin(); w != m_waiting.end();) {
        if (w->client.connection == connection) {
            m_admitted.give(w->client);
            dropped.push_back(w->ticket);
            w = m_waiting.erase(w);
        } else {
            ++w;
        }
    }
    return dropped;
}

}  // namespace ergasto
