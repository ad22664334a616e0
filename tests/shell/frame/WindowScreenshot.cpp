// Renders the whole main window on the running display (run under Xvfb with
// the xcb platform) after a short calculation, and saves the screen as PNG:
//   frame_screenshot <out.png> [<folder>]
// With a folder it also saves there the panes' box: variables-torn-out.png
// (Variables torn out of the box and floating), variables-on-caption.png
// (dropped on History's caption: a box again), variables-preview.png (torn
// out again and dragged back over the strip's first tab, its tab previewing
// the drop) and variables-back.png (dropped there); then the panes moved by their captions: history-right.png,
// history-bottom.png, variables-floating.png, history-closed.png and
// history-back.png (View > History). First of all, the panes' box pinned to
// the left edge: box-pinned.png (one label), history-slid-out.png (History
// slid out over the keypad) and box-unpinned.png (back in its bar as two tabs).
// A tool for looking at the window, not a test.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>

#include "ToolFrame.h"
#include "docking/AutoHideManager.h"
#include "docking/CaptionMoveTracker.h"
#include "docking/DockingWindow.h"
#include "docking/TabDockingBox.h"
#include "resources/CommandIds.h"
#include "shell/frame/FrameController.h"
#include "shell/frame/MainFrame.h"

namespace {

// Drags a pane by its caption, grabbed near the caption's start, so that the
// outline's corner comes to lie just inside a client point; with Ctrl held
// the pane floats there.
void DragByCaption(CMainFrame& frame, CTabbedAutoHideDockingWindow* w, QPoint corner, bool ctrl)
{
    const QPoint grab = w->IsHorizontal() ? QPoint(5, 10) : QPoint(10, w->Caption().pin.bottom + 5);
    dockwins::CCaptionMoveTracker tracker(*w, w->mapToGlobal(grab));
    tracker.BeginDrag();
    const QPoint to = w->mapFromGlobal(frame.ClientArea()->mapToGlobal(corner) + QPoint(5, 5));
    tracker.OnControlKey(ctrl);
    tracker.OnMove(to.x(), to.y());
    tracker.OnDrop(to.x(), to.y());
    tracker.EndDrag(false);
}

// Tears Variables out of the panes' box as the box does when its tab leaves
// the strip (grabbed at the window's bottom-right corner) and drops it
// floating at a client point (the box dissolves); drops it on History's
// caption (a box again); then tears it out once more and drags it back over
// the strip's first tab, where its tab previews the drop, and drops it there.
template <class Save>
void TearOutAndBack(CMainFrame& frame, QPoint floatAt, Save save)
{
    CTabbedAutoHideDockingWindow* variables = frame.PaneWindow(PaneId::Variables);
    CTabbedAutoHideDockingWindow* history = frame.PaneWindow(PaneId::History);
    auto drag = [&](QPoint grab, bool ctrl, QPoint to, bool drop, const char* shot) {
        dockwins::CCaptionMoveTracker tracker(*variables, grab);
        tracker.BeginDrag();
        const QPoint local = variables->mapFromGlobal(to);
        tracker.OnControlKey(ctrl);
        tracker.OnMove(local.x(), local.y());
        if (shot)
            save(shot);
        if (drop)
            tracker.OnDrop(local.x(), local.y());
        tracker.EndDrag(!drop);
    };
    auto corner = [&] { return variables->mapToGlobal(QPoint(variables->width(), variables->height())); };
    if (!variables->IsInBox())
        return;
    drag(corner(), true, frame.ClientArea()->mapToGlobal(floatAt), true, nullptr);
    save("variables-torn-out.png");
    drag(variables->mapToGlobal(QPoint(20, 8)), false, history->mapToGlobal(QPoint(30, 8)), true, nullptr);
    save("variables-on-caption.png");
    auto* box = qobject_cast<dockwins::CTabDockingBox*>(variables->DockedTo());
    if (!box)
        return;
    const QPoint tab0 = box->TabCtrl().mapToGlobal(box->TabCtrl().GetItemRect(0).center());
    drag(corner(), false, tab0, true, "variables-preview.png");
    save("variables-back.png");
}

// Pins the panes' box to the left edge by its pin button's command, slides
// History out, and puts the box back by the pane's pin button's command.
template <class Save>
void PinAndUnpin(CMainFrame& frame, Save save)
{
    auto* box = qobject_cast<dockwins::CTabDockingBox*>(frame.PaneWindow(PaneId::History)->DockedTo());
    if (!box || !box->PinBox(false))
        return;
    save("box-pinned.png");
    dockwins::CAutoHideManager& autoHide = frame.AutoHide();
    autoHide.Show(frame.PaneWindow(PaneId::History), true);
    save("history-slid-out.png");
    autoHide.OnPaneUnpin();
    save("box-unpinned.png");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ToolFrame tool;
    CMainFrame& frame = *tool.frame;
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
        if (argc >= 3) {
            const QDir out(QString::fromLocal8Bit(argv[2]));
            auto save = [&](const char* name) {
                // A window manager maps a new floating window a moment later.
                QElapsedTimer wait;
                wait.start();
                while (wait.elapsed() < 400)
                    QApplication::processEvents(QEventLoop::AllEvents, 20);
                saved = frame.screen()->grabWindow(0).save(out.filePath(QString::fromLatin1(name)), "PNG") && saved;
            };
            const QSize area = frame.ClientArea()->size();
            PinAndUnpin(frame, save);
            TearOutAndBack(frame, QPoint(area.width() / 2, 120), save);
            CTabbedAutoHideDockingWindow* history = frame.PaneWindow(PaneId::History);
            DragByCaption(frame, history, QPoint(area.width() - 8, area.height() / 2), false);
            save("history-right.png");
            DragByCaption(frame, history, QPoint(area.width() / 3, area.height() - 8), false);
            save("history-bottom.png");
            DragByCaption(frame, frame.PaneWindow(PaneId::Variables), QPoint(area.width() / 2, 80), true);
            save("variables-floating.png");
            history->CloseByButton();
            save("history-closed.png");
            frame.OnCommand(32838);  // View > History
            save("history-back.png");
        }
        frame.close();
    });
    app.exec();
    return saved ? 0 : 1;
}
