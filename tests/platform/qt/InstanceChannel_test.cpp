#include "platform/qt/InstanceChannel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QtEndian>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {
int argc = 1;
char arg0[] = "platform_qt_tests";
char* argv[] = {arg0, nullptr};

QString SocketPath() { return qEnvironmentVariable("XDG_RUNTIME_DIR") + "/instance.sock"; }

struct Fixture : ::testing::Test {
    Fixture() {
        static QCoreApplication app(argc, argv);
        QObject::connect(&server, &CInstanceServer::handOver, [this](const QString& p) { received << p; });
    }
    // Runs the event loop while `client` runs on another thread.
    template <class F> void RunClient(F client) {
        std::atomic<bool> done{false};
        std::thread t([&] { client(); done = true; });
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] { if (done) loop.quit(); });
        poll.start(5);
        loop.exec();
        t.join();
        QCoreApplication::processEvents();
    }
    CInstanceServer server;
    QStringList received;
};
}  // namespace

TEST_F(Fixture, DeliversAPathAndARaiseOnlyMessage) {
    ASSERT_TRUE(server.Listen(SocketPath()));
    bool first = false, second = false;
    RunClient([&] {
        first = SendToFirstInstance(SocketPath(), "/tmp/calc file.qxv7", 3s);
        second = SendToFirstInstance(SocketPath(), QString(), 3s);
    });
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
    EXPECT_EQ(received, (QStringList{"/tmp/calc file.qxv7", ""}));
}

TEST_F(Fixture, RefusesRelativePathsNulsAndOversizedMessages) {
    EXPECT_FALSE(instance_channel::IsAcceptableMessage("relative/path"));
    EXPECT_FALSE(instance_channel::IsAcceptableMessage(QByteArray("/a\0b", 4)));
    EXPECT_FALSE(instance_channel::IsAcceptableMessage(QByteArray(4097, 'a').prepend('/')));
    EXPECT_TRUE(instance_channel::IsAcceptableMessage("/ok"));

    // A forged length beyond the limit is answered 0 and not acted on.
    ASSERT_TRUE(server.Listen(SocketPath()));
    char answer = 2;
    RunClient([&] {
        QLocalSocket socket;
        socket.connectToServer(SocketPath());
        if (!socket.waitForConnected(2000))
            return;
        QByteArray packet(4, '\0');
        qToBigEndian<quint32>(1u << 30, packet.data());
        socket.write(packet);
        socket.waitForBytesWritten(2000);
        if (socket.waitForReadyRead(2000))
            socket.read(&answer, 1);
    });
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(Fixture, GivesUpWhenNoFirstInstanceAnswers) {
    bool delivered = true;
    RunClient([&] { delivered = SendToFirstInstance(SocketPath(), "/x", 300ms); });
    EXPECT_FALSE(delivered);
}

namespace {
// A connection that says nothing, held by the client thread.
std::unique_ptr<QLocalSocket> IdleConnection() {
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(SocketPath());
    socket->waitForConnected(2000);
    return socket;
}

QByteArray Packet(const QByteArray& message) {
    QByteArray packet(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(message.size()), packet.data());
    return packet + message;
}
}  // namespace

TEST_F(Fixture, IdleConnectionsNeitherHoldUpTheLoopNorARealHandOver) {
    ASSERT_TRUE(server.Listen(SocketPath()));
    // The loop's pulse while the client works: a blocked loop shows as a gap.
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longestGap = 0;
    int mostOpen = 0;
    QTimer pulse;
    QObject::connect(&pulse, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, clock.elapsed() - last);
        last = clock.elapsed();
        mostOpen = std::max(mostOpen, server.OpenConnections());
    });
    pulse.start(10);
    bool delivered = false;
    RunClient([&] {
        std::vector<std::unique_ptr<QLocalSocket>> idle;
        for (int i = 0; i < 20; ++i)
            idle.push_back(IdleConnection());
        delivered = SendToFirstInstance(SocketPath(), "/real.qxv7", 5s);
    });
    EXPECT_TRUE(delivered);
    EXPECT_EQ(received, QStringList{"/real.qxv7"});
    EXPECT_LT(longestGap, 1000) << "the loop stood still while connections were idle";
    EXPECT_LE(mostOpen, CInstanceServer::Limits{}.maxOpenConnections);
}

