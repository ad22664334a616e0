// What one client can make the worker program hold, on a bus with a
// desktop's session limits: objects per connection and per process, requests
// that run at once however many arrive, and reports that are never answered.
// The hostile client is this test process, driving raw bus messages; the
// client that must still be served runs in a process of its own
// (worker_test_client, through the calculator's own transport).

#include "TestBus.h"
#include "ipc/BusNames.h"
#include "ipc/HResultErrors.h"
#include "worker/server/BusCompleteCallback.h"
#include "worker/server/RequestSlots.h"
#include "worker/server/ServerBus.h"
#include "worker/server/WorkerBusObject.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <mutex>
#include <vector>

using namespace std::chrono_literals;

namespace {

constexpr char kCallbackPath[] = "/CalcCompleteCallback/1";

// The caller's callback object: counts the reports per request id.
class CCountingCallback : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != QLatin1String("NotifyResult"))
            return false;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            ++m_reports[message.arguments().value(0).toInt()];
        }
        connection.send(message.createReply());
        return true;
    }
    std::map<int, int> reports() const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_reports;
    }

private:
    mutable std::mutex m_lock;
    std::map<int, int> m_reports;
};

// A callback object that takes every report and answers none.
class CSilentCallback : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override
    {
        if (message.member() != QLatin1String("NotifyResult"))
            return false;
        std::lock_guard<std::mutex> guard(m_lock);
        m_ids.push_back(message.arguments().value(0).toInt());
        return true;
    }
    std::vector<int> ids() const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_ids;
    }

private:
    mutable std::mutex m_lock;
    std::vector<int> m_ids;
};

QString ClientProgram()
{
    return QString::fromLocal8Bit(qgetenv("QUILLIX_BIN_DIR")) + QStringLiteral("/worker_test_client");
}

// Runs worker_test_client with arguments; its exit code, -1 when it did not end normally.
int RunClient(const QStringList& args)
{
    QProcess client;
    client.setProcessChannelMode(QProcess::ForwardedChannels);
    client.start(ClientProgram(), args);
    if (!client.waitForFinished(60000) || client.exitStatus() != QProcess::NormalExit)
        return -1;
    return client.exitCode();
}

// One client connection of the test's own.
class CClient {
public:
    explicit CClient(const QString& name)
        : m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name))
    {
    }
    ~CClient() { QDBusConnection::disconnectFromBus(m_connection.name()); }

    QDBusConnection& bus() { return m_connection; }
    QString name() const { return m_connection.baseService(); }

    QDBusMessage factoryCall() const
    {
        return QDBusMessage::createMethodCall(QLatin1String(ipc::kWorkerServiceName),
                                              QLatin1String(ipc::kClassFactoryPath),
                                              QLatin1String(ipc::kClassFactoryInterface),
                                              QStringLiteral("CreateInstance"));
    }
    QString create()
    {
        const QDBusMessage reply = m_connection.call(factoryCall(), QDBus::Block, 30000);
        if (reply.type() != QDBusMessage::ReplyMessage)
            return {};
        return reply.arguments().value(0).value<QDBusObjectPath>().path();
    }
    QDBusMessage objectCall(const QString& path, const char* interface, const char* member,
                            const QVariantList& args = {}) const
    {
        QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(ipc::kWorkerServiceName), path,
                                                           QLatin1String(interface), QLatin1String(member));
        call.setArguments(args);
        return call;
    }
    QDBusMessage perform(const QString& path, int id, const char* lhs, const char* rhs, const char* op) const
    {
        return objectCall(path, ipc::kCalcWorkerInterface, "PerformOperation",
                          {id, QString::fromLatin1(lhs), QString::fromLatin1(rhs), QString::fromLatin1(op), 35,
                           QVariant::fromValue(QDBusObjectPath(QLatin1String(kCallbackPath)))});
    }
    QDBusMessage callNow(const QDBusMessage& message) { return m_connection.call(message, QDBus::Block, 30000); }
    int processId(const QString& path)
    {
        return callNow(objectCall(path, ipc::kCalcWorkerInterface, "GetProcessId_CW")).arguments().value(0).toInt();
    }

