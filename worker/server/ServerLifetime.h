#pragma once
// How long the worker process lives: one process serves many objects; when the
// last object is released (or none ever arrives) it waits kIdleExitMs for a new
// one, then gives up its bus name and asks to quit. A lost bus connection ends
// the process too: nobody can reach it any more. (EndProcess_CW is the worker
// process's own business: CWorkerProcess.)

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

    CServerLifetime(QDBusConnection connection, QString serviceName, QObject* parent = nullptr);

    // Arms the idle timer (no object yet) and starts watching the connection.
    void start();
    void objectCountChanged(std::size_t count);

signals:
    // The event loop should end with this exit code.
    void quitRequested(int exitCode);

private slots:
    void onIdle();
    void onDisconnected();
    void checkConnection();

private:
    QDBusConnection m_connection;
    QString m_serviceName;
    QTimer m_idleTimer;
    QTimer m_connectionTimer;
    bool m_quitting = false;
};

}  // namespace ergasto