TEST_F(Fixture, AMessageInPiecesIsTakenAndAnUnfinishedOneIsDroppedAtTheDeadline) {
    CInstanceServer quick(CInstanceServer::Limits{4, 300ms});
    QStringList quickReceived;
    QObject::connect(&quick, &CInstanceServer::handOver, [&](const QString& p) { quickReceived << p; });
    ASSERT_TRUE(quick.Listen(SocketPath()));
    char pieced = 2;
    bool unfinishedClosed = false;
    int closedIdle = 0;
    RunClient([&] {
        // Pieces with pauses between them, all within the deadline.
        QLocalSocket socket;
        socket.connectToServer(SocketPath());
        socket.waitForConnected(2000);
        const QByteArray packet = Packet("/in/pieces.qxv7");
        for (const QByteArray& piece : {packet.left(2), packet.mid(2, 5), packet.mid(7)}) {
            socket.write(piece);
            socket.waitForBytesWritten(2000);
            QThread::msleep(30);
        }
        if (socket.waitForReadyRead(2000))
            socket.read(&pieced, 1);

        // A header promising more than comes, and idle connections beyond the cap:
        // the server closes them all.
        QLocalSocket unfinished;
        unfinished.connectToServer(SocketPath());
        unfinished.waitForConnected(2000);
        unfinished.write(Packet("/never/finished").left(9));
        unfinished.waitForBytesWritten(2000);
        std::vector<std::unique_ptr<QLocalSocket>> idle;
        for (int i = 0; i < 10; ++i)
            idle.push_back(IdleConnection());
        unfinishedClosed = unfinished.state() == QLocalSocket::UnconnectedState ||
                           unfinished.waitForDisconnected(3000);
        for (auto& s : idle)
            if (s->state() == QLocalSocket::UnconnectedState || s->waitForDisconnected(3000))
                ++closedIdle;
    });
    EXPECT_EQ(pieced, 1);
    EXPECT_TRUE(unfinishedClosed);
    EXPECT_EQ(closedIdle, 10);
    EXPECT_EQ(quickReceived, QStringList{"/in/pieces.qxv7"});
    EXPECT_EQ(quick.OpenConnections(), 0);
}

namespace {
// Connects, sends two bytes and closes, as fast as it can, until `stop`.
void FloodOfTwoByteConnections(const QString& path, const std::atomic<bool>& stop) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = path.toLocal8Bit();
    ASSERT_LT(static_cast<std::size_t>(name.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), name.size());
    while (!stop) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ASSERT_GE(fd, 0);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
            (void)!::write(fd, "\0\0", 2);
        ::close(fd);
    }
}
}  // namespace

// Two threads open and close tens of thousands of connections a second. A
// cap of three open connections stands in for a loop that is slower to take
// each closed one away: the flood reaches the cap on any machine.
TEST_F(Fixture, AFloodOfShortConnectionsDoesNotPushOutAHandOverSentInPieces) {
    CInstanceServer capped(CInstanceServer::Limits{3, 2000ms});
    QStringList cappedReceived;
    QObject::connect(&capped, &CInstanceServer::handOver, [&](const QString& p) { cappedReceived << p; });
    ASSERT_TRUE(capped.Listen(SocketPath()));
    constexpr int kHandOvers = 30;
    int taken = 0;
    RunClient([&] {
        std::atomic<bool> stop{false};
        std::vector<std::thread> flood;
        for (int i = 0; i < 2; ++i)
            flood.emplace_back([&] { FloodOfTwoByteConnections(SocketPath(), stop); });
        for (int i = 0; i < kHandOvers; ++i) {
            // Connecting tries again behind the flood, as a second start does.
            std::unique_ptr<QLocalSocket> socket;
            for (QDeadlineTimer connecting(10s); !connecting.hasExpired();) {
                socket = std::make_unique<QLocalSocket>();
                socket->connectToServer(SocketPath());
                if (socket->waitForConnected(500))
                    break;
            }
            // The header and a part of the path, a pause, then the rest.
            const QByteArray packet = Packet("/slow/" + QByteArray::number(i) + ".qxv7");
            socket->write(packet.left(6));
            socket->waitForBytesWritten(2000);
            QThread::msleep(50);
            socket->write(packet.mid(6));
            socket->waitForBytesWritten(2000);
            char answer = 0;
            if (socket->waitForReadyRead(3000) && socket->read(&answer, 1) == 1 && answer == 1)
                ++taken;
        }
        // The loop runs on until the flood has ended: a connect waits while
        // the server's queue of new connections is full.
        stop = true;
        for (auto& t : flood)
            t.join();
    });
    EXPECT_EQ(taken, kHandOvers);
    EXPECT_EQ(cappedReceived.size(), kHandOvers);
}
