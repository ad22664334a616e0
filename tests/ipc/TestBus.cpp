#include "TestBus.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <atomic>
#include <cstdlib>

namespace ipc_test {

void EnsureCoreApplication()
{
    static int argc = 1;
    static char name[] = "ipc_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);   // lives for the whole test process
}

std::string ErgastoPath()
{
    const char* dir = std::getenv("QUILLIX_BIN_DIR");
    return std::string(dir ? dir : ".") + "/Ergasto";
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

QDBusConnection NewBusConnection()
{
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("ipc-test-%1").arg(++counter);
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
}

int RunErgasto(const QStringList& args, std::chrono::milliseconds timeout)
{
    QProcess process;
    process.start(QString::fromStdString(ErgastoPath()), args);
    if (!process.waitForFinished(static_cast<int>(timeout.count())) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

}  // namespace ipc_test

#include "ipc/BusNames.h"

#include <QDBusConnectionInterface>

namespace ipc_test {

HRESULT CRecordingCallback::NotifyResult(int ID, const std::string& status, const std::string& resultString,
                                         int nErrorCode)
{
    {
        std::lock_guard lock(m_mutex);
        m_reports.push_back({ID, status, resultString, nErrorCode, std::chrono::steady_clock::now()});
    }
    m_arrived.notify_all();
    m_wake.set();
    return S_OK;
}

bool CRecordingCallback::waitForReports(std::size_t count, std::chrono::milliseconds timeout)
{
    const auto enough = [&] {
        std::lock_guard lock(m_mutex);
        return m_reports.size() >= count;
    };
    if (!m_transport) {
        std::unique_lock lock(m_mutex);
        return m_arrived.wait_for(lock, timeout, [&] { return m_reports.size() >= count; });
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!enough()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        if (m_transport->AwaitReport(m_wake.fd(), left))
            m_wake.tryReset();
    }
    return true;
}

std::vector<CRecordingCallback::Report> CRecordingCallback::reports() const
{
    std::lock_guard lock(m_mutex);
    return m_reports;
}

std::optional<CRecordingCallback::Report> CRecordingCallback::reportFor(int id) const
{
    std::lock_guard lock(m_mutex);
    for (const auto& r : m_reports)
        if (r.id == id)
            return r;
    return std::nullopt;
}

CPrivateDaemon::CPrivateDaemon()
{
    if (!m_dir.isValid())
        return;
    const QString services = m_dir.path() + QStringLiteral("/services");
    QDir().mkpath(services);
    const QString config = m_dir.path() + QStringLiteral("/bus.conf");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                              " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                              "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
                              "<auth>EXTERNAL</auth><servicedir>%1</servicedir>"
                              "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                              "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n")
                   .arg(services)
                   .toUtf8());
    file.close();
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + config, QStringLiteral("--print-address=1"),
                    QStringLiteral("--nofork")});
    if (!m_daemon.waitForStarted(5000))
        return;
    WaitUntil([&] { return m_daemon.canReadLine(); }, std::chrono::seconds(5));
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

CPrivateDaemon::~CPrivateDaemon()
{
    kill();
}

void CPrivateDaemon::kill()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
}

CWorkerChild::CWorkerChild(const QString& busAddress)
{
    // A worker that an earlier test of the process activated keeps the name
    // until it ends by itself, five seconds after its last object went; the
    // child could not take the name before.
    if (busAddress.isEmpty() && !WaitUntil([] { return !WorkerNameHasOwner(); }, std::chrono::seconds(15)))
        return;
    if (!busAddress.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        m_process.setProcessEnvironment(env);
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QString::fromStdString(ErgastoPath()), {});
    if (!m_process.waitForStarted(5000))
        return;
    if (busAddress.isEmpty())
        m_started = WaitUntil([this] { return WorkerNameOwnerPid() == m_process.processId(); },
                              std::chrono::seconds(10));
    else
        m_started = true;
}

CWorkerChild::~CWorkerChild()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

std::optional<int> CWorkerChild::waitForExit(std::chrono::milliseconds timeout)
{
    if (!m_process.waitForFinished(static_cast<int>(timeout.count())) ||
        m_process.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return m_process.exitCode();
}

qint64 WorkerNameOwnerPid()
{
    const auto reply = QDBusConnection::sessionBus().interface()->servicePid(QLatin1String(ipc::kWorkerServiceName));
    return reply.isValid() ? reply.value() : 0;
}

bool WorkerNameHasOwner()
{
    const auto reply =
        QDBusConnection::sessionBus().interface()->isServiceRegistered(QLatin1String(ipc::kWorkerServiceName));
    return reply.isValid() && reply.value();
}

}  // namespace ipc_test
