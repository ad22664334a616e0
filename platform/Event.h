#pragma once
// An auto-reset event on an eventfd: set() wakes one waiter (or the next one to
// wait), and the descriptor can be watched by an event loop (readable while set).

#include <chrono>

class CEvent {
public:
    CEvent();                    // throws std::system_error when no eventfd can be had
    ~CEvent();
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void set();
    // Waits until set, then resets. Returns false on time-out.
    bool wait(std::chrono::milliseconds timeout);
    // Resets without waiting; returns whether it was set.
    bool tryReset();

    int fd() const { return m_fd; }

private:
    int m_fd = -1;
};

// Waits until the descriptor is readable (true) or the time-out has passed (false).
bool WaitUntilReadable(int fd, std::chrono::milliseconds timeout);
