#include "WindowFixture.h"

#include <QElapsedTimer>
#include <QTest>

#include "keypad/CalcEdit.h"
#include "keypad/CalcWindow.h"
#include "shell/frame/FrameController.h"

QApplication& TestApplication()
{
    static int argc = 1;
    static char name[] = "frame_window_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* a = new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        return a;
    }();
    return *app;
}

WindowFixture::WindowFixture()
{
    TestApplication();
    CMainFrame::Setup setup;
    setup.events = {&m_done, &m_aborted};
    setup.workerFactory = m_factory;
    setup.processWaiter = m_host;
    setup.services = &m_services;
    setup.windowStatePath = m_stateDir.filePath("Calculator.ini");
    m_frame = std::make_unique<CMainFrame>(setup);
    m_frame->Create();
    m_frame->show();
    QApplication::processEvents();
}

WindowFixture::~WindowFixture()
{
    m_factory->SetDelay(0);
    if (m_frame && !m_frame->IsDestroyed())
        m_frame->close();
    m_frame.reset();
    std::shared_ptr<ICalcWorker> worker;
    if (Succeeded(m_host->CreateWorker(kCalcWorkerProgId, &worker)) && worker)
        worker->SetCalcDuration(0);
    QApplication::processEvents();
}

bool WindowFixture::Settle(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!m_frame->Controller().IsBusy()) {
            QApplication::processEvents();
            return true;
        }
    } while (timer.elapsed() < timeoutMs);
    return false;
}

void WindowFixture::TypeKeys(const char* text)
{
    for (const char* p = text; *p; ++p) {
        const char c = *p;
        if (c == ' ')
            continue;
        if (c == '\n')
            QTest::keyClick(m_frame->CalcWindow()->Edit(), Qt::Key_Return);
        else if (c == '\x1b')
            QTest::keyClick(m_frame->CalcWindow()->Edit(), Qt::Key_Escape);
        else
            QTest::keyClick(m_frame->CalcWindow()->Edit(), c);
        if (!Settle())
            ADD_FAILURE() << "no report after " << c;
    }
}

std::string WindowFixture::Entry() const { return m_frame->Controller().EntryLine().GetText(); }
