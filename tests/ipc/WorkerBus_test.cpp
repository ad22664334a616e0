// The worker program through the bus: the refusals and lifetime of the worker
// server, and the request execution's edge cases as a caller sees them.
#include "TestBus.h"

#include "ipc/BusNames.h"
#include "ipc/ClassesHive.h"
#include "ipc/DBusCalcWorker.h"
#include "ipc/DBusWorkerFactory.h"
#include "ipc/PidfdProcessWaiter.h"
#include "number/Number.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

using namespace std::chrono_literals;
using ipc_test::CRecordingCallback;
using Clock = std::chrono::steady_clock;

namespace {

class WorkerBusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ipc_test::EnsureCoreApplication();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "the harness gives every bus test a session bus";
        m_factory = std::make_unique<ipc::CDBusWorkerFactory>();
        m_callback = std::make_shared<CRecordingCallback>(m_factory.get());
    }

    std::shared_ptr<ICalcWorker> create()
    {
        std::shared_ptr<ICalcWorker> worker;
        EXPECT_EQ(m_factory->CreateWorker(kCalcWorkerProgId, &worker), S_OK);
        return worker;
    }

    static int processIdOf(ICalcWorker& worker)
    {
        int pid = 0;
        EXPECT_EQ(worker.GetProcessId_CW(&pid), S_OK);
        return pid;
    }

    std::unique_ptr<ipc::CDBusWorkerFactory> m_factory;
    std::shared_ptr<CRecordingCallback> m_callback;
};

TEST_F(WorkerBusTest, ActivationStartsErgastoAndTheObjectAnswersItsProcessId)
{
    auto worker = create();
    ASSERT_TRUE(worker);
    const int pid = processIdOf(*worker);
    ASSERT_GT(pid, 0);
    EXPECT_EQ(QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).canonicalFilePath(),
              QFileInfo(QString::fromStdString(ipc_test::ErgastoPath())).canonicalFilePath());
    // The out parameter is the reply; a null pointer is refused before any call.
    EXPECT_EQ(worker->GetProcessId_CW(nullptr), E_POINTER);
    // The object describes itself with the type library's help strings.
    QDBusMessage introspect = QDBusMessage::createMethodCall(
        QLatin1String(ipc::kWorkerServiceName),
        QString::fromStdString(static_cast<ipc::CDBusCalcWorker&>(*worker).objectPath()),
        QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect"));
    const QDBusMessage description = QDBusConnection::sessionBus().call(introspect, QDBus::Block, 5000);
    ASSERT_EQ(description.type(), QDBusMessage::ReplyMessage);
    const QString xml = description.arguments().at(0).toString();
    for (const char* text : {"<interface name=\"Ergasto.ICalcWorker\">", "<interface name=\"Ergasto.IUnknown\">",
                             "ICalcWorker Interface", "method SetCalcDuration"})
        EXPECT_TRUE(xml.contains(QLatin1String(text))) << text;

    // One process serves every object.
    auto second = create();
    ASSERT_TRUE(second);
    EXPECT_EQ(processIdOf(*second), pid);
}

TEST_F(WorkerBusTest, RefusedCallsReturnInvalidArgAndReportNothing)
{
    auto worker = create();
    ASSERT_TRUE(worker);
    const struct {
        const char* word;
        bool function;
    } refused[] = {{"POW", false}, {"pow", false}, {"NCR", false}, {"Idiv", false}, {"", false},
                   {"negate", true}, {"SQRT", true}, {"sine", true}};
    int id = 100;
    for (const auto& row : refused) {
        const HRESULT hr = row.function ? worker->ApplySinglArgFunc(++id, row.word, "4", 35, m_callback)
                                        : worker->PerformOperation(++id, "2", "3", row.word, 35, m_callback);
        EXPECT_EQ(hr, E_INVALIDARG) << row.word;
    }
    // No callback ("/" on the bus) is refused too.
    EXPECT_EQ(worker->PerformOperation(++id, "2", "3", "+", 35, nullptr), E_INVALIDARG);
    EXPECT_EQ(worker->ApplySinglArgFunc(++id, "sqrt", "4", 35, nullptr), E_INVALIDARG);

    // An accepted call after them: its report is the only one.
    ASSERT_EQ(worker->PerformOperation(1, "2", "3", "^", 35, m_callback), S_OK);
    ASSERT_TRUE(m_callback->waitForReports(1, 10s));
    EXPECT_FALSE(m_callback->waitForReports(2, 300ms));
    const auto reports = m_callback->reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].id, 1);
    EXPECT_EQ(reports[0].status, "Success");
    EXPECT_EQ(Number::from_text(reports[0].result), Number(8));
}

