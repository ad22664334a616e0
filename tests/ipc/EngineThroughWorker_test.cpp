// The engine end to end through a real worker process on the test's private
// bus: the engine's worker factory and process waiter are the D-Bus ones.
#include "EngineTestSupport.h"
#include "TestBus.h"

#include "ipc/BusNames.h"
#include "ipc/ClassesHive.h"
#include "ipc/DBusCalcWorker.h"
#include "ipc/DBusWorkerFactory.h"
#include "ipc/PidfdProcessWaiter.h"

#include <QDBusMessage>

#include <gtest/gtest.h>

#include <csignal>
#include <mutex>
#include <thread>

using namespace std::chrono_literals;
using enginetest::Entered;
using enginetest::EngineRig;
using Clock = std::chrono::steady_clock;

namespace {

// Passes creations through and remembers the last proxy, without keeping it
// alive, so a test can see where the engine's callback is exported.
class ProxyWatchingFactory : public ICalcWorkerFactory {
public:
    explicit ProxyWatchingFactory(std::shared_ptr<ICalcWorkerFactory> inner) : m_inner(std::move(inner)) {}
    bool IsRegistered(const std::string& progId) override { return m_inner->IsRegistered(progId); }
    HRESULT CreateWorker(const std::string& progId, std::shared_ptr<ICalcWorker>* worker) override
    {
        const HRESULT hr = m_inner->CreateWorker(progId, worker);
        std::lock_guard lock(m_mutex);
        m_last = std::dynamic_pointer_cast<ipc::CDBusCalcWorker>(*worker);
        return hr;
    }
    bool AwaitReport(int wakeFd, std::chrono::milliseconds timeout) override
    {
        return m_inner->AwaitReport(wakeFd, timeout);
    }
    std::shared_ptr<ipc::CDBusCalcWorker> last()
    {
        std::lock_guard lock(m_mutex);
        return m_last.lock();
    }

private:
    std::shared_ptr<ICalcWorkerFactory> m_inner;
    std::mutex m_mutex;
    std::weak_ptr<ipc::CDBusCalcWorker> m_last;
};

class EngineThroughWorkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ipc_test::EnsureCoreApplication();
        ASSERT_EQ(ipc_test::RunErgasto({QStringLiteral("RegServer"), QStringLiteral("/RegServer")}), 0);
        m_factory = std::make_shared<ipc::CDBusWorkerFactory>();
        m_waiter = std::make_shared<ipc::CPidfdProcessWaiter>();
    }
    // What SetUp registered goes again: the registration lives in the test
    // process's classes hive, which the next test of the process shares.
    void TearDown() override { EXPECT_EQ(ipc_test::RunErgasto({QStringLiteral("/UnregServer")}), 0); }

    // Enters "1 + 2 +" with the worker's reports delayed by `reportDelayMs`,
    // so that the step is still running when the test acts; returns the
    // worker's process id. The delay is set through an object of the test's
    // own in the same worker process (the setting is process-wide).
    int startDelayedAddition(EngineRig& rig, int reportDelayMs)
    {
        int pid = 0;
        EXPECT_EQ(m_factory->CreateWorker(kCalcWorkerProgId, &m_control), S_OK);
        if (!m_control)
            return 0;
        EXPECT_EQ(m_control->SetCalcDuration(reportDelayMs), S_OK);
        EXPECT_EQ(m_control->GetProcessId_CW(&pid), S_OK);
        EXPECT_EQ(rig.EnterAll("1 + 2"), Entered::Immediate);
        bool accepted = false;
        EXPECT_TRUE(rig.Calc().EnterOperator(OpAdd, &accepted));
        EXPECT_TRUE(accepted);
        std::this_thread::sleep_for(300ms);
        return pid;
    }

    // After an aborted step: the stacks are as before it, and a fresh worker
    // process serves the next one.
    void expectReadyForInputAgain(EngineRig& rig)
    {
        EXPECT_FALSE(rig.Calc().IsBusy());
        EXPECT_EQ(rig.Stacks(), "1 + 2");
        m_control.reset();
        EXPECT_EQ(rig.Enter("="), Entered::Done);
        EXPECT_EQ(rig.ResultText(), "3");
    }

    std::shared_ptr<ICalcWorker> m_control;
    std::shared_ptr<ipc::CDBusWorkerFactory> m_factory;
    std::shared_ptr<ipc::CPidfdProcessWaiter> m_waiter;
};

