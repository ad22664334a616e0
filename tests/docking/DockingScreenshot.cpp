// Pictures of the docking frame for a person to look at, not a test:
//   docking_screenshot <folder>
// writes docked.png (the left bar at 200 px, Variables above History),
// dragged.png (the bar dragged to 300 px) and minimum.png (the window at its
// minimum size). Runs on the offscreen platform with a 1920 x 1080 screen, or
// on a display when QT_QPA_PLATFORM is xcb (under Xvfb with a window manager).

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "DockingTestApp.h"
#include "docking/DockingFrame.h"
#include "docking/DockingWindow.h"
#include "docking/LayoutChecker.h"
#include "docking/SplitterWindow.h"

namespace {

QWidget* List(const QStringList& items)
{
    auto* list = new QListWidget;
    list->addItems(items);
    return list;
}

bool Save(dockwins::CDockingFrameImpl& frame, const QString& path)
{
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    QTest::qWait(200);
    for (const std::string& problem : dockwins::CheckDockingLayout(frame))
        qWarning("%s", problem.c_str());
    const QPixmap shot = frame.screen()->grabWindow(0);
    return shot.copy(frame.frameGeometry().adjusted(-10, -10, 10, 10)).save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const bool onDisplay = qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("xcb"));
    static QApplication* displayApp = onDisplay ? new QApplication(argc, argv) : nullptr;
    if (!onDisplay)
        DockingTestApp();
    const QDir out(QString::fromLocal8Bit(argv[1]));

    dockwins::CDockingFrameImpl frame;
    frame.setWindowTitle("Docking");
    frame.setGeometry(40, 40, 1000, 640);
    frame.OnCreate(0);
    auto* client = new TG3_SplitterWindowT<false>;
    auto* record = new QLabel("record");
    auto* keypad = new QLabel("keypad");
    record->setAlignment(Qt::AlignCenter);
    keypad->setAlignment(Qt::AlignCenter);
    client->SetSplitterPanes(record, keypad);
    frame.SetClientWindow(client);
    frame.SetMinimumTrackSize(QSize(700, 650));
    auto* history = new CTabbedAutoHideDockingWindow(&frame, "History");
    history->SetClient(List({"12", "3.14159", "42"}));
    auto* variables = new CTabbedAutoHideDockingWindow(&frame, "Variables  ");
    variables->SetClient(List({"a = 1", "b = 2"}));
    frame.DockWindow(history, 3, 0, 0.0f, 200, 100);
    frame.DockWindow(variables, 3, 0, 0.0f, 200, 100);
    frame.show();
    (void)QTest::qWaitForWindowExposed(&frame);
    client->SetSplitterPos(client->height() / 2);

    bool ok = Save(frame, out.filePath("docked.png"));

    QWindow* window = frame.windowHandle();
    const QPoint bar = frame.ClientArea()->mapTo(&frame, QPoint(202, 200));
    QTest::mousePress(window, Qt::LeftButton, {}, bar);
    QTest::mouseMove(window, bar + QPoint(50, 0));
    QTest::mouseMove(window, bar + QPoint(100, 0));
    QTest::mouseRelease(window, Qt::LeftButton, {}, bar + QPoint(100, 0));
    ok = Save(frame, out.filePath("dragged.png")) && ok;

    frame.resize(frame.minimumSize());
    ok = Save(frame, out.filePath("minimum.png")) && ok;
    frame.close();
    delete displayApp;
    return ok ? 0 : 1;
}
