// Seeded random runs of the docking operations, with the layout checker after
// every step and the outcome of each step that has one: a box dropped on a box
// joins it, a pane hidden and shown or floated and docked back is where it
// was, a cancelled drag changes nothing, and a store, restore and store again
// changes no stored word. A failure prints the seed and the steps so that the
// case can be replayed and kept as a test. CI runs the fixed seeds; a longer run:
//   docking_fuzz_tests --fuzz-seeds=<count> --fuzz-steps=<per seed> [--fuzz-first-seed=<seed>]

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
        // Docked as the main frame docks them: Variables at the first dock's
        // 95 px above History.
        for (CTabbedAutoHideDockingWindow* w : {history, variables})
            FirstDock(w, 3, 0, 0.0f, 200, 100);
        Show();
        m_baseline = LiveWidgets();
        frame.AutoHide().SetHoverAllowed([] { return true; });
        frame.AutoHide().SetCursorSource([this] { return frame.ClientArea()->mapToGlobal(m_cursor); });
    }

    // One random step; returns its description.
    std::string Step()
    {
        std::ostringstream out;
        const int op = Pick(0, 36);
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
            if (!w->isVisible())
                out << " (hidden)";
            else if (Covered(w, CaptionPoint(w)))
                out << " (covered by the slid-out pane)";
            else
                DoubleClick(w, CaptionPoint(w));
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
        case 35: HideAndShow(out); break;
        case 36: FloatAndDockBack(out); break;
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
        // A first dock's place stays at the size it stated until it is laid
        // out anew, also with a box that took it.
        for (auto it = m_firstDocked.begin(); it != m_firstDocked.end();) {
            const QRect& r = it->rect;
            int index = -1;
            for (std::size_t i = 0; it->bar && i < it->bar->Package().Count(); ++i)
                if (const QWidget* w = ToWidget(it->bar->Package().FrameAt(i).GetHwnd()); w && w->geometry() == r)
                    index = static_cast<int>(i);
            if (index < 0) {
                it = m_firstDocked.erase(it);
                continue;
            }
            std::ostringstream line;
            line << "bar frame " << index << ": below its minimum (" << r.left() << "," << r.top() << ","
                 << r.left() + r.width() << "," << r.top() + r.height() << ")";
            std::erase(problems, line.str());
            ++it;
        }
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
        FirstDock(w, side, index, fraction, width, height);
    }

    // The frame's DockWindow. A size it states below the window's minimum
    // with its bar is kept until the window is placed again.
    void FirstDock(CTabbedAutoHideDockingWindow* w, unsigned side, int index, float fraction, unsigned width,
                   unsigned height)
    {
        frame.DockWindow(w, side, index, fraction, width, height);
        auto* bar = qobject_cast<CPackageWindow*>(w->DockedTo());
        if (bar && (bar->Package().IsHorizontal() ? w->width() : w->height()) < 100)
            m_firstDocked.push_back({bar, w->geometry()});
    }
    // A window of w's bar (or of its box's) keeps a first dock's size below
    // its minimum: the next placement in the bar gives it its minimum, at its
    // neighbours' cost.
    bool FirstDockedInBarOf(const CTabbedAutoHideDockingWindow* w) const
    {
        const QWidget* holder = w->IsInBox() ? static_cast<CTabbedAutoHideDockingWindow*>(w->DockedTo())->DockedTo()
                                             : w->DockedTo();
        return holder && std::any_of(m_firstDocked.begin(), m_firstDocked.end(),
                                     [holder](const FirstDockPlace& place) { return place.bar == holder; });
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
        const Layout before = Snapshot();
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
            ExpectUnchanged(before, "a cancelled splitter drag");
            break;
        case 1:
            out << ", right button";
            Press(at, Qt::RightButton);
            Release(at, Qt::RightButton);
            Release(at);
            ExpectUnchanged(before, "a cancelled splitter drag");
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
        const Layout before = Snapshot();
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
        const int end = Pick(0, 4);
        const bool dropped = end > 2;
        switch (end) {
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
        if (!dropped) {
            Settle();
            ExpectUnchanged(before, "a caption drag ended without a drop");
        }
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
        Settle();
        const Layout before = Snapshot();  // the pressed tab is in front
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
        if (cancel) {
            Settle();
            ExpectUnchanged(before, "a cancelled tear-out");
        }
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
            FirstDock(w, kSideInner, 0, 0.5f, 180, 150);
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
        const QPoint to = tabs.mapToGlobal(tabs.GetItemRect(Pick(0, y->WindowCount() - 1)).center());
        // Dropped where y's strip is on top, x's windows join y with x's
        // front window in front.
        QWidget* top = TopWindowAt(to, x);
        QWidget* hit = top ? top->childAt(top->mapFromGlobal(to)) : nullptr;
        const bool onStrip = hit && (hit == &tabs || tabs.isAncestorOf(hit));
        std::vector<QPointer<CTabbedAutoHideDockingWindow>> moving;
        for (int i = 0; i < x->WindowCount(); ++i)
            moving.emplace_back(x->WindowAt(i));
        const QPointer<CTabbedAutoHideDockingWindow> front = x->ActiveWindow();
        const QPointer<CTabDockingBox> target = y;
        out << " (" << Tabs(x) << " on " << Tabs(y) << (onStrip ? "" : ", the strip covered") << ")";
        DragCaptionTo(x, to);
        Settle();
        if (!onStrip)
            return;
        bool joined = target && front && target->ActiveWindow() == front;
        for (const auto& w : moving)
            joined = joined && w && w->DockedTo() == target;
        Expect(joined, "the box dropped on a box did not join it: " +
                           (target ? Tabs(target) + " front " +
                                         (target->ActiveWindow() ? Name(target->ActiveWindow()) : std::string("none"))
                                   : std::string("the target is gone")));
    }

    // The frame's window, or the floating one of its own on top at a screen
    // point (leaving `dragged` out), as a drop there finds them.
    QWidget* TopWindowAt(QPoint global, QWidget* dragged)
    {
        const QObjectList& children = frame.children();
        for (auto it = children.crbegin(); it != children.crend(); ++it) {
            auto* w = qobject_cast<QWidget*>(*it);
            if (w && w != dragged && w->isWindow() && w->isVisible() && w->geometry().contains(global) &&
                qobject_cast<CTabbedAutoHideDockingWindow*>(w))
                return w;
        }
        return frame.frameGeometry().contains(global) ? &frame : nullptr;
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

    // ------------------------------------------------------------ outcomes

    // What the user sees of the layout, an entry each: every pane's state and
    // rectangle on the screen, every box's tabs in order with its front tab
    // and rectangle, the bars, the client window, and every pinned label with
    // its slide-out width. Equal when nothing moved. The panes of a bar with
    // a window at a first dock's size below its minimum may move: the bar's
    // next layout pass gives that window its minimum.
    struct Layout {
        std::map<std::string, std::string> entries;
        std::set<std::string> mayMove;
    };
    static std::string OnScreen(const QWidget* w)
    {
        const QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
        std::ostringstream out;
        out << "(" << r.left() << "," << r.top() << " " << r.width() << "x" << r.height() << ")";
        return out.str();
    }
    static std::string Tabs(const CTabDockingBox* box)
    {
        std::string tabs;
        for (int i = 0; i < box->WindowCount(); ++i)
            tabs += (i > 0 ? "," : "") + (box->WindowAt(i) ? Name(box->WindowAt(i)) : std::string("?"));
        return tabs;
    }
    Layout Snapshot()
    {
        Layout snapshot;
        auto& layout = snapshot.entries;
        layout["client"] = OnScreen(client);
        std::vector<std::string> bars;
        for (const CPackageWindow* bar : frame.Bars())
            bars.push_back(OnScreen(bar));
        std::sort(bars.begin(), bars.end());
        for (const std::string& bar : bars)
            layout["bars"] += bar;
        for (CTabbedAutoHideDockingWindow* w : m_windows) {
            if (FirstDockedInBarOf(w))
                snapshot.mayMove.insert(Name(w));
            std::string& line = layout[Name(w)];
            if (const auto where = AutoHide().Model().Find(w); where.Found()) {
                line = "pinned to side " + std::to_string(where.side) + ", label " + std::to_string(where.label) +
                       " entry " + std::to_string(where.entry) + ", width " +
                       std::to_string(AutoHide().Model().PositionOf(w).width);
                continue;
            }
            if (w->IsInBox())
                line = "a tab of " + Tabs(static_cast<CTabDockingBox*>(w->DockedTo()));
            else if (!w->IsVisibleWindow())
                line = "hidden";
            else
                line = (w->IsDocked() ? "docked at " : "floating at ") + OnScreen(w);
        }
        for (const CTabDockingBox* box : frame.findChildren<CTabDockingBox*>()) {
            if (box->IsClosing() || AutoHide().Model().IsPinned(const_cast<CTabDockingBox*>(box)))
                continue;
            if (FirstDockedInBarOf(box))
                snapshot.mayMove.insert("box of " + Tabs(box));
            layout["box of " + Tabs(box)] = box->isVisible() ? "at " + OnScreen(box) : "hidden";
            layout["front tab of " + Tabs(box)] = box->ActiveWindow() ? Name(box->ActiveWindow()) : "none";
        }
        return snapshot;
    }
    // The entries that differ, a line each; `ignoreFront`: not the boxes' front tabs.
    static std::string Changes(const Layout& before, const Layout& after, bool ignoreFront = false)
    {
        std::string out;
        const auto line = [&](const std::string& key, const std::string& was, const std::string& is) {
            if (was != is && !(ignoreFront && key.rfind("front tab of ", 0) == 0) && !before.mayMove.count(key))
                out += "  " + key + ": " + was + " -> " + is + "\n";
        };
        for (const auto& [key, value] : before.entries)
            line(key, value, after.entries.count(key) ? after.entries.at(key) : "(none)");
        for (const auto& [key, value] : after.entries)
            if (!before.entries.count(key))
                line(key, "(none)", value);
        return out;
    }
    void Expect(bool holds, const std::string& what)
    {
        if (!holds)
            m_leftOver += (m_leftOver.empty() ? "" : "\n") + what;
    }
    void ExpectUnchanged(const Layout& before, const std::string& what, bool ignoreFront = false)
    {
        const std::string changes = Changes(before, Snapshot(), ignoreFront);
        Expect(changes.empty(), what + " changed the layout:\n" + changes);
    }

    // A pane hidden and shown again is where it was.
    void HideAndShow(std::ostringstream& out)
    {
        CTabbedAutoHideDockingWindow* w = Window();
        out << "hide " << Name(w) << " (" << StateName(w) << ") and show it again";
        if (!w->IsShownOrTabbed()) {
            out << " (not shown)";
            return;
        }
        // A pinned window closed comes back docked at a new bar of its side.
        const bool pinned = w->IsPinned();
        const bool tab = w->IsInBox();
        const Layout before = Snapshot();
        w->Hide();
        Settle();
        w->Activate();
        Settle();
        // Shown again, a tab comes to the front.
        if (!pinned)
            ExpectUnchanged(before, "hiding and showing " + Name(w), tab);
    }

    // A pane or box floated and docked back is where it was.
    void FloatAndDockBack(std::ostringstream& out)
    {
        CTabbedAutoHideDockingWindow* w = Window();
        if (Pick(0, 1) == 0)
            w = Dragged(w);
        out << "float " << Title(w).toStdString() << " (" << StateName(w) << ") and dock it back";
        if (!w->IsDocked() || w->IsPinned() || !w->IsShownOrTabbed()) {
            out << " (not docked)";
            return;
        }
        const bool tab = w->IsInBox();
        const Layout before = Snapshot();
        if (!w->Float()) {
            out << " (never floated)";
            return;
        }
        Settle();
        w->DockBack();
        Settle();
        ExpectUnchanged(before, "floating and docking back " + Title(w).toStdString(), tab);
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
        const Layout before = Snapshot();
        Press(start);
        Move(to);
        const bool cancel = Pick(0, 3) == 0;
        if (cancel) {
            out << ", Escape";
            QTest::keyClick(frame.windowHandle(), Qt::Key_Escape);
        }
        Release(to);
        if (cancel)
            ExpectUnchanged(before, "a cancelled resize of the slid-out pane");
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
    // A docking record without the docked window's fraction and height (words 5 and 7).
    static QByteArray WithoutPlaceInBar(QByteArray record)
    {
        const auto word = [&record](int i) { return record.mid(i * 4, 4); };
        if (record.size() != 60 || word(13) == QByteArray(4, 0) || (record[12] & 8) != 0)
            return record;
        return record.replace(20, 4, QByteArray(4, 0)).replace(28, 4, QByteArray(4, 0));
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

    // Store, restore, store, twice: every stored word comes back as it was.
    void StoreAndRestore(std::ostream& out)
    {
        out << "store and restore the window state";
        auto state = StateOf();
        state->SetScreenSource(&LargeScreen);
        state->StoreWindowState();
        for (int round = 0; round < 2 && m_leftOver.empty(); ++round) {
            const auto before = StoredValues();
            // A window at a first dock's size below its minimum comes back at
            // its minimum, taking it from the windows of its bar: their places
            // and heights may change, once.
            std::set<QString> mayMove;
            for (std::size_t i = 0; round == 0 && i < m_windows.size(); ++i)
                if (FirstDockedInBarOf(m_windows[i]))
                    mayMove.insert(QString::asprintf("/0x%08x", static_cast<unsigned>(-1 - static_cast<int>(i))));
            state->RestoreWindowState();
            Settle();
            state->StoreWindowState();
            const auto after = StoredValues();
            std::set<QString> keys;
            for (const auto& values : {before, after})
                for (const auto& [key, value] : values)
                    keys.insert(key);
            for (const QString& key : keys) {
                const QByteArray was = before.count(key) ? before.at(key) : QByteArray();
                const QByteArray again = after.count(key) ? after.at(key) : QByteArray();
                if (mayMove.count(key.mid(key.lastIndexOf('/'))) && WithoutPlaceInBar(again) == WithoutPlaceInBar(was))
                    continue;
                Expect(again == was,
                       "store, restore, store changed " + key.toStdString() + ":" + WordChanges(was, again));
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
    // Where a first dock put a window below its minimum (in the bar's coordinates).
    struct FirstDockPlace {
        QPointer<CPackageWindow> bar;
        QRect rect;
    };
    std::vector<FirstDockPlace> m_firstDocked;
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
