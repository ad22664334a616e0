// What one client can make the worker program hold, on a bus with a
// desktop's session limits: objects per connection, and requests that run at
// once however many arrive. Driven by raw bus messages, as a hostile client
// would send them.

#include "TestBus.h"
#include "ipc/BusNames.h"
#include "ipc/HResultErrors.h"
#include "worker/server/BoundedWorkerProcess.h"
#include "worker/server/WorkerBusObject.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVirtualObject>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
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

// One client connection of the test's own.
class CClient {
public:
    explicit CClient(const QString& name)
        : m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name))
    {
    }
    ~CClient() { QDBusConnection::disconnectFromBus(m_connection.name()); }

    QDBusConnection& bus() { return m_connection; }

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
    EXPECT_EQ(outcomes[QStringLiteral("ok")], int(ergasto::CWorkerBusObject::kMaxObjectsPerConnection));
    EXPECT_EQ(outcomes[outOfMemory], 10000 - int(ergasto::CWorkerBusObject::kMaxObjectsPerConnection));

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
    EXPECT_GE(accepted, int(ergasto::CBoundedWorkerProcess::Limits{}.maxRunning));
    if (c.requests > 1000) {
        EXPECT_GT(refused, 0);
    }

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
    // The request threads, and room for the ending's own thread.
    const int bound = idleThreads + int(ergasto::CBoundedWorkerProcess::Limits{}.maxRunning) + 1;
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
