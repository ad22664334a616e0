// The real main window on an X display with a window manager (Xvfb and
// openbox from the test harness, no compositor), as a user has it: floating
// panes restored at start stay stacked above the main window, the View
// commands bring every pane forward, and the drag outlines leave what they are
// dragged over in view. The stacking and the active window are read from the
// window manager (_NET_CLIENT_LIST_STACKING, _NET_ACTIVE_WINDOW).

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <functional>
#include <memory>

#include "WindowFixture.h"
#include "XDesktop.h"
#include "docking/AutoHideManager.h"
#include "docking/DockingSystemSettings.h"
#include "docking/DockingWindow.h"
#include "docking/GhostBar.h"
#include "docking/GhostOutline.h"
#include "docking/TabDockingBox.h"
#include "docking/DockEvents.h"
#include "docking/FlyingTabCtrl.h"
#include "platform/Event.h"
#include "settings/WindowSettings.h"
#include "shell/frame/MainFrame.h"
#include "worker/InProcessCalcWorker.h"

namespace {

using dockwins::CTabDockingBox;

bool Eventually(const std::function<bool()>& condition, int ms = 10000)
{
    return QTest::qWaitFor(condition, ms);
}

unsigned long Id(const QWidget* w) { return static_cast<unsigned long>(w->window()->winId()); }

class XWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string why = CXDesktop::Unavailable(); !why.empty())
            GTEST_SKIP() << why;
        TestApplication();
        m_desktop = std::make_unique<CXDesktop>();
        ASSERT_TRUE(m_desktop->IsOpen());
        ASSERT_TRUE(Eventually([this] { return m_desktop->HasWindowManager(); })) << "the window manager did not come up";
        WindowSettings::Instance().SetDefaults();
    }
    void TearDown() override
    {
        if (frame)
            Close();
        WindowSettings::Instance().SetDefaults();
    }

    void Start()
    {
        CMainFrame::Setup setup;
        setup.events = {&m_done, &m_aborted};
        setup.workerFactory = m_host;
        setup.processWaiter = m_host;
        setup.windowStatePath = m_dir.filePath("Calculator.ini");
        frame = std::make_unique<CMainFrame>(setup);
        frame->Create();
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        ASSERT_TRUE(Eventually([this] { return m_desktop->IsManaged(Id(frame.get())); }));
        frame->activateWindow();
        ASSERT_TRUE(Eventually([this] { return m_desktop->ActiveWindow() == Id(frame.get()); }));
    }
    // A first start: no stored state.
    void StartAfresh()
    {
        QFile::remove(m_dir.filePath("Calculator.ini"));
        WindowSettings::Instance().SetDefaults();
        Start();
    }
    void Close()
    {
        frame->close();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frame.reset();
        QApplication::processEvents();
    }
    CTabbedAutoHideDockingWindow* History() const { return frame->PaneWindow(PaneId::History); }
    CTabbedAutoHideDockingWindow* Variables() const { return frame->PaneWindow(PaneId::Variables); }
    CTabDockingBox* Box() const { return qobject_cast<CTabDockingBox*>(History()->DockedTo()); }

    bool Above(const QWidget* upper) const { return m_desktop->IsAbove(Id(upper), Id(frame.get())); }
    // The window manager has made the window active (and raised it).
    bool Activated(const QWidget* w) const { return m_desktop->ActiveWindow() == Id(w); }

    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<CXDesktop> m_desktop;

private:
    QTemporaryDir m_dir;
    CEvent m_done;
    CEvent m_aborted;
    std::shared_ptr<CInProcessWorkerHost> m_host = std::make_shared<CInProcessWorkerHost>();
};

// ------------------------------------------------------------------ stacking

