#pragma once
// The hand-over channel between a second start of the program and the first
// instance: a local socket in the per-user runtime folder. A message is a
// 4-byte big-endian length and that many bytes of UTF-8 text: the absolute path
// of a file to open, or nothing to only raise the window. The first instance
// answers one byte (1 taken, 0 refused) before it acts on the message.

#include <QObject>
#include <QString>

#include <chrono>

class QLocalServer;

namespace instance_channel {
constexpr int kMaxMessageBytes = 4096;
// Whether a received message may be acted on: within the size limit, no NUL,
// and either empty or an absolute path.
bool IsAcceptableMessage(const QByteArray& message);
}  // namespace instance_channel

class CInstanceServer : public QObject {
    Q_OBJECT
public:
    explicit CInstanceServer(QObject* parent = nullptr);
    ~CInstanceServer() override;

    // Listens at socketPath, replacing a stale socket left by a crashed holder.
    // Call only while holding the single-instance lock.
    bool Listen(const QString& socketPath);

signals:
    // An accepted hand-over: an empty path means "raise the window only".
    void handOver(const QString& path);

private:
    void OnNewConnection();
    QLocalServer* m_server;
};

// The second start's side: delivers path (empty: raise only) to the first
// instance, retrying until timeout while the first instance is still starting.
// Returns true when the first instance took the message.
bool SendToFirstInstance(const QString& socketPath, const QString& path, std::chrono::milliseconds timeout);
