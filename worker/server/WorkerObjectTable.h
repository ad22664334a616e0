#pragma once
// The live worker objects of the server: each has a number (its path is
// "/CCalcWorker/<number>") and the client that created it (the connection's
// unique bus name and its process). Objects end by Release or when their
// owner leaves the bus. Each client holds at most its share of them
// (CClientShares): per connection, per process and in all.

#include "worker/server/ClientShares.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ergasto {

template <typename Object>
class CWorkerObjectTable {
public:
    struct Entry {
        ClientId client;
        std::shared_ptr<Object> object;
    };

    explicit CWorkerObjectTable(CClientShares::Limits limits) : m_shares(limits) {}

    const CClientShares::Limits& limits() const { return m_shares.limits(); }
    bool hasRoomFor(const ClientId& client) const { return m_shares.canTake(client); }

    // The new object's number; nothing when the client's share is full.
    std::optional<std::uint64_t> add(const ClientId& client, std::shared_ptr<Object> object)
    {
        if (!m_shares.take(client))
            return std::nullopt;
        const std::uint64_t id = m_nextId++;
        m_entries.emplace(id, Entry{client, std::move(object)});
        return id;
    }

    Entry* find(std::uint64_t id)
    {
        auto it = m_entries.find(id);
        return it == m_entries.end() ? nullptr : &it->second;
    }

    bool contains(std::uint64_t id) const { return m_entries.count(id) > 0; }

    bool release(std::uint64_t id)
    {
        auto it = m_entries.find(id);
        if (it == m_entries.end())
            return false;
        m_shares.give(it->second.client);
        m_entries.erase(it);
        return true;
    }

    // Releases every object of the connection `owner`; returns how many there were.
    std::size_t releaseOwner(const std::string& owner)
    {
        std::size_t n = 0;
        for (auto it = m_entries.begin(); it != m_entries.end();) {
            if (it->second.client.connection == owner) {
                m_shares.give(it->second.client);
                it = m_entries.erase(it);
                ++n;
            } else {
                ++it;
            }
        }
        return n;
    }

    bool hasOwner(const std::string& owner) const { return countOf(owner) > 0; }
    std::size_t countOf(const std::string& owner) const { return m_shares.ofConnection(owner); }
    std::size_t countOfProcess(std::uint32_t processId) const { return m_shares.ofProcess(processId); }

    std::vector<std::uint64_t> ids() const
    {
        std::vector<std::uint64_t> out;
        for (const auto& [id, entry] : m_entries)
            out.push_back(id);
        return out;
    }

    std::size_t size() const { return m_entries.size(); }

private:
    std::map<std::uint64_t, Entry> m_entries;
    CClientShares m_shares;
    std::uint64_t m_nextId = 1;
};

}  // namespace ergasto
