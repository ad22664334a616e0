#pragma once
// The worker program's objects on the bus, served by one handler for the
// whole tree:
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
//
// Everything here runs on the connection's loop thread.

#include "port/ICalcWorker.h"
#include "worker/server/BusCompleteCallback.h"
#include "worker/server/ServerBus.h"
#include "worker/server/WorkerObjectTable.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct sd_bus_message;

namespace ergasto {

// Told of what the objects' owners do.
class IWorkerObjectsOwner {
public:
    virtual ~IWorkerObjectsOwner() = default;
    virtual void ObjectCountChanged(std::size_t count) = 0;
    // A connection that had objects has left the bus.
    virtual void ConnectionLeft(const std::string& connection) = 0;
};

class CWorkerBusObject {
public:
    // Makes the object for a client (its requests count against that client's share).
    using WorkerMaker = std::function<std::shared_ptr<ICalcWorker>(const ClientId&)>;

    struct Options {
        // Per connection, per process (an eighth of the total), in all.
        CClientShares::Limits objects{64, 128, 1024};
        std::chrono::milliseconds reportDeadline = CBusCompleteCallback::kReportDeadline;
    };

    CWorkerBusObject(CServerBus& connection, WorkerMaker makeWorker, Options options, IWorkerObjectsOwner& owner);
    ~CWorkerBusObject();
    CWorkerBusObject(const CWorkerBusObject&) = delete;
    CWorkerBusObject& operator=(const CWorkerBusObject&) = delete;

    // Serves the tree on the connection.
    bool registerTree();

    std::size_t objectCount() const { return m_objects.size(); }

private:
    // A connection that has (or had) objects: its process, and the match
    // that tells when it leaves the bus.
    struct Owner {
        std::uint32_t processId = 0;
        std::unique_ptr<CServerBus::CMatch> leaving;
    };

    void handleMessage(sd_bus_message* message);
    void handleFactoryCall(sd_bus_message* message);
    // Asks the bus for the process of `owner`, then serves its waiting creations.
    void lookUpProcess(const std::string& owner);
    void createFor(sd_bus_message* message, const ClientId& client);
    void handleObjectCall(std::uint64_t id, sd_bus_message* message);
    void replyIntrospection(sd_bus_message* message);
    // The request's callback at the caller's connection; null for "/" (none).
    std::shared_ptr<ICalcCompleteCallback> callbackFor(sd_bus_message* message, const char* path);
    void watchOwner(const std::string& owner, std::uint32_t processId);
    void onOwnerGone(const std::string& owner);

    CServerBus& m_connection;
    WorkerMaker m_makeWorker;
    Options m_options;
    IWorkerObjectsOwner& m_owner;
    CWorkerObjectTable<ICalcWorker> m_objects;
    std::map<std::string, Owner> m_owners;   // each watched connection
    std::map<std::string, std::vector<sd_bus_message*>> m_creationsWaitingForProcess;   // referenced
};

}  // namespace ergasto
