// A client of the worker program in a process of its own, for the tests that
// need more than one client process (the worker counts its clients by process).
//
//   worker_test_client step
//       One calculation step as the calculator makes it, through the engine's
//       transport: a fresh object, its process id, "2 + 3", the report, the
//       release. Exit code 0 after a "Success" report; 2 when no object could
//       be created, 3 when the call was refused, 4 when no report came.
//   worker_test_client hold REQUESTS CALC_DURATION_MS
//       Creates one object, sets the report delay and starts REQUESTS
//       requests, prints "held <accepted>" and then waits to be killed (or
//       for its standard input to close).
//   worker_test_client greedy CONNECTIONS OBJECTS REQUESTS
//       A client that answers no report: over CONNECTIONS connections of its
//       own it creates OBJECTS objects each and starts REQUESTS requests on
//       the first object of each, whose callback never answers; prints
//       "held <objects> <requests>" and waits as "hold" does.
#include "ipc/DBusWorkerFactory.h"
#include "port/ICalcWorker.h"

#include "ipc/BusNames.h"
#include "platform/Event.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <memory>
#include <string>
#include <vector>

namespace {

// Takes the report of a step. The engine's transport hands reports out only
// to a thread that awaits them (the factory's AwaitReport), so the waiter
// sets an event that such a wait watches.
class CReportWaiter : public ICalcCompleteCallback {
public:
    HRESULT NotifyResult(int, const std::string& status, const std::string&, int) override
    {
        {
            std::lock_guard lock(m_mutex);
            m_status = status;
        }
        m_arrived.set();
        return S_OK;
    }
    std::string waitForStatus(ipc::CDBusWorkerFactory& factory, std::chrono::seconds timeout)
    {
        factory.AwaitReport(m_arrived.fd(), timeout);
        std::lock_guard lock(m_mutex);
        return m_status;
    }

private:
    std::mutex m_mutex;
    CEvent m_arrived;
    std::string m_status;
};

void waitForEndOfInput()
{
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
}

int step(ipc::CDBusWorkerFactory& factory)
{
    std::shared_ptr<ICalcWorker> worker;
    HRESULT hr = factory.CreateWorker(kCalcWorkerProgId, &worker);
    if (Failed(hr) || !worker) {
        std::printf("create 0x%08x\n", static_cast<unsigned>(hr));
        return 2;
    }
    int pid = 0;
    if (Failed(worker->GetProcessId_CW(&pid)))
        return 2;
    auto callback = std::make_shared<CReportWaiter>();
    hr = worker->PerformOperation(1, "2", "3", "+", 35, callback);
    if (Failed(hr)) {
        std::printf("perform 0x%08x\n", static_cast<unsigned>(hr));
        return 3;
    }
    const std::string status = callback->waitForStatus(factory, std::chrono::seconds(10));
    std::printf("report %s\n", status.c_str());
    return status == "Success" ? 0 : 4;
}

int hold(ipc::CDBusWorkerFactory& factory, int requests, int calcDurationMs, const char* lhs, const char* rhs,
         const char* op, int digits)
{
    std::shared_ptr<ICalcWorker> worker;
    if (Failed(factory.CreateWorker(kCalcWorkerProgId, &worker)) || !worker)
        return 2;
    if (Failed(worker->SetCalcDuration(calcDurationMs)))
        return 3;
    auto callback = std::make_shared<CReportWaiter>();
    int accepted = 0;
    for (int id = 1; id <= requests; ++id)
        accepted += Succeeded(worker->PerformOperation(id, lhs, rhs, op, digits, callback)) ? 1 : 0;
    std::printf("held %d\n", accepted);
    waitForEndOfInput();
    return 0;
}

// A callback object that takes every call and answers none (the main thread,
// whose object it is, never turns to its events).
class CSilentCallback : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage&, const QDBusConnection&) override { return true; }
};

int greedy(int connections, int objects, int requests)
{
    const QString callbackPath = QStringLiteral("/CalcCompleteCallback/silent");
    CSilentCallback silent;
    std::vector<QDBusConnection> buses;
    int created = 0, accepted = 0;
    for (int c = 0; c < connections; ++c) {
        buses.push_back(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("greedy-%1").arg(c)));
        QDBusConnection& bus = buses.back();
        bus.registerVirtualObject(callbackPath, &silent);
        QString first;
        for (int o = 0; o < objects; ++o) {
            const QDBusMessage reply = bus.call(
                QDBusMessage::createMethodCall(QLatin1String(ipc::kWorkerServiceName),
                                               QLatin1String(ipc::kClassFactoryPath),
                                               QLatin1String(ipc::kClassFactoryInterface),
                                               QStringLiteral("CreateInstance")),
                QDBus::Block, 10000);
            if (reply.type() != QDBusMessage::ReplyMessage)
                continue;
            ++created;
            if (first.isEmpty())
                first = reply.arguments().value(0).value<QDBusObjectPath>().path();
        }
        for (int id = 1; id <= requests && !first.isEmpty(); ++id) {
            QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(ipc::kWorkerServiceName), first,
                                                               QLatin1String(ipc::kCalcWorkerInterface),
                                                               QStringLiteral("PerformOperation"));
            call << id << QStringLiteral("2") << QStringLiteral("3") << QStringLiteral("+") << 35
                 << QVariant::fromValue(QDBusObjectPath(callbackPath));
            accepted += bus.call(call, QDBus::Block, 10000).type() == QDBusMessage::ReplyMessage ? 1 : 0;
        }
    }
    std::printf("held %d %d\n", created, accepted);
    waitForEndOfInput();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ipc::CDBusWorkerFactory factory;
    if (argc == 2 && std::strcmp(argv[1], "step") == 0)
        return step(factory);
    if (argc >= 4 && std::strcmp(argv[1], "hold") == 0)
        return hold(factory, std::atoi(argv[2]), std::atoi(argv[3]), argc > 6 ? argv[4] : "2",
                    argc > 6 ? argv[5] : "3", argc > 6 ? argv[6] : "+", argc > 7 ? std::atoi(argv[7]) : 35);
    if (argc == 5 && std::strcmp(argv[1], "greedy") == 0)
        return greedy(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    std::fprintf(stderr, "usage: worker_test_client step | hold REQUESTS CALC_DURATION_MS [LHS RHS OP [DIGITS]] |"
                         " greedy CONNECTIONS OBJECTS REQUESTS\n");
    return 1;
}
