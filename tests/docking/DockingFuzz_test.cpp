// Seeded random runs of the docking operations, with the layout checker after
// every step. A failure prints the seed and the steps so that the case can be
// replayed and kept as a test. CI runs the fixed seeds; a longer run:
//   docking_fuzz_tests --fuzz-seeds=<count> --fuzz-steps=<per seed> [--fuzz-first-seed=<seed>]

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cstdlib>
#include <limits>
#include <random>
#include <set>
#include <sstream>
#include <string>

#include "DockingFixture.h"
#include "docking/AutoHideManager.h"
#include "docking/DockingScreens.h"
#include "docking/DragSession.h"
#include "docking/TabDockingBox.h"
#include "docking/core/FloatingPlacement.h"
#include "docking/state/DockWndState.h"
#include "docking/state/WindowState.h"

#include <QSettings>
#include <QTemporaryDir>
#include <map>

namespace {

using namespace dockwins;

struct FuzzOptions {
    unsigned firstSeed = 1;
    unsigned seeds = 12;
    int steps = 150;
};

FuzzOptions g_options;

class Fuzzer : public DockingFixture {
public:
    explicit Fuzzer(unsigned seed) : m_random(seed)
    {
        m_windows = {history, variables, MakeWindow("Other")};
        m_closed.insert(m_windows[2]);  // never shown yet
        frame.DockWindow(history, 3, 0, 0.0f, 200, 100);
        frame.DockWindow(variables, 3, 0, 0.0f, 200, 100);
        Show();
        m_baseline = LiveWidgets();
        frame.AutoHide().SetHoverAllowed([] { return true; });
        frame.AutoHide().SetCursorSource([this] { return frame.ClientArea()->mapToGlobal(m_cursor); });
    }

    // One random step; returns its description.
    std::string Step()
    {
        std::ostringstream out;
        const int op = Pick(0, 34);
        // Half of the time the pointer has left a slid-out pane before other
        // operations; else they run with the pane still out over the frame.
        // The state is stored and restored with the pane in.
        const bool stateOp = op == 30 || op == 31;
        if (AutoHide().ShownWindow() && (stateOp || ((op < 24 || op > 31) && Pick(0, 1) == 0)))
            AutoHide().Hide(false);
        switch (op) {
        case 10:
        case 11: DragCaption(out); break;
        case 12: {
            CTabbedAutoHideDockingWindow* w = Window();
            out << "double click the caption of " << Name(w);
            if (w->isVisible())
                DoubleClick(w, CaptionPoint(w));
            else
                out << " (hidden)";
            break;
        }
        case 13: {
            CTabbedAutoHideDockingWindow* w = Window();
            out << "close " << Name(w) << " by its button";
            if (w->isVisible()) {
                const dockwins::RECT& b = w->Caption().close;
                const QPoint at((b.left + b.right) / 2, (b.top + b.bottom) / 2);
                if (Covered(w, at)) {
                    out << " (covered by the slid-out pane)";
                } else {
                    m_closed.insert(w);
                    Click(w, at);
                }
            } else {
                out << " (hidden)";
            }
            break;
        }
        case 14: DeleteWhileDragged(out); break;
        case 15: DropOnCaption(out); break;
        case 16: ReorderTabs(out); break;
        case 17: TearOutAndBack(out); break;
        case 18: CloseActiveTab(out); break;
        case 19: UndockOneOfTwo(out); break;
        case 20: BoxOnBox(out); break;
        case 21: OntoItself(out); break;
        case 22:
        case 23: DropOnCaption(out); break;
        case 24: PinPane(out); break;
        case 25: HoverLabel(out); break;
        case 26: LeavePane(out); break;
        case 27: ResizePane(out); break;
        case 28: ClosePane(out); break;
        case 29: UnpinPane(out); break;
        case 30: StoreAndRestore(out); break;
        case 31: RestoreOnOtherScreens(out); break;
        case 32: ResizeFloating(out); break;
        case 33: ChangeScreens(out); break;
        case 34: ViewCommand(out); break;
        case 0:
        case 1:
        case 2: DockAt(out); break;
        case 3: {
            CTabbedAutoHideDockingWindow* w = Window();
            out << "hide " << Name(w);
            w->Hide();
            m_closed.insert(w);
            break;
        }
        case 4: {
            CTabbedAutoHideDockingWindow* w = Window();
            out << "activate " << Name(w);
            w->Activate();
            break;
        }
        case 5:
        case 6:
        case 7: DragSplitter(out); break;
        case 8: {
            const QSize old = frame.size();
            out << "resize to the minimum " << frame.minimumSize().width() << "x" << frame.minimumSize().height()
                << " and back";
            frame.resize(frame.minimumSize());
            Settle();
            Check(out.str() + " (at the minimum)");
            frame.resize(old);
            break;
        }
        default: {
            const QSize size(Pick(600, 1900), Pick(400, 1000));
            out << "resize " << size.width() << "x" << size.height();
            frame.resize(size);
            break;
        }
        }
        Settle();
        return out.str();
    }

