#include "worker/server/WorkerBusObject.h"

#include "ipc/BusNames.h"
#include "ipc/HResultErrors.h"
#include "ipc/InterfaceXml.h"
#include "worker/server/BusCompleteCallback.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <optional>

namespace ergasto {

namespace {

const QString kObjectPrefix = QLatin1String(ipc::kObjectPathPrefix);

QString objectPath(std::uint64_t id)
{
    return kObjectPrefix + QString::number(id);
}

// The object number of "/CCalcWorker/<n>", or nothing.
std::optional<std::uint64_t> objectIdOf(const QString& path)
{
    if (!path.startsWith(kObjectPrefix))
        return std::nullopt;
    bool ok = false;
    const auto id = path.mid(kObjectPrefix.size()).toULongLong(&ok);
    if (!ok || id == 0)
        return std::nullopt;
    return id;
}

bool interfaceIs(const QDBusMessage& message, const char* name)
{
    return message.interface().isEmpty() || message.interface() == QLatin1String(name);
}

bool isIntrospect(const QDBusMessage& message)
{
    return message.interface() == QLatin1String(ipc::kIntrospectableInterface) &&
           message.member() == QLatin1String("Introspect");
}

QDBusMessage unknownMethod(const QDBusMessage& message)
{
    return message.createErrorReply(QDBusError::UnknownMethod,
                                    QStringLiteral("No method %1.%2 with signature \"%3\" at %4")
                                        .arg(message.interface(), message.member(), message.signature(),
                                             message.path()));
}

}  // namespace

std::shared_ptr<ICalcCompleteCallback> CWorkerBusObject::callbackFor(const QDBusMessage& message,
                                                                     const QVariant& pathArgument) const
{
    const QString path = pathArgument.value<QDBusObjectPath>().path();
    if (path.isEmpty() || path == QLatin1String(ipc::kNoCallbackPath))
        return nullptr;
    return std::make_shared<CBusCompleteCallback>(m_connection, message.service(), path, m_options.reportDeadline);
}

CWorkerBusObject::CWorkerBusObject(QDBusConnection connection, WorkerMaker makeWorker, Options options,
                                   QObject* parent)
    : QDBusVirtualObject(parent),
      m_connection(std::move(connection)),
      m_makeWorker(std::move(makeWorker)),
      m_options(options),
      m_objects(options.objects),
      m_ownerWatcher(QString(), m_connection, QDBusServiceWatcher::WatchForUnregistration)
{
    connect(&m_ownerWatcher, &QDBusServiceWatcher::serviceUnregistered, this, &CWorkerBusObject::onOwnerGone);
}

CWorkerBusObject::~CWorkerBusObject()
{
    unregisterTree();
}

bool CWorkerBusObject::registerTree()
{
    m_registered = m_connection.registerVirtualObject(QLatin1String(ipc::kClassFactoryPath), this,
                                                      QDBusConnection::SubPath);
    return m_registered;
}

void CWorkerBusObject::unregisterTree()
{
    if (m_registered)
        m_connection.unregisterObject(QLatin1String(ipc::kClassFactoryPath), QDBusConnection::UnregisterTree);
    m_registered = false;
}

QString CWorkerBusObject::introspect(const QString& path) const
{
    std::string xml;
    if (path == QLatin1String(ipc::kClassFactoryPath))
        xml = ipc::InterfaceElement(ipc::kClassFactoryInterface);
    else if (auto id = objectIdOf(path); id && m_objects.contains(*id))
        xml = ipc::InterfaceElement(ipc::kCalcWorkerInterface) + ipc::InterfaceElement(ipc::kUnknownInterface);
    return QString::fromStdString(xml);
}

bool CWorkerBusObject::handleMessage(const QDBusMessage& message, const QDBusConnection&)
{
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    if (isIntrospect(message)) {
        replyIntrospection(message);
        return true;
    }
    const QString path = message.path();
    if (path == QLatin1String(ipc::kClassFactoryPath)) {
        handleFactoryCall(message);
        return true;
    }
    if (auto id = objectIdOf(path)) {
        handleObjectCall(*id, message);
        return true;
    }
    m_connection.send(message.createErrorReply(QDBusError::UnknownObject, QStringLiteral("No object at ") + path));
    return true;
}

void CWorkerBusObject::replyIntrospection(const QDBusMessage& message)
{
    const QString path = message.path();
    std::vector<std::string_view> interfaces;
    std::vector<std::string> children;
    if (path == QLatin1String(ipc::kClassFactoryPath)) {
        interfaces = {ipc::kClassFactoryInterface};
        if (m_objects.size() > 0)
            children.push_back("CCalcWorker");
    } else if (path + '/' == kObjectPrefix) {
        for (auto id : m_objects.ids())
            children.push_back(std::to_string(id));
    } else if (auto id = objectIdOf(path); id && m_objects.contains(*id)) {
        interfaces = {ipc::kCalcWorkerInterface, ipc::kUnknownInterface};
    } else {
        m_connection.send(message.createErrorReply(QDBusError::UnknownObject, QStringLiteral("No object at ") + path));
        return;
    }
    m_connection.send(message.createReply(QString::fromStdString(ipc::IntrospectionDocument(interfaces, children))));
}

void CWorkerBusObject::handleFactoryCall(const QDBusMessage& message)
{
    if (message.member() != QLatin1String("CreateInstance") || !message.signature().isEmpty() ||
        !interfaceIs(message, ipc::kClassFactoryInterface)) {
        m_connection.send(unknownMethod(message));
        return;
    }
    const QString owner = message.service();
    if (const auto known = m_processOf.find(owner); known != m_processOf.end()) {
        createFor(message, ClientId{owner.toStdString(), known->second});
        return;
    }
    // A connection without objects: its process is asked for first. No more
    // of its creations can succeed than its share of a connection.
    auto& waiting = m_creationsWaitingForProcess[owner];
    if (waiting.size() >= m_objects.limits().perConnection) {
        replyHResult(message, E_OUTOFMEMORY);
        return;
    }
    waiting.push_back(message);
    if (waiting.size() == 1)
        lookUpProcess(owner);
}

void CWorkerBusObject::lookUpProcess(const QString& owner)
{
    auto* pending = new QDBusPendingCallWatcher(
        m_connection.interface()->asyncCall(QStringLiteral("GetConnectionUnixProcessID"), owner), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, owner](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<uint> reply = *call;
        // Connections whose process the bus cannot tell share one process's share.
        const ClientId client{owner.toStdString(), reply.isValid() ? reply.value() : 0u};
        const auto waiting = m_creationsWaitingForProcess.extract(owner);
        if (waiting.empty())
            return;
        for (const QDBusMessage& message : waiting.mapped())
            createFor(message, client);
    });
}

