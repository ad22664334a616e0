#pragma once
// The real window fed by the real hand-over server, listening on a socket in
// the test's runtime folder, as a first instance is fed by later starts.

#include <QApplication>

#include <atomic>
#include <thread>

#include "WindowFixture.h"
#include "platform/qt/InstanceChannel.h"

inline QString HandOverSocketPath() { return qEnvironmentVariable("XDG_RUNTIME_DIR") + "/handover.sock"; }

class HandOverFixture : public WindowFixture {
public:
    HandOverFixture()
    {
        QObject::connect(&m_server, &CInstanceServer::handOver, m_frame.get(), &CMainFrame::OnHandOver);
        EXPECT_TRUE(m_server.Listen(HandOverSocketPath()));
    }

    // Runs the window's event loop while `client` runs on another thread.
    template <class F> void RunClient(F client)
    {
        std::atomic<bool> done{false};
        std::thread t([&] {
            client();
            done = true;
        });
        while (!done)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        t.join();
        QApplication::processEvents();
    }

    CInstanceServer m_server;
};