    void Check(const std::string& step)
    {
        auto problems = Problems();
        // Reachable: a pane that was not closed is shown (docked or floating).
        for (CTabbedAutoHideDockingWindow* w : m_windows) {
            // A tab behind another one in a shown box is reachable by its tab.
            if (w->IsVisibleWindow() || (w->IsInBox() && IsShownBox(w->DockedTo())))
                m_closed.erase(w);
            else if (!m_closed.count(w))
                problems.push_back(Name(w) + " is hidden but was never closed");
        }
        if (!m_leftOver.empty()) {
            problems.push_back(m_leftOver);
            m_leftOver.clear();
        }
        if (!problems.empty())
            m_failure = step + ":\n" + Join(problems);
    }

    // Widgets alive, not counting the bars (a bar and its ghost outline) nor
    // the desktop widget Qt makes once, the first time a pointer event finds
    // its receiver gone.
    long LiveWidgets() const
    {
        long count = 0;
        for (const QWidget* w : QApplication::allWidgets())
            count += w->windowType() == Qt::Desktop ? 0 : 1;
        // Nor the boxes with their strips.
        for (const CTabDockingBox* box : frame.findChildren<CTabDockingBox*>())
            count -= 2 + static_cast<long>(box->TabCtrl().findChildren<QWidget*>().size());
        return count - 2 * static_cast<long>(frame.Bars().size());
    }

    ~Fuzzer() { SetScreenAreasSource({}); }

    std::string m_failure;
    long m_baseline = 0;

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    CTabbedAutoHideDockingWindow* Window() { return m_windows[static_cast<std::size_t>(Pick(0, 2))]; }
    static std::string Name(const QWidget* w) { return w->windowTitle().trimmed().toStdString(); }

    void DockAt(std::ostringstream& out)
    {
        CTabbedAutoHideDockingWindow* w = Window();
        const unsigned side = static_cast<unsigned>(Pick(0, 7));
        const int index = Pick(0, 9) == 0 ? Pick(-3, 1 << 20) : Pick(-1, 4);
        float fraction = static_cast<float>(Pick(-10, 110)) / 100.0f;
        if (Pick(0, 15) == 0)
            fraction = std::numeric_limits<float>::quiet_NaN();
        const unsigned width = Pick(0, 9) == 0 ? 0xFFFFFFFFu - static_cast<unsigned>(Pick(0, 8)) : static_cast<unsigned>(Pick(0, 700));
        const unsigned height = static_cast<unsigned>(Pick(0, 900));
        out << "dock " << Name(w) << " side " << side << " index " << index << " fraction " << fraction << " width "
            << width << " height " << height;
        frame.DockWindow(w, side, index, fraction, width, height);
    }

    void DragSplitter(std::ostringstream& out)
    {
        // Every visible splitter bar: the frame packages' and the bars' own.
        std::vector<QPoint> splitters;
        for (const CSubWndFramesPackage* package : {&frame.Layout().Outer(), &frame.Layout().Inner()})
            for (std::size_t i = 1; i < package->Count(); ++i)
                splitters.push_back(dockwins::ToQRect(package->BarRect(i)).center());
        for (const CPackageWindow* bar : frame.Bars())
            for (std::size_t i = 1; i < bar->Package().Count(); ++i)
                splitters.push_back(bar->mapTo(frame.ClientArea(), dockwins::ToQRect(bar->Package().BarRect(i)).center()));
        if (splitters.empty()) {
            out << "no splitter to drag";
            return;
        }
        const bool ghost = Pick(0, 1) == 1;
        SetGhost(ghost);
        const QPoint start = splitters[static_cast<std::size_t>(Pick(0, static_cast<int>(splitters.size()) - 1))];
        out << (ghost ? "ghost" : "full") << " drag from " << start.x() << "," << start.y();
        Press(start);
        QPoint at = start;
        const int moves = Pick(1, 5);
        for (int i = 0; i < moves; ++i) {
            at = QPoint(Pick(0, frame.ClientArea()->width() - 1), Pick(0, frame.ClientArea()->height() - 1));
            out << " to " << at.x() << "," << at.y();
            Move(at);
        }
        switch (Pick(0, 3)) {
        case 0:
            out << ", Escape";
            QTest::keyClick(frame.windowHandle(), Qt::Key_Escape);
            Release(at);
            break;
        case 1:
            out << ", right button";
            Press(at, Qt::RightButton);
            Release(at, Qt::RightButton);
            Release(at);
            break;
        case 2: {
            out << ", deactivation";
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(&frame, &deactivate);
            Release(at);
            // The user comes back to the window.
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(&frame, &activate);
            break;
        }
        default:
            out << ", release";
            Release(at);
            break;
        }
    }

