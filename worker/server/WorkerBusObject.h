#pragma once
// The worker program's objects on the bus, served by one virtual object for
// the whole tree:
//   "/"                   Ergasto.IClassFactory: CreateInstance -> a new object
//   "/CCalcWorker/<n>"    Ergasto.ICalcWorker and Ergasto.IUnknown
// Each object belongs to the connection that created it: only that connection
// may call it, and it is released when that connection leaves the bus. The
// objects are shared among the clients by connection and by the process behind
// it (the bus daemon tells which, once per connection): CreateInstance beyond a
// client's share or the total is refused with E_OUTOFMEMORY. Reports go to the
// caller's callback with a deadline (CBusCompleteCallback). The bus methods
// only unpack arguments and pack results; the work is done by the ICalcWorker
// each object holds.

#include "port/ICalcWorker.h"
#include "worker/server/BusCompleteCallback.h"
#include "worker/server/WorkerObjectTable.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace ergasto {

class CWorkerBusObject : public QDBusVirtualObject {
    Q_OBJECT
public:
    // Makes the object for a client (its requests count against that client's share).
    using WorkerMaker = std::function<std::shared_ptr<ICalcWorker>(const ClientId&)>;

    struct Options {
        // Per connection, per process (an eighth of the total), in all.
        CClientShares::Limits objects{64, 128, 1024};
        std::chrono::milliseconds reportDeadline = CBusCompleteCallback::kReportDeadline;
    };

    CWorkerBusObject(QDBusConnection connection, WorkerMaker makeWorker, Options options, QObject* parent = nullptr);
    ~CWorkerBusObject() override;

    // Registers the tree at "/" on the connection.
    bool registerTree();
    void unregisterTree();

    std::size_t objectCount() const { return m_objects.size(); }

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

signals:
    void objectCountChanged(std::size_t count);
    // A connection that had objects has left the bus.
    void connectionLeft(const QString& connection);

private slots:
    void onOwnerGone(const QString& owner);

private:
    void handleFactoryCall(const QDBusMessage& message);
    // Asks the bus for the process of `owner`, then serves its waiting creations.
    void lookUpProcess(const QString& owner);
    void createFor(const QDBusMessage& message, const ClientId& client);
    void handleObjectCall(std::uint64_t id, const QDBusMessage& message);
    void replyHResult(const QDBusMessage& message, HRESULT hr);
    // The request's callback at the caller's connection; null for "/" (none).
    std::shared_ptr<ICalcCompleteCallback> callbackFor(const QDBusMessage& message, const QVariant& pathArgument) const;
    void replyIntrospection(const QDBusMessage& message);
    void watchOwner(const QString& owner);

    QDBusConnection m_connection;
    WorkerMaker m_makeWorker;
    Options m_options;
    CWorkerObjectTable<ICalcWorker> m_objects;
    QDBusServiceWatcher m_ownerWatcher;
    std::map<QString, std::uint32_t> m_processOf;   // of each watched connection
    std::map<QString, std::vector<QDBusMessage>> m_creationsWaitingForProcess;
    bool m_registered = false;
};

}  // namespace ergasto