private:
    QDBusConnection m_connection;
};

// Waits for every pending call; counts the replies by outcome ("ok" or the error name).
std::map<QString, int> Outcomes(std::vector<QDBusPendingCall>& calls, const std::function<void()>& whileWaiting)
{
    EXPECT_TRUE(ipc_test::WaitUntil(
        [&] {
            whileWaiting();
            return std::all_of(calls.begin(), calls.end(), [](const QDBusPendingCall& c) { return c.isFinished(); });
        },
        120s));
    std::map<QString, int> outcomes;
    for (auto& call : calls)
        ++outcomes[call.isError() ? call.error().name() : QStringLiteral("ok")];
    return outcomes;
}

int ThreadsOf(int pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("Threads:"))
            return line.mid(8).trimmed().toInt();
    return 0;
}

class WorkerLimitsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ipc_test::EnsureCoreApplication();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
    }
};

TEST_F(WorkerLimitsTest, OneConnectionGetsABoundedNumberOfObjectsAndOthersAreStillServed)
{
    CClient greedy(QStringLiteral("greedy"));
    std::vector<QDBusPendingCall> calls;
    for (int i = 0; i < 10000; ++i)
        calls.push_back(greedy.bus().asyncCall(greedy.factoryCall(), 60000));
    auto outcomes = Outcomes(calls, [] {});
    const QString outOfMemory = ipc::ErrorNameForHResult(E_OUTOFMEMORY);
    EXPECT_EQ(outcomes[QStringLiteral("ok")], int(ergasto::CWorkerBusObject::Options{}.objects.perConnection));
    EXPECT_EQ(outcomes[outOfMemory], 10000 - int(ergasto::CWorkerBusObject::Options{}.objects.perConnection));

    // Another connection is served as ever.
    CClient other(QStringLiteral("other"));
    const QString path = other.create();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_GT(other.processId(path), 0);

    // A released object makes room for one more, and only one.
    const QString first = calls.front().reply().arguments().value(0).value<QDBusObjectPath>().path();
    ASSERT_EQ(greedy.callNow(greedy.objectCall(first, ipc::kUnknownInterface, "Release")).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_FALSE(greedy.create().isEmpty());
    EXPECT_TRUE(greedy.create().isEmpty());
}

TEST_F(WorkerLimitsTest, ManyConnectionsOfOneProcessHoldOnlyItsShareOfObjects)
{
    const auto limits = ergasto::CWorkerBusObject::Options{}.objects;
    ASSERT_LT(limits.perProcess, limits.total);
    // 17 connections, as many creations as each may have: enough to take
    // every object of the worker if the process had no share of its own.
    std::vector<std::unique_ptr<CClient>> greedy;
    std::vector<QDBusPendingCall> calls;
    for (int c = 0; c < 17; ++c) {
        greedy.push_back(std::make_unique<CClient>(QStringLiteral("greedy-%1").arg(c)));
        for (std::size_t i = 0; i < limits.perConnection; ++i)
            calls.push_back(greedy.back()->bus().asyncCall(greedy.back()->factoryCall(), 60000));
    }
    auto outcomes = Outcomes(calls, [] {});
    EXPECT_EQ(outcomes[QStringLiteral("ok")], int(limits.perProcess));
    EXPECT_EQ(outcomes[ipc::ErrorNameForHResult(E_OUTOFMEMORY)], int(calls.size() - limits.perProcess));

    // A client in another process makes a calculation step as ever.
    EXPECT_EQ(RunClient({QStringLiteral("step")}), 0);
}

TEST_F(WorkerLimitsTest, RequestsWhoseReportsAreNeverAnsweredHoldOnlyTheirProcessShare)
{
    const auto limits = ergasto::CRequestSlots::Limits{};
    ASSERT_LT(limits.perProcess, limits.running + limits.waiting);
    // Three connections, each with a callback that never answers and more
    // requests than the worker has slots.
    std::vector<std::unique_ptr<CClient>> greedy;
    std::vector<std::unique_ptr<CSilentCallback>> callbacks;
    std::vector<QDBusPendingCall> calls;
    for (int c = 0; c < 3; ++c) {
        greedy.push_back(std::make_unique<CClient>(QStringLiteral("silent-%1").arg(c)));
        callbacks.push_back(std::make_unique<CSilentCallback>());
        ASSERT_TRUE(greedy.back()->bus().registerVirtualObject(QLatin1String(kCallbackPath), callbacks.back().get()));
        const QString path = greedy.back()->create();
        ASSERT_FALSE(path.isEmpty());
        for (int id = 1; id <= 20; ++id)
            calls.push_back(greedy.back()->bus().asyncCall(greedy.back()->perform(path, id, "2", "3", "+"), 60000));
    }
    auto outcomes = Outcomes(calls, [] {});
    EXPECT_EQ(outcomes[QStringLiteral("ok")], int(limits.perProcess));
    EXPECT_EQ(outcomes[ipc::ErrorNameForHResult(E_FAIL)], int(calls.size() - limits.perProcess));

    // A client in another process makes a calculation step as ever: its
    // request is accepted and reported.
    EXPECT_EQ(RunClient({QStringLiteral("step")}), 0);
    for (auto& client : greedy)
        client->bus().unregisterObject(QLatin1String(kCallbackPath));
}

TEST_F(WorkerLimitsTest, AReportNobodyAnswersEndsAtItsDeadlineAndStillArrives)
{
    CClient caller(QStringLiteral("caller"));
    CSilentCallback silent;
    ASSERT_TRUE(caller.bus().registerVirtualObject(QLatin1String(kCallbackPath), &silent));
    // The worker's side: a connection of the worker program's kind, whose
    // loop (reading the answers) runs on a thread of its own.
    ergasto::CServerBus worker;
    ASSERT_TRUE(worker.isConnected());
    std::thread loop([&] { worker.Run(); });
    struct EndLoop {
        ergasto::CServerBus& bus;
        std::thread& thread;
        ~EndLoop()
        {
            bus.Quit(0);
            thread.join();
        }
    } endLoop{worker, loop};
    ergasto::CBusCompleteCallback report(worker, caller.name().toStdString(), kCallbackPath, 300ms);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(report.NotifyResult(7, "Success", "5.0E+0", 0), E_FAIL);
    // Well within the deadline of a caller that answers at all, and far below
    // the time a caller could hold it before.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_TRUE(ipc_test::WaitUntil([&] { return silent.ids() == std::vector<int>{7}; }, 10s));

    // A caller that answers is told apart.
    CCountingCallback answering;
    caller.bus().unregisterObject(QLatin1String(kCallbackPath));
    ASSERT_TRUE(caller.bus().registerVirtualObject(QLatin1String(kCallbackPath), &answering));
    std::atomic<HRESULT> answered{E_FAIL};
    std::thread reporter([&] { answered = report.NotifyResult(8, "Success", "5.0E+0", 0); });
    EXPECT_TRUE(ipc_test::WaitUntil([&] { return answering.reports().count(8) == 1; }, 10s));
    reporter.join();
    EXPECT_EQ(answered.load(), S_OK);
    caller.bus().unregisterObject(QLatin1String(kCallbackPath));
}

// A caller that answers each report and sends its next request at once, so
// that its answer and its next call reach the worker together.
class CPromptCaller : public QDBusVirtualObject {
public:
    CPromptCaller(CClient& client, QString objectPath, int requests)
        : m_client(client), m_objectPath(std::move(objectPath)), m_requests(requests)
    {
    }
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != QLatin1String("NotifyResult"))
            return false;
        connection.send(message.createReply());
        std::lock_guard<std::mutex> guard(m_lock);
        ++m_reports;
        if (m_sent < m_requests)
            sendNext();
        return true;
    }
    void start(int inFlight)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        while (m_sent < inFlight)
            sendNext();
    }
    int reports() const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_reports;
    }
    std::vector<QDBusPendingCall> calls() const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_calls;
    }