void CWorkerBusObject::createFor(const QDBusMessage& message, const ClientId& client)
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
    const QString owner = message.service();
    if (m_processOf.emplace(owner, client.processId).second)
        watchOwner(owner);
    emit objectCountChanged(m_objects.size());
    m_connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(objectPath(*id)))));
}

void CWorkerBusObject::handleObjectCall(std::uint64_t id, const QDBusMessage& message)
{
    auto* entry = m_objects.find(id);
    if (!entry) {
        m_connection.send(
            message.createErrorReply(QDBusError::UnknownObject, QStringLiteral("No object at ") + message.path()));
        return;
    }
    if (QString::fromStdString(entry->client.connection) != message.service()) {
        m_connection.send(message.createErrorReply(QDBusError::AccessDenied,
                                                   QStringLiteral("The object belongs to another connection")));
        return;
    }
    const QString member = message.member();
    const QString signature = message.signature();
    const QVariantList args = message.arguments();
    ICalcWorker& worker = *entry->object;

    if (interfaceIs(message, ipc::kUnknownInterface) && member == QLatin1String("Release") && signature.isEmpty()) {
        // Reply first: the object's end may end the process's last reason to live.
        m_connection.send(message.createReply());
        m_objects.release(id);
        emit objectCountChanged(m_objects.size());
        return;
    }
    if (!interfaceIs(message, ipc::kCalcWorkerInterface)) {
        m_connection.send(unknownMethod(message));
        return;
    }
    if (member == QLatin1String("PerformOperation") && signature == QLatin1String("isssio")) {
        replyHResult(message, worker.PerformOperation(args[0].toInt(), args[1].toString().toStdString(),
                                                      args[2].toString().toStdString(),
                                                      args[3].toString().toStdString(), args[4].toInt(),
                                                      callbackFor(message, args[5])));
    } else if (member == QLatin1String("ApplySinglArgFunc") && signature == QLatin1String("issio")) {
        replyHResult(message, worker.ApplySinglArgFunc(args[0].toInt(), args[1].toString().toStdString(),
                                                       args[2].toString().toStdString(), args[3].toInt(),
                                                       callbackFor(message, args[4])));
    } else if (member == QLatin1String("GetProcessId_CW") && signature.isEmpty()) {
        int pid = 0;
        const HRESULT hr = worker.GetProcessId_CW(&pid);
        if (Failed(hr))
            replyHResult(message, hr);
        else
            m_connection.send(message.createReply(pid));
    } else if (member == QLatin1String("EndProcess_CW") && signature.isEmpty()) {
        replyHResult(message, worker.EndProcess_CW());
    } else if (member == QLatin1String("SetCalcDuration") && signature == QLatin1String("i")) {
        replyHResult(message, worker.SetCalcDuration(args[0].toInt()));
    } else {
        m_connection.send(unknownMethod(message));
    }
}

void CWorkerBusObject::replyHResult(const QDBusMessage& message, HRESULT hr)
{
    if (Succeeded(hr))
        m_connection.send(message.createReply());
    else
        m_connection.send(message.createErrorReply(ipc::ErrorNameForHResult(hr), ipc::ErrorMessageForHResult(hr)));
}

void CWorkerBusObject::watchOwner(const QString& owner)
{
    m_ownerWatcher.addWatchedService(owner);
    // The owner may have left before the watch was in place (a caller that
    // dies right after its call): ask once whether it is still there.
    auto* pending = new QDBusPendingCallWatcher(m_connection.interface()->asyncCall(QStringLiteral("NameHasOwner"), owner), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, owner](QDBusPendingCallWatcher* call) {
        QDBusPendingReply<bool> reply = *call;
        if (reply.isValid() && !reply.value())
            onOwnerGone(owner);
        call->deleteLater();
    });
}

void CWorkerBusObject::onOwnerGone(const QString& owner)
{
    if (m_processOf.erase(owner) == 0)
        return;   // told twice (the watch and the first check)
    m_ownerWatcher.removeWatchedService(owner);
    if (m_objects.releaseOwner(owner.toStdString()) > 0)
        emit objectCountChanged(m_objects.size());
    emit connectionLeft(owner);
}

}  // namespace ergasto
