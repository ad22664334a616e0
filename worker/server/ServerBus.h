#pragma once
// The worker program's one connection to the session bus (sd-bus), and the
// loop that serves it.
//
// The loop runs on one thread at a time (Serve): that thread alone reads the
// connection, hands each incoming call to the object tree's handler and each
// answer to the call that awaits it, and runs the timers. A handler may keep
// its thread for the request it has read and move the loop on to another
// thread (RunHereOnceDispatched). Any thread may write: a request thread sends
// its report (CallAsync) itself, under the connection's lock, so that the
// report leaves the process without waking the loop. The loop holds that lock
// while it dispatches and lets it go while it waits on the socket; a write
// that leaves something queued wakes it.
//
// Handlers, answer callbacks and timers run on the loop's thread with the
// lock held; they must not wait for another thread that writes to the
// connection.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>

struct sd_bus;
struct sd_bus_message;
struct sd_bus_slot;

namespace ergasto {

class CServerBus;

// A single-shot timer of the loop, started and stopped by the loop's thread
// (or before the loop runs).
class CLoopTimer {
public:
    CLoopTimer(CServerBus& bus, std::function<void()> fire);
    ~CLoopTimer();
    CLoopTimer(const CLoopTimer&) = delete;
    CLoopTimer& operator=(const CLoopTimer&) = delete;

    // (Re)starts the timer: it fires once, `interval` from now, never earlier.
    void start(std::chrono::milliseconds interval);
    void stop();
    bool isActive() const { return m_active; }

private:
    friend class CServerBus;
    CServerBus& m_bus;
    std::function<void()> m_fire;
    std::chrono::steady_clock::time_point m_due;
    bool m_active = false;
};

class CServerBus {
public:
    // Appends a call's arguments; returns a negative errno on failure.
    using Arguments = std::function<int(sd_bus_message*)>;
    // Gets a method call, or the answer (a reply or an error) of an awaited call.
    using Handler = std::function<void(sd_bus_message*)>;

    // A signal match: while it lives, the signals it matches go to its
    // handler; ending it (from any thread) stops that.
    class CMatch {
    public:
        ~CMatch();
        CMatch(const CMatch&) = delete;
        CMatch& operator=(const CMatch&) = delete;

    private:
        friend class CServerBus;
        friend struct ServerBusDispatch;
        CMatch(CServerBus& bus, Handler handler) : m_bus(bus), m_handler(std::move(handler)) {}
        CServerBus& m_bus;
        Handler m_handler;
        sd_bus_slot* m_slot = nullptr;
    };

    // Connects to the bus at `address` (a D-Bus address), or to the session
    // bus when it is empty. isConnected() tells whether that worked.
    explicit CServerBus(const std::string& address = {});
    ~CServerBus();
    CServerBus(const CServerBus&) = delete;
    CServerBus& operator=(const CServerBus&) = delete;

    bool isConnected() const;
    const std::string& uniqueName() const { return m_uniqueName; }

    // Hands every method call at any path to `handler` (loop thread, lock
    // held), which answers it. Calls of the standard Peer interface are
    // answered by the library.
    bool ServeObjects(Handler handler);
    // Runs when the connection is found closed (loop thread).
    void OnDisconnected(std::function<void()> disconnected) { m_disconnected = std::move(disconnected); }

    // Takes the well-known name, not queued and not to be taken over; false
    // when it is taken or cannot be had. Blocks; before Run.
    bool RequestName(const std::string& name);

    // Runs the loop on the calling thread until it ends (Quit) or moves to
    // another thread (RunHereOnceDispatched).
    void Serve();
    // Waits until the loop has ended, wherever it ran last; Quit's code.
    int WaitForEnd();
    // Serve, then WaitForEnd.
    int Run();
    // Ends the loop with `code` (any thread; the first code given holds).
    void Quit(int code);

    // Starts a function on another thread; false when none could be had.
    using ThreadStarter = std::function<bool(std::function<void()>)>;
    // Whether the calling thread is the loop's and is dispatching (in a handler).
    bool IsDispatchingHere() const;
    // For a handler: once the dispatch is over, the calling thread leaves the
    // loop to run `work`, and the loop goes on, on a thread that startThread
    // gives it; so the thread that read a request computes it, and no other
    // thread has to be woken before the computation can start. False
    // (nothing will run) when startThread could not start a thread, or when
    // the caller is not dispatching.
    bool RunHereOnceDispatched(std::function<void()> work, const ThreadStarter& startThread);

    // Calls destination/path interface.member without waiting; `answered`
    // gets the answer (loop thread, lock held), or an error when none came
    // within `timeout` (the library's default when zero). Returns whether the
    // call was sent; nothing is answered when it was not. Any thread.
    bool CallAsync(const std::string& destination, const std::string& path, const char* interfaceName,
                   const char* member, const Arguments& append, Handler answered,
                   std::chrono::microseconds timeout = std::chrono::microseconds::zero());
    // Matches signals by a match rule; the match lasts while the returned
    // handle does (loop thread).
    std::unique_ptr<CMatch> AddMatch(const std::string& rule, Handler matched);

private:
    friend class CLoopTimer;
    friend struct ServerBusDispatch;

    // Fires the timers that are due; the time the next one is due (loop thread).
    std::chrono::steady_clock::time_point FireDueTimers();
    void Wake();
    // Wakes the loop when a write has left something queued (lock held).
    void WroteSomething();

    mutable std::recursive_mutex m_lock;
    sd_bus* m_bus = nullptr;
    sd_bus_slot* m_objectSlot = nullptr;
    std::string m_uniqueName;
    Handler m_objects;
    std::function<void()> m_disconnected;
    int m_wakeFd = -1;
    // Guarded by m_lock:
    bool m_polling = false;                 // the loop waits on the socket
    bool m_dispatching = false;             // the loop hands out what it has read
    std::thread::id m_loopThread;           // the thread that runs the loop now
    std::function<void()> m_workHere;       // for the loop's thread, once the dispatch is over
    bool m_quit = false;
    int m_exitCode = 0;
    bool m_ended = false;                   // the loop has ended
    std::condition_variable_any m_loopEnded;
    std::set<CLoopTimer*> m_timers;         // the active ones
};

}  // namespace ergasto
