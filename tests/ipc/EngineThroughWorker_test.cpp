// The engine end to end through a real worker process on the test's private
// bus: the engine's worker factory and process waiter are the D-Bus ones.
#include "EngineTestSupport.h"
#include "TestBus.h"

#include "ipc/ClassesHive.h"
#include "ipc/DBusWorkerFactory.h"
#include "ipc/PidfdProcessWaiter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

using namespace std::chrono_literals;
using enginetest::Entered;
using enginetest::EngineRig;
using Clock = std::chrono::steady_clock;

namespace {

class EngineThroughWorkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ipc_test::EnsureCoreApplication();
        ASSERT_EQ(ipc_test::RunErgasto({QStringLiteral("RegServer"), QStringLiteral("/RegServer")}), 0);
        m_factory = std::make_shared<ipc::CDBusWorkerFactory>();
        m_waiter = std::make_shared<ipc::CPidfdProcessWaiter>();
    }

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

TEST_F(EngineThroughWorkerTest, WithoutAnActivationFileTheStepAbortsWithinSeconds)
{
    ipc_test::CPrivateDaemon daemon;
    ASSERT_TRUE(daemon.started());
    {
        QDBusConnection bus = QDBusConnection::connectToBus(daemon.address(), QStringLiteral("no-activation"));
        ASSERT_TRUE(bus.isConnected());
        auto factory = std::make_shared<ipc::CDBusWorkerFactory>(bus, ipc::CClassesHive::DefaultFilePath());
        EngineRig rig(15, factory, m_waiter);
        ASSERT_EQ(rig.EnterAll("1 + 2"), Entered::Immediate);
        const auto start = Clock::now();
        EXPECT_EQ(rig.Enter("="), Entered::Aborted);
        EXPECT_LT(Clock::now() - start, 7s);
        EXPECT_EQ(rig.info.m_message, "Could not start calculation engine!");
        EXPECT_EQ(rig.info.m_messageCaption, "Fatal error");
        EXPECT_EQ(rig.Stacks(), "1 + 2");
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("no-activation"));
}

TEST(EngineWithoutRegistration, TheEngineTellsTheUserAndEndsWithExitCodeThree)
{
    ipc_test::EnsureCoreApplication();
    // Nothing registered in this test's own classes hive.
    enginetest::FakeMessageBoxes boxes;
    CInnerCalc::Services services;
    services.workerFactory = std::make_shared<ipc::CDBusWorkerFactory>();
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
