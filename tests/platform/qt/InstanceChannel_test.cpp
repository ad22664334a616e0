#include "platform/qt/InstanceChannel.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

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
