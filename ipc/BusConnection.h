#pragma once
// The engine's connection to the session bus: an sd-bus connection that is
// read and written by the threads that use it, with no thread of its own. A
// worker call is written, and its answer read, by the calling thread; a report
// (NotifyResult) is read and handed to its callback by the thread that waits
// for it (ServeUntilReadable), so a calculation step blocks on one socket.
//
// The connection is used under one lock. Whatever a call reads besides its
// answer (a report that overtook it) is handed out before the lock is let go,
// so a thread that waits on the socket with the lock free misses nothing.
//
// It also exports the engine's callbacks (ICalcCompleteCallback objects) at
// "/CalcCompleteCallback/<token>", each token 128 random bits; an export
// takes calls only from the one bus connection it was made for (the worker's
// unique name): any other caller is told no more than at a path that does not
// exist, and the callback never sees its call. Callbacks are called on the
// thread that reads their call, with the connection's lock held: a callback
// must not wait for another thread that uses the connection.

#include "port/ICalcWorker.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct sd_bus;
struct sd_bus_message;
struct sd_bus_slot;

namespace ipc {

class CBusConnection {
public:
    // Connects to the bus at `address` (a D-Bus address), or to the session
    // bus when it is empty. isConnected() tells whether that worked.
    explicit CBusConnection(const std::string& address = {});
    ~CBusConnection();
    CBusConnection(const CBusConnection&) = delete;
    CBusConnection& operator=(const CBusConnection&) = delete;

    bool isConnected() const;
    // The connection's unique name on the bus (empty when not connected).
    const std::string& uniqueName() const { return m_uniqueName; }

    // A method call's outcome: the answer, or the error's name.
    struct Reply {
        bool ok = false;
        std::string errorName;
        std::string sender;   // the unique name that answered
        std::string objectPath;   // the answer's one object path argument, when asked for
        std::int32_t integer = 0;   // the answer's one int argument, when asked for
        std::vector<std::string> strings;   // the answer's one string array argument, when asked for
    };
    // The answer's shape that is read into Reply.
    enum class Expect { Nothing, ObjectPath, Integer, Strings };

    // Appends a call's arguments; returns a negative errno on failure.
    using Arguments = std::function<int(sd_bus_message*)>;
    struct CallOptions {
        std::chrono::milliseconds timeout;
        bool autoStart = false;   // the bus may start the destination's program
        Expect expect = Expect::Nothing;
    };
    // Calls destination/path interface.member with the arguments `append`
    // adds and waits at most options.timeout for the answer.
    Reply call(const std::string& destination, const std::string& path, const char* interfaceName,
               const char* member, const CallOptions& options, const Arguments& append = {});
    // Sends a call without arguments and without waiting for its answer.
    void send(const std::string& destination, const std::string& path, const char* interfaceName,
              const char* member);

    // Blocks until wakeFd is readable (true) or the time-out has passed
    // (false), handing incoming calls to their callbacks meanwhile.
    bool ServeUntilReadable(int wakeFd, std::chrono::milliseconds timeout);

    // The object path under which `callback` is reached, by calls from the
    // connection `caller` only, until removeCallback ("/" when not connected).
    std::string exportCallback(std::shared_ptr<ICalcCompleteCallback> callback, const std::string& caller);
    void removeCallback(const std::string& path);

private:
    struct Export {
        std::shared_ptr<ICalcCompleteCallback> callback;
        std::string caller;
    };

    // Hands out everything already read or readable (lock held).
    void dispatchPending();
    friend struct CallbackDispatch;
    int handleCallbackCall(sd_bus_message* message);

    mutable std::recursive_mutex m_lock;
    sd_bus* m_bus = nullptr;
    sd_bus_slot* m_callbackSlot = nullptr;
    std::string m_uniqueName;
    std::map<std::string, Export> m_exports;   // by token
};

}  // namespace ipc
