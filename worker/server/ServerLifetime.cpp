#include "worker/server/ServerLifetime.h"

#include <systemd/sd-bus.h>

#include <chrono>

namespace ergasto {

CServerLifetime::CServerLifetime(CServerBus& connection, std::string serviceName)
    : m_connection(connection),
      m_serviceName(std::move(serviceName)),
      m_idleTimer(connection, [this] { onIdle(); }),
      m_closingTimer(connection, [this] { onClosingPauseOver(); })
{
}

void CServerLifetime::start()
{
    m_connection.OnDisconnected([this] { onDisconnected(); });
    m_idleTimer.start(std::chrono::milliseconds(kIdleExitMs));
}

void CServerLifetime::objectCountChanged(std::size_t count)
{
    if (m_state == State::Quitting)
        return;
    if (count == 0) {
        m_idleTimer.start(std::chrono::milliseconds(kIdleExitMs));
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
    m_connection.CallAsync(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "ReleaseName",
        [this](sd_bus_message* m) { return sd_bus_message_append(m, "s", m_serviceName.c_str()); },
        [](sd_bus_message*) {});
    m_closingTimer.start(std::chrono::milliseconds(kClosingPauseMs));
}

void CServerLifetime::onClosingPauseOver()
{
    if (m_state != State::Closing)
        return;
    m_state = State::Quitting;
    m_connection.Quit(0);
}

void CServerLifetime::onDisconnected()
{
    if (m_state == State::Quitting)
        return;
    m_state = State::Quitting;
    m_idleTimer.stop();
    m_closingTimer.stop();
    m_connection.Quit(0);
}

}  // namespace ergasto
