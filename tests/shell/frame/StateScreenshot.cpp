// Pictures of the main window's restored layout (run under Xvfb with the xcb
// platform), a tool for looking at the window, not a test:
//   state_screenshot <state.ini> <out.png> <layout>   arrange, shoot, close (stores the state)
//   state_screenshot <state.ini> <out.png>            restore, shoot, close
// Layouts: created, variables-front, left-right, floating, box-floating, pinned-right,
// history-hidden, bars-hidden, maximised.
// The two pictures of one layout should match.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScreen>
#include <QTimer>

#include "ToolFrame.h"
#include "docking/DockingWindow.h"
#include "docking/TabDockingBox.h"
#include "resources/CommandIds.h"
#include "shell/frame/FrameController.h"
#include "shell/frame/MainFrame.h"

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString statePath = QString::fromLocal8Bit(argv[1]);
    const QString layout = argc >= 4 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (!layout.isEmpty())
        QFile::remove(statePath);
    ToolFrame tool(statePath);
    CMainFrame& frame = *tool.frame;
    if (!layout.isEmpty()) {
        frame.move(40, 30);
        frame.resize(1000, 760);
    }
    frame.show();
    const auto settle = [] {
        for (int i = 0; i < 30; ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    };
    settle();

    auto* box = qobject_cast<dockwins::CTabDockingBox*>(frame.PaneWindow(PaneId::History)->DockedTo());
    if (layout == "variables-front") {
        frame.PaneWindow(PaneId::Variables)->Activate();
    } else if (layout == "box-floating" && box) {
        box->SetFloatingRect({1100, 120, 1450, 560});
        box->Float();
    } else if (layout == "pinned-right" && box) {
        frame.DockWindow(box, 1, 0, 0.0f, 220, 100);
        box->PinBox(false);
    } else if (layout == "left-right") {
        frame.DockWindow(frame.PaneWindow(PaneId::Variables), 1, 0, 0.0f, 220, 100);
    } else if (layout == "floating") {
        frame.PaneWindow(PaneId::History)->SetFloatingRect({1100, 120, 1400, 520});
        frame.PaneWindow(PaneId::History)->Float();
    } else if (layout == "history-hidden") {
        frame.PaneWindow(PaneId::History)->Hide();
    } else if (layout == "bars-hidden") {
        frame.OnCommand(static_cast<int>(menucmd::kViewToolbar));
        frame.OnCommand(static_cast<int>(menucmd::kViewStatusBar));
    } else if (layout == "maximised") {
        frame.showMaximized();
    }

    bool saved = false;
    QTimer::singleShot(1500, &frame, [&] {
        settle();
        saved = frame.screen()->grabWindow(0).save(QString::fromLocal8Bit(argv[2]), "PNG");
        frame.close();
    });
    app.exec();
    return saved ? 0 : 1;
}