struct RequestCase {
    const char* name;
    const char* lhs;   // the argument of a function
    const char* rhs;   // nullptr for a function
    const char* word;
    const char* status;
    const char* value;   // nullptr: empty result text
    int errorCode;
};

TEST_F(WorkerBusTest, RequestEdgeCasesReachTheCallerAsStatusWordsAndCodes)
{
    const RequestCase table[] = {
        {"divide by zero", "1", "0", "/", "DivByZero", nullptr, 50},
        {"power limit above", "2", "5555556", "^", "PowArgTooLarge", nullptr, 0},
        {"power at the limit is computed", "2", "5555555", "^", "Overflow", nullptr, 0},
        {"power limit below", "2", "-5555556", "^", "PowArgTooSmall", nullptr, 0},
        {"equal operands subtract to nothing", "1.5E+3", "1500", "-", "Underflow", nullptr, 0},
        {"square root of a negative", "-4", nullptr, "sqrt", "InvalidInput", nullptr, 5},
        {"factorial of zero", "0", nullptr, "factorial", "Success", "1", 0},
        {"factorial of a fraction", "2.5", nullptr, "factorial", "InvalidInput", nullptr, 35},
        {"npr", "5", "2", "npr", "Success", "20", 0},
        {"ncr", "5", "1", "ncr", "Success", "5", 0},
        {"ncr with r above n", "2", "3", "ncr", "InvalidInput", nullptr, 40},
        {"division is rounded to the digits", "2", "3", "/", "Success", "6.66666666666666666666666666666666667E-1", 0},
    };
    int id = 0;
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        auto worker = create();   // one object per call, as the engine does
        ASSERT_TRUE(worker);
        ++id;
        const HRESULT hr = row.rhs ? worker->PerformOperation(id, row.lhs, row.rhs, row.word, 35, m_callback)
                                   : worker->ApplySinglArgFunc(id, row.word, row.lhs, 35, m_callback);
        ASSERT_EQ(hr, S_OK);
        ASSERT_TRUE(m_callback->waitForReports(static_cast<std::size_t>(id), 30s));
        const auto report = m_callback->reportFor(id);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->status, row.status);
        EXPECT_EQ(report->errorCode, row.errorCode);
        if (row.value) {
            EXPECT_EQ(Number::from_text(report->result), Number::from_text(row.value)) << report->result;
            // 35 decimals in the mantissa: "d." + 35 digits + exponent.
            EXPECT_EQ(report->result.find('E'), 37u) << report->result;
        } else {
            EXPECT_EQ(report->result, "");
        }
    }
    EXPECT_EQ(m_callback->reports().size(), std::size(table));
}

// The factory's connection is read by whichever thread waits in it: threads
// that share one factory each get their own reports, whoever reads them.
TEST_F(WorkerBusTest, ThreadsSharingAFactoryEachGetTheirOwnReports)
{
    constexpr int kThreads = 4;
    constexpr int kCalls = 15;
    std::vector<std::shared_ptr<CRecordingCallback>> callbacks;
    for (int t = 0; t < kThreads; ++t)
        callbacks.push_back(std::make_shared<CRecordingCallback>(m_factory.get()));
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 1; i <= kCalls; ++i) {
                std::shared_ptr<ICalcWorker> worker;
                ASSERT_EQ(m_factory->CreateWorker(kCalcWorkerProgId, &worker), S_OK);
                const int id = t * 100 + i;
                ASSERT_EQ(worker->PerformOperation(id, std::to_string(t + 1), std::to_string(i), "*", 35, callbacks[t]),
                          S_OK);
                ASSERT_TRUE(callbacks[t]->waitForReports(static_cast<std::size_t>(i), 20s));
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t) {
        SCOPED_TRACE(t);
        const auto reports = callbacks[t]->reports();
        ASSERT_EQ(reports.size(), static_cast<std::size_t>(kCalls));
        for (int i = 1; i <= kCalls; ++i) {
            EXPECT_EQ(reports[static_cast<std::size_t>(i - 1)].id, t * 100 + i);
            EXPECT_EQ(Number::from_text(reports[static_cast<std::size_t>(i - 1)].result), Number((t + 1) * i));
        }
    }
}