TEST_F(XWindowTest, FloatingPanesRestoredAtStartStayAboveTheMainWindow)
{
    for (const bool wholeBox : {false, true}) {
        SCOPED_TRACE(wholeBox ? "the box floating" : "History floating");
        StartAfresh();
        CTabbedAutoHideDockingWindow* floated = wholeBox ? static_cast<CTabbedAutoHideDockingWindow*>(Box()) : History();
        ASSERT_NE(floated, nullptr);
        floated->SetFloatingRect({1100, 120, 1450, 560});
        ASSERT_TRUE(floated->Float());
        // Floated during the session: above the frame.
        EXPECT_TRUE(Eventually([&] { return Above(floated); }));
        Close();

        Start();  // restored
        QWidget* pane = History()->window();
        ASSERT_NE(pane, frame.get()) << "the pane should float after the restart";
        EXPECT_TRUE(Eventually([&] { return Above(pane); })) << "stacked under the main window after the restart";

        frame->showMaximized();
        ASSERT_TRUE(Eventually([&] { return frame->isMaximized() && frame->width() > 1400; }));
        frame->activateWindow();
        ASSERT_TRUE(Eventually([&] { return Activated(frame.get()); }));
        EXPECT_TRUE(Above(pane)) << "under the maximised main window";

        frame->showNormal();
        frame->move(pane->x() - 100, pane->y() - 50);  // over the pane
        ASSERT_TRUE(Eventually([&] { return frame->geometry().intersects(pane->geometry()); }));
        EXPECT_TRUE(Above(pane)) << "under the main window moved over it";

        // A click into the main window raises it, with its panes above it.
        const QPoint record = frame->mapToGlobal(QPoint(40, 150));
        ASSERT_FALSE(pane->geometry().contains(record));
        m_desktop->Click(record.x(), record.y());
        ASSERT_TRUE(Eventually([&] { return Activated(frame.get()); }));
        EXPECT_TRUE(Above(pane)) << "under the main window after a click into it";
        Close();
    }
}

// ------------------------------------------------------------------ View commands

TEST_F(XWindowTest, TheViewCommandsBringEveryPaneForward)
{
    // The user's F5 in the main window (real input: the window manager
    // judges activation requests by the time of the last one).
    const auto pressF5 = [this] {
        ASSERT_TRUE(Eventually([&] { return Activated(frame.get()) && frame->isActiveWindow(); }));
        m_desktop->Key("F5");
    };
    const auto historyHasTheFocus = [this] { return QApplication::focusWidget() == History()->Client(); };

    // Pinned with Variables in one label: History slides out and takes the focus.
    StartAfresh();
    ASSERT_NE(Box(), nullptr);
    ASSERT_TRUE(frame->DockWindow(Box(), 1, 0, 0.0f, 220, 100));
    ASSERT_TRUE(Box()->PinBox(false));
    QApplication::processEvents();
    ASSERT_TRUE(History()->IsPinned());
    pressF5();
    EXPECT_TRUE(Eventually([&] { return frame->AutoHide().ShownWindow() == History() && History()->isVisible(); }));
    EXPECT_TRUE(Eventually(historyHasTheFocus));
    // It stays out while it has the focus, the pointer away from it.
    const QPoint away = frame->mapToGlobal(QPoint(60, frame->height() - 60));
    m_desktop->MovePointer(away.x(), away.y());
    ASSERT_TRUE(Eventually([&] { return QCursor::pos() == away; }));
    frame->AutoHide().HideTick();
    EXPECT_EQ(frame->AutoHide().ShownWindow(), History());
    Close();

    // Floating under another floating pane: raised above it and activated.
    StartAfresh();
    History()->SetFloatingRect({1000, 150, 1350, 550});
    ASSERT_TRUE(History()->Float());
    QApplication::processEvents();  // the box dissolves into Variables
    Variables()->SetFloatingRect({1100, 200, 1450, 600});
    ASSERT_TRUE(Variables()->Float());
    Variables()->raise();
    Variables()->activateWindow();
    ASSERT_TRUE(Eventually([&] { return Activated(Variables()); }));
    ASSERT_TRUE(m_desktop->IsAbove(Id(Variables()), Id(History())));
    // A click into the main window, then F5.
    const QPoint keypad = frame->mapToGlobal(QPoint(frame->width() - 40, frame->height() - 40));
    ASSERT_FALSE(History()->geometry().contains(keypad) || Variables()->geometry().contains(keypad));
    m_desktop->Click(keypad.x(), keypad.y());
    pressF5();
    EXPECT_TRUE(Eventually([&] { return Activated(History()); }));
    EXPECT_TRUE(m_desktop->IsAbove(Id(History()), Id(Variables())));
    EXPECT_TRUE(Above(History()));
    EXPECT_TRUE(Eventually(historyHasTheFocus));
    Close();

    // A tab behind Variables: selected; then hidden: docked back.
    StartAfresh();
    Variables()->Activate();
    QApplication::processEvents();
    ASSERT_TRUE(History()->isHidden());
    pressF5();
    EXPECT_TRUE(Eventually([&] { return Box() && Box()->ActiveWindow() == History(); }));
    EXPECT_TRUE(Eventually(historyHasTheFocus));
    Variables()->setFocus();
    ASSERT_TRUE(History()->Hide());
    QApplication::processEvents();
    pressF5();
    EXPECT_TRUE(Eventually([&] { return History()->isVisible() && History()->IsDocked(); }));
    EXPECT_TRUE(Eventually(historyHasTheFocus));
}

