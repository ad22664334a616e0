// The two-pane splitter window: its panes around the bar, the minimum the
// docking frame asks of it, dragging the bar live or as an outline and every
// way such a drag ends, the client edge, and the non-interactive bar.

#include "docking/SplitterWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "DockingFixture.h"
#include "docking/DragSession.h"
#include "docking/GhostBar.h"

namespace {

using namespace dockwins;

// Windows move live while dragged, or not (then bars drag as an outline).
struct FullWindowDrag : AppFirst {
    explicit FullWindowDrag(bool full)
    {
        SetSystemValuesSource([full] {
            SystemValues values;
            values.metrics.fullWindowDrag = full;
            return values;
        });
    }
    ~FullWindowDrag() { SetSystemValuesSource({}); }
};

// A splitter window of 600 x 500 with a horizontal bar at 200 between an
// entry line (top) and a plain pane, shown on its own; pointer input in its
// coordinates.
struct SplitterCase : FullWindowDrag {
    explicit SplitterCase(bool full = true) : FullWindowDrag(full)
    {
        splitter.setGeometry(100, 100, 600, 500);
        top = new QLineEdit;
        bottom = new QWidget;
        splitter.SetSplitterPanes(top, bottom);
        splitter.SetFirstPaneMinimum(50);
        splitter.SetSecondPaneMinimum(100);
        splitter.show();
        (void)QTest::qWaitForWindowExposed(&splitter);
        splitter.SetSplitterPos(200);
        Settle();
    }

    QWindow* Window() { return splitter.windowHandle(); }
    QPoint Bar(int x = 300) const { return {x, splitter.GetSplitterPos() + 1}; }
    void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(Window(), b, {}, p); }
    void Move(QPoint p) { QTest::mouseMove(Window(), p); }
    void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseRelease(Window(), b, {}, p); }
    int TopHeight() const { return top->height(); }
    // The shown outline, if any.
    CGhostBar* Ghost() const
    {
        for (CGhostBar* g : splitter.findChildren<CGhostBar*>())
            if (g->isVisible())
                return g;
        return nullptr;
    }
    // Idle: no drag, no outline, and the panes around the bar.
    std::string Idle() const
    {
        std::string out;
        if (CDragSession::Active())
            out += "a drag is left; ";
        if (Ghost())
            out += "an outline is left; ";
        const QRect bar = splitter.BarRect();
        if (top->geometry().bottom() + 1 != bar.top() || bottom->geometry().top() != bar.bottom() + 1)
            out += "the panes are not at the bar; ";
        return out;
    }

    TG3_SplitterWindowT<false> splitter;
    QLineEdit* top = nullptr;
    QWidget* bottom = nullptr;
};

TEST(SplitterWindow, NeverAsksForLessThan600By450)
{
    // The query the docking frame's client frame sends, answered by the
    // window itself whatever its panes would ask for.
    DockingFixture f;
    auto* wide = new QWidget;
    wide->setMinimumSize(900, 700);
    f.client->SetSplitterPanes(wide, new QWidget);
    EXPECT_EQ(GetMinTrackSize(f.client).ptMinTrackSize, (POINT{600, 450}));
    EXPECT_EQ(f.frame.Layout().MinTrackSize().ptMinTrackSize, (POINT{600, 450}));
    EXPECT_EQ(f.frame.FrameworkMinimumSize(), QSize(600, 450));
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
    EXPECT_EQ(f.frame.FrameworkMinimumSize(), QSize(705, 450));
    f.Show();
    f.frame.resize(100, 100);
    Settle();
    EXPECT_EQ(f.InClient(f.client).size(), QSize(600, 450));
}

TEST(SplitterWindow, LaysOutTheTwoPanesAroundTheBar)
{
    DockingTestApp();
    TG3_SplitterWindowT<false> splitter;
    auto* top = new QWidget;
    auto* bottom = new QWidget;
    splitter.resize(600, 500);
    splitter.show();
    splitter.SetSplitterPanes(top, bottom);
    splitter.SetSplitterExtendedStyle(SPLIT_RIGHTALIGNED);
    splitter.SetSecondPaneMinimum(300);
    EXPECT_TRUE(splitter.SetSplitterPos(400));
    const int bar = splitter.BarWidth();
    EXPECT_EQ(splitter.GetSplitterPos(), 500 - 300 - bar);
    EXPECT_EQ(top->geometry(), QRect(0, 0, 600, 500 - 300 - bar));
    EXPECT_EQ(bottom->geometry(), QRect(0, 500 - 300, 600, 300));

    // Right-aligned: a taller window keeps the bottom pane's height.
    splitter.resize(600, 700);
    EXPECT_EQ(bottom->geometry().height(), 300);
}

