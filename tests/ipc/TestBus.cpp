#include "TestBus.h"

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