private:
    void sendNext()
    {
        ++m_sent;
        m_calls.push_back(m_client.bus().asyncCall(m_client.perform(m_objectPath, m_sent, "2", "3", "+"), 60000));
    }

    CClient& m_client;
    const QString m_objectPath;
    const int m_requests;
    mutable std::mutex m_lock;
    int m_sent = 0;
    int m_reports = 0;
    std::vector<QDBusPendingCall> m_calls;
};

TEST_F(WorkerLimitsTest, AnAnsweredReportsSlotIsFreeForTheCallersNextRequestAtOnce)
{
    CClient client(QStringLiteral("prompt"));
    const QString path = client.create();
    ASSERT_FALSE(path.isEmpty());
    constexpr int kRequests = 400;
    CPromptCaller caller(client, path, kRequests);
    ASSERT_TRUE(client.bus().registerVirtualObject(QLatin1String(kCallbackPath), &caller));
    // As many requests in flight as the caller's share, all the time.
    caller.start(int(ergasto::CRequestSlots::Limits{}.perConnection));
    // A refused call ends the chain of requests: no report follows it.
    const auto refusedAny = [&] {
        const auto calls = caller.calls();
        return std::any_of(calls.begin(), calls.end(), [](const QDBusPendingCall& c) { return c.isFinished() && c.isError(); });
    };
    EXPECT_TRUE(ipc_test::WaitUntil([&] { return caller.reports() == kRequests || refusedAny(); }, 120s));
    auto calls = caller.calls();
    auto outcomes = Outcomes(calls, [] {});
    EXPECT_EQ(outcomes[QStringLiteral("ok")], kRequests);
    EXPECT_EQ(outcomes[ipc::ErrorNameForHResult(E_FAIL)], 0);
    client.bus().unregisterObject(QLatin1String(kCallbackPath));
}