TEST_F(EngineThroughWorkerTest, ACalculationRunsThroughTheWorkerProgram)
{
    EngineRig rig(15, m_factory, m_waiter);
    EXPECT_EQ(rig.EnterAll("1 + 2 * 3 ^ 2 -"), Entered::Done);
    EXPECT_EQ(rig.Stacks(), "19 -");
    EXPECT_EQ(rig.logging->Calls(), (std::vector<std::string>{"3 ^ 2", "2 * 9", "1 + 18"}));
    EXPECT_EQ(rig.EnterAll("4 sqrt ="), Entered::Done);
    EXPECT_EQ(rig.ResultText(), "17");
    EXPECT_EQ(rig.info.m_status, static_cast<int>(CalcStatus::Success));

    // An arithmetic error comes back as a status, the stacks as before the step.
    rig.Calc().Reset();
    EXPECT_EQ(rig.EnterAll("1 / 0 ="), Entered::Done);
    EXPECT_EQ(rig.info.m_status, static_cast<int>(CalcStatus::DivByZero));
    EXPECT_EQ(rig.info.m_errorCode, 50);
    EXPECT_EQ(rig.Stacks(), "1 / 0");
}

TEST_F(EngineThroughWorkerTest, CancelEndsTheWorkerProcessAndTheCalculatorTakesInputAgain)
{
    EngineRig rig(15, m_factory, m_waiter);
    const int pid = startDelayedAddition(rig, 5000);
    ASSERT_GT(pid, 0);
    const auto cancelled = Clock::now();
    rig.Calc().Cancel();
    EXPECT_EQ(rig.WaitStep(15s), Entered::Aborted);
    EXPECT_LT(Clock::now() - cancelled, 5s);
    EXPECT_EQ(rig.info.m_message, "");
    EXPECT_TRUE(m_waiter->WaitForProcessEnd(pid, 0ms)) << "the cancelled worker's process has ended";
    expectReadyForInputAgain(rig);
}

TEST_F(EngineThroughWorkerTest, AWorkerKilledMidStepEndsTheStepOnTheAbortPath)
{
    EngineRig rig(15, m_factory, m_waiter);
    const int pid = startDelayedAddition(rig, 10000);
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    const auto killed = Clock::now();
    EXPECT_EQ(rig.WaitStep(10s), Entered::Aborted);
    EXPECT_LT(Clock::now() - killed, 5s);
    EXPECT_EQ(rig.info.m_message, "Encountered error while waiting for calculation engine to finish!");
    EXPECT_EQ(rig.info.m_messageCaption, "Fatal error");
    expectReadyForInputAgain(rig);
}

TEST_F(EngineThroughWorkerTest, AReportFromAnyConnectionButTheWorkersIsDroppedBeforeTheEngine)
{
    auto watching = std::make_shared<ProxyWatchingFactory>(m_factory);
    EngineRig rig(15, watching, m_waiter);
    ASSERT_EQ(m_factory->CreateWorker(kCalcWorkerProgId, &m_control), S_OK);
    ASSERT_EQ(m_control->SetCalcDuration(2500), S_OK);
    ASSERT_EQ(rig.EnterAll("7 * 8"), Entered::Immediate);
    rig.Calc().Equals();

    // While the worker computes, another client of the bus reports first:
    // at the paths the callbacks once had, and even at the true path.
    QString path;
    ASSERT_TRUE(ipc_test::WaitUntil(
        [&] {
            auto proxy = watching->last();
            path = proxy ? QString::fromStdString(proxy->callbackPath()) : QString();
            return !path.isEmpty();
        },
        5s));
    const QString engineName = QString::fromStdString(m_factory->busName());
    ASSERT_FALSE(engineName.isEmpty());
    QDBusConnection forger = ipc_test::NewBusConnection();
    ASSERT_TRUE(forger.isConnected());
    QStringList paths{path};
    for (int n = 0; n <= 3; ++n)
        paths << QLatin1String(ipc::kCallbackPathPrefix) + QString::number(n);
    for (const QString& target : paths) {
        for (int id = 0; id <= 2; ++id) {
            QDBusMessage forged = QDBusMessage::createMethodCall(engineName, target,
                                                                 QLatin1String(ipc::kCallbackInterface),
                                                                 QStringLiteral("NotifyResult"));
            forged << id << QStringLiteral("Success") << QStringLiteral("666") << 0;
            const QDBusMessage answer = forger.call(forged, QDBus::Block, 5000);
            EXPECT_EQ(answer.type(), QDBusMessage::ErrorMessage) << target.toStdString();
            EXPECT_EQ(answer.errorName().toStdString(), "org.freedesktop.DBus.Error.UnknownObject");
        }
    }
    EXPECT_TRUE(rig.Calc().IsBusy()) << "the forged reports did not end the step";

    EXPECT_EQ(rig.WaitStep(15s), Entered::Done);
    EXPECT_EQ(rig.ResultText(), "56");
    EXPECT_EQ(rig.RecordLines().back(), "|56|0");
    for (const auto& line : rig.RecordLines())
        EXPECT_EQ(line.find("666"), std::string::npos) << line;
    // The callback path is random, so no two requests share one.
    rig.Calc().Reset();
    ASSERT_EQ(m_control->SetCalcDuration(0), S_OK);
    EXPECT_EQ(rig.EnterAll("2 * 3 ="), Entered::Done);
    EXPECT_EQ(rig.ResultText(), "6");
    QDBusConnection::disconnectFromBus(forger.name());
}