TEST_F(WorkerBusTest, CalcDurationDelaysComputedReportsOnlyAndNegativeMeansNone)
{
    auto worker = create();
    ASSERT_TRUE(worker);
    ASSERT_EQ(worker->SetCalcDuration(-5), S_OK);
    auto start = Clock::now();
    ASSERT_EQ(worker->PerformOperation(1, "1", "2", "+", 35, m_callback), S_OK);
    ASSERT_TRUE(m_callback->waitForReports(1, 10s));
    EXPECT_LT(m_callback->reportFor(1)->at - start, 1500ms);

    // The setting belongs to the process: a new object sees it.
    auto other = create();
    ASSERT_TRUE(other);
    ASSERT_EQ(worker->SetCalcDuration(2000), S_OK);
    start = Clock::now();
    ASSERT_EQ(other->PerformOperation(2, "1", "2", "+", 35, m_callback), S_OK);
    ASSERT_EQ(other->PerformOperation(3, "1", "0", "/", 35, m_callback), S_OK);
    ASSERT_TRUE(m_callback->waitForReports(3, 10s));
    const auto success = *m_callback->reportFor(2);
    const auto divByZero = *m_callback->reportFor(3);
    EXPECT_EQ(success.status, "Success");
    EXPECT_GE(success.at - start, 1900ms);
    // An early report skips the delay: it comes well before the computed one.
    EXPECT_EQ(divByZero.status, "DivByZero");
    EXPECT_LT(divByZero.at, success.at - 1s);
}

TEST_F(WorkerBusTest, EndProcessAnswersAtOnceAndTheProcessEndsASecondLaterWithCodeOne)
{
    ipc_test::CWorkerChild child;
    ASSERT_TRUE(child.started());
    auto worker = create();
    ASSERT_TRUE(worker);
    ASSERT_EQ(processIdOf(*worker), child.pid());
    ASSERT_EQ(worker->SetCalcDuration(5000), S_OK);
    ASSERT_EQ(worker->PerformOperation(1, "1", "2", "+", 35, m_callback), S_OK);   // pending, never reported

    const auto start = Clock::now();
    EXPECT_EQ(worker->EndProcess_CW(), S_OK);
    // The answer comes before the end: the process is still there.
    ipc::CPidfdProcessWaiter waiter;
    EXPECT_FALSE(waiter.WaitForProcessEnd(static_cast<int>(child.pid()), 0ms));
    EXPECT_TRUE(waiter.WaitForProcessEnd(static_cast<int>(child.pid()), 10s));
    const auto ended = Clock::now() - start;
    EXPECT_GE(ended, 900ms);
    EXPECT_LT(ended, 5s);
    EXPECT_EQ(child.waitForExit(5s), 1);
    EXPECT_FALSE(m_callback->waitForReports(1, 200ms));
}

TEST_F(WorkerBusTest, IdleWorkerGivesUpItsNameFiveSecondsAfterTheLastReleaseThenEnds)
{
    ipc_test::CWorkerChild child;
    ASSERT_TRUE(child.started());
    auto worker = create();
    ASSERT_TRUE(worker);
    const int pid = processIdOf(*worker);
    auto other = create();
    other.reset();
    std::this_thread::sleep_for(500ms);
    ASSERT_TRUE(ipc_test::WorkerNameHasOwner()) << "an object is still alive";

    worker.reset();   // the last release
    const auto released = Clock::now();
    ASSERT_TRUE(ipc_test::WaitUntil([] { return !ipc_test::WorkerNameHasOwner(); }, 15s));
    const auto nameGone = Clock::now() - released;
    EXPECT_GE(nameGone, 4800ms);
    EXPECT_LT(nameGone, 10s);
    EXPECT_EQ(child.waitForExit(10s), 0);

    // The next call activates a fresh process.
    auto fresh = create();
    ASSERT_TRUE(fresh);
    const int freshPid = processIdOf(*fresh);
    EXPECT_GT(freshPid, 0);
    EXPECT_NE(freshPid, pid);
}