    // A point of the caption away from its buttons.
    static QPoint CaptionPoint(const CTabbedAutoHideDockingWindow* w)
    {
        const dockwins::RECT& c = w->Caption().caption;
        return w->IsHorizontal() ? QPoint(c.left + 8, (c.top + c.bottom) / 2)
                                 : QPoint((c.left + c.right) / 2, w->Caption().pin.bottom + 8);
    }
    static QWindow* Handle(QWidget* w) { return w->window()->windowHandle(); }
    static QPoint InWindow(QWidget* w, QPoint p) { return w->mapTo(w->window(), p); }
    void Click(QWidget* w, QPoint p)
    {
        QTest::mouseClick(Handle(w), Qt::LeftButton, {}, InWindow(w, p));
    }
    void DoubleClick(QWidget* w, QPoint p)
    {
        QTest::mouseDClick(Handle(w), Qt::LeftButton, {}, InWindow(w, p));
    }

    // Presses the caption and moves by more than the drag distance: a drag
    // session runs when the caption was reachable. Returns the pressed window.
    QWindow* BeginCaptionDrag(CTabbedAutoHideDockingWindow* w, QPoint& at)
    {
        QWindow* window = Handle(w);
        at = InWindow(w, CaptionPoint(w));
        QTest::mousePress(window, Qt::LeftButton, {}, at);
        at += QPoint(6, 6);
        QTest::mouseMove(window, at);
        return window;
    }

    void DragCaption(std::ostringstream& out)
    {
        CTabbedAutoHideDockingWindow* w = Window();
        out << "drag " << Name(w) << " by its caption";
        if (!w->isVisible()) {
            out << " (hidden)";
            return;
        }
        QPoint at;
        QWindow* window = BeginCaptionDrag(w, at);
        const int moves = Pick(1, 4);
        for (int i = 0; i < moves; ++i) {
            const QPoint client(Pick(-20, frame.ClientArea()->width() + 20), Pick(-20, frame.ClientArea()->height() + 20));
            out << " to " << client.x() << "," << client.y();
            at = window->mapFromGlobal(frame.ClientArea()->mapToGlobal(client));
            QTest::mouseMove(window, at);
        }
        const bool ctrl = Pick(0, 5) == 0;
        if (ctrl) {
            out << " with Ctrl";
            QTest::keyPress(window, Qt::Key_Control);
            QTest::mouseMove(window, at);
        }
        switch (Pick(0, 4)) {
        case 0:
            out << ", Escape";
            QTest::keyClick(window, Qt::Key_Escape);
            QTest::mouseRelease(window, Qt::LeftButton, {}, at);
            break;
        case 1:
            out << ", right button";
            QTest::mousePress(window, Qt::RightButton, {}, at);
            QTest::mouseRelease(window, Qt::RightButton, {}, at);
            QTest::mouseRelease(window, Qt::LeftButton, {}, at);
            break;
        case 2: {
            out << ", deactivation";
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(w->window(), &deactivate);
            QTest::mouseRelease(window, Qt::LeftButton, {}, at);
            // The user comes back to the window.
            QEvent activate(QEvent::WindowActivate);
            if (w->window())
                QCoreApplication::sendEvent(w->window(), &activate);
            break;
        }
        default:
            out << ", drop";
            QTest::mouseRelease(window, Qt::LeftButton, ctrl ? Qt::ControlModifier : Qt::KeyboardModifiers{}, at);
            break;
        }
        if (ctrl)
            QTest::keyRelease(window, Qt::Key_Control);
    }

    void DeleteWhileDragged(std::ostringstream& out)
    {
        CTabbedAutoHideDockingWindow* temp = MakeWindow("Temporary");
        frame.DockWindow(temp, static_cast<unsigned>(Pick(0, 3)), 0, 0.5f, 150, 150);
        Settle();
        out << "delete a pane while it is dragged";
        if (temp->isVisible()) {
            QPoint at;
            QWindow* window = BeginCaptionDrag(temp, at);
            delete temp;
            QTest::mouseRelease(window, Qt::LeftButton, {}, at);
        } else {
            delete temp;
        }
    }

    // ------------------------------------------------------------ boxes

    static bool IsShownBox(QWidget* w)
    {
        const auto* box = qobject_cast<CTabDockingBox*>(w);
        return box && !box->IsClosing() && box->IsVisibleWindow();
    }
    std::vector<CTabDockingBox*> ShownBoxes() const
    {
        std::vector<CTabDockingBox*> boxes;
        for (CTabDockingBox* box : frame.findChildren<CTabDockingBox*>())
            if (IsShownBox(box) && box->isVisible())
                boxes.push_back(box);
        return boxes;
    }
    CTabDockingBox* AnyBox()
    {
        const std::vector<CTabDockingBox*> boxes = ShownBoxes();
        return boxes.empty() ? nullptr : boxes[static_cast<std::size_t>(Pick(0, static_cast<int>(boxes.size()) - 1))];
    }
    // What the user drags for w: its box when it is a tab.
    static CTabbedAutoHideDockingWindow* Dragged(CTabbedAutoHideDockingWindow* w)
    {
        return w->IsInBox() ? static_cast<CTabbedAutoHideDockingWindow*>(w->DockedTo()) : w;
    }
    static QString Title(const QWidget* w) { return w->windowTitle().trimmed(); }