TEST(SplitterWindow, EveryDragOfTheBarEnds)
{
    // Live: the panes follow the pointer within the minimums. A move with
    // no button held, a release of any button and a deactivation end the
    // drag where the bar is; Escape and another button put it back.
    struct Ending {
        const char* name;
        std::function<void(SplitterCase&)> end;
        int topAfter;  // the drag went to 300
    };
    const Ending endings[] = {
        {"left release", [](SplitterCase& s) { s.Release(s.Bar()); }, 300},
        {"right release", [](SplitterCase& s) { s.Release(s.Bar(), Qt::RightButton); }, 300},
        {"move without the button",
         [](SplitterCase& s) {
             QMouseEvent move(QEvent::MouseMove, QPointF(300, 350), s.splitter.mapToGlobal(QPointF(300, 350)),
                              Qt::NoButton, Qt::NoButton, Qt::NoModifier);
             QApplication::sendEvent(&s.splitter, &move);
         },
         300},
        {"deactivation",
         [](SplitterCase& s) {
             QEvent deactivate(QEvent::WindowDeactivate);
             QApplication::sendEvent(&s.splitter, &deactivate);
         },
         300},
        {"escape", [](SplitterCase& s) { QTest::keyClick(s.Window(), Qt::Key_Escape); }, 200},
        {"right press", [](SplitterCase& s) { s.Press(s.Bar(), Qt::RightButton); }, 200},
    };
    for (const Ending& ending : endings) {
        SplitterCase s;
        s.Press(s.Bar());
        ASSERT_NE(CDragSession::Active(), nullptr) << ending.name;
        s.Move({300, 101});
        EXPECT_EQ(s.TopHeight(), 100) << ending.name;
        s.Move({300, 480});
        EXPECT_EQ(s.TopHeight(), 500 - 100 - s.splitter.BarWidth()) << ending.name;  // the bottom pane's minimum
        s.Move({300, 10});
        EXPECT_EQ(s.TopHeight(), 50) << ending.name;  // the top pane's
        s.Move({300, 301});
        EXPECT_EQ(s.TopHeight(), 300) << ending.name;
        ending.end(s);
        Settle();
        EXPECT_EQ(CDragSession::Active(), nullptr) << ending.name;
        EXPECT_EQ(s.TopHeight(), ending.topAfter) << ending.name;
        // Moves after the end move nothing.
        QTest::mouseRelease(s.Window(), Qt::LeftButton, {}, {300, 400});
        QTest::mouseRelease(s.Window(), Qt::RightButton, {}, {300, 400});
        s.Move({300, 150});
        EXPECT_EQ(s.TopHeight(), ending.topAfter) << ending.name;
        EXPECT_EQ(s.Idle(), "") << ending.name;
    }

    // A double click on the bar centres it.
    SplitterCase s;
    QTest::mouseDClick(s.Window(), Qt::LeftButton, {}, s.Bar());
    Settle();
    EXPECT_EQ(s.splitter.GetSplitterPos(), (500 - s.splitter.BarWidth()) / 2);
    EXPECT_EQ(s.Idle(), "");
}