TEST_F(EngineThroughWorkerTest, WithoutAnActivationFileTheStepAbortsWithinSeconds)
{
    ipc_test::CPrivateDaemon daemon;
    ASSERT_TRUE(daemon.started());
    {
        auto factory =
            std::make_shared<ipc::CDBusWorkerFactory>(daemon.address().toStdString(), ipc::CClassesHive::DefaultFilePath());
        EngineRig rig(15, factory, m_waiter);
        ASSERT_EQ(rig.EnterAll("1 + 2"), Entered::Immediate);
        const auto start = Clock::now();
        EXPECT_EQ(rig.Enter("="), Entered::Aborted);
        EXPECT_LT(Clock::now() - start, 7s);
        EXPECT_EQ(rig.info.m_message, "Could not start calculation engine!");
        EXPECT_EQ(rig.info.m_messageCaption, "Fatal error");
        EXPECT_EQ(rig.Stacks(), "1 + 2");
    }
}

TEST(WorkerLocation, TheUsersRegistrationOrAnActivationFileOfTheBusLocatesTheWorker)
{
    ipc_test::EnsureCoreApplication();
    // This test's classes hive is empty; the harness's bus can start this build's worker.
    ipc::CDBusWorkerFactory onTheBus;
    EXPECT_TRUE(onTheBus.IsRegistered(kCalcWorkerProgId));
    EXPECT_TRUE(onTheBus.IsRegistered("Ergasto.CalcWorker.1"));
    EXPECT_FALSE(onTheBus.IsRegistered("Ergasto.Other"));

    ipc_test::CPrivateDaemon daemon;   // no activation files
    ASSERT_TRUE(daemon.started());
    const std::string address = daemon.address().toStdString();
    EXPECT_FALSE(ipc::CDBusWorkerFactory(address, ipc::CClassesHive::DefaultFilePath()).IsRegistered(kCalcWorkerProgId));
    ASSERT_EQ(ipc_test::RunErgasto({QStringLiteral("-RegServer")}), 0);
    EXPECT_TRUE(ipc::CDBusWorkerFactory(address, ipc::CClassesHive::DefaultFilePath()).IsRegistered(kCalcWorkerProgId));
    EXPECT_EQ(ipc_test::RunErgasto({QStringLiteral("-UnregServer")}), 0);
}

TEST(EngineWithoutRegistration, TheEngineTellsTheUserAndEndsWithExitCodeThree)
{
    ipc_test::EnsureCoreApplication();
    ASSERT_FALSE(ipc::ClassIdFromProgId(kCalcWorkerProgId)) << "the worker is registered in the classes hive";
    // Nothing registered in this test's own classes hive, and a bus without activation files.
    ipc_test::CPrivateDaemon daemon;
    ASSERT_TRUE(daemon.started());
    enginetest::FakeMessageBoxes boxes;
    CInnerCalc::Services services;
    services.workerFactory =
        std::make_shared<ipc::CDBusWorkerFactory>(daemon.address().toStdString(), ipc::CClassesHive::DefaultFilePath());
    services.processWaiter = std::make_shared<ipc::CPidfdProcessWaiter>();
    services.messageBoxes = &boxes;
    try {
        CInnerCalc calc(nullptr, services);
        ADD_FAILURE() << "the engine was created without a registered worker";
    } catch (const EngineInitError& error) {
        EXPECT_EQ(error.ExitCode(), 3);
    }
    EXPECT_EQ(boxes.shown, (std::vector<std::string>{"Fatal error: Could not locate calculation engine!"}));
}

}  // namespace