TEST_F(WorkerBusTest, ACreationStillOnItsWayAfterTheNameWentIsServedToItsEnd)
{
    ipc_test::CWorkerChild child;
    ASSERT_TRUE(child.started());
    auto worker = create();
    ASSERT_TRUE(worker);
    const QString uniqueName = QString::fromStdString(static_cast<ipc::CDBusCalcWorker&>(*worker).workerName());
    worker.reset();
    ASSERT_TRUE(ipc_test::WaitUntil([] { return !ipc_test::WorkerNameHasOwner(); }, 15s));

    // Within the closing pause the process still answers by its unique name.
    QString lateName;
    {
        QDBusConnection late = ipc_test::NewBusConnection();
        lateName = late.name();
        QDBusMessage create = QDBusMessage::createMethodCall(uniqueName, QLatin1String(ipc::kClassFactoryPath),
                                                             QLatin1String(ipc::kClassFactoryInterface),
                                                             QStringLiteral("CreateInstance"));
        const QDBusMessage created = late.call(create, QDBus::Block, 5000);
        ASSERT_EQ(created.type(), QDBusMessage::ReplyMessage) << created.errorMessage().toStdString();
        const QString path = created.arguments().at(0).value<QDBusObjectPath>().path();
        EXPECT_FALSE(child.waitForExit(2s).has_value()) << "the object keeps its process";
        QDBusMessage release = QDBusMessage::createMethodCall(uniqueName, path, QLatin1String(ipc::kUnknownInterface),
                                                              QStringLiteral("Release"));
        EXPECT_EQ(late.call(release, QDBus::Block, 5000).type(), QDBusMessage::ReplyMessage);
    }
    QDBusConnection::disconnectFromBus(lateName);
    EXPECT_EQ(child.waitForExit(10s), 0);
}

TEST_F(WorkerBusTest, ObjectsOfAConnectionThatLeavesAreReleased)
{
    ipc_test::CWorkerChild child;
    ASSERT_TRUE(child.started());
    QString otherName;
    {
        QDBusConnection other = ipc_test::NewBusConnection();
        otherName = other.name();
        ASSERT_TRUE(other.isConnected());
        // A caller that crashes: it creates an object and never releases it.
        QDBusMessage create = QDBusMessage::createMethodCall(QLatin1String(ipc::kWorkerServiceName),
                                                             QLatin1String(ipc::kClassFactoryPath),
                                                             QLatin1String(ipc::kClassFactoryInterface),
                                                             QStringLiteral("CreateInstance"));
        const QDBusMessage created = other.call(create, QDBus::Block, 5000);
        ASSERT_EQ(created.type(), QDBusMessage::ReplyMessage) << created.errorMessage().toStdString();
        const QString objectPath = created.arguments().at(0).value<QDBusObjectPath>().path();
        EXPECT_TRUE(objectPath.startsWith(QLatin1String(ipc::kObjectPathPrefix)));

        // Only its owner may use an object.
        QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(ipc::kWorkerServiceName), objectPath,
                                                           QLatin1String(ipc::kCalcWorkerInterface),
                                                           QStringLiteral("GetProcessId_CW"));
        EXPECT_EQ(QDBusConnection::sessionBus().call(call, QDBus::Block, 5000).errorName(),
                  QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"));
        EXPECT_EQ(other.call(call, QDBus::Block, 5000).type(), QDBusMessage::ReplyMessage);
    }
    QDBusConnection::disconnectFromBus(otherName);   // the last reference: the connection closes
    const auto left = Clock::now();
    EXPECT_EQ(child.waitForExit(15s), 0);
    EXPECT_GE(Clock::now() - left, 4800ms);
}