// ------------------------------------------------------------------ pin

// The box pinned by its button with the focus in its list: the focus goes to
// the main window's client and the labels answer the pointer at once.
TEST_F(XWindowTest, APinByTheButtonLeavesTheLabelsAnsweringThePointer)
{
    StartAfresh();
    CTabDockingBox* box = Box();
    ASSERT_NE(box, nullptr);
    const auto global = [](QWidget* w, QPoint p) { return w->mapToGlobal(p); };
    const QPoint list = global(History()->Client(), History()->Client()->rect().center());
    m_desktop->Click(list.x(), list.y());
    ASSERT_TRUE(Eventually([&] { return History()->isAncestorOf(QApplication::focusWidget()); }));

    const dockwins::RECT& b = box->Caption().pin;
    const QPoint pin = global(box, QPoint((b.left + b.right) / 2, (b.top + b.bottom) / 2));
    m_desktop->Click(pin.x(), pin.y());
    ASSERT_TRUE(Eventually([&] { return History()->IsPinned(); }));
    EXPECT_TRUE(Eventually([&] { return QApplication::focusWidget() == frame->ClientWindow(); }));

    // The pointer leaves the slid-out pane: it slides in; resting on the
    // label slides it out again, with no click anywhere first.
    dockwins::CAutoHideManager& autoHide = frame->AutoHide();
    const QPoint away = frame->mapToGlobal(QPoint(frame->width() - 80, frame->height() / 2));
    m_desktop->MovePointer(away.x(), away.y());
    ASSERT_TRUE(Eventually([&] { return autoHide.ShownWindow() == nullptr; })) << "the pane does not slide in";
    const QPoint label = frame->ClientArea()->mapToGlobal(autoHide.LabelRectOf(History()).center());
    m_desktop->MovePointer(label.x(), label.y() + 1);
    m_desktop->MovePointer(label.x(), label.y());
    EXPECT_TRUE(Eventually([&] { return autoHide.ShownWindow() != nullptr; })) << "the labels ignore the pointer";
}

// ------------------------------------------------------------------ drag outlines

// The whole screen, once what is painted has stopped changing.
QImage StableScreen()
{
    QImage last;
    QImage now;
    Eventually([&] {
        QApplication::processEvents();
        last = now;
        now = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
        return !last.isNull() && last == now;
    });
    return now;
}

