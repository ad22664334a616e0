// Pictures of the docking frame for a person to look at, not a test:
//   docking_screenshot <folder>
// writes docked.png (the left bar at 200 px, Variables above History),
// dragged.png (the bar dragged to 300 px) and minimum.png (the window at its
// minimum size), then caption-right.png and caption-bottom.png (History
// dragged by its caption to the right edge, then to the bottom),
// floating.png (Variables floating with its caption), closed.png and
// back.png (History closed by its caption button and shown again as the
// View command does), then pinned.png (the box of both panes pinned to the
// left edge: one label), slid-out.png (History slid out over the keypad with
// its caption) and unpinned.png (the box back in its bar as two tabs). Runs
// on the offscreen platform with a 1920 x 1080 screen, or
// on a display when QT_QPA_PLATFORM is xcb (under Xvfb with a window manager).

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "DockingTestApp.h"
#include "docking/AutoHideManager.h"
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

// The frame with a record and a keypad in its client splitter, and the
// History and Variables panes, not docked yet.
struct Panes {
    TG3_SplitterWindowT<false>* client;
    CTabbedAutoHideDockingWindow* history;
    CTabbedAutoHideDockingWindow* variables;
};

Panes SetUp(dockwins::CDockingFrameImpl& frame)
{
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
    return {client, history, variables};
}

void ShowFrame(dockwins::CDockingFrameImpl& frame, const Panes& panes)
{
    frame.show();
    (void)QTest::qWaitForWindowExposed(&frame);
    panes.client->SetSplitterPos(panes.client->height() / 2);
}

bool Save(dockwins::CDockingFrameImpl& frame, const QString& path)
{
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    QTest::qWait(200);
    for (const std::string& problem : dockwins::CheckDockingLayout(frame))
        qWarning("%s", problem.c_str());
    if (path.isEmpty())
        return true;
    const QPixmap shot = frame.screen()->grabWindow(0);
    return shot.copy(frame.frameGeometry().adjusted(-10, -10, 10, 10)).save(path, "PNG");
}

// Drags a docked or floating window by its caption, grabbed 5 px from the
// caption's start, so that the drag outline's corner comes to lie just
// inside the frame client point `corner`; with Ctrl the window floats there.
void DragCaption(dockwins::CDockingFrameImpl& frame, CTabbedAutoHideDockingWindow* w, QPoint corner, bool ctrl)
{
    QWindow* window = w->window()->windowHandle();
    const QPoint grab = w->IsHorizontal() ? QPoint(5, 10) : QPoint(10, w->Caption().pin.bottom + 5);
    const QPoint start = w->mapTo(w->window(), grab);
    const QPoint target = window->mapFromGlobal(frame.ClientArea()->mapToGlobal(corner) + QPoint(5, 5));
    QTest::mousePress(window, Qt::LeftButton, {}, start);
    for (int i = 1; i <= 5; ++i)
        QTest::mouseMove(window, start + (target - start) * i / 5);
    if (ctrl) {
        QTest::keyPress(window, Qt::Key_Control);
        QTest::mouseMove(window, target);
    }
    QTest::mouseRelease(window, Qt::LeftButton, ctrl ? Qt::ControlModifier : Qt::KeyboardModifiers{}, target);
    if (ctrl)
        QTest::keyRelease(window, Qt::Key_Control);
}

bool TakeShots(const QDir& out);
bool TakeAutoHideShots(const QDir& out);

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
    bool ok = TakeShots(out);
    ok = TakeAutoHideShots(out) && ok;
    // The windows are gone before the application.
    delete displayApp;
    return ok ? 0 : 1;
}

namespace {

bool TakeShots(const QDir& out)
{
    dockwins::CDockingFrameImpl frame;
    const Panes panes = SetUp(frame);
    CTabbedAutoHideDockingWindow* history = panes.history;
    CTabbedAutoHideDockingWindow* variables = panes.variables;
    frame.DockWindow(history, 3, 0, 0.0f, 200, 100);
    frame.DockWindow(variables, 3, 0, 0.0f, 200, 100);
    ShowFrame(frame, panes);

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

    frame.resize(1100, 800);
    Save(frame, QString());
    const QSize area = frame.ClientArea()->size();
    DragCaption(frame, history, QPoint(area.width() - 8, 300), false);
    ok = Save(frame, out.filePath("caption-right.png")) && ok;
    DragCaption(frame, history, QPoint(300, area.height() - 8), false);
    ok = Save(frame, out.filePath("caption-bottom.png")) && ok;
    DragCaption(frame, variables, QPoint(450, 150), true);
    ok = Save(frame, out.filePath("floating.png")) && ok;
    const dockwins::RECT close = history->Caption().close;
    const QPoint button = history->mapTo(&frame, QPoint((close.left + close.right) / 2, (close.top + close.bottom) / 2));
    QTest::mouseClick(frame.windowHandle(), Qt::LeftButton, {}, button);
    ok = Save(frame, out.filePath("closed.png")) && ok;
    history->Activate();
    ok = Save(frame, out.filePath("back.png")) && ok;
    frame.close();
    return ok;
}

}  // namespace

namespace {

bool TakeAutoHideShots(const QDir& out)
{
    dockwins::CDockingFrameImpl frame;
    const Panes panes = SetUp(frame);
    CTabbedAutoHideDockingWindow* history = panes.history;
    CTabbedAutoHideDockingWindow* variables = panes.variables;
    frame.DockWindow(history, 3, 0, 0.0f, 200, 100);
    variables->DockTo(history, 0);
    history->Activate();
    ShowFrame(frame, panes);
    Save(frame, QString());

    // The box's pin button: both panes become one label on the left.
    dockwins::CAutoHideManager& autoHide = frame.AutoHide();
    if (auto* box = qobject_cast<CTabbedAutoHideDockingWindow*>(history->DockedTo())) {
        const dockwins::RECT pin = box->Caption().pin;
        const QPoint at = box->mapTo(&frame, QPoint((pin.left + pin.right) / 2, (pin.top + pin.bottom) / 2));
        QTest::mouseClick(frame.windowHandle(), Qt::LeftButton, {}, at);
    }
    autoHide.Hide(false);
    bool ok = Save(frame, out.filePath("pinned.png"));

    // The pointer rests on History's entry of the label: it slides out over the keypad.
    autoHide.SetHoverAllowed([] { return true; });
    const QRect label = autoHide.LabelRectOf(history);
    QTest::mouseMove(frame.windowHandle(), frame.ClientArea()->mapTo(&frame, label.center()));
    QTest::qWait(100);
    QTest::mouseMove(frame.windowHandle(), frame.ClientArea()->mapTo(&frame, label.center() + QPoint(0, 1)));
    (void)QTest::qWaitFor([&] { return autoHide.ShownWindow() && !autoHide.IsSliding(); }, 3000);
    ok = Save(frame, out.filePath("slid-out.png")) && ok;

    // The pane's pin button puts both back as the box's two tabs.
    const dockwins::RECT pin = autoHide.Pane()->Caption().pin;
    QTest::mouseClick(frame.windowHandle(), Qt::LeftButton, {},
                      autoHide.Pane()->mapTo(&frame, QPoint((pin.left + pin.right) / 2, (pin.top + pin.bottom) / 2)));
    ok = Save(frame, out.filePath("unpinned.png")) && ok;
    frame.close();
    return ok;
}

}  // namespace
