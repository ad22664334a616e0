// Renders the whole main window on the running display (run under Xvfb with
// the xcb platform) after a short calculation, and saves the screen as PNG:
//   frame_screenshot <out.png>
// A tool for looking at the window, not a test.

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>

#include "platform/Event.h"
#include "resources/CommandIds.h"
#include "shell/frame/FrameController.h"
#include "shell/frame/MainFrame.h"
#include "worker/InProcessCalcWorker.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    CEvent done;
    CEvent aborted;
    auto host = std::make_shared<CInProcessWorkerHost>();
    CMainFrame::Setup setup;
    setup.events = {&done, &aborted};
    setup.workerFactory = host;
    setup.processWaiter = host;
    CMainFrame frame(setup);
    frame.Create();
    frame.move(0, 0);
    frame.resize(1000, 760);
    frame.show();

    auto settle = [&] {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 3000 && (frame.Controller().IsBusy() || timer.elapsed() < 150))
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    };
    settle();
    // 2 * ( 3 + 4 ) = then sqrt 2 *
    for (int id : {6103, 6114, 6122, 6104, 6116, 6105, 6123, 6147})
        frame.OnCommand(id), settle();
    for (int id : {6103, 6117})
        frame.OnCommand(id), settle();
    for (int id : {6114, 6103, 6102})
        frame.OnCommand(id), settle();

    // The shot is taken from the running loop, after its idle pass.
    bool saved = false;
    QTimer::singleShot(1500, &frame, [&] {
        const QPixmap shot = frame.screen()->grabWindow(0);
        saved = shot.save(QString::fromLocal8Bit(argv[1]), "PNG");
        frame.close();
    });
    app.exec();
    return saved ? 0 : 1;
}
