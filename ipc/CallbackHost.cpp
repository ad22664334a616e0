#include "ipc/CallbackHost.h"

#include "ipc/BusNames.h"
#include "ipc/InterfaceXml.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QRandomGenerator>
#include <QThread>

#include <map>
#include <mutex>
#include <optional>

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

    QString add(std::shared_ptr<ICalcCompleteCallback> callback, const QString& caller)
    {
        std::lock_guard lock(m_mutex);
        QString token;
        do
            token = newToken();
        while (m_callbacks.count(token) > 0);
        m_callbacks.emplace(token, Export{std::move(callback), caller});
        return QLatin1String(kCallbackPathPrefix) + token;
    }

    void remove(const QString& path)
    {
        std::lock_guard lock(m_mutex);
        m_callbacks.erase(tokenOf(path));
    }

    QString introspect(const QString&) const override
    {
        return QString::fromStdString(InterfaceElement(kCallbackInterface));
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override
    {
        if (message.type() != QDBusMessage::MethodCallMessage)
            return false;
        const auto found = find(message.path());
        // A call from any connection but the one the export was made for is
        // told no more than a call to a path that does not exist.
        const auto callback =
            found && !found->caller.isEmpty() && found->caller == message.service() ? found->callback : nullptr;

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
    struct Export {
        std::shared_ptr<ICalcCompleteCallback> callback;
        QString caller;   // the unique name of the only connection that may call it
    };

    // 128 bits from the system's random source, as 32 hex digits.
    static QString newToken()
    {
        quint64 bits[2];
        QRandomGenerator::system()->fillRange(bits);
        return QStringLiteral("%1%2").arg(bits[0], 16, 16, QLatin1Char('0')).arg(bits[1], 16, 16, QLatin1Char('0'));
    }

    static QString tokenOf(const QString& path)
    {
        const QString prefix = QLatin1String(kCallbackPathPrefix);
        return path.startsWith(prefix) ? path.mid(prefix.size()) : QString();
    }

    std::optional<Export> find(const QString& path)
    {
        const QString token = tokenOf(path);
        if (token.isEmpty())
            return std::nullopt;
        std::lock_guard lock(m_mutex);
        auto it = m_callbacks.find(token);
        return it == m_callbacks.end() ? std::nullopt : std::optional<Export>(it->second);
    }

    QDBusConnection m_connection;
    QString m_basePath;
    bool m_registered = false;
    std::mutex m_mutex;
    std::map<QString, Export> m_callbacks;
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
    : m_thread(std::make_unique<QThread>()), m_anchor(std::make_unique<QObject>())
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
        m_anchor.get(),
        [this, &connection] {
            m_object = std::make_unique<CCallbackHostObject>(connection);
            m_object->registerTree();
        },
        Qt::BlockingQueuedConnection);
}

CCallbackHost::~CCallbackHost()
{
    if (!m_thread->isRunning())
        return;
    QMetaObject::invokeMethod(
        m_anchor.get(), [this] { m_object.reset(); }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    // The anchor's thread has ended, so nothing runs in its context any more:
    // it goes with the host (m_anchor) rather than by a deferred deletion that
    // rests on the ending thread still carrying out its posted events.
}

bool CCallbackHost::isRegistered() const
{
    return m_object && m_object->registered();
}

QString CCallbackHost::add(std::shared_ptr<ICalcCompleteCallback> callback, const QString& caller)
{
    return m_object ? m_object->add(std::move(callback), caller) : QLatin1String(kNoCallbackPath);
}

void CCallbackHost::remove(const QString& path)
{
    if (m_object)
        m_object->remove(path);
}

}  // namespace ipc
