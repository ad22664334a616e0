#pragma once
// The hand-over channel between a second start of the program and the first
// instance: a local socket in the per-user runtime folder. A message is a
// 4-byte big-endian length and that many bytes of UTF-8 text: the absolute path
// of a file to open, or nothing to only raise the window. The first instance
// answers one byte (1 taken, 0 refused) before it acts on the message.
//
// The first instance never waits for a sender: each connection is read as its
// bytes arrive and is dropped when its message is not complete by a deadline,
// and only a few connections are kept open at once. A new one pushes out the
// oldest whose sender has closed its end, else the oldest that has sent
// nothing yet, else the oldest of all. So connections that send nothing
// cannot hold up the window or the next real hand-over, and a flood of short
// ones cannot push out a sender that is part-way through its message.

#include <QObject>
#include <QString>

#include <chrono>
#include <vector>

class QLocalServer;
class QLocalSocket;

namespace instance_channel {
constexpr int kMaxMessageBytes = 4096;
// Whether a received message may be acted on: within the size limit, no NUL,
// and either empty or an absolute path.
bool IsAcceptableMessage(const QByteArray& message);
}  // namespace instance_channel

class CInstanceServer : public QObject {
    Q_OBJECT
public:
    struct Limits {
        int maxOpenConnections = 8;
        std::chrono::milliseconds deadline{2000};  // from accept to the whole message
    };

    explicit CInstanceServer(QObject* parent = nullptr);
    CInstanceServer(Limits limits, QObject* parent = nullptr);
    ~CInstanceServer() override;

    // Listens at socketPath, replacing a stale socket left by a crashed holder.
    // Call only while holding the single-instance lock.
    bool Listen(const QString& socketPath);
    int OpenConnections() const { return static_cast<int>(m_open.size()); }

signals:
    // An accepted hand-over: an empty path means "raise the window only".
    void handOver(const QString& path);

private:
    void OnNewConnection();
    // The open connection that a new one pushes out.
    QLocalSocket* PushOutCandidate() const;
    void OnReadyRead(QLocalSocket* socket);
    // Answers, lets the socket close by itself, and forgets it.
    void Answer(QLocalSocket* socket, bool taken);
    void Drop(QLocalSocket* socket);
    void Forget(QLocalSocket* socket);

    Limits m_limits;
    QLocalServer* m_server;
    std::vector<QLocalSocket*> m_open;  // oldest first
};

// The second start's side: delivers path (empty: raise only) to the first
// instance, retrying until timeout while the first instance is still starting.
// Returns true when the first instance took the message.
bool SendToFirstInstance(const QString& socketPath, const QString& path, std::chrono::milliseconds timeout);
