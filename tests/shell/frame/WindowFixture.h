#pragma once
// The real main window, offscreen, over the in-process worker, with scripted
// message boxes.

#include <QApplication>
#include <QTemporaryDir>

#include <memory>

#include "ControllerFixture.h"
#include "shell/frame/MainFrame.h"

QApplication& TestApplication();

class WindowFixture : public ::testing::Test {
public:
    WindowFixture();
    ~WindowFixture() override;

    // Runs the event loop until no step runs (and the events were taken).
    bool Settle(int timeoutMs = 20000);
    void TypeKeys(const char* text);
    std::string Entry() const;

    QTemporaryDir m_stateDir;  // the window state file of this test only
    CEvent m_done;
    CEvent m_aborted;
    CScriptedServices m_services;
    std::shared_ptr<CInProcessWorkerHost> m_host = std::make_shared<CInProcessWorkerHost>();
    std::shared_ptr<CDelayingFactory> m_factory = std::make_shared<CDelayingFactory>(m_host);
    std::unique_ptr<CMainFrame> m_frame;
};
