#pragma once
// Exports the engine's ICalcCompleteCallback objects on the engine's bus
// connection, at "/CalcCompleteCallback/<token>", so that the worker can call
// NotifyResult back. Each token is 128 random bits, and each export takes
// calls only from the one bus connection it was made for (the worker's unique
// name): any other caller is refused and the callback never sees its call.
// The host answers on a thread of its own, so a callback
// never waits for the user-interface thread's event loop; ICalcCompleteCallback
// implementations must therefore accept calls from any thread.
// Needs a QCoreApplication in the process; without one the host stays
// unregistered.

#include "port/ICalcWorker.h"

#include <QDBusConnection>
#include <QString>

#include <memory>

class QObject;
class QThread;

namespace ipc {

class CCallbackHostObject;

class CCallbackHost {
public:
    // The host of a connection: one per connection, shared by every factory
    // that uses it (a second one could not register its path).
    static std::shared_ptr<CCallbackHost> ForConnection(const QDBusConnection& connection);

    explicit CCallbackHost(QDBusConnection connection);
    ~CCallbackHost();
    CCallbackHost(const CCallbackHost&) = delete;
    CCallbackHost& operator=(const CCallbackHost&) = delete;

    bool isRegistered() const;
    // The object path under which `callback` is reached, by calls from the
    // connection `caller` only, until remove().
    QString add(std::shared_ptr<ICalcCompleteCallback> callback, const QString& caller);
    void remove(const QString& path);

private:
    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<QObject> m_anchor;   // lives on m_thread: the context of the calls made there
    std::unique_ptr<CCallbackHostObject> m_object;   // lives on m_thread
};

}  // namespace ipc
