#pragma once
// The caller's callback object, reached over the bus: NotifyResult becomes a
// call of "Ergasto.ICalcCompleteCallback.NotifyResult" on the object path the
// caller gave, at the caller's own connection. Safe to use from any thread.

#include "port/ICalcWorker.h"

#include <QDBusConnection>
#include <QString>

namespace ergasto {

class CBusCompleteCallback : public ICalcCompleteCallback {
public:
    static constexpr int kCallTimeoutMs = 10000;

    CBusCompleteCallback(QDBusConnection connection, QString callerName, QString objectPath);

    // S_OK once the caller has answered; E_FAIL when it could not be reached.
    HRESULT NotifyResult(int ID, const std::string& status, const std::string& resultString,
                         int nErrorCode) override;

private:
    QDBusConnection m_connection;
    QString m_callerName;
    QString m_objectPath;
};

}  // namespace ergasto