    // Drags `w` by its caption to a screen point and drops it there.
    void DragCaptionTo(CTabbedAutoHideDockingWindow* w, QPoint global)
    {
        QPoint at;
        QWindow* window = BeginCaptionDrag(w, at);
        const QPoint start = window->mapToGlobal(at);
        for (int i = 1; i <= 3; ++i)
            QTest::mouseMove(window, window->mapFromGlobal(start + (global - start) * i / 3));
        QTest::mouseRelease(window, Qt::LeftButton, {}, window->mapFromGlobal(global));
    }

    void DropOnCaption(std::ostringstream& out)
    {
        const int first = Pick(0, 2);
        CTabbedAutoHideDockingWindow* a = Dragged(m_windows[static_cast<std::size_t>(first)]);
        CTabbedAutoHideDockingWindow* b = m_windows[static_cast<std::size_t>((first + Pick(1, 2)) % 3)];
        out << "drop " << Title(a).toStdString() << " on the caption of " << Name(b);
        if (!a->isVisible() || !b->isVisible() || b->IsInBox() || a == b) {
            out << " (not both shown)";
            return;
        }
        DragCaptionTo(a, b->mapToGlobal(CaptionPoint(b) + QPoint(Pick(0, 20), 0)));
    }

    // Presses a tab of the box and moves the pointer by `path` (strip coordinates).
    QWindow* PressTab(CTabDockingBox* box, int index, QPoint& at)
    {
        CFlyingTabCtrl& tabs = box->TabCtrl();
        QWindow* window = Handle(&tabs);
        at = InWindow(&tabs, tabs.GetItemRect(index).center());
        QTest::mousePress(window, Qt::LeftButton, {}, at);
        return window;
    }

    void ReorderTabs(std::ostringstream& out)
    {
        CTabDockingBox* box = AnyBox();
        if (!box) {
            out << "reorder tabs (no box)";
            return;
        }
        const int from = Pick(0, box->WindowCount() - 1);
        const int to = Pick(0, box->WindowCount() - 1);
        out << "drag tab " << from << " of " << Title(box).toStdString() << " to tab " << to;
        QPoint at;
        QWindow* window = PressTab(box, from, at);
        const QPoint end = InWindow(&box->TabCtrl(), box->TabCtrl().GetItemRect(to).center());
        for (int i = 1; i <= 4; ++i)
            QTest::mouseMove(window, at + (end - at) * i / 4);
        QTest::mouseRelease(window, Qt::LeftButton, {}, end);
    }

    void TearOutAndBack(std::ostringstream& out)
    {
        CTabDockingBox* box = AnyBox();
        if (!box) {
            out << "tear a tab out (no box)";
            return;
        }
        QPointer<CTabDockingBox> guard(box);
        const int index = Pick(0, box->WindowCount() - 1);
        out << "tear tab " << index << " out of " << Title(box).toStdString();
        QPoint at;
        QWindow* window = PressTab(box, index, at);
        for (int dy = 5; dy <= 60; dy += 5)
            QTest::mouseMove(window, at - QPoint(0, dy));
        QCoreApplication::processEvents();  // the torn-out window's drag starts
        QPoint drop;
        if (guard && Pick(0, 2) != 0) {
            CFlyingTabCtrl& tabs = guard->TabCtrl();
            const int back = Pick(0, guard->WindowCount() - 1);
            out << ", back over tab " << back;
            drop = window->mapFromGlobal(tabs.mapToGlobal(tabs.GetItemRect(back).center()));
        } else {
            const QPoint client(Pick(0, frame.ClientArea()->width() - 1), Pick(0, frame.ClientArea()->height() - 1));
            out << ", to " << client.x() << "," << client.y();
            drop = window->mapFromGlobal(frame.ClientArea()->mapToGlobal(client));
        }
        QTest::mouseMove(window, drop);
        QTest::mouseMove(window, drop + QPoint(1, 0));
        const bool cancel = Pick(0, 5) == 0;
        if (cancel) {
            out << ", Escape";
            QTest::keyClick(window, Qt::Key_Escape);
        }
        QTest::mouseRelease(window, Qt::LeftButton, {}, drop + QPoint(1, 0));
    }

    void CloseActiveTab(std::ostringstream& out)
    {
        CTabDockingBox* box = AnyBox();
        if (!box) {
            out << "close the active tab (no box)";
            return;
        }
        out << "close the active tab of " << Title(box).toStdString() << " by the box's button";
        const dockwins::RECT& b = box->Caption().close;
        const QPoint at((b.left + b.right) / 2, (b.top + b.bottom) / 2);
        if (Covered(box, at)) {
            out << " (covered)";
            return;
        }
        if (CTabbedAutoHideDockingWindow* active = box->ActiveWindow())
            m_closed.insert(active);
        Click(box, at);
    }

    void UndockOneOfTwo(std::ostringstream& out)
    {
        CTabbedAutoHideDockingWindow* w = Window();
        out << "undock " << Name(w) << " from its box";
        if (!w->IsInBox()) {
            out << " (not a tab)";
            return;
        }
        if (Pick(0, 1) == 0) {
            out << " by hiding it";
            m_closed.insert(w);
            w->Hide();
        } else {
            out << " to the right";
            frame.DockWindow(w, kSideInner, 0, 0.5f, 180, 150);
        }
    }

