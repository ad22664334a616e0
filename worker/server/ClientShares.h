#pragma once
// Each client's share of something the worker program holds for its clients
// (objects, request slots). A client is a bus connection and the process
// behind it; one process may open many connections, so a share is kept per
// connection, per process and in all, and a slot is taken only while all three
// have room. Not thread-safe: its owner serialises the calls.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace ergasto {

struct ClientId {
    std::string connection;      // the unique bus name
    std::uint32_t processId = 0; // the bus's process id of the connection; 0: not known
};

class CClientShares {
public:
    struct Limits {
        std::size_t perConnection = 0;
        std::size_t perProcess = 0;
        std::size_t total = 0;
    };

    explicit CClientShares(Limits limits) : m_limits(limits) {}

    const Limits& limits() const { return m_limits; }
    bool canTake(const ClientId& client) const;
    // Takes one slot for the client; false (nothing taken) when a share is full.
    bool take(const ClientId& client);
    // Gives back one slot the client took.
    void give(const ClientId& client);

    std::size_t total() const { return m_total; }
    std::size_t ofConnection(const std::string& connection) const { return countIn(m_perConnection, connection); }
    std::size_t ofProcess(std::uint32_t processId) const { return countIn(m_perProcess, processId); }

private:
    template <class Map, class Key>
    static std::size_t countIn(const Map& map, const Key& key)
    {
        const auto it = map.find(key);
        return it == map.end() ? 0 : it->second;
    }
    template <class Map, class Key>
    static void lower(Map& map, const Key& key)
    {
        const auto it = map.find(key);
        if (it != map.end() && --it->second == 0)
            map.erase(it);
    }

    Limits m_limits;
    std::size_t m_total = 0;
    std::map<std::string, std::size_t> m_perConnection;
    std::map<std::uint32_t, std::size_t> m_perProcess;
};

}  // namespace ergasto
