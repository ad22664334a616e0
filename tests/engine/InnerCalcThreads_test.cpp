// The calculation threads' dealings with their worker: reports, cancel,
// failures of the worker and of the thread itself, request ids.
#include <gtest/gtest.h>

#include <set>
#include <system_error>
#include <thread>

#include "EngineTestSupport.h"
#include "worker/CalcDuration.h"

namespace {

using namespace std::chrono_literals;
using enginetest::Entered;
using enginetest::EngineRig;

// A worker whose answers the test gives. It is also its own factory and
// process waiter.
class ScriptedWorker : public ICalcWorker, public ICalcWorkerFactory, public IProcessWaiter {
public:
    // Answers every call at once with this report when set.
    std::function<void(int id, ICalcCompleteCallback&)> answer;
    HRESULT performResult = S_OK;
    HRESULT processIdResult = S_OK;
    bool registered = true;

    HRESULT PerformOperation(int ID, const std::string&, const std::string&, const std::string&, int,
                             std::shared_ptr<ICalcCompleteCallback> cb) override {
        return Called(ID, std::move(cb));
    }
    HRESULT ApplySinglArgFunc(int ID, const std::string&, const std::string&, int,
                              std::shared_ptr<ICalcCompleteCallback> cb) override {
        return Called(ID, std::move(cb));
    }
    HRESULT GetProcessId_CW(int* pid) override {
        if (Succeeded(processIdResult))
            *pid = 4242;
        return processIdResult;
    }
    HRESULT EndProcess_CW() override {
        std::lock_guard lock(m_lock);
        m_ended = true;
        return S_OK;
    }
    HRESULT SetCalcDuration(int) override { return S_OK; }

    bool IsRegistered(const std::string& progId) override { return registered && progId == "Ergasto.CalcWorker"; }
    bool AwaitReport(int wakeFd, std::chrono::milliseconds timeout) override {
        return WaitUntilReadable(wakeFd, timeout);
    }
    HRESULT CreateWorker(const std::string&, std::shared_ptr<ICalcWorker>* worker) override {
        *worker = std::shared_ptr<ICalcWorker>(std::shared_ptr<ICalcWorker>{}, this);  // not owned
        return S_OK;
    }
    bool WaitForProcessEnd(int, std::chrono::milliseconds) override {
        std::lock_guard lock(m_lock);
        return m_ended;
    }