    void BoxOnBox(std::ostringstream& out)
    {
        const std::vector<CTabDockingBox*> boxes = ShownBoxes();
        out << "drop a box on a box";
        if (boxes.size() < 2) {
            out << " (fewer than two)";
            return;
        }
        CTabDockingBox* x = boxes[0];
        CTabDockingBox* y = boxes[1];
        CFlyingTabCtrl& tabs = y->TabCtrl();
        DragCaptionTo(x, tabs.mapToGlobal(tabs.GetItemRect(Pick(0, y->WindowCount() - 1)).center()));
    }

    void OntoItself(std::ostringstream& out)
    {
        CTabbedAutoHideDockingWindow* w = Dragged(Window());
        out << "drop " << Title(w).toStdString() << " on itself";
        if (!w->isVisible()) {
            out << " (hidden)";
            return;
        }
        switch (Pick(0, 2)) {
        case 0: {
            DockRequest request;
            request.window = w;
            request.target = w;
            request.outline = {0, 0, 0, 0};
            w->SendRequest2(request);
            break;
        }
        case 1: w->DockTo(w, 0); break;
        default: {
            // Its own caption, or its own strip for a box.
            auto* box = qobject_cast<CTabDockingBox*>(w);
            const QPoint at = box ? box->TabCtrl().mapToGlobal(box->TabCtrl().GetItemRect(0).center())
                                  : w->mapToGlobal(CaptionPoint(w) + QPoint(20, 0));
            DragCaptionTo(w, at);
            break;
        }
        }
    }


    // ------------------------------------------------------------ within reach

    // Drags an edge or a corner of a floating window far past the screen.
    void ResizeFloating(std::ostringstream& out)
    {
        const auto windows = frame.FloatingWindows();
        out << "resize a floating window";
        if (windows.empty()) {
            out << " (none)";
            return;
        }
        CTabbedAutoHideDockingWindow* w = windows[static_cast<std::size_t>(Pick(0, static_cast<int>(windows.size()) - 1))];
        // The resize margins: the sides, the bottom, and the corners (the top
        // alone is the caption).
        static const struct {
            const char* name;
            double x, y;  // 0 the left or top margin, 1 the right or bottom one, 0.5 the middle
            int dx, dy;   // the direction the pointer goes
        } handles[] = {
            {"left", 0, 0.5, -1, 0},     {"right", 1, 0.5, 1, 0},      {"bottom", 0.5, 1, 0, 1},
            {"bottom-left", 0, 1, -1, 1}, {"bottom-right", 1, 1, 1, 1}, {"top-left", 0, 0, -1, -1},
            {"top-right", 1, 0, 1, -1},
        };
        const auto& h = handles[Pick(0, 6)];
        const int sign = Pick(0, 3) == 0 ? -1 : 1;  // now and then inwards, past the minimum
        const int far = Pick(100, 4000);
        const QPoint local(h.x == 0 ? 1 : h.x == 1 ? w->width() - 2 : w->width() / 2,
                           h.y == 0 ? 1 : h.y == 1 ? w->height() - 2 : w->height() / 2);
        const QPoint start = w->mapToGlobal(local);
        const QPoint end = start + QPoint(h.dx, h.dy) * far * sign;
        out << " " << Name(w) << " by its " << h.name << " handle to " << end.x() << "," << end.y();
        QWindow* window = Handle(w);
        QTest::mousePress(window, Qt::LeftButton, {}, window->mapFromGlobal(start));
        for (int i = 1; i <= 3; ++i)
            QTest::mouseMove(window, window->mapFromGlobal(start + (end - start) * i / 3));
        QTest::mouseRelease(window, Qt::LeftButton, {}, window->mapFromGlobal(end));
    }

    // Screens added, resized and removed while the program runs, then a
    // float, a dock back or an activation.
    void ChangeScreens(std::ostringstream& out)
    {
        static const std::vector<std::vector<QRect>> sets{
            {QRect(0, 0, 1920, 1080)},
            {QRect(0, 0, 1280, 720)},
            {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)},
            {QRect(0, 30, 1920, 1050)},  // a panel along the top
            {QRect(-1280, 200, 1280, 800), QRect(0, 0, 1024, 768)},
            {QRect(2000, 0, 800, 600)},  // the frame's own screen gone
        };
        const std::size_t which = static_cast<std::size_t>(Pick(0, static_cast<int>(sets.size()) - 1));
        out << "screens now";
        for (const QRect& r : sets[which])
            out << " (" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << ")";
        SetScreenAreasSource([screens = sets[which]] { return screens; });
        Settle();
        CTabbedAutoHideDockingWindow* w = Dragged(Window());
        switch (Pick(0, 2)) {
        case 0:
            out << ", float " << Name(w);
            if (w->FloatingRect().IsEmpty() && Pick(0, 1) == 0) {
                // One that never floated, stored where a screen was.
                w->SetFloatingRect({5000, 5000, 5300, 5200});
                out << " from (5000,5000)";
            }
            w->Float();
            break;
        case 1:
            out << ", dock back " << Name(w);
            w->DockBack();
            break;
        default:
            out << ", activate " << Name(w);
            w->Activate();
            break;
        }
    }

