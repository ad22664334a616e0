#pragma once
// The main window as the tools beside the tests run it: created over the
// in-process worker, with the given window state file (empty: the user's,
// as kelvo has it). The caller places and shows it; closing it ends the
// application's loop, as kelvo's start-up does.

#include <QCoreApplication>
#include <QString>

#include <memory>

#include "platform/Event.h"
#include "shell/frame/MainFrame.h"
#include "worker/InProcessCalcWorker.h"

struct ToolFrame {
    explicit ToolFrame(const QString& windowStatePath = QString())
    {
        CMainFrame::Setup setup;
        setup.events = {&done, &aborted};
        setup.workerFactory = host;
        setup.processWaiter = host;
        setup.windowStatePath = windowStatePath;
        frame = std::make_unique<CMainFrame>(setup);
        QObject::connect(frame.get(), &CMainFrame::closed, [] { QCoreApplication::exit(0); });
        frame->Create();
    }

    CEvent done;
    CEvent aborted;
    std::shared_ptr<CInProcessWorkerHost> host = std::make_shared<CInProcessWorkerHost>();
    std::unique_ptr<CMainFrame> frame;
};
