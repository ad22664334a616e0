#include "platform/qt/InstanceChannel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
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