TEST_F(WorkerBusTest, WorkerEndsWhenItsBusConnectionIsLost)
{
    ipc_test::CPrivateDaemon daemon;
    ASSERT_TRUE(daemon.started());
    ipc_test::CWorkerChild child(daemon.address());
    ASSERT_TRUE(child.started());
    {
        QDBusConnection bus = QDBusConnection::connectToBus(daemon.address(), QStringLiteral("lost-connection"));
        ASSERT_TRUE(bus.isConnected());
        ASSERT_TRUE(ipc_test::WaitUntil(
            [&] {
                auto r = bus.interface()->isServiceRegistered(QLatin1String(ipc::kWorkerServiceName));
                return r.isValid() && r.value();
            },
            10s));
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("lost-connection"));
    daemon.kill();
    const auto killed = Clock::now();
    EXPECT_TRUE(child.waitForExit(10s).has_value());
    EXPECT_LT(Clock::now() - killed, 5s);
}

TEST_F(WorkerBusTest, WithoutAnActivationFileCreatingFailsWithinSeconds)
{
    ipc_test::CPrivateDaemon daemon;
    ASSERT_TRUE(daemon.started());
    {
        ipc::CDBusWorkerFactory factory(daemon.address().toStdString(), ipc::CClassesHive::DefaultFilePath());
        std::shared_ptr<ICalcWorker> worker;
        const auto start = Clock::now();
        EXPECT_TRUE(Failed(factory.CreateWorker(kCalcWorkerProgId, &worker)));
        EXPECT_FALSE(worker);
        EXPECT_LT(Clock::now() - start, 6s);
        EXPECT_EQ(factory.CreateWorker(kCalcWorkerProgId, nullptr), E_POINTER);
        EXPECT_TRUE(Failed(factory.CreateWorker("Other.Class", &worker)));
    }
}

TEST_F(WorkerBusTest, AWorkerKilledMidRequestIsSeenByTheWaiterAndItsObjectsFailCleanly)
{
    auto worker = create();
    ASSERT_TRUE(worker);
    const int pid = processIdOf(*worker);
    ASSERT_EQ(worker->SetCalcDuration(10000), S_OK);
    ASSERT_EQ(worker->PerformOperation(1, "1", "2", "+", 35, m_callback), S_OK);
    ipc::CPidfdProcessWaiter waiter;
    EXPECT_FALSE(waiter.WaitForProcessEnd(pid, 0ms));
    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    EXPECT_TRUE(waiter.WaitForProcessEnd(pid, 5s));
    const auto start = Clock::now();
    EXPECT_TRUE(Failed(worker->SetCalcDuration(0)));
    EXPECT_LT(Clock::now() - start, 3s);
    EXPECT_FALSE(m_callback->waitForReports(1, 200ms));
}

// A program may keep its worker factory, and with it the connection that
// exports its callbacks, to the end: past its application object (the
// calculator's factory goes after it) or in a static that goes only after
// main. The connection still frees all it made (the sanitizer build checks
// for leaks at the exit).
TEST(WorkerFactoryLifetime, EndsCleanlyAfterTheApplicationObjectAndAtTheProgramsExit)
{
    if (QCoreApplication::instance())
        GTEST_SKIP() << "needs a process of its own (ctest runs each test alone)";
    static std::unique_ptr<ipc::CDBusWorkerFactory> untilExit;
    std::unique_ptr<ipc::CDBusWorkerFactory> factory;
    std::shared_ptr<ICalcWorker> worker;
    std::shared_ptr<CRecordingCallback> callback;
    {
        int argc = 1;
        char name[] = "ipc_bus_tests";
        char* argv[] = {name, nullptr};
        QCoreApplication app(argc, argv);
        factory = std::make_unique<ipc::CDBusWorkerFactory>();
        callback = std::make_shared<CRecordingCallback>(factory.get());
        untilExit = std::make_unique<ipc::CDBusWorkerFactory>();
        ASSERT_EQ(factory->CreateWorker(kCalcWorkerProgId, &worker), S_OK);
        ASSERT_EQ(worker->PerformOperation(1, "6", "7", "*", 35, callback), S_OK);
        ASSERT_TRUE(callback->waitForReports(1, 10s));
    }
    worker.reset();
    factory.reset();
    EXPECT_EQ(callback->reportFor(1)->result.substr(0, 3), "4.2");
}

}  // namespace
