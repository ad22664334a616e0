#pragma once
// The calculation worker's interface, as the engine sees it.
//
// A worker evaluates one binary operation or one one-argument function per
// call, each on a thread of its own, and reports the outcome exactly once
// through the caller's ICalcCompleteCallback::NotifyResult (or never, when its
// process ends first). Refused calls are told only by the returned code; no
// report follows them.
//
// Numbers travel as decimal text in the Number type's input syntax
// ("1.5E+2", "-0.25"). Operator words: "+", "-", "*", "/", "idiv", "mod", "^",
// "ncr", "npr". Function words: the one-argument function names except
// "negate". Status words: "DivByZero", "PowArgTooLarge", "PowArgTooSmall",
// "InvalidInput", "Overflow", "Underflow", "UnknownError", "Success".
//
// Implementations: the in-process worker (worker/InProcessCalcWorker.h) and
// the D-Bus proxy of the worker program. Objects are held by std::shared_ptr;
// there is no manual reference counting.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

// Result codes of the worker calls, with the customary values.
using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

inline constexpr bool Succeeded(HRESULT hr) { return hr >= 0; }
inline constexpr bool Failed(HRESULT hr) { return hr < 0; }

// The ProgID under which the worker class is found.
inline constexpr const char* kCalcWorkerProgId = "Ergasto.CalcWorker";

// Implemented by the caller of a worker (the engine). NotifyResult may arrive
// on any thread, also after the request was cancelled; the caller matches ID
// against its current request. Always returns S_OK.
class ICalcCompleteCallback {
public:
    virtual ~ICalcCompleteCallback() = default;
    virtual HRESULT NotifyResult(int ID, const std::string& status, const std::string& resultString,
                                 int nErrorCode) = 0;
};

class ICalcWorker {
public:
    virtual ~ICalcWorker() = default;

    // lhs opType rhs, computed with `digits` decimals of the scientific result.
    // E_INVALIDARG: null callback or unknown operator word (exact case);
    // E_OUTOFMEMORY: no request record; E_FAIL: the request thread could not start.
    virtual HRESULT PerformOperation(int ID, const std::string& lhs, const std::string& rhs,
                                     const std::string& opType, int digits,
                                     std::shared_ptr<ICalcCompleteCallback> pCallback) = 0;

    // funcName(arg). E_INVALIDARG: null callback or unknown name ("negate" included).
    virtual HRESULT ApplySinglArgFunc(int ID, const std::string& funcName, const std::string& arg,
                                      int digits, std::shared_ptr<ICalcCompleteCallback> pCallback) = 0;

    // The id of the process the worker runs in. E_POINTER when pProcID is null.
    virtual HRESULT GetProcessId_CW(int* pProcID) = 0;

    // Asks the worker's process to end; pending requests are not reported.
    // Returns at once (E_FAIL when the ending could not be started).
    virtual HRESULT EndProcess_CW() = 0;

    // Delay in milliseconds before each computed report, for every request of
    // the worker's process; 0 or less means none. No range check.
    virtual HRESULT SetCalcDuration(int calcDuration) = 0;
};

// Gives a fresh worker object per worker call, keyed by ProgID
// (kCalcWorkerProgId).
class ICalcWorkerFactory {
public:
    virtual ~ICalcWorkerFactory() = default;
    // Whether a worker class is registered under progId (checked once, when
    // the engine is created).
    virtual bool IsRegistered(const std::string& progId) = 0;
    // Creates a worker object; on failure returns a failure code and leaves
    // *worker empty. E_POINTER when worker is null.
    virtual HRESULT CreateWorker(const std::string& progId, std::shared_ptr<ICalcWorker>* worker) = 0;
    // How a caller waits for a report: blocks until the descriptor wakeFd is
    // readable (true) or the time-out has passed (false). Reports of this
    // factory's workers that arrive meanwhile reach their callbacks, on this
    // thread or another: a transport may deliver them only while some thread
    // waits here, so a caller waits for its reports here and nowhere else.
    virtual bool AwaitReport(int wakeFd, std::chrono::milliseconds timeout) = 0;
};

// Waits for a worker process to end.
class IProcessWaiter {
public:
    virtual ~IProcessWaiter() = default;
    // True when the process with this id has ended (or no longer exists)
    // within the time-out; false on time-out. A time-out of 0 only tests.
    virtual bool WaitForProcessEnd(int processId, std::chrono::milliseconds timeout) = 0;
};
