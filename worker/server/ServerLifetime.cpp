#include "worker/server/ServerLifetime.h"

namespace ergasto {

CServerLifetime::CServerLifetime(QDBusConnection connection, QString serviceName, QObject* parent)
    : QObject(parent), m_connection(std::move(connection)), m_serviceName(std::move(serviceName))
{
    // Precise timers: a coarse one may fire 5% early.
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setTimerType(Qt::PreciseTimer);
    m_idleTimer.setInterval(kIdleExitMs);
    connect(&m_idleTimer, &QTimer::timeout, this, &CServerLifetime::onIdle);
    m_closingTimer.setSingleShot(true);
    m_closingTimer.setTimerType(Qt::PreciseTimer);
    m_closingTimer.setInterval(kClosingPauseMs);
    connect(&m_closingTimer, &QTimer::timeout, this, &CServerLifetime::onClosingPauseOver);
    // The library reports a lost connection as a local signal; the timer is
    // the safety net for a connection that dies without it.
    m_connectionTimer.setInterval(500);
    connect(&m_connectionTimer, &QTimer::timeout, this, &CServerLifetime::checkConnection);
}

void CServerLifetime::start()
{
    m_connection.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                         QStringLiteral("org.freedesktop.DBus.Local"), QStringLiteral("Disconnected"), this,
                         SLOT(onDisconnected()));
    m_connectionTimer.start();
    m_idleTimer.start();
}

void CServerLifetime::objectCountChanged(std::size_t count)
{
    if (m_state == State::Quitting)
        return;
    if (count == 0) {
        m_idleTimer.start();
        return;
    }
    m_idleTimer.stop();
    if (m_state == State::Closing) {
        // A creation that was already on its way: serve it to its end.
        m_closingTimer.stop();
        m_state = State::Serving;
    }
}

void CServerLifetime::onIdle()
{
    if (m_state != State::Serving)
        return;
    m_state = State::Closing;
    // Give up the name first, so that the next caller activates a fresh worker
    // instead of reaching this one while it ends.
    m_connection.unregisterService(m_serviceName);
    m_closingTimer.start();
}

void CServerLifetime::onClosingPauseOver()
{
    if (m_state != State::Closing)
        return;
    m_state = State::Quitting;
    emit quitRequested(0);
}

void CServerLifetime::onDisconnected()
{
    if (m_state == State::Quitting)
        return;
    m_state = State::Quitting;
    m_idleTimer.stop();
    m_closingTimer.stop();
    emit quitRequested(0);
}

void CServerLifetime::checkConnection()
{
    if (!m_connection.isConnected())
        onDisconnected();
}

}  // namespace ergasto
