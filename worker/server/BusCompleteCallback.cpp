#include "worker/server/BusCompleteCallback.h"

#include "ipc/BusNames.h"

#include <QDBusMessage>

namespace ergasto {

CBusCompleteCallback::CBusCompleteCallback(QDBusConnection connection, QString callerName, QString objectPath,
                                           std::chrono::milliseconds deadline)
    : m_connection(std::move(connection)),
      m_callerName(std::move(callerName)),
      m_objectPath(std::move(objectPath)),
      m_deadline(deadline)
{
}

HRESULT CBusCompleteCallback::NotifyResult(int ID, const std::string& status, const std::string& resultString,
                                           int nErrorCode)
{
    QDBusMessage call = QDBusMessage::createMethodCall(m_callerName, m_objectPath,
                                                       QLatin1String(ipc::kCallbackInterface),
                                                       QStringLiteral("NotifyResult"));
    call.setAutoStartService(false);
    call << ID << QString::fromStdString(status) << QString::fromStdString(resultString) << nErrorCode;
    const QDBusMessage reply = m_connection.call(call, QDBus::Block, static_cast<int>(m_deadline.count()));
    return reply.type() == QDBusMessage::ReplyMessage ? S_OK : E_FAIL;
}

}  // namespace ergasto
