#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "port/CheckedArith.h"
#include "port/ErgastoException.h"
#include "worker/CalcDuration.h"
#include "worker/CalcWorker.h"
#include "worker/InProcessCalcWorker.h"
#include "worker/RequestExecution.h"

namespace {

using namespace std::chrono_literals;

struct Report {
    int id = -1;
    std::string status;
    std::string text;
    int code = -1;
};

class RecordingCallback : public ICalcCompleteCallback {
public:
    HRESULT NotifyResult(int ID, const std::string& status, const std::string& text, int code) override {
        {
            std::lock_guard lock(m_lock);
            m_reports.push_back({ID, status, text, code});
        }
        m_arrived.notify_all();
        return S_OK;
    }
    std::optional<Report> WaitFor(std::size_t count, std::chrono::milliseconds timeout = 20s) {
        std::unique_lock lock(m_lock);
        if (!m_arrived.wait_for(lock, timeout, [&] { return m_reports.size() >= count; }))
            return std::nullopt;
        return m_reports[count - 1];
    }
    std::size_t Count() {
        std::lock_guard lock(m_lock);
        return m_reports.size();
    }
    std::vector<Report> All() {
        std::lock_guard lock(m_lock);
        return m_reports;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_arrived;
    std::vector<Report> m_reports;
};

struct OpCase {
    const char* lhs;
    const char* op;
    const char* rhs;
    int digits;
    const char* status;
    const char* text;
    int code;
};

void PrintTo(const OpCase& c, std::ostream* os) { *os << c.lhs << " " << c.op << " " << c.rhs; }

class WorkerOperations : public ::testing::TestWithParam<OpCase> {};

TEST_P(WorkerOperations, ReportOnce) {
    const auto& c = GetParam();
    CCalcWorker lookup(std::make_shared<CWorkerProcess>());
    auto record = std::make_shared<OpThreadPackage>();
    record->ID = 17;
    record->digits = c.digits;
    record->lhs = c.lhs;
    record->rhs = c.rhs;
    ASSERT_TRUE(lookup.LookupOperator(c.op, &record->opType));
    auto callback = std::make_shared<RecordingCallback>();
    record->callback = callback;
    const int exitCode = PerformOperationThreadProc(record);
    const auto reports = callback->All();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].id, 17);
    EXPECT_EQ(reports[0].status, c.status);
    EXPECT_EQ(reports[0].text, c.text);
    EXPECT_EQ(reports[0].code, c.code);
    EXPECT_EQ(exitCode, std::string(c.status) == "Success" ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    WorkerExec, WorkerOperations,
    ::testing::Values(OpCase{"150", "+", "0", 5, "Success", "1.50000E+2", 0},
                      OpCase{"0.1", "+", "0.2", 5, "Success", "3.00000E-1", 0},
                      OpCase{"1", "/", "0", 35, "DivByZero", "", 50},
                      OpCase{"2", "/", "3", 5, "Success", "6.66667E-1", 0},
                      OpCase{"2", "^", "5555556", 35, "PowArgTooLarge", "", 0},
                      OpCase{"2", "^", "5555555", 35, "Overflow", "", 0},
                      OpCase{"2", "^", "-5555556", 35, "PowArgTooSmall", "", 0},
                      OpCase{"2", "^", "-5555555", 35, "Underflow", "", 0},
                      // The exponent-plus-power test alone would refuse these: the
                      // first three are small enough to compute, the last is too large.
                      OpCase{"0.9999", "^", "1E7", 3, "Success", "4.828E-435", 0},
                      OpCase{"0.99999999999999999999", "^", "1E7", 3, "Success", "1.000E+0", 0},
                      OpCase{"-1", "^", "10000001", 3, "Success", "-1.000E+0", 0},
                      OpCase{"0.5", "^", "-5555556", 35, "PowArgTooLarge", "", 0},
                      OpCase{"-8", "^", "0.5", 35, "InvalidInput", "", 0},
                      OpCase{"0", "^", "-1", 35, "InvalidInput", "", 0},
                      OpCase{"5", "-", "5", 35, "Underflow", "", 0},
                      OpCase{"5", "npr", "2", 3, "Success", "2.000E+1", 0},
                      OpCase{"5", "ncr", "1", 3, "Success", "5.000E+0", 0},
                      OpCase{"2", "ncr", "3", 35, "InvalidInput", "", 40},
                      OpCase{"3", "npr", "4", 35, "InvalidInput", "", 45},
                      OpCase{"7.5", "idiv", "2", 35, "InvalidInput", "", 55},
                      OpCase{"-7", "idiv", "2", 2, "Success", "-3.00E+0", 0},
                      OpCase{"7", "mod", "0", 35, "InvalidInput", "", 60},
                      OpCase{"-7", "mod", "2", 2, "Success", "-1.00E+0", 0},
                      OpCase{"1E20", "ncr", "5E19", 35, "Overflow", "", 0},
                      OpCase{"300000", "npr", "300000", 35, "Overflow", "", 0},
                      OpCase{"1E500", "ncr", "3000", 35, "Overflow", "", 0},
                      OpCase{"1E500", "ncr", "2", 3, "Success", "5.000E+999", 0},
                      OpCase{"abc", "+", "1", 35, "InvalidInput", "", 0},
                      OpCase{"1", "+", "2", 0, "Success", "3E+0", 0}));

struct FuncCase {
    const char* name;
    const char* arg;
    const char* status;
    int code;
    const char* text;  // nullptr: not checked
};

void PrintTo(const FuncCase& c, std::ostream* os) { *os << c.name << " " << c.arg; }

class WorkerFunctions : public ::testing::TestWithParam<FuncCase> {};

TEST_P(WorkerFunctions, ReportOnce) {
    const auto& c = GetParam();
    CCalcWorker lookup(std::make_shared<CWorkerProcess>());
    auto record = std::make_shared<SingleArgFuncThreadPackage>();
    record->ID = 3;
    record->digits = 5;
    record->arg = c.arg;
    ASSERT_TRUE(lookup.LookupFunction(c.name, &record->routine));
    auto callback = std::make_shared<RecordingCallback>();
    record->callback = callback;
    ApplySinglArgFuncThreadProc(record);
    const auto reports = callback->All();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].status, c.status);
    EXPECT_EQ(reports[0].code, c.code);
    if (c.text) {
        EXPECT_EQ(reports[0].text, c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    WorkerExec, WorkerFunctions,
    ::testing::Values(
        FuncCase{"sqrt", "-4", "InvalidInput", 5, ""}, FuncCase{"sqrt", "2", "Success", 0, "1.41421E+0"},
        FuncCase{"ln", "0", "InvalidInput", 10, ""}, FuncCase{"log", "-1", "InvalidInput", 15, ""},
        FuncCase{"log", "1000", "Success", 0, "3.00000E+0"}, FuncCase{"asin", "1.5", "InvalidInput", 20, ""},
        FuncCase{"acos", "-2", "InvalidInput", 25, ""}, FuncCase{"reciprocal", "0", "InvalidInput", 30, ""},
        FuncCase{"reciprocal", "8", "Success", 0, "1.25000E-1"}, FuncCase{"factorial", "0", "Success", 0, "1.00000E+0"},
        FuncCase{"factorial", "2.5", "InvalidInput", 35, ""}, FuncCase{"factorial", "-1", "InvalidInput", 35, ""},
        FuncCase{"factorial", "205022", "Overflow", 0, ""}, FuncCase{"factorial", "1E300", "Overflow", 0, ""},
        FuncCase{"factorial", "20", "Success", 0, "2.43290E+18"}, FuncCase{"acosh", "0.5", "InvalidInput", 0, ""},
        FuncCase{"atanh", "1", "InvalidInput", 0, ""}, FuncCase{"atanh", "-1.5", "InvalidInput", 0, ""},
        FuncCase{"exp", "1E7", "Overflow", 0, ""}, FuncCase{"exp", "-1E7", "Underflow", 0, ""},
        FuncCase{"exp", "1E+999999", "Overflow", 0, ""}, FuncCase{"exp", "-1E+999999", "Underflow", 0, ""},
        FuncCase{"sin", "0", "Underflow", 0, ""}, FuncCase{"int", "-2.7", "Success", 0, "-2.00000E+0"},
        FuncCase{"rnd", "2.5", "Success", 0, "3.00000E+0"}, FuncCase{"cube", "-3", "Success", 0, "-2.70000E+1"},
        FuncCase{"abs", "x", "InvalidInput", 0, ""}));

TEST(WorkerExec, FactorialJustBelowTheLimitIsComputed) {
    EXPECT_LT(Log10FactorialLowerBound(Number(205021)), 999999.0);
    EXPECT_GT(Log10FactorialLowerBound(Number(205022)), 999999.0);
    EXPECT_EQ(CheckedFactorial(Number(205021), 35).exponent(), 999993);
}

TEST(WorkerExec, SizeBoundsAreLowerBounds) {
    // log10 C(1000, 500) = 299.4318..., log10 P(1000, 10) = 29.9803...
    EXPECT_LT(Log10CombinationsLowerBound(Number(1000), Number(500)), 299.4319);
    EXPECT_GT(Log10CombinationsLowerBound(Number(1000), Number(500)), 299.41);
    EXPECT_LT(Log10PermutationsLowerBound(Number(1000), Number(10)), 29.9804);
    EXPECT_GT(Log10PermutationsLowerBound(Number(1000), Number(10)), 29.96);
    const Number huge = Number::from_text("1E40");
    EXPECT_LT(Log10CombinationsLowerBound(huge, Number(3)), 3 * 40 - std::log10(6.0));
    EXPECT_LT(Log10PermutationsLowerBound(huge, Number(3)), 3 * 40.0);
    EXPECT_LT(Log10FactorialLowerBound(huge), 4e41);
}

TEST(WorkerExec, CheckedRoutinesKeepTheirCodes) {
    const auto code = [](auto&& call) {
        try {
            call();
        } catch (const ErgastoException& e) {
            EXPECT_STREQ(e.what(), "Invalid input");
            return e.GetErrorCode();
        }
        return 0;
    };
    EXPECT_EQ(code([] { CheckedMod(Number(7), Number::from_text("2.5"), 35); }), 60);
    EXPECT_EQ(code([] { CheckedIntegerDivide(Number(7), Number(0), 35); }), 55);
    EXPECT_EQ(code([] { CheckedNPr(Number(-1), Number(0), 35); }), 45);
    EXPECT_EQ(code([] { CheckedNCr(Number::from_text("2.5"), Number(1), 35); }), 40);
    EXPECT_EQ(code([] { CheckedAcos(Number(1), 35); }), 0);
    const Number a(1), b(1);
    EXPECT_EQ(&MaxOf(a, b), &b);
    EXPECT_EQ(&MinOf(a, b), &b);
}

// ---------------------------------------------------------------- the worker object

class WorkerObject : public ::testing::Test {
protected:
    void TearDown() override { SetCalcDurationValue(0); }
    std::shared_ptr<ICalcWorker> Create() {
        std::shared_ptr<ICalcWorker> worker;
        EXPECT_EQ(host.CreateWorker("Ergasto.CalcWorker", &worker), S_OK);
        return worker;
    }
    CInProcessWorkerHost host;
};

TEST_F(WorkerObject, RefusedCallsAreNeverReported) {
    auto worker = Create();
    auto cb = std::make_shared<RecordingCallback>();
    EXPECT_EQ(worker->PerformOperation(1, "1", "2", "NCR", 35, cb), E_INVALIDARG);
    EXPECT_EQ(worker->PerformOperation(1, "1", "2", "pow", 35, cb), E_INVALIDARG);
    EXPECT_EQ(worker->PerformOperation(1, "1", "2", "+", 35, nullptr), E_INVALIDARG);
    EXPECT_EQ(worker->ApplySinglArgFunc(1, "negate", "2", 35, cb), E_INVALIDARG);
    EXPECT_EQ(worker->ApplySinglArgFunc(1, "Sqrt", "2", 35, cb), E_INVALIDARG);
    EXPECT_EQ(worker->GetProcessId_CW(nullptr), E_POINTER);
    std::shared_ptr<ICalcWorker> none;
    EXPECT_EQ(host.CreateWorker("Ergasto.Other", &none), E_FAIL);
    EXPECT_EQ(host.CreateWorker("Ergasto.CalcWorker", nullptr), E_POINTER);
    EXPECT_EQ(host.RequestCount(), 0);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(cb->Count(), 0u);
}

TEST_F(WorkerObject, WorkersOfOneProcessShareItsId) {
    auto first = Create();
    auto second = Create();
    int a = 0, b = 0;
    ASSERT_EQ(first->GetProcessId_CW(&a), S_OK);
    ASSERT_EQ(second->GetProcessId_CW(&b), S_OK);
    EXPECT_EQ(a, b);
    EXPECT_FALSE(host.WaitForProcessEnd(a, 0ms));
    EXPECT_EQ(first->EndProcess_CW(), S_OK);
    EXPECT_TRUE(host.WaitForProcessEnd(a, 0ms));
    auto third = Create();
    int c = 0;
    third->GetProcessId_CW(&c);
    EXPECT_NE(c, a);
}

TEST_F(WorkerObject, ReportDelayAppliesToComputedResultsOnly) {
    auto worker = Create();
    ASSERT_EQ(worker->SetCalcDuration(300), S_OK);
    auto cb = std::make_shared<RecordingCallback>();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(worker->PerformOperation(1, "1", "0", "/", 35, cb), S_OK);
    ASSERT_TRUE(cb->WaitFor(1));
    const auto early = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(worker->PerformOperation(2, "1", "2", "+", 35, cb), S_OK);
    const auto report = cb->WaitFor(2);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->status, "Success");
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
    EXPECT_LT(early, 300ms);

    ASSERT_EQ(worker->SetCalcDuration(-5), S_OK);
    EXPECT_EQ(GetCalcDuration(), -5);
}