    // Waits until a call has come in; returns its id and callback.
    bool WaitForCall(int& id, std::shared_ptr<ICalcCompleteCallback>& cb) {
        std::unique_lock lock(m_lock);
        if (!m_called.wait_for(lock, 10s, [&] { return m_pending; }))
            return false;
        m_pending = false;
        id = m_lastId;
        cb = m_lastCallback;
        return true;
    }
    std::vector<int> Ids() {
        std::lock_guard lock(m_lock);
        return m_ids;
    }
    void Revive() {
        std::lock_guard lock(m_lock);
        m_ended = false;
    }

private:
    HRESULT Called(int ID, std::shared_ptr<ICalcCompleteCallback> cb) {
        if (Failed(performResult))
            return performResult;
        {
            std::lock_guard lock(m_lock);
            m_ids.push_back(ID);
            m_lastId = ID;
            m_lastCallback = cb;
            m_pending = true;
        }
        m_called.notify_all();
        if (answer)
            answer(ID, *cb);
        return S_OK;
    }
    std::mutex m_lock;
    std::condition_variable m_called;
    bool m_pending = false;
    bool m_ended = false;
    int m_lastId = -1;
    std::shared_ptr<ICalcCompleteCallback> m_lastCallback;
    std::vector<int> m_ids;
};

struct ScriptedRig {
    ScriptedRig() : worker(std::make_shared<ScriptedWorker>()), rig(15, worker, worker) {}
    std::shared_ptr<ScriptedWorker> worker;
    EngineRig rig;
};

class EngineThreads : public ::testing::Test {
protected:
    void TearDown() override { SetCalcDurationValue(0); }
};

TEST_F(EngineThreads, StatusWordsOfTheReport) {
    struct Case {
        const char* status;
        const char* text;
        int code;
        CalcStatus expected;
        const char* stacks;
    };
    const Case cases[] = {
        {"Success", "1.25E+1", 0, CalcStatus::Success, "12.5"},
        {"Underflow", "", 0, CalcStatus::Success, "0"},
        {"Overflow", "", 0, CalcStatus::Overflow, "2 + 3"},
        {"NoSuchWord", "", 0, CalcStatus::UnknownError, "2 + 3"},
        {"success", "5", 0, CalcStatus::UnknownError, "2 + 3"},
        {"Success", "not a number", 0, CalcStatus::UnknownError, "2 + 3"},
        {"InvalidInput", "", 45, CalcStatus::InvalidInput, "2 + 3"},
    };
    for (const auto& c : cases) {
        ScriptedRig s;
        s.worker->answer = [&](int id, ICalcCompleteCallback& cb) { cb.NotifyResult(id, c.status, c.text, c.code); };
        EXPECT_EQ(s.rig.EnterAll("2 + 3 ="), Entered::Done) << c.status << " " << c.text;
        EXPECT_EQ(s.rig.info.m_status, static_cast<int>(c.expected)) << c.status << " " << c.text;
        EXPECT_EQ(s.rig.Stacks(), c.stacks) << c.status << " " << c.text;
        if (c.expected == CalcStatus::InvalidInput) {
            EXPECT_EQ(s.rig.info.m_errorCode, c.code);
        }
    }
}

TEST_F(EngineThreads, CancelRestoresTheStacksAndIgnoresTheLateReport) {
    ScriptedRig s;
    ASSERT_EQ(s.rig.EnterAll("2 + 3"), Entered::Immediate);
    const auto lines = s.rig.RecordLines();
    s.rig.Calc().Equals();
    int id = -1;
    std::shared_ptr<ICalcCompleteCallback> cb;
    ASSERT_TRUE(s.worker->WaitForCall(id, cb));
    s.rig.Calc().Cancel();
    EXPECT_EQ(s.rig.WaitStep(), Entered::Aborted);
    EXPECT_EQ(s.rig.info.m_message, "");
    EXPECT_FALSE(s.rig.Calc().IsBusy());
    EXPECT_EQ(s.rig.Stacks(), "2 + 3");
    EXPECT_EQ(s.rig.RecordLines(), lines);
    EXPECT_EQ(s.rig.Calc().GetStepBackStack().size(), 3u);

    cb->NotifyResult(id, "Success", "9", 0);  // no calculation runs: dropped
    s.worker->Revive();
    s.rig.Calc().Equals();
    int second = -1;
    ASSERT_TRUE(s.worker->WaitForCall(second, cb));
    EXPECT_NE(second, id);
    cb->NotifyResult(id, "Success", "9", 0);  // the old request's report: dropped
    EXPECT_EQ(s.rig.WaitStep(100ms), Entered::TimedOut);
    cb->NotifyResult(second, "Success", "5", 0);
    EXPECT_EQ(s.rig.WaitStep(), Entered::Done);
    EXPECT_EQ(s.rig.Stacks(), "5");
}

TEST_F(EngineThreads, CancelThroughTheInProcessWorker) {
    SetCalcDurationValue(300);
    EngineRig rig;
    ASSERT_EQ(rig.EnterAll("1 + 2 * 3"), Entered::Immediate);
    const auto lines = rig.RecordLines();
    const int process = rig.host->CurrentProcessId();
    rig.Calc().Equals();
    std::this_thread::sleep_for(50ms);
    rig.Calc().Cancel();
    EXPECT_EQ(rig.WaitStep(), Entered::Aborted);
    EXPECT_EQ(rig.Stacks(), "1 + 2 * 3");
    EXPECT_EQ(rig.RecordLines(), lines);
    EXPECT_TRUE(rig.host->WaitForProcessEnd(process, 0ms));
    // No report of the cancelled request arrives later.
    std::this_thread::sleep_for(400ms);
    EXPECT_FALSE(rig.doneEvent.tryReset());
    // The next step gets a new worker process.
    SetCalcDurationValue(0);
    EXPECT_EQ(rig.Enter("="), Entered::Done);
    EXPECT_EQ(rig.Stacks(), "7");
    EXPECT_NE(rig.host->CurrentProcessId(), process);
}

TEST_F(EngineThreads, CancelDuringALaterRoundTakesBackTheEarlierOnes) {
    SetCalcDurationValue(250);
    EngineRig rig;
    ASSERT_EQ(rig.EnterAll("1 + 2 * 3 ^ 2"), Entered::Immediate);
    bool accepted = false;
    ASSERT_TRUE(rig.Calc().EnterOperator(OpSubtract, &accepted));
    std::this_thread::sleep_for(400ms);  // the first round has finished
    rig.Calc().Cancel();
    EXPECT_EQ(rig.WaitStep(), Entered::Aborted);
    EXPECT_EQ(rig.Stacks(), "1 + 2 * 3 ^ 2");
    EXPECT_EQ(rig.Calc().GetPrevEntryType(), EntryNumber);
    EXPECT_GE(rig.logging->Calls().size(), 2u);
}

TEST_F(EngineThreads, AWorkerThatDiesEndsTheWait) {
    SetCalcDurationValue(5000);
    EngineRig rig;
    ASSERT_EQ(rig.EnterAll("2 + 2"), Entered::Immediate);
    const int process = rig.host->CurrentProcessId();
    rig.Calc().Equals();
    std::this_thread::sleep_for(50ms);
    rig.host->KillProcess(process);
    EXPECT_EQ(rig.WaitStep(3000ms), Entered::Aborted);
    EXPECT_EQ(rig.info.m_message, "Encountered error while waiting for calculation engine to finish!");
    EXPECT_EQ(rig.info.m_messageCaption, "Fatal error");
    EXPECT_EQ(rig.Stacks(), "2 + 2");
    EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(EngineThreads, WorkerFailuresAbortWithTheirMessage) {
    {
        EngineRig rig;
        rig.host->SetCreateFails(true);
        ASSERT_EQ(rig.EnterAll("2 + 2"), Entered::Immediate);
        EXPECT_EQ(rig.Enter("="), Entered::Aborted);
        EXPECT_EQ(rig.info.m_message, "Could not start calculation engine!");
        EXPECT_EQ(rig.Stacks(), "2 + 2");
        EXPECT_EQ(rig.Enter("sqrt"), Entered::Aborted);
        EXPECT_EQ(rig.Stacks(), "2 + 2");
        EXPECT_EQ(rig.Calc().GetStepBackStack().size(), 3u);
    }
    {
        ScriptedRig s;
        s.worker->processIdResult = E_FAIL;
        ASSERT_EQ(s.rig.EnterAll("2 + 2"), Entered::Immediate);
        EXPECT_EQ(s.rig.Enter("="), Entered::Aborted);
        EXPECT_EQ(s.rig.info.m_message, "Could not start calculation engine (failed to obtain processID)!");
        EXPECT_EQ(s.rig.Enter("sqrt"), Entered::Aborted);
        EXPECT_EQ(s.rig.info.m_message, "Could not start calculation engine (failed to obtain process ID)!");
        EXPECT_EQ(s.rig.Stacks(), "2 + 2");
    }
    {
        ScriptedRig s;
        s.worker->performResult = E_INVALIDARG;
        ASSERT_EQ(s.rig.EnterAll("2 + 2"), Entered::Immediate);
        EXPECT_EQ(s.rig.Enter("="), Entered::Aborted);
        EXPECT_EQ(s.rig.info.m_message, "Could not invoke calculation engine!");
        EXPECT_EQ(s.rig.info.m_messageCaption, "Fatal error");
        EXPECT_EQ(s.rig.Stacks(), "2 + 2");
        EXPECT_TRUE(s.rig.messages.shown.empty());
    }
}

TEST_F(EngineThreads, AThreadThatCannotStartLeavesTheEngineIdle) {
    EngineRig rig(15, nullptr, nullptr, [](std::function<void()>) -> std::thread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    });
    ASSERT_EQ(rig.EnterAll("2 + 3"), Entered::Immediate);
    bool accepted = true;
    EXPECT_FALSE(rig.Calc().EnterOperator(OpSubtract, &accepted));
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(rig.Calc().IsBusy());
    EXPECT_TRUE(rig.abortedEvent.tryReset());
    EXPECT_FALSE(rig.doneEvent.tryReset());
    EXPECT_EQ(rig.info.m_message, "Could not create thread to perform calculation!");
    EXPECT_EQ(rig.info.m_messageCaption, "Error");
    EXPECT_EQ(rig.Stacks(), "2 + 3");
    EXPECT_EQ(rig.record.GetEntryCount(), 3);
    EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(EngineThreads, NoRegisteredWorkerStopsTheEngineAtCreation) {
    auto worker = std::make_shared<ScriptedWorker>();
    worker->registered = false;
    enginetest::FakeMessageBoxes messages;
    CInnerCalc::Services services;
    services.workerFactory = worker;
    services.messageBoxes = &messages;
    try {
        CInnerCalc calc(nullptr, services);
        ADD_FAILURE() << "created";
    } catch (const EngineInitError& e) {
        EXPECT_EQ(e.ExitCode(), 3);
    }
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Fatal error: Could not locate calculation engine!"});
}

TEST_F(EngineThreads, RequestIdsStayUniqueBeyondAThousand) {
    ScriptedRig s;
    s.worker->answer = [](int id, ICalcCompleteCallback& cb) { cb.NotifyResult(id, "Success", "1", 0); };
    ASSERT_EQ(s.rig.EnterAll("1"), Entered::Immediate);
    for (int i = 0; i < 1100; ++i) {
        s.rig.Calc().ApplyFunction("abs");
        ASSERT_EQ(s.rig.WaitStep(), Entered::Done);
    }
    const auto ids = s.worker->Ids();
    EXPECT_EQ(ids.size(), 1100u);
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size());
}

TEST_F(EngineThreads, AStepKeepsTheAngleUnitItStartedWith) {
    // A change while the step runs counts from the next step: sin 100 grads is
    // 1, while sin 100 degrees would not be.
    SetCalcDurationValue(300);
    EngineRig rig;
    rig.Calc().SetAngleSetting(2);
    ASSERT_EQ(rig.EnterAll("100"), Entered::Immediate);
    rig.Calc().ApplyFunction("sin");
    rig.Calc().SetAngleSetting(0);
    ASSERT_EQ(rig.WaitStep(), Entered::Done);
    EXPECT_EQ(rig.Calc().GetResult(), Number(1));
    EXPECT_EQ(rig.Calc().GetAngleSetting(), 0);
    rig.Calc().ApplyFunction("asin");
    ASSERT_EQ(rig.WaitStep(), Entered::Done);
    EXPECT_EQ(rig.Calc().GetResult(), Number(90));
}

TEST_F(EngineThreads, TheAngleSettingTakesOnlyTheThreeUnits) {
    EngineRig rig;
    for (const auto& [given, kept] :
         {std::pair{1, 1}, std::pair{2, 2}, std::pair{0, 0}, std::pair{7, 0}, std::pair{-1, 0}}) {
        rig.Calc().SetAngleSetting(given);
        EXPECT_EQ(rig.Calc().GetAngleSetting(), kept) << given;
    }
}

TEST_F(EngineThreads, DestroyingTheEngineDuringAStepDoesNotHang) {
    SetCalcDurationValue(5000);
    const auto start = std::chrono::steady_clock::now();
    {
        EngineRig rig;
        rig.EnterAll("2 + 2");
        rig.Calc().Equals();
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

}  // namespace
