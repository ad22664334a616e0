// The panes' rectangles of the main window, for the restart test
// (restart-panes.sh), a tool and not a test itself. Works on the user's
// window state file as kelvo does (run it in a sandbox):
//   pane_layout arrange <layout>   arrange a layout, print the rectangles, close (stores the state)
//   pane_layout measure            restore the state, print the rectangles; stores nothing
// Layouts: one-bar (History under Variables in the left bar, Variables
// dragged to 295 px, then hidden and shown, floated and docked back, three
// times each); small-large (as created, the window made as small as it goes
// and 1000 x 760 again). Lines: "<name> x y width height" in the frame's
// client coordinates, or "<name> hidden".

#include <QApplication>
#include <QTest>

#include <cstdio>

#include "docking/DockingWindow.h"
#include "docking/PackageWindow.h"
#include "docking/SplitterWindow.h"
#include "ToolFrame.h"

namespace {

void Settle()
{
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

void Print(const CMainFrame& frame)
{
    const auto line = [&frame](const std::string& name, const QWidget* w) {
        if (!w || !w->isVisible()) {
            std::printf("%s hidden\n", name.c_str());
            return;
        }
        const QPoint at = w->mapTo(frame.ClientArea(), QPoint(0, 0));
        std::printf("%s %d %d %d %d\n", name.c_str(), at.x(), at.y(), w->width(), w->height());
    };
    const auto pane = [&frame](PaneId id) -> const QWidget* {
        const CTabbedAutoHideDockingWindow* window = frame.PaneWindow(id);
        return window->IsInBox() ? window->DockedTo() : window;
    };
    line("History", pane(PaneId::History));
    line("Variables", pane(PaneId::Variables));
    int i = 0;
    for (const QWidget* bar : frame.Bars())
        line("bar" + std::to_string(i++), bar);
    line("client", frame.Splitter());
}

// A drag of the splitter bar at `from` (client coordinates) to `to`.
void DragBar(CMainFrame& frame, QPoint from, QPoint to)
{
    QWindow* window = frame.windowHandle();
    const auto inWindow = [&frame](QPoint p) { return frame.ClientArea()->mapTo(&frame, p); };
    QTest::mousePress(window, Qt::LeftButton, {}, inWindow(from));
    QTest::mouseMove(window, inWindow((from + to) / 2));
    QTest::mouseMove(window, inWindow(to));
    QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(to));
    Settle();
}

bool Arrange(CMainFrame& frame, const QString& layout)
{
    CTabbedAutoHideDockingWindow* variables = frame.PaneWindow(PaneId::Variables);
    if (layout == "one-bar") {
        variables->Hide();
        Settle();
        if (!frame.DockWindow(variables, 3, 0, 0.0f, 200, 100))
            return false;
        Settle();
        DragBar(frame, {100, 97}, {100, 297});
        variables->SetFloatingRect({500, 200, 800, 450});
        for (int i = 0; i < 3; ++i) {
            variables->Hide();
            Settle();
            variables->Activate();
            Settle();
            variables->Float();
            Settle();
            variables->DockBack();
            Settle();
        }
        return true;
    }
    if (layout == "small-large") {
        frame.resize(100, 100);
        Settle();
        frame.resize(1000, 760);
        Settle();
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString mode = QString::fromLocal8Bit(argv[1]);
    ToolFrame tool;
    const std::unique_ptr<CMainFrame>& frame = tool.frame;
    if (mode == "arrange") {
        frame->move(40, 30);
        frame->resize(1000, 760);
    }
    frame->show();
    (void)QTest::qWaitForWindowExposed(frame.get());
    frame->activateWindow();
    Settle();
    if (mode == "arrange" && (argc < 3 || !Arrange(*frame, QString::fromLocal8Bit(argv[2]))))
        return 1;
    Print(*frame);
    std::fflush(stdout);
    if (mode == "arrange")
        frame->close();
    else
        frame->hide();  // gone without a close: nothing is stored
    Settle();
    return 0;
}
