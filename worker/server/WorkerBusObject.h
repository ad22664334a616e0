#pragma once
// The worker program's objects on the bus, served by one virtual object for
// the whole tree:
//   "/"                   Ergasto.IClassFactory: CreateInstance -> a new object
//   "/CCalcWorker/<n>"    Ergasto.ICalcWorker and Ergasto.IUnknown
// Each object belongs to the connection that created it: only that connection
// may call it, and it is released when that connection leaves the bus. A
// connection holds at most kMaxObjectsPerConnection objects and the server at
// most kMaxObjects; CreateInstance beyond either is refused with E_OUTOFMEMORY. The
// bus methods only unpack arguments and pack results; the work is done by the
// ICalcWorker each object holds.

#include "port/ICalcWorker.h"
#include "worker/server/WorkerObjectTable.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>

#include <functional>
#include <memory>

namespace ergasto {

class CWorkerBusObject : public QDBusVirtualObject {
    Q_OBJECT
public:
    using WorkerMaker = std::function<std::shared_ptr<ICalcWorker>()>;
    static constexpr std::size_t kMaxObjectsPerConnection = 64;
    static constexpr std::size_t kMaxObjects = 1024;

    CWorkerBusObject(QDBusConnection connection, WorkerMaker makeWorker, QObject* parent = nullptr);
    ~CWorkerBusObject() override;

    // Registers the tree at "/" on the connection.
    bool registerTree();
    void unregisterTree();

    std::size_t objectCount() const { return m_objects.size(); }

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

signals:
    void objectCountChanged(std::size_t count);

private slots:
    void onOwnerGone(const QString& owner);

private:
    void handleFactoryCall(const QDBusMessage& message);
    void handleObjectCall(std::uint64_t id, const QDBusMessage& message);
    void replyHResult(const QDBusMessage& message, HRESULT hr);
    void replyIntrospection(const QDBusMessage& message);
    void watchOwner(const QString& owner);

    QDBusConnection m_connection;
    WorkerMaker m_makeWorker;
    CWorkerObjectTable<ICalcWorker> m_objects;
    QDBusServiceWatcher m_ownerWatcher;
    bool m_registered = false;
};

}  // namespace ergasto
