#include "shell/frame/CalcEventWatcher.h"

#include <QSocketNotifier>

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
