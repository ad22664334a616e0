#include "platform/qt/InstanceChannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>
#include <QtEndian>

namespace {
constexpr int kHeaderBytes = 4;
constexpr int kReadTimeoutMs = 2000;

// Reads exactly `count` bytes or gives up at the deadline.
bool ReadExactly(QLocalSocket& socket, qint64 count, QByteArray& out, QDeadlineTimer deadline) {
    out.clear();
    while (out.size() < count) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return false;
        out += socket.read(count - out.size());
        if (deadline.hasExpired() && out.size() < count)
            return false;
    }
    return true;
}
}  // namespace

bool instance_channel::IsAcceptableMessage(const QByteArray& message) {
    if (message.size() > kMaxMessageBytes || message.contains('\0'))
        return false;
    return message.isEmpty() || QDir::isAbsolutePath(QString::fromUtf8(message));
}

CInstanceServer::CInstanceServer(QObject* parent) : QObject(parent), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &CInstanceServer::OnNewConnection);
}

CInstanceServer::~CInstanceServer() = default;

bool CInstanceServer::Listen(const QString& socketPath) {
    QLocalServer::removeServer(socketPath);
    return m_server->listen(socketPath);
}

void CInstanceServer::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The message is small and the sender waits for our answer; reading it
        // here keeps the order of hand-overs.
        const QDeadlineTimer deadline(kReadTimeoutMs);
        QByteArray header;
        QByteArray message;
        bool ok = ReadExactly(*socket, kHeaderBytes, header, deadline);
        if (ok) {
            const quint32 length = qFromBigEndian<quint32>(header.constData());
            ok = length <= static_cast<quint32>(instance_channel::kMaxMessageBytes) &&
                 ReadExactly(*socket, length, message, deadline) && instance_channel::IsAcceptableMessage(message);
        }
        const char answer = ok ? 1 : 0;
        socket->write(&answer, 1);
        socket->flush();
        socket->waitForBytesWritten(kReadTimeoutMs);
        socket->disconnectFromServer();
        if (ok)
            emit handOver(QString::fromUtf8(message));
    }
}

bool SendToFirstInstance(const QString& socketPath, const QString& path, std::chrono::milliseconds timeout) {
    const QByteArray message = path.toUtf8();
    if (!instance_channel::IsAcceptableMessage(message))
        return false;
    QByteArray packet(kHeaderBytes, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(message.size()), packet.data());
    packet += message;

    const QDeadlineTimer deadline(timeout);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (!socket.waitForConnected(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())))) {
            // The first instance may still be starting: try again shortly.
            QThread::msleep(50);
            continue;
        }
        socket.write(packet);
        if (!socket.waitForBytesWritten(static_cast<int>(std::max<qint64>(1, deadline.remainingTime()))))
            return false;
        QByteArray answer;
        if (!ReadExactly(socket, 1, answer, deadline))
            return false;
        return answer.at(0) == 1;
    }
    return false;
}