    // The View command in whatever state the window is; it is in view at once.
    void ViewCommand(std::ostringstream& out)
    {
        CTabbedAutoHideDockingWindow* w = Window();
        out << "the View command of " << Name(w) << " (" << StateName(w) << ")";
        w->BringIntoView();
        Settle();

        m_closed.erase(w);
        const auto problems = CheckInView(frame, *w);
        if (!problems.empty())
            m_leftOver = Join(problems);
    }

    std::string StateName(CTabbedAutoHideDockingWindow* w)
    {
        if (AutoHide().Model().IsPinned(w))
            return "pinned";
        if (w->IsInBox())
            return w->isHidden() ? (IsShownBox(w->DockedTo()) ? "a tab behind another" : "a tab of a hidden box")
                                 : "the front tab";
        if (!w->IsVisibleWindow())
            return "hidden";
        return w->IsDocked() ? "docked" : "floating";
    }

    // ------------------------------------------------------------ auto-hide

    CAutoHideManager& AutoHide() { return frame.AutoHide(); }
    // Another window (the slid-out pane) lies over the point of w.
    static bool Covered(QWidget* w, QPoint p)
    {
        QWidget* hit = w->window()->childAt(InWindow(w, p));
        return hit && hit != w && !w->isAncestorOf(hit);
    }
    CTabbedAutoHideDockingWindow* PinnedWindow()
    {
        std::vector<CTabbedAutoHideDockingWindow*> pinned;
        for (CTabbedAutoHideDockingWindow* w : m_windows)
            if (AutoHide().Model().IsPinned(w))
                pinned.push_back(w);
        return pinned.empty() ? nullptr : pinned[static_cast<std::size_t>(Pick(0, static_cast<int>(pinned.size()) - 1))];
    }
    void FinishSlide()
    {
        (void)QTest::qWaitFor([this] { return !AutoHide().IsSliding(); }, 1000);
    }

    void PinPane(std::ostringstream& out)
    {
        CTabbedAutoHideDockingWindow* w = Window();
        // Half of the time the box a window is in, when it is in one.
        if (Pick(0, 1) == 1 && w->IsInBox() && !static_cast<CTabDockingBox*>(w->DockedTo())->IsClosing())
            w = static_cast<CTabDockingBox*>(w->DockedTo());
        const bool show = Pick(0, 1) == 1;
        out << "pin " << Name(w) << (show ? " shown" : "");
        if (!w->IsDocked() || AutoHide().Model().IsPinned(w)) {
            out << " (not docked)";
            return;
        }
        const dockwins::RECT& b = w->Caption().pin;
        const QPoint at((b.left + b.right) / 2, (b.top + b.bottom) / 2);
        if (Pick(0, 1) == 1 && w->isVisible() && !Covered(w, at)) {
            out << " by its button";
            Click(w, at);
        } else {
            w->Pin(show);
        }
    }

    void HoverLabel(std::ostringstream& out)
    {
        CTabbedAutoHideDockingWindow* w = PinnedWindow();
        out << "hover the label of " << (w ? Name(w) : std::string("nobody"));
        if (!w)
            return;
        SetGhost(Pick(0, 1) == 1);
        const QRect label = AutoHide().LabelRectOf(w);
        if (label.isEmpty()) {
            out << " (no room for labels)";
            return;
        }
        m_cursor = label.center();
        Move(m_cursor);
        // The pointer rests: what the hover timer does.
        AutoHide().HoverShow();
        FinishSlide();
    }

    void LeavePane(std::ostringstream& out)
    {
        out << "move pointer and focus away";
        m_cursor = QPoint(Pick(0, frame.ClientArea()->width() - 1), Pick(0, frame.ClientArea()->height() - 1));
        Move(m_cursor);
        client->setFocus();
        AutoHide().HideTick();
        FinishSlide();
        Settle();
        if (AutoHide().PointerAndFocusHaveLeft() && !AutoHide().Pane()->isHidden())
            m_leftOver = "a slid-out pane stayed after pointer and focus had left";
    }

    void ResizePane(std::ostringstream& out)
    {
        CAutoHidePane* pane = AutoHide().Pane();
        out << "resize the slid-out pane";
        if (!AutoHide().ShownWindow() || pane->isHidden()) {
            out << " (none)";
            return;
        }
        const bool ghost = Pick(0, 1) == 1;
        SetGhost(ghost);
        const QPoint start = pane->mapTo(frame.ClientArea(), pane->SizingBar().center());
        const QPoint to(Pick(-20, frame.ClientArea()->width() + 20), Pick(-20, frame.ClientArea()->height() + 20));
        out << (ghost ? " (ghost)" : "") << " from " << start.x() << "," << start.y() << " to " << to.x() << ","
            << to.y();
        Press(start);
        Move(to);
        if (Pick(0, 3) == 0) {
            out << ", Escape";
            QTest::keyClick(frame.windowHandle(), Qt::Key_Escape);
        }
        Release(to);
        m_cursor = pane->geometry().center();
    }

