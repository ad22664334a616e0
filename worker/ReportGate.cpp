#include "worker/ReportGate.h"

void CReportGate::Close() {
    {
        std::lock_guard lock(m_lock);
        m_bClosed = true;
    }
    m_closed.notify_all();
}

bool CReportGate::IsClosed() const {
    std::lock_guard lock(m_lock);
    return m_bClosed;
}

bool CReportGate::SleepFor(std::chrono::milliseconds delay) {
    std::unique_lock lock(m_lock);
    return !m_closed.wait_for(lock, delay, [this] { return m_bClosed; });
}

bool CReportGate::Pass(const std::function<void()>& report) {
    std::lock_guard lock(m_lock);
    if (m_bClosed)
        return false;
    report();
    return true;
}
