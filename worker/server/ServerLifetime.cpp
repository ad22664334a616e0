#include "worker/server/ServerLifetime.h"

namespace ergasto {

CServerLifetime::CServerLifetime(QDBusConnection connection, QString serviceName, QObject* parent)
    : QObject(parent), m_connection(std::move(connection)), m_serviceName(std::move(serviceName))
{
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setTimerType(Qt::PreciseTimer);   // a coarse timer may fire 5% early
    m_idleTimer.setInterval(kIdleExitMs);
    connect(&m_idleTimer, &QTimer::timeout, this, &CServerLifetime::onIdle);
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
    if (m_quitting)
        return;
    if (count == 0)
        m_idleTimer.start();
    else
        m_idleTimer.stop();
}

void CServerLifetime::onIdle()
{
    if (m_quitting)
        return;
    m_quitting = true;
    // Give up the name first, so that the next caller activates a fresh worker
    // instead of reaching this one while it ends.
    m_connection.unregisterService(m_serviceName);
    emit quitRequested(0);
}

void CServerLifetime::onDisconnected()
{
    if (m_quitting)
        return;
    m_quitting = true;
    m_idleTimer.stop();
    emit quitRequested(0);
}

void CServerLifetime::checkConnection()
{
    if (!m_connection.isConnected())
        onDisconnected();
}

}  // namespace ergasto