TEST_F(WorkerObject, EndingTheProcessDropsPendingReports) {
    auto worker = Create();
    worker->SetCalcDuration(300);
    auto cb = std::make_shared<RecordingCallback>();
    ASSERT_EQ(worker->PerformOperation(5, "1", "2", "+", 35, cb), S_OK);
    ASSERT_EQ(worker->ApplySinglArgFunc(6, "sqrt", "2", 35, cb), S_OK);
    ASSERT_EQ(worker->EndProcess_CW(), S_OK);
    EXPECT_FALSE(cb->WaitFor(1, 500ms));
    // A worker of an ended process takes no more requests.
    EXPECT_EQ(worker->PerformOperation(7, "1", "2", "+", 35, cb), E_FAIL);
}

TEST_F(WorkerObject, ConcurrentRequestsKeepTheirOwnDigits) {
    auto cb = std::make_shared<RecordingCallback>();
    std::vector<std::shared_ptr<ICalcWorker>> workers;
    constexpr int kRequests = 40;
    for (int i = 0; i < kRequests; ++i) {
        workers.push_back(Create());
        const int digits = i % 2 ? 10 : 60;
        ASSERT_EQ(workers.back()->PerformOperation(i, "1", "3", "/", digits, cb), S_OK);
    }
    ASSERT_TRUE(cb->WaitFor(kRequests));
    for (const auto& report : cb->All()) {
        const std::size_t digits = report.id % 2 ? 10 : 60;
        EXPECT_EQ(report.text, "3." + std::string(digits, '3') + "E-1") << report.id;
    }
}