// Pixels that differ between two screens within `area`.
int Differences(const QImage& a, const QImage& b, const QRect& area)
{
    int count = 0;
    const QRect r = area.intersected(a.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return count;
}

const dockwins::CGhostOutline* ShownOutline()
{
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (const auto* ghost = qobject_cast<const dockwins::CGhostOutline*>(w); ghost && ghost->isVisible())
            return ghost;
    return nullptr;
}

TEST_F(XWindowTest, TheDragOutlinesShowOnlyTheirRing)
{
    StartAfresh();
    ASSERT_NE(Box(), nullptr);
    QWindow* window = frame->windowHandle();
    const auto inFrame = [this](QWidget* w, QPoint p) { return w->mapTo(frame.get(), p); };
    const auto cancel = [&](QPoint at) {
        QTest::keyClick(window, Qt::Key_Escape);
        QTest::mouseRelease(window, Qt::LeftButton, {}, at);
        QApplication::processEvents();
    };
    // The outline of a caption drag or a torn-out tab: its ring shows, what
    // lies inside it is untouched.
    const auto checkOutline = [&](const char* what, const QImage& before, QPoint at) {
        SCOPED_TRACE(what);
        const dockwins::CGhostOutline* ghost = nullptr;
        ASSERT_TRUE(Eventually([&] { return (ghost = ShownOutline()) != nullptr; }));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ghost->windowHandle()));
        const QRect outline = ghost->geometry();
        QImage during;
        EXPECT_TRUE(Eventually([&] {
            during = StableScreen();
            return Differences(before, during, outline) > 0;
        })) << "no ring shown";
        EXPECT_EQ(Differences(before, during, outline.adjusted(3, 3, -3, -3)), 0)
            << "the outline covers what it is dragged over";
        cancel(at);
    };

    // A caption drag of the box over the record window.
    const dockwins::RECT& c = Box()->Caption().caption;
    QPoint at = inFrame(Box(), QPoint(c.left + 8, (c.top + c.bottom) / 2));
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    const QImage beforeCaption = StableScreen();
    for (int i = 1; i <= 8; ++i)
        QTest::mouseMove(window, at + QPoint(60 * i, 25 * i));
    checkOutline("caption drag", beforeCaption, at + QPoint(480, 200));

    // A tab torn out of the box, carried to the right.
    dockwins::CFlyingTabCtrl& tabs = Box()->TabCtrl();
    at = inFrame(&tabs, tabs.GetItemRect(1).center());
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    const QImage beforeTab = StableScreen();
    for (int dy = 5; dy <= 60; dy += 5)
        QTest::mouseMove(window, at - QPoint(0, dy));
    QApplication::processEvents();  // the torn-out window's drag starts
    for (int i = 1; i <= 8; ++i)
        QTest::mouseMove(window, at + QPoint(70 * i, -60 - 10 * i));
    checkOutline("tab tear-out", beforeTab, at + QPoint(560, -140));

    // A splitter bar dragged with an outline: only the bar's pattern shows.
    dockwins::DockingSettings().SetFlags(dockwins::CDockingSettings::kKeepDragMode |
                                          dockwins::CDockingSettings::kGhostDrag);
    const auto& inner = frame->Layout().Inner();
    ASSERT_GE(inner.Count(), 2u);
    const QRect bar = dockwins::ToQRect(inner.BarRect(1));
    at = frame->ClientArea()->mapTo(frame.get(), bar.center());
    const QImage beforeBar = StableScreen();  // the press shows the outline already
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    for (int i = 1; i <= 4; ++i)
        QTest::mouseMove(window, at + QPoint(30 * i, 0));
    const dockwins::CGhostBar* ghost = nullptr;
    for (const auto* g : frame->findChildren<dockwins::CGhostBar*>())
        if (g->isVisible())
            ghost = g;
    ASSERT_NE(ghost, nullptr);
    const QRect ghostRect(ghost->mapToGlobal(QPoint(0, 0)), ghost->size());
    QImage during;
    EXPECT_TRUE(Eventually([&] {
        during = StableScreen();
        return Differences(beforeBar, during, ghostRect) > 0;
    })) << "no ghost bar shown";
    const QRect screen = during.rect();
    EXPECT_EQ(Differences(beforeBar, during, screen) - Differences(beforeBar, during, ghostRect), 0)
        << "the ghost bar shows more than its band";
    cancel(at + QPoint(120, 0));
    dockwins::DockingSettings().SetFlags(0);
}

}  // namespace