TEST_F(WorkerLimitsTest, CallersKilledWithRequestsRunningLeaveTheWorkerToEndByTheIdleRule)
{
    ipc_test::CWorkerChild worker;   // our child, so that its end and exit code are seen
    ASSERT_TRUE(worker.started());
    // Callers in processes of their own: requests held by a long report
    // delay, and requests whose callbacks never answer.
    const QStringList callers[] = {{QStringLiteral("hold"), QStringLiteral("4"), QStringLiteral("60000")},
                                   {QStringLiteral("greedy"), QStringLiteral("2"), QStringLiteral("2"),
                                    QStringLiteral("10")}};
    std::vector<std::unique_ptr<QProcess>> running;
    for (const auto& args : callers) {
        running.push_back(std::make_unique<QProcess>());
        running.back()->start(ClientProgram(), args);
        ASSERT_TRUE(running.back()->waitForReadyRead(30000));
        EXPECT_TRUE(running.back()->readLine().startsWith("held"));
    }
    for (auto& caller : running) {
        caller->kill();
        EXPECT_TRUE(caller->waitForFinished(10000));
    }

    // The last object to go is one of ours.
    CClient last(QStringLiteral("last"));
    const QString path = last.create();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(last.processId(path), worker.pid());
    ASSERT_EQ(last.callNow(last.objectCall(path, ipc::kUnknownInterface, "Release")).type(),
              QDBusMessage::ReplyMessage);
    const auto released = std::chrono::steady_clock::now();
    ASSERT_TRUE(ipc_test::WaitUntil([] { return !ipc_test::WorkerNameHasOwner(); }, 15s));
    EXPECT_GE(std::chrono::steady_clock::now() - released, 4800ms);
    EXPECT_EQ(worker.waitForExit(10s), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - released, 10s);
}

