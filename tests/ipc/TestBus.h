#pragma once
// Helpers of the bus tests: a Qt application object for QtDBus, the worker
// program's path, and small waits. Each test process runs on a private session
// bus whose activation folder holds this build's Ergasto.CalcWorker.service.

#include <QCoreApplication>
#include <QDBusConnection>

#include <chrono>
#include <functional>
#include <string>

namespace ipc_test {

// Creates the process's QCoreApplication on first use.
void EnsureCoreApplication();

// <build>/bin/Ergasto.
std::string ErgastoPath();

// Polls `done` (processing Qt events meanwhile) until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// A connection of its own to the session bus, under a unique Qt name.
QDBusConnection NewBusConnection();

// Runs Ergasto with arguments; returns its exit code (-1 when it did not end normally).
int RunErgasto(const QStringList& args, std::chrono::milliseconds timeout = std::chrono::seconds(20));

}  // namespace ipc_test

#include "platform/Event.h"
#include "port/ICalcWorker.h"

#include <QProcess>
#include <QTemporaryDir>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace ipc_test {

// Records every NotifyResult, from whatever thread it comes. Given the
// factory whose workers report to it, its waits serve that factory's
// transport (AwaitReport), as the engine's waits do.
class CRecordingCallback : public ICalcCompleteCallback {
public:
    explicit CRecordingCallback(ICalcWorkerFactory* transport = nullptr) : m_transport(transport) {}

    struct Report {
        int id;
        std::string status;
        std::string result;
        int errorCode;
        std::chrono::steady_clock::time_point at;
    };

    HRESULT NotifyResult(int ID, const std::string& status, const std::string& resultString, int nErrorCode) override;

    // Waits until at least `count` reports have arrived.
    bool waitForReports(std::size_t count, std::chrono::milliseconds timeout);
    std::vector<Report> reports() const;
    std::optional<Report> reportFor(int id) const;

private:
    ICalcWorkerFactory* m_transport;
    CEvent m_wake;   // set by each report, for a wait in the transport
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<Report> m_reports;
};

// A dbus-daemon of the test's own beside the harness's bus, whose activation
// folder is empty: no service can be started on it.
class CPrivateDaemon {
public:
    CPrivateDaemon();
    ~CPrivateDaemon();
    bool started() const { return !m_address.isEmpty(); }
    const QString& address() const { return m_address; }
    void kill();

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
};

// The worker program started as our child (not by activation), so its exit
// code can be seen. On the session bus it waits for a worker of an earlier
// test to leave the name, then until the child owns it.
class CWorkerChild {
public:
    explicit CWorkerChild(const QString& busAddress = QString());
    ~CWorkerChild();
    bool started() const { return m_started; }
    qint64 pid() const { return m_process.processId(); }
    // Waits for the end; the exit code, or nothing on time-out or a crash.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);

private:
    QProcess m_process;
    bool m_started = false;
};

// Whether the worker's well-known name has an owner on the session bus.
bool WorkerNameHasOwner();
// The process id of that owner; 0 when there is none.
qint64 WorkerNameOwnerPid();

}  // namespace ipc_test
