#include "shell/frame/CalcEventWatcher.h"

#include <QSocketNotifier>

#include <poll.h>

#include "platform/Event.h"

CCalcEventWatcher::CCalcEventWatcher(CEvent& done, CEvent& aborted, QObject* parent)
    : QObject(parent),
      m_done(done),
      m_aborted(aborted),
      m_doneNotifier(new QSocketNotifier(done.fd(), QSocketNotifier::Read, this)),
      m_abortedNotifier(new QSocketNotifier(aborted.fd(), QSocketNotifier::Read, this))
{
    connect(m_doneNotifier, &QSocketNotifier::activated, this, [this] {
        if (m_done.tryReset())
            emit calcDone();
    });
    connect(m_abortedNotifier, &QSocketNotifier::activated, this, [this] {
        if (m_aborted.tryReset())
            emit calcAborted();
    });
}

void CCalcEventWatcher::Stop()
{
    m_doneNotifier->setEnabled(false);
    m_abortedNotifier->setEnabled(false);
}

bool CCalcEventWatcher::TakeWithin(std::chrono::microseconds budget)
{
    if (!m_doneNotifier->isEnabled())
        return false;
    const auto deadline = std::chrono::steady_clock::now() + budget;
    for (;;) {
        if (m_done.tryReset()) {
            emit calcDone();
            return true;
        }
        if (m_aborted.tryReset()) {
            emit calcAborted();
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd fds[2] = {{m_done.fd(), POLLIN, 0}, {m_aborted.fd(), POLLIN, 0}};
        const timespec timeout{static_cast<time_t>(left.count() / 1000000000), static_cast<long>(left.count() % 1000000000)};
        if (::ppoll(fds, 2, &timeout, nullptr) == 0)
            return false;
    }
}