// Requests on their own threads fill the process-wide caches (powers of ten
// and five, ln 10 at growing precisions) at the same time from cold; each
// text must equal that of the same request run alone afterwards.
TEST_F(WorkerObject, ConcurrentRequestsShareTheCaches) {
    struct Request {
        const char* name;
        const char* lhs;
        const char* rhs;  // nullptr: a function
        int digits;
    };
    const Request requests[] = {
        {"/", "2", "7", 35},           {"/", "2", "7", 532},          {"ln", "1.5E-6000", nullptr, 100},
        {"log", "123.456", nullptr, 35}, {"log", "123.456", nullptr, 600}, {"log", "7E+4500", nullptr, 300},
        {"factorial", "100000", nullptr, 512}, {"sqrt", "2", nullptr, 600}, {"ncr", "200000", "100000", 35},
        // Exact products, below the switch to log-gamma: their size estimate runs on each thread.
        {"factorial", "500", nullptr, 35},    {"factorial", "70", nullptr, 600},
    };
    constexpr int kRounds = 4;
    auto cb = std::make_shared<RecordingCallback>();
    std::vector<std::shared_ptr<ICalcWorker>> workers;
    int id = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (const Request& r : requests) {
            workers.push_back(Create());
            const HRESULT hr = r.rhs ? workers.back()->PerformOperation(id, r.lhs, r.rhs, r.name, r.digits, cb)
                                     : workers.back()->ApplySinglArgFunc(id, r.name, r.lhs, r.digits, cb);
            ASSERT_EQ(hr, S_OK);
            ++id;
        }
    }
    ASSERT_TRUE(cb->WaitFor(static_cast<std::size_t>(id), 60s));
    CCalcWorker lookup(std::make_shared<CWorkerProcess>());
    for (const auto& report : cb->All()) {
        const Request& r = requests[static_cast<std::size_t>(report.id) % std::size(requests)];
        auto alone = std::make_shared<RecordingCallback>();
        if (r.rhs) {
            auto record = std::make_shared<OpThreadPackage>();
            record->digits = r.digits;
            record->lhs = r.lhs;
            record->rhs = r.rhs;
            ASSERT_TRUE(lookup.LookupOperator(r.name, &record->opType));
            record->callback = alone;
            PerformOperationThreadProc(record);
        } else {
            auto record = std::make_shared<SingleArgFuncThreadPackage>();
            record->digits = r.digits;
            record->arg = r.lhs;
            ASSERT_TRUE(lookup.LookupFunction(r.name, &record->routine));
            record->callback = alone;
            ApplySinglArgFuncThreadProc(record);
        }
        const auto expected = alone->WaitFor(1);
        ASSERT_TRUE(expected);
        EXPECT_EQ(report.status, "Success") << report.id;
        EXPECT_EQ(report.text, expected->text) << r.name << " " << r.lhs << " at " << r.digits;
    }
}

}  // namespace