    void ClosePane(std::ostringstream& out)
    {
        CAutoHidePane* pane = AutoHide().Pane();
        QWidget* shown = AutoHide().ShownWindow();
        out << "close the slid-out pane by its caption";
        if (!shown || pane->isHidden() || AutoHide().IsSliding()) {
            out << " (none)";
            return;
        }
        const dockwins::RECT& b = pane->Caption().close;
        const QPoint at((b.left + b.right) / 2, (b.top + b.bottom) / 2);
        if (Covered(pane, at)) {
            out << " (the pane is too narrow for its button)";
            return;
        }
        m_closed.insert(static_cast<CTabbedAutoHideDockingWindow*>(shown));
        Click(pane, at);
    }

    void UnpinPane(std::ostringstream& out)
    {
        CTabbedAutoHideDockingWindow* w = PinnedWindow();
        out << "unpin " << (w ? Name(w) : std::string("nobody"));
        if (!w)
            return;
        AutoHide().Show(w, false);
        CAutoHidePane* pane = AutoHide().Pane();
        const dockwins::RECT& b = pane->Caption().pin;
        const QPoint at((b.left + b.right) / 2, (b.top + b.bottom) / 2);
        if (Covered(pane, at)) {
            out << " (the pane is too narrow for its button: as the button would)";
            AutoHide().Remove(w, true);
            return;
        }
        Click(pane, at);
    }

    QPoint m_cursor{-100, -100};

public:
    std::string m_leftOver;

private:
    // The window state over this frame and its windows, in a file of this run.
    std::unique_ptr<sstate::CWindowStateMgr> StateOf()
    {
        auto state = std::make_unique<sstate::CWindowStateMgr>(&frame, m_stateDir.filePath("Calculator.ini"));
        auto panes = std::make_shared<sstate::CDockWndMgrEx>(&frame);
        for (CTabbedAutoHideDockingWindow* w : m_windows)
            panes->Add(std::make_shared<sstate::CDockingWindowStateAdapter>(w));
        state->Add(panes);
        return state;
    }
    std::map<QString, QByteArray> StoredValues() const
    {
        QSettings ini(m_stateDir.filePath("Calculator.ini"), QSettings::IniFormat);
        std::map<QString, QByteArray> values;
        for (const QString& key : ini.allKeys())
            values[key] = ini.value(key).toByteArray();
        return values;
    }
    static std::string WordChanges(const QByteArray& a, const QByteArray& b)
    {
        std::ostringstream out;
        for (int i = 0; i + 4 <= std::min(a.size(), b.size()); i += 4)
            if (a.mid(i, 4) != b.mid(i, 4))
                out << " word " << i / 4 << " " << a.mid(i, 4).toHex().toStdString() << " -> "
                    << b.mid(i, 4).toHex().toStdString();
        if (a.size() != b.size())
            out << " size " << a.size() << " -> " << b.size();
        return out.str();
    }
    // A large screen besides the ones the program runs on now.
    static sstate::ScreenSet LargeScreen()
    {
        sstate::ScreenSet set{QSize(4000, 3000), {QRect(0, 0, 4000, 3000)}};
        for (const dockwins::RECT& area : ScreenAreas())
            set.rects.push_back(dockwins::ToQRect(area));
        return set;
    }

    bool AnyBarBelowMinimum() const
    {
        for (const CPackageWindow* bar : frame.Bars())
            if (std::min(bar->width(), bar->height()) < 100)
                return true;
        return false;
    }

    // What of a docking record must come back from a restore exactly. A
    // docked window's fraction and extent along its bar are left out: the bar
    // shares its length out again when its windows come back (and rounds by a
    // pixel). Rectangles come back placed as every floating window is (at
    // least the minimum, the caption within reach of the restore's screens),
    // a bar narrower than its windows' minimum at the minimum, and a bar wider
    // than the client (the frame shrank under it) at the client's size.
    // With `squeezed` a docked pane's thickness is left out too.
    QByteArray KeptOfRecord(const QByteArray& record, bool squeezed = false) const
    {
        if (record.size() != 60)
            return record;
        QByteArray kept = record;
        std::vector<dockwins::RECT> screens;
        for (const QRect& screen : LargeScreen().rects)
            screens.push_back(dockwins::ToRect(screen));
        const auto atLeastMinimum = [&kept, &screens](int first) {
            qint32 r[4];
            std::memcpy(r, kept.constData() + first * 4, 16);
            if (r[2] > r[0] || r[3] > r[1]) {
                const dockwins::RECT placed = PlaceFloatingWindow({r[0], r[1], r[2], r[3]}, 100, 100, screens);
                r[0] = placed.left;
                r[1] = placed.top;
                r[2] = placed.right;
                r[3] = placed.bottom;
            }
            kept.replace(first * 4, 16, QByteArray(reinterpret_cast<const char*>(r), 16));
        };
        atLeastMinimum(9);
        if ((record[12] & 8) != 0) {
            atLeastMinimum(4);
            return kept;
        }
        kept.replace(20, 4, QByteArray(4, 0)).replace(28, 4, QByteArray(4, 0));
        quint32 width = 0;
        std::memcpy(&width, record.constData() + 24, 4);
        width = std::max<quint32>(width, 100);
        const QSize client = frame.ClientArea()->size();
        if (width >= static_cast<quint32>((record[12] & 1) != 0 ? client.width() : client.height()))
            width = 0;
        if (squeezed)
            width = 0;
        kept.replace(24, 4, QByteArray(reinterpret_cast<const char*>(&width), 4));
        return kept;
    }

