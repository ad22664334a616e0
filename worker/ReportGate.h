#pragma once
// The gate a request's report passes through. Closing it (its process is
// ending) drops every report not yet made and cuts report delays short. A
// report passes under the gate's lock, so once Close has returned no report
// of the gate's requests reaches its caller any more.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

class CReportGate {
public:
    void Close();
    bool IsClosed() const;
    // Sleeps for the delay; returns false at once when the gate closes.
    bool SleepFor(std::chrono::milliseconds delay);
    // Runs report unless the gate is closed; returns whether it ran.
    bool Pass(const std::function<void()>& report);

private:
    mutable std::mutex m_lock;
    std::condition_variable m_closed;
    bool m_bClosed = false;
};