struct FloodCase {
    const char* name;
    int requests;
    const char* lhs;
    const char* rhs;
    const char* op;
    int calcDurationMs;   // holds each computed report back, so requests overlap
    bool waitForReports;  // else the worker is ended once the calls are answered
};

void PrintTo(const FloodCase& c, std::ostream* out) { *out << c.name; }

class RequestFloodTest : public WorkerLimitsTest, public ::testing::WithParamInterface<FloodCase> {};

TEST_P(RequestFloodTest, RunsABoundedNumberAtOnceAndReportsEveryAcceptedOneOnce)
{
    const FloodCase& c = GetParam();
    CClient client(QStringLiteral("flood"));
    CCountingCallback callback;
    ASSERT_TRUE(client.bus().registerVirtualObject(QLatin1String(kCallbackPath), &callback));
    const QString path = client.create();
    ASSERT_FALSE(path.isEmpty());
    const int pid = client.processId(path);
    ASSERT_GT(pid, 0);
    ASSERT_EQ(client.callNow(client.objectCall(path, ipc::kCalcWorkerInterface, "SetCalcDuration", {c.calcDurationMs}))
                  .type(),
              QDBusMessage::ReplyMessage);
    const int idleThreads = ThreadsOf(pid);
    ASSERT_GT(idleThreads, 0);

    std::vector<QDBusPendingCall> calls;
    for (int id = 1; id <= c.requests; ++id)
        calls.push_back(client.bus().asyncCall(client.perform(path, id, c.lhs, c.rhs, c.op), 60000));
    int mostThreads = 0;
    const auto sample = [&] { mostThreads = std::max(mostThreads, ThreadsOf(pid)); };
    auto outcomes = Outcomes(calls, sample);
    const int accepted = outcomes[QStringLiteral("ok")];
    const int refused = outcomes[ipc::ErrorNameForHResult(E_FAIL)];
    EXPECT_EQ(accepted + refused, c.requests);
    EXPECT_EQ(accepted, std::min(c.requests, int(ergasto::CRequestSlots::Limits{}.perConnection)));

    if (c.waitForReports) {
        EXPECT_TRUE(ipc_test::WaitUntil(
            [&] {
                sample();
                return int(callback.reports().size()) >= accepted;
            },
            120s));
        QThread::msleep(200);
        QCoreApplication::processEvents();
        const auto reports = callback.reports();
        EXPECT_EQ(int(reports.size()), accepted);
        for (const auto& [id, count] : reports) {
            EXPECT_EQ(count, 1) << id;
            EXPECT_EQ(calls[id - 1].isError(), false) << id;
        }
        client.callNow(client.objectCall(path, ipc::kCalcWorkerInterface, "SetCalcDuration", {0}));
    } else {
        for (int i = 0; i < 100; ++i) {
            sample();
            QThread::msleep(10);
        }
        client.callNow(client.objectCall(path, ipc::kCalcWorkerInterface, "EndProcess_CW"));
    }
    // The request threads of one process, and room for the ending's own thread.
    const int bound = idleThreads + int(ergasto::CRequestSlots::Limits{}.runningPerProcess) + 1;
    EXPECT_LE(mostThreads, bound);
    RecordProperty("most_threads", mostThreads);
    RecordProperty("accepted", accepted);
    client.bus().unregisterObject(QLatin1String(kCallbackPath));
}

INSTANTIATE_TEST_SUITE_P(Floods, RequestFloodTest,
                         ::testing::Values(FloodCase{"twothousand_sums", 2000, "2", "3", "+", 1000, true},
                                           FloodCase{"sixteen_huge_ncr", 16, "1E6", "5E5", "ncr", 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
