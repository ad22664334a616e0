#pragma once
// Hand-overs from later starts that wait while a box or dialog is open. Only
// the newest file waits (a load replaces the calculation, so an older file
// would be replaced at once); a raise-only hand-over waits as a raise. The
// queue never holds more than one hand-over, however many arrive.

#include <optional>
#include <string>

struct HandOver {
    std::string path;  // empty: raise the window only
};

class CHandOverQueue {
public:
    void Push(std::string path);
    std::optional<HandOver> Take();
    bool IsEmpty() const { return !m_pending; }

private:
    std::optional<HandOver> m_pending;
};
