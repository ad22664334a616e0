#include "ipc/CallbackHost.h"

#include "ipc/BusNames.h"
#include "ipc/InterfaceXml.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QThread>

#include <cstdint>
#include <map>
#include <mutex>

namespace ipc {

class CCallbackHostObject : public QDBusVirtualObject {
public:
    explicit CCallbackHostObject(QDBusConnection connection) : m_connection(std::move(connection))
    {
        QString base = QLatin1String(kCallbackPathPrefix);
        base.chop(1);
        m_basePath = base;
    }

    ~CCallbackHostObject() override { unregister(); }

    bool registerTree()
    {
        m_registered = m_connection.registerVirtualObject(m_basePath, this, QDBusConnection::SubPath);
        return m_registered;
    }

    void unregister()
    {
        if (m_registered)
            m_connection.unregisterObject(m_basePath, QDBusConnection::UnregisterTree);
        m_registered = false;
    }

    bool registered() const { return m_registered; }

    QString add(std::shared_ptr<ICalcCompleteCallback> callback)
    {
        std::lock_guard lock(m_mutex);
        const auto id = m_nextId++;
        m_callbacks.emplace(id, std::move(callback));
        return QLatin1String(kCallbackPathPrefix) + QString::number(id);
    }

    void remove(const QString& path)
    {
        if (auto id = idOf(path)) {
            std::lock_guard lock(m_mutex);
            m_callbacks.erase(*id);
        }
    }

    QString introspect(const QString&) const override
    {
        return QString::fromStdString(InterfaceElement(kCallbackInterface));
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override
    {
        if (message.type() != QDBusMessage::MethodCallMessage)
            return false;
        const auto callback = find(message.path());

        if (message.interface() == QLatin1String(kIntrospectableInterface) &&
            message.member() == QLatin1String("Introspect")) {
            const std::vector<std::string_view> interfaces =
                callback ? std::vector<std::string_view>{kCallbackInterface} : std::vector<std::string_view>{};
            m_connection.send(message.createReply(QString::fromStdString(IntrospectionDocument(interfaces))));
            return true;
        }
        if (!callback) {
            m_connection.send(message.createErrorReply(QDBusError::UnknownObject,
                                                       QStringLiteral("No callback at ") + message.path()));
            return true;
        }
        const bool interfaceOk =
            message.interface().isEmpty() || message.interface() == QLatin1String(kCallbackInterface);
        if (!interfaceOk || message.member() != QLatin1String("NotifyResult") ||
            message.signature() != QLatin1String("issi")) {
            m_connection.send(message.createErrorReply(QDBusError::UnknownMethod,
                                                       QStringLiteral("No such method ") + message.member()));
            return true;
        }
        const QVariantList args = message.arguments();
        callback->NotifyResult(args[0].toInt(), args[1].toString().toStdString(), args[2].toString().toStdString(),
                               args[3].toInt());
        m_connection.send(message.createReply());
        return true;
    }

private:
    std::optional<std::uint64_t> idOf(const QString& path) const
    {
        const QString prefix = QLatin1String(kCallbackPathPrefix);
        if (!path.startsWith(prefix))
            return std::nullopt;
        bool ok = false;
        const auto id = path.mid(prefix.size()).toULongLong(&ok);
        return ok ? std::optional<std::uint64_t>(id) : std::nullopt;
    }

    std::shared_ptr<ICalcCompleteCallback> find(const QString& path)
    {
        const auto id = idOf(path);
        if (!id)
            return nullptr;
        std::lock_guard lock(m_mutex);
        auto it = m_callbacks.find(*id);
        return it == m_callbacks.end() ? nullptr : it->second;
    }

    QDBusConnection m_connection;
    QString m_basePath;
    bool m_registered = false;
    std::mutex m_mutex;
    std::map<std::uint64_t, std::shared_ptr<ICalcCompleteCallback>> m_callbacks;
    std::uint64_t m_nextId = 1;
};

std::shared_ptr<CCallbackHost> CCallbackHost::ForConnection(const QDBusConnection& connection)
{
    static std::mutex mutex;
    static std::map<QString, std::weak_ptr<CCallbackHost>> hosts;
    std::lock_guard lock(mutex);
    auto& slot = hosts[connection.name()];
    auto host = slot.lock();
    if (!host) {
        host = std::make_shared<CCallbackHost>(connection);
        slot = host;
    }
    return host;
}

CCallbackHost::CCallbackHost(QDBusConnection connection)
    : m_thread(std::make_unique<QThread>()), m_anchor(new QObject)
{
    // Without an application object no event loop can run: no host then
    // (isRegistered is false and no worker can be created).
    if (!QCoreApplication::instance())
        return;
    // The object is made and registered on the host's thread, so that the
    // connection delivers its calls there.
    m_thread->setObjectName(QStringLiteral("CalcCompleteCallback"));
    m_anchor->moveToThread(m_thread.get());
    m_thread->start();
    QMetaObject::invokeMethod(
        m_anchor,
        [this, &connection] {
            m_object = std::make_unique<CCallbackHostObject>(connection);
            m_object->registerTree();
        },
        Qt::BlockingQueuedConnection);
}

CCallbackHost::~CCallbackHost()
{
    if (!m_thread->isRunning()) {
        delete m_anchor;
        return;
    }
    QMetaObject::invokeMethod(
        m_anchor,
        [this] {
            m_object.reset();
            m_anchor->deleteLater();   // runs as the thread ends
        },
        Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
}

bool CCallbackHost::isRegistered() const
{
    return m_object && m_object->registered();
}

QString CCallbackHost::add(std::shared_ptr<ICalcCompleteCallback> callback)
{
    return m_object ? m_object->add(std::move(callback)) : QLatin1String(kNoCallbackPath);
}

void CCallbackHost::remove(const QString& path)
{
    if (m_object)
        m_object->remove(path);
}

}  // namespace ipc
