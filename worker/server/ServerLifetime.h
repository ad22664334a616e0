#pragma once
// How long the worker process lives. One process serves many objects; when the
// last object is released (or none ever arrives) it waits kIdleExitMs for a
// new one, then gives up its bus name and, kClosingPauseMs later, asks to quit.
// During that pause it still answers: a CreateInstance that was already on its
// way when the name went is served, and the new object keeps the process (now
// reachable only by its unique name) alive until it is released and the
// process is idle again. A lost bus connection ends the process at once:
// nobody can reach it any more. (EndProcess_CW is the worker process's own
// business: CWorkerProcess.)

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstddef>

namespace ergasto {

class CServerLifetime : public QObject {
    Q_OBJECT
public:
    static constexpr int kIdleExitMs = 5000;
    static constexpr int kClosingPauseMs = 1000;

    CServerLifetime(QDBusConnection connection, QString serviceName, QObject* parent = nullptr);

    // Arms the idle timer (no object yet) and starts watching the connection.
    void start();
    void objectCountChanged(std::size_t count);

signals:
    // The event loop should end with this exit code.
    void quitRequested(int exitCode);

private slots:
    void onIdle();
    void onClosingPauseOver();
    void onDisconnected();
    void checkConnection();

private:
    enum class State { Serving, Closing, Quitting };

    QDBusConnection m_connection;
    QString m_serviceName;
    QTimer m_idleTimer;
    QTimer m_closingTimer;
    QTimer m_connectionTimer;
    State m_state = State::Serving;
};

}  // namespace ergasto