    // Store, restore, store, twice: where each pane is comes back as stored.
    void StoreAndRestore(std::ostream& out)
    {
        out << "store and restore the window state";
        auto state = StateOf();
        state->SetScreenSource(&LargeScreen);
        state->StoreWindowState();
        for (int round = 0; round < 2 && m_failure.empty(); ++round) {
            const auto before = StoredValues();
            // A bar thinner than its windows' minimum (left by shrinking the
            // frame) gets its minimum back when a restore docks the panes
            // again, at its neighbour's cost: the bars' thicknesses may then
            // move once.
            const bool squeezed = round == 0 && AnyBarBelowMinimum();
            state->RestoreWindowState();
            Settle();
            state->StoreWindowState();
            const auto after = StoredValues();
            for (const auto& [key, value] : before) {
                if (!key.contains("/0xffffffff/"))
                    continue;
                const QByteArray again = after.count(key) ? after.at(key) : QByteArray();
                if (KeptOfRecord(again, squeezed) != KeptOfRecord(value, squeezed))
                    m_failure = "store, restore, store moved " + key.toStdString() + ":" + WordChanges(value, again);
            }
        }
    }

    // Stored on two screens, restored on one smaller screen.
    void RestoreOnOtherScreens(std::ostream& out)
    {
        out << "store on two screens, restore on one smaller screen";
        auto state = StateOf();
        state->SetScreenSource([] {
            return sstate::ScreenSet{QSize(2560, 1440), {QRect(0, 0, 2560, 1440), QRect(2560, 0, 1920, 1080)}};
        });
        state->StoreWindowState();
        // The smaller screen is the one the program runs on from now on.
        SetScreenAreasSource([] { return std::vector<QRect>{QRect(0, 0, 1280, 720)}; });
        state->SetScreenSource([] { return sstate::ScreenSet{QSize(1280, 720), {QRect(0, 0, 1280, 720)}}; });
        state->RestoreWindowState();
        Settle();
        const QRect screen(0, 0, 1280, 720);
        for (CTabbedAutoHideDockingWindow* w : m_windows)
            if (w->isVisible() && !w->IsDocked() && !screen.intersects(w->geometry()))
                m_failure = Name(w) + " floats off the screen after the restore";
    }

    QTemporaryDir m_stateDir;
    std::mt19937 m_random;
    std::vector<CTabbedAutoHideDockingWindow*> m_windows;
    std::set<CTabbedAutoHideDockingWindow*> m_closed;
};

void RunSeed(unsigned seed, int steps)
{
    std::vector<std::string> done;
    Fuzzer fuzzer(seed);
    fuzzer.Check("start");
    for (int i = 0; i < steps && fuzzer.m_failure.empty(); ++i) {
        done.push_back(fuzzer.Step());
        fuzzer.Check(done.back());
    }
    if (fuzzer.m_failure.empty() && fuzzer.LiveWidgets() != fuzzer.m_baseline) {
        std::ostringstream out;
        out << "live widgets " << fuzzer.LiveWidgets() << " instead of " << fuzzer.m_baseline << ":";
        for (const QWidget* w : QApplication::allWidgets())
            out << " " << w->metaObject()->className() << "/" << w->objectName().toStdString() << "<"
                << (w->parentWidget() ? w->parentWidget()->metaObject()->className() : "none") << ">";
        fuzzer.m_failure = out.str();
    }
    if (!fuzzer.m_failure.empty()) {
        std::ostringstream out;
        out << "seed " << seed << ", after " << done.size() << " steps:\n";
        for (std::size_t i = 0; i < done.size(); ++i)
            out << "  " << i + 1 << ". " << done[i] << "\n";
        out << fuzzer.m_failure;
        ADD_FAILURE() << out.str();
    }
}

TEST(DockingFuzz, RandomOperationsKeepTheLayoutSound)
{
    for (unsigned seed = g_options.firstSeed; seed < g_options.firstSeed + g_options.seeds; ++seed)
        RunSeed(seed, g_options.steps);
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char* name) -> long {
            const std::string prefix = std::string(name) + "=";
            return arg.rfind(prefix, 0) == 0 ? std::strtol(arg.c_str() + prefix.size(), nullptr, 10) : -1;
        };
        if (const long v = value("--fuzz-seeds"); v > 0)
            g_options.seeds = static_cast<unsigned>(v);
        if (const long v = value("--fuzz-steps"); v > 0)
            g_options.steps = static_cast<int>(v);
        if (const long v = value("--fuzz-first-seed"); v >= 0)
            g_options.firstSeed = static_cast<unsigned>(v);
    }
    DockingTestApp();
    return RUN_ALL_TESTS();
}
