#include "platform/qt/InstanceChannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <poll.h>

#include <algorithm>

namespace {
constexpr int kHeaderBytes = 4;

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
// Whether the peer has closed its end (what it sent may still wait to be read).
bool HasHungUp(const QLocalSocket* socket) {
    pollfd peer{static_cast<int>(socket->socketDescriptor()), POLLRDHUP, 0};
    return peer.fd >= 0 && ::poll(&peer, 1, 0) == 1 && (peer.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}
}  // namespace

bool instance_channel::IsAcceptableMessage(const QByteArray& message) {
    if (message.size() > kMaxMessageBytes || message.contains('\0'))
        return false;
    return message.isEmpty() || QDir::isAbsolutePath(QString::fromUtf8(message));
}

CInstanceServer::CInstanceServer(QObject* parent) : CInstanceServer(Limits{}, parent) {}

CInstanceServer::CInstanceServer(Limits limits, QObject* parent)
    : QObject(parent), m_limits(limits), m_server(new QLocalServer(this)) {
    m_limits.maxOpenConnections = std::max(1, m_limits.maxOpenConnections);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &CInstanceServer::OnNewConnection);
}

CInstanceServer::~CInstanceServer() {
    while (!m_open.empty())
        Drop(m_open.front());
}

bool CInstanceServer::Listen(const QString& socketPath) {
    QLocalServer::removeServer(socketPath);
    return m_server->listen(socketPath);
}

void CInstanceServer::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (static_cast<int>(m_open.size()) >= m_limits.maxOpenConnections)
            Drop(PushOutCandidate());
        m_open.push_back(socket);
        // Never more than one message is held, however much a sender writes.
        socket->setReadBufferSize(kHeaderBytes + instance_channel::kMaxMessageBytes);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { Drop(socket); });
        // The deadline also ends a closing socket whose peer does not go.
        auto* deadline = new QTimer(socket);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, this, [this, socket] { Drop(socket); });
        deadline->start(m_limits.deadline);
        OnReadyRead(socket);
    }
}

QLocalSocket* CInstanceServer::PushOutCandidate() const {
    const auto oldest = [this](auto&& test) {
        const auto it = std::find_if(m_open.begin(), m_open.end(), test);
        return it != m_open.end() ? *it : nullptr;
    };
    // A sender that has closed its end can never finish its message.
    if (QLocalSocket* gone = oldest(HasHungUp))
        return gone;
    // A message is read only once it is whole, so the bytes a connection
    // holds are the part of its message that came so far.
    if (QLocalSocket* silent = oldest([](const QLocalSocket* socket) { return socket->bytesAvailable() == 0; }))
        return silent;
    return m_open.front();
}

void CInstanceServer::OnReadyRead(QLocalSocket* socket) {
    if (std::find(m_open.begin(), m_open.end(), socket) == m_open.end())
        return;  // answered already, or dropped
    if (socket->bytesAvailable() < kHeaderBytes)
        return;
    char header[kHeaderBytes];
    socket->peek(header, kHeaderBytes);
    const quint32 length = qFromBigEndian<quint32>(header);
    if (length > static_cast<quint32>(instance_channel::kMaxMessageBytes)) {
        Answer(socket, false);
        return;
    }
    if (socket->bytesAvailable() < kHeaderBytes + static_cast<qint64>(length))
        return;
    socket->skip(kHeaderBytes);
    const QByteArray message = socket->read(length);
    const bool ok = instance_channel::IsAcceptableMessage(message);
    Answer(socket, ok);
    // Queued: the receiver may show a box and run a nested event loop (in
    // which other connections are served), which must not happen inside the
    // socket's own signal, since the socket may be gone when it returns.
    if (ok)
        QMetaObject::invokeMethod(
            this, [this, path = QString::fromUtf8(message)] { emit handOver(path); }, Qt::QueuedConnection);
}

void CInstanceServer::Answer(QLocalSocket* socket, bool taken) {
    Forget(socket);
    const char answer = taken ? 1 : 0;
    socket->write(&answer, 1);
    socket->disconnectFromServer();  // closes once the answer is out
    if (socket->state() == QLocalSocket::UnconnectedState)
        socket->deleteLater();
}

void CInstanceServer::Drop(QLocalSocket* socket) {
    Forget(socket);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void CInstanceServer::Forget(QLocalSocket* socket) {
    m_open.erase(std::remove(m_open.begin(), m_open.end(), socket), m_open.end());
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
