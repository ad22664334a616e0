#include "worker/server/WorkerBusObject.h"

#include "ipc/BusNames.h"
#include "ipc/HResultErrors.h"
#include "ipc/InterfaceXml.h"

#include <systemd/sd-bus.h>

#include <cstdlib>
#include <new>
#include <optional>
#include <string_view>

namespace ergasto {

namespace {

constexpr std::string_view kObjectPrefix = ipc::kObjectPathPrefix;
constexpr char kBusName[] = "org.freedesktop.DBus";
constexpr char kBusPath[] = "/org/freedesktop/DBus";

std::string text(const char* s) { return s ? s : ""; }

std::string objectPath(std::uint64_t id)
{
    return std::string(kObjectPrefix) + std::to_string(id);
}

// The object number of "/CCalcWorker/<n>", or nothing.
std::optional<std::uint64_t> objectIdOf(std::string_view path)
{
    if (path.substr(0, kObjectPrefix.size()) != kObjectPrefix)
        return std::nullopt;
    const std::string digits(path.substr(kObjectPrefix.size()));
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const auto id = std::strtoull(digits.c_str(), &end, 10);
    if (errno != 0 || id == 0)
        return std::nullopt;
    return id;
}

bool interfaceIs(sd_bus_message* message, const char* name)
{
    const char* interfaceName = sd_bus_message_get_interface(message);
    return !interfaceName || !*interfaceName || std::string_view(interfaceName) == name;
}

std::string signatureOf(sd_bus_message* message)
{
    return text(sd_bus_message_get_signature(message, 1));
}

void replyError(sd_bus_message* message, const char* name, const std::string& description)
{
    sd_bus_reply_method_errorf(message, name, "%s", description.c_str());
}

void replyUnknownMethod(sd_bus_message* message)
{
    replyError(message, SD_BUS_ERROR_UNKNOWN_METHOD,
               "No method " + text(sd_bus_message_get_interface(message)) + "." +
                   text(sd_bus_message_get_member(message)) + " with signature \"" + signatureOf(message) +
                   "\" at " + text(sd_bus_message_get_path(message)));
}

void replyUnknownObject(sd_bus_message* message)
{
    replyError(message, SD_BUS_ERROR_UNKNOWN_OBJECT, "No object at " + text(sd_bus_message_get_path(message)));
}

void replyHResult(sd_bus_message* message, HRESULT hr)
{
    if (Succeeded(hr))
        sd_bus_reply_method_return(message, "");
    else
        replyError(message, ipc::ErrorNameForHResult(hr).toStdString().c_str(),
                   ipc::ErrorMessageForHResult(hr).toStdString());
}

}  // namespace

CWorkerBusObject::CWorkerBusObject(CServerBus& connection, WorkerMaker makeWorker, Options options,
                                   IWorkerObjectsOwner& owner)
    : m_connection(connection),
      m_makeWorker(std::move(makeWorker)),
      m_options(options),
      m_owner(owner),
      m_objects(options.objects)
{
}

CWorkerBusObject::~CWorkerBusObject()
{
    for (auto& [owner, waiting] : m_creationsWaitingForProcess)
        for (sd_bus_message* message : waiting)
            sd_bus_message_unref(message);
}

bool CWorkerBusObject::registerTree()
{
    return m_connection.ServeObjects([this](sd_bus_message* message) { handleMessage(message); });
}

std::shared_ptr<ICalcCompleteCallback> CWorkerBusObject::callbackFor(sd_bus_message* message, const char* path)
{
    const std::string callbackPath = text(path);
    if (callbackPath.empty() || callbackPath == ipc::kNoCallbackPath)
        return nullptr;
    return std::make_shared<CBusCompleteCallback>(m_connection, text(sd_bus_message_get_sender(message)),
                                                  callbackPath, m_options.reportDeadline);
}

void CWorkerBusObject::handleMessage(sd_bus_message* message)
{
    if (sd_bus_message_is_method_call(message, ipc::kIntrospectableInterface, "Introspect") > 0) {
        replyIntrospection(message);
        return;
    }
    const std::string path = text(sd_bus_message_get_path(message));
    if (path == ipc::kClassFactoryPath) {
        handleFactoryCall(message);
        return;
    }
    if (auto id = objectIdOf(path)) {
        handleObjectCall(*id, message);
        return;
    }
    replyUnknownObject(message);
}

void CWorkerBusObject::replyIntrospection(sd_bus_message* message)
{
    const std::string path = text(sd_bus_message_get_path(message));
    std::vector<std::string_view> interfaces;
    std::vector<std::string> children;
    if (path == ipc::kClassFactoryPath) {
        interfaces = {ipc::kClassFactoryInterface};
        if (m_objects.size() > 0)
            children.push_back("CCalcWorker");
    } else if (path + '/' == kObjectPrefix) {
        for (auto id : m_objects.ids())
            children.push_back(std::to_string(id));
    } else if (auto id = objectIdOf(path); id && m_objects.contains(*id)) {
        interfaces = {ipc::kCalcWorkerInterface, ipc::kUnknownInterface};
    } else {
        replyUnknownObject(message);
        return;
    }
    sd_bus_reply_method_return(message, "s", ipc::IntrospectionDocument(interfaces, children).c_str());
}

void CWorkerBusObject::handleFactoryCall(sd_bus_message* message)
{
    if (text(sd_bus_message_get_member(message)) != "CreateInstance" || !signatureOf(message).empty() ||
        !interfaceIs(message, ipc::kClassFactoryInterface)) {
        replyUnknownMethod(message);
        return;
    }
    const std::string owner = text(sd_bus_message_get_sender(message));
    if (const auto known = m_owners.find(owner); known != m_owners.end()) {
        createFor(message, ClientId{owner, known->second.processId});
        return;
    }
    // A connection without objects: its process is asked for first. No more
    // of its creations can succeed than its share of a connection.
    auto& waiting = m_creationsWaitingForProcess[owner];
    if (waiting.size() >= m_objects.limits().perConnection) {
        replyHResult(message, E_OUTOFMEMORY);
        return;
    }
    waiting.push_back(sd_bus_message_ref(message));
    if (waiting.size() == 1)
        lookUpProcess(owner);
}

void CWorkerBusObject::lookUpProcess(const std::string& owner)
{
    const bool sent = m_connection.CallAsync(
        kBusName, kBusPath, kBusName, "GetConnectionUnixProcessID",
        [&](sd_bus_message* m) { return sd_bus_message_append(m, "s", owner.c_str()); },
        [this, owner](sd_bus_message* reply) {
            // Connections whose process the bus cannot tell share one process's share.
            std::uint32_t processId = 0;
            if (sd_bus_message_is_method_error(reply, nullptr) > 0 || sd_bus_message_read(reply, "u", &processId) <= 0)
                processId = 0;
            auto waiting = m_creationsWaitingForProcess.extract(owner);
            if (waiting.empty())
                return;
            for (sd_bus_message* message : waiting.mapped()) {
                createFor(message, ClientId{owner, processId});
                sd_bus_message_unref(message);
            }
        });
    if (!sent) {
        for (sd_bus_message* message : m_creationsWaitingForProcess.extract(owner).mapped()) {
            replyHResult(message, E_FAIL);
            sd_bus_message_unref(message);
        }
    }
}

void CWorkerBusObject::createFor(sd_bus_message* message, const ClientId& client)
{
    if (!m_objects.hasRoomFor(client)) {
        replyHResult(message, E_OUTOFMEMORY);
        return;
    }
    std::shared_ptr<ICalcWorker> worker;
    try {
        worker = m_makeWorker(client);
    } catch (const std::bad_alloc&) {
        replyHResult(message, E_OUTOFMEMORY);
        return;
    } catch (const std::exception&) {
        replyHResult(message, E_FAIL);
        return;
    }
    if (!worker) {
        replyHResult(message, E_FAIL);
        return;
    }
    const auto id = m_objects.add(client, std::move(worker));
    if (m_owners.count(client.connection) == 0)
        watchOwner(client.connection, client.processId);
    m_owner.ObjectCountChanged(m_objects.size());
    sd_bus_reply_method_return(message, "o", objectPath(*id).c_str());
}

void CWorkerBusObject::handleObjectCall(std::uint64_t id, sd_bus_message* message)
{
    auto* entry = m_objects.find(id);
    if (!entry) {
        replyUnknownObject(message);
        return;
    }
    if (entry->client.connection != text(sd_bus_message_get_sender(message))) {
        replyError(message, SD_BUS_ERROR_ACCESS_DENIED, "The object belongs to another connection");
        return;
    }
    const std::string member = text(sd_bus_message_get_member(message));
    const std::string signature = signatureOf(message);
    ICalcWorker& worker = *entry->object;

    if (interfaceIs(message, ipc::kUnknownInterface) && member == "Release" && signature.empty()) {
        // Reply first: the object's end may end the process's last reason to live.
        sd_bus_reply_method_return(message, "");
        m_objects.release(id);
        m_owner.ObjectCountChanged(m_objects.size());
        return;
    }
    if (!interfaceIs(message, ipc::kCalcWorkerInterface)) {
        replyUnknownMethod(message);
        return;
    }
    std::int32_t requestId = 0, digits = 0;
    const char *first = nullptr, *second = nullptr, *word = nullptr, *callback = nullptr;
    if (member == "PerformOperation" && signature == "isssio" &&
        sd_bus_message_read(message, "isssio", &requestId, &first, &second, &word, &digits, &callback) > 0) {
        replyHResult(message, worker.PerformOperation(requestId, text(first), text(second), text(word), digits,
                                                      callbackFor(message, callback)));
    } else if (member == "ApplySinglArgFunc" && signature == "issio" &&
               sd_bus_message_read(message, "issio", &requestId, &word, &first, &digits, &callback) > 0) {
        replyHResult(message,
                     worker.ApplySinglArgFunc(requestId, text(word), text(first), digits, callbackFor(message, callback)));
    } else if (member == "GetProcessId_CW" && signature.empty()) {
        int pid = 0;
        const HRESULT hr = worker.GetProcessId_CW(&pid);
        if (Failed(hr))
            replyHResult(message, hr);
        else
            sd_bus_reply_method_return(message, "i", static_cast<std::int32_t>(pid));
    } else if (member == "EndProcess_CW" && signature.empty()) {
        replyHResult(message, worker.EndProcess_CW());
    } else if (member == "SetCalcDuration" && signature == "i" && sd_bus_message_read(message, "i", &digits) > 0) {
        replyHResult(message, worker.SetCalcDuration(digits));
    } else {
        replyUnknownMethod(message);
    }
}

void CWorkerBusObject::watchOwner(const std::string& owner, std::uint32_t processId)
{
    Owner& watched = m_owners[owner];
    watched.processId = processId;
    watched.leaving = m_connection.AddMatch(
        "type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',interface='org.freedesktop.DBus',"
        "member='NameOwnerChanged',arg0='" + owner + "'",
        [this, owner](sd_bus_message* signal) {
            const char *name = nullptr, *oldOwner = nullptr, *newOwner = nullptr;
            if (sd_bus_message_read(signal, "sss", &name, &oldOwner, &newOwner) > 0 && text(newOwner).empty())
                onOwnerGone(owner);
        });
    // The owner may have left before the watch was in place (a caller that
    // dies right after its call): ask once whether it is still there. The bus
    // answers after it has put the match in place.
    m_connection.CallAsync(
        kBusName, kBusPath, kBusName, "NameHasOwner",
        [&](sd_bus_message* m) { return sd_bus_message_append(m, "s", owner.c_str()); },
        [this, owner](sd_bus_message* reply) {
            int hasOwner = 1;
            if (sd_bus_message_is_method_error(reply, nullptr) <= 0 && sd_bus_message_read(reply, "b", &hasOwner) > 0 &&
                !hasOwner)
                onOwnerGone(owner);
        });
}

void CWorkerBusObject::onOwnerGone(const std::string& owner)
{
    if (m_owners.erase(owner) == 0)
        return;   // told twice (the watch and the first check)
    if (m_objects.releaseOwner(owner) > 0)
        m_owner.ObjectCountChanged(m_objects.size());
    m_owner.ConnectionLeft(owner);
}

}  // namespace ergasto
