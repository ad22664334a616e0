#pragma once
// Files handed over by later starts that wait while a box or dialog is open
// or a step runs. Only the newest file waits (a load replaces the
// calculation, so an older file would be replaced at once); a raise-only
// hand-over (no path) has nothing to wait for. The queue never holds more than
// one hand-over, however many arrive.

#include <optional>
#include <string>

struct HandOver {
    std::string path;  // the file to load
};

class CHandOverQueue {
public:
    void Push(std::string path);
    std::optional<HandOver> Take();
    bool IsEmpty() const { return !m_pending; }

private:
    std::optional<HandOver> m_pending;
};
