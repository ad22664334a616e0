#pragma once
// The request slots of the worker process, as accounting only (the caller
// runs the requests): at most `running` requests run at once and `waiting`
// more wait for a running slot. Each client has a share of both: at most
// `perConnection` and `perProcess` admitted (running or waiting) requests, of
// which at most `runningPerProcess` run at once. Every share is below its
// total, so no one client can hold all the slots, and a waiting request of a
// process with fewer running requests goes first, so a client that asks for
// little is served next however many requests another has waiting.
//
// A running request keeps its slot until it ends: its report made, or its
// report's deadline passed (it then counts as reported). Not thread-safe: the
// caller serialises the calls.

#include "worker/server/ClientShares.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <optional>
#include <vector>

namespace ergasto {

class CRequestSlots {
public:
    // The calculator has one request in flight at a time; the shares leave
    // the totals room for several clients that ask for everything they may.
    struct Limits {
        std::size_t running = 4;
        std::size_t waiting = 16;
        std::size_t runningPerProcess = 2;
        std::size_t perProcess = 8;      // running and waiting
        std::size_t perConnection = 4;   // running and waiting
    };
    using Ticket = std::uint64_t;
    enum class Admission { Refused, Run, Wait };
    struct Admitted {
        Admission admission = Admission::Refused;
        Ticket ticket = 0;
    };

    explicit CRequestSlots(Limits limits);

    const Limits& limits() const { return m_limits; }
    // A new request of `client`: it runs now, waits, or is refused.
    Admitted admit(const ClientId& client);
    // The running request `ticket` has ended and gives its slot back. Returns
    // the waiting request that runs from now on in its place, if any.
    std::optional<Ticket> finish(Ticket ticket);
    // A request admitted to run that could not be started after all: its slot
    // is given back, and nothing waiting starts in its place.
    void withdraw(Ticket ticket);
    // Forgets the waiting requests of a connection (it has left the bus);
    // returns their tickets.
    std::vector<Ticket> dropWaiting(const std::string& connection);

    std::size_t running() const { return m_runningTickets.size(); }
    std::size_t waiting() const { return m_waiting.size(); }

private:
    struct Waiting {
        Ticket ticket;
        ClientId client;
    };
    void release(std::map<Ticket, ClientId>::iterator running);

    Limits m_limits;
    CClientShares m_admitted;   // running and waiting
    CClientShares m_running;
    std::map<Ticket, ClientId> m_runningTickets;
    std::list<Waiting> m_waiting;   // in order of arrival
    Ticket m_nextTicket = 1;
};

}  // namespace ergasto
