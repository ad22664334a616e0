#pragma once
// How long the worker process lives. One process serves many objects; when the
// last object is released (or none ever arrives) it waits kIdleExitMs for a
// new one, then gives up its bus name and, kClosingPauseMs later, ends the
// loop. During that pause it still answers: a CreateInstance that was already
// on its way when the name went is served, and the new object keeps the
// process (now reachable only by its unique name) alive until it is released
// and the process is idle again. A lost bus connection ends the loop at once:
// nobody can reach it any more. Nothing else keeps the process: a running
// computation or a report on its way never does. (EndProcess_CW is the worker
// process's own business: CWorkerProcess.)
//
// Runs on the connection's loop thread.

#include "worker/server/ServerBus.h"

#include <cstddef>
#include <memory>
#include <string>

namespace ergasto {

class CServerLifetime {
public:
    static constexpr int kIdleExitMs = 5000;
    static constexpr int kClosingPauseMs = 1000;

    CServerLifetime(CServerBus& connection, std::string serviceName);

    // Arms the idle timer (no object yet) and starts watching the connection.
    void start();
    void objectCountChanged(std::size_t count);

private:
    enum class State { Serving, Closing, Quitting };

    void onIdle();
    void onClosingPauseOver();
    void onDisconnected();

    CServerBus& m_connection;
    std::string m_serviceName;
    CLoopTimer m_idleTimer;
    CLoopTimer m_closingTimer;
    State m_state = State::Serving;
};

}  // namespace ergasto