TEST(SplitterWindow, WithoutFullWindowDragTheBarDragsAsACheckeredOutline)
{
    SplitterCase s(false);
    const int bar = s.splitter.BarWidth();
    s.Press(s.Bar());
    CGhostBar* ghost = s.Ghost();
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(ghost->geometry(), QRect(0, 200, 600, bar));
    s.Move({300, 301});
    EXPECT_EQ(s.TopHeight(), 200);  // the panes wait for the release
    EXPECT_EQ(ghost->geometry(), QRect(0, 300, 600, bar));
    s.Move({300, 490});
    EXPECT_EQ(ghost->geometry(), QRect(0, 500 - 100 - bar, 600, bar));  // within the minimums
    s.Move({300, 351});
    // A halftone: every pixel differs from its right and lower neighbours,
    // and equals the one two further on.
    const QImage image = ghost->grab().toImage();
    ASSERT_GE(image.width(), 4);
    ASSERT_GE(image.height(), 3);
    for (int y = 0; y + 2 < image.height(); ++y)
        for (int x = 0; x + 2 < image.width(); ++x) {
            ASSERT_NE(image.pixel(x, y), image.pixel(x + 1, y)) << x << "," << y;
            ASSERT_NE(image.pixel(x, y), image.pixel(x, y + 1)) << x << "," << y;
            ASSERT_EQ(image.pixel(x, y), image.pixel(x + 2, y)) << x << "," << y;
            ASSERT_EQ(image.pixel(x, y), image.pixel(x, y + 2)) << x << "," << y;
        }
    s.Release({300, 351});
    Settle();
    EXPECT_EQ(s.TopHeight(), 350);
    EXPECT_EQ(s.Idle(), "");

    // Escape: the outline goes and nothing moves.
    s.Press(s.Bar());
    s.Move({300, 151});
    QTest::keyClick(s.Window(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ(s.TopHeight(), 350);
    EXPECT_EQ(s.Idle(), "");
    // A move without the button: the bar goes where the outline was.
    s.Press(s.Bar());
    s.Move({300, 251});
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 260), s.splitter.mapToGlobal(QPointF(300, 260)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&s.splitter, &move);
    QTest::mouseRelease(s.Window(), Qt::LeftButton, {}, {300, 260});
    Settle();
    EXPECT_EQ(s.TopHeight(), 250);
    EXPECT_EQ(s.Idle(), "");
}

TEST(SplitterWindow, AClientEdgeAddsASunkenBorderAndTwiceItsThicknessToTheBar)
{
    SplitterCase s;
    const int bar = s.splitter.BarWidth();
    const int edge = DockingSettings().Metrics().edge;
    ASSERT_EQ(edge, 2);
    s.splitter.SetClientEdge(true);
    s.splitter.SetSplitterPos(200);
    Settle();
    // Inside the 2-px border: the bar is 4 px thicker, the panes around it.
    EXPECT_EQ(s.splitter.BarRect(), QRect(2, 202, 596, bar + 4));
    EXPECT_EQ(s.top->geometry(), QRect(2, 2, 596, 200));
    EXPECT_EQ(s.bottom->geometry(), QRect(2, 206 + bar, 596, 500 - 2 - 206 - bar));
    // The minimums count the edge: the bottom pane keeps its 100.
    s.splitter.SetSplitterPos(1000);
    EXPECT_EQ(s.bottom->height(), 100);
    EXPECT_EQ(s.splitter.GetSplitterPos(), 496 - 100 - bar - 4);
    // The border: the darker shade on the top and left, the lighter one on the bottom and right.
    const QImage image = s.splitter.grab().toImage();
    const QRgb shadow = s.splitter.palette().color(QPalette::Mid).rgb();
    const QRgb light = s.splitter.palette().color(QPalette::Light).rgb();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(image.pixel(300, i), shadow);
        EXPECT_EQ(image.pixel(i, 300), shadow);
        EXPECT_EQ(image.pixel(300, 499 - i), light);
        EXPECT_EQ(image.pixel(599 - i, 300), light);
    }
    // Without it, no edge.
    s.splitter.SetClientEdge(false);
    EXPECT_EQ(s.splitter.BarRect().height(), bar);
    EXPECT_EQ(s.top->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(s.Idle(), "");
}

TEST(SplitterWindow, ANonInteractiveBarDrawsNoGripShowsNoCursorAndTakesNoDragNorTheFocus)
{
    SplitterCase s;
    // Interactive, the bar shows a sizing cursor.
    s.Move(s.Bar());
    EXPECT_EQ(s.splitter.cursor().shape(), Qt::SplitVCursor);
    s.splitter.SetSplitterExtendedStyle(SPLIT_NONINTERACTIVE | SPLIT_RIGHTALIGNED);
    QApplication::setActiveWindow(&s.splitter);
    s.top->setFocus();
    Settle();
    ASSERT_EQ(QApplication::focusWidget(), s.top);
    s.Move(s.Bar(200));
    EXPECT_NE(s.splitter.cursor().shape(), Qt::SplitVCursor);
    s.Press(s.Bar());
    EXPECT_EQ(CDragSession::Active(), nullptr);
    s.Move({300, 351});
    s.Release({300, 351});
    QTest::mouseDClick(s.Window(), Qt::LeftButton, {}, s.Bar());
    Settle();
    EXPECT_EQ(s.TopHeight(), 200);
    EXPECT_EQ(QApplication::focusWidget(), s.top);
    // No grip: the bar is one colour, the button face.
    const QImage image = s.splitter.grab(s.splitter.BarRect()).toImage();
    const QRgb face = s.splitter.palette().color(QPalette::Button).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixel(x, y), face) << x << "," << y;
    EXPECT_EQ(s.Idle(), "");
}

}  // namespace
