#pragma once
// The live worker objects of the server: each has a number (its path is
// "/CCalcWorker/<number>") and the unique bus name of the connection that
// created it. Objects end by Release or when their owner leaves the bus.

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
        std::string owner;
        std::shared_ptr<Object> object;
    };

    std::uint64_t add(std::string owner, std::shared_ptr<Object> object)
    {
        const std::uint64_t id = m_nextId++;
        ++m_ownerCounts[owner];
        m_entries.emplace(id, Entry{std::move(owner), std::move(object)});
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
        uncount(it->second.owner);
        m_entries.erase(it);
        return true;
    }

    // Releases every object of `owner`; returns how many there were.
    std::size_t releaseOwner(const std::string& owner)
    {
        std::size_t n = 0;
        for (auto it = m_entries.begin(); it != m_entries.end();) {
            if (it->second.owner == owner) {
                uncount(owner);
                it = m_entries.erase(it);
                ++n;
            } else {
                ++it;
            }
        }
        return n;
    }

    bool hasOwner(const std::string& owner) const { return countOf(owner) > 0; }

    std::size_t countOf(const std::string& owner) const
    {
        auto it = m_ownerCounts.find(owner);
        return it == m_ownerCounts.end() ? 0 : it->second;
    }

    std::vector<std::uint64_t> ids() const
    {
        std::vector<std::uint64_t> out;
        for (const auto& [id, entry] : m_entries)
            out.push_back(id);
        return out;
    }

    std::size_t size() const { return m_entries.size(); }

private:
    void uncount(const std::string& owner)
    {
        auto it = m_ownerCounts.find(owner);
        if (it != m_ownerCounts.end() && --it->second == 0)
            m_ownerCounts.erase(it);
    }

    std::map<std::uint64_t, Entry> m_entries;
    std::map<std::string, std::size_t> m_ownerCounts;
    std::uint64_t m_nextId = 1;
};

}  // namespace ergasto
