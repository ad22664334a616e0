// Captions of docking windows in the frame: where they lie, what they show,
// their buttons, the double click, dragging by the caption and the focus.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>

#include "DockingFixture.h"
#include "docking/AutoHideManager.h"
#include "docking/AutoHidePane.h"
#include "docking/CaptionMoveTracker.h"
#include "docking/DragSession.h"
#include "docking/core/CaptionDrag.h"
#include "docking/core/CaptionLayout.h"
#include "docking/core/DockingFrameLayout.h"

namespace {

using namespace dockwins;

// Captions of small-caption height 15 (thickness 20), set before the windows exist.
struct SmallCaption15 : AppFirst {
    SmallCaption15()
    {
        SetSystemValuesSource([] {
            SystemValues values;
            values.metrics.smallCaptionHeight = 15;
            return values;
        });
        RefreshDockingSettings();
    }
    ~SmallCaption15()
    {
        SetSystemValuesSource({});
        RefreshDockingSettings();
    }
};

class DockingCaption : public SmallCaption15, public DockingFixture, public testing::Test {
protected:
    void DockLeft(CTabbedAutoHideDockingWindow* w) { frame.DockWindow(w, kSideInner | kSideBefore, 0, 0.0f, 200, 100); }
    void DockTop(CTabbedAutoHideDockingWindow* w) { frame.DockWindow(w, kSideBefore, 0, 0.0f, 200, 150); }

    // Pointer input at a point of a docking window.
    QPoint Global(QWidget* w, QPoint p) const { return w->mapToGlobal(p); }
    QWindow* Handle(QWidget* w) const { return w->window()->windowHandle(); }
    QPoint InWindow(QWidget* w, QPoint p) const { return w->mapTo(w->window(), p); }
    void PressOn(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mousePress(Handle(w), b, {}, InWindow(w, p));
    }
    void ReleaseOn(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(Handle(w), b, {}, InWindow(w, p));
    }
    void MoveOn(QWidget* w, QPoint p) { QTest::mouseMove(Handle(w), InWindow(w, p)); }
    void DoubleClickOn(QWidget* w, QPoint p) { QTest::mouseDClick(Handle(w), Qt::LeftButton, {}, InWindow(w, p)); }

    // Drags a window by its caption from `from` (window coordinates) to a
    // point of the frame's client area, then releases there.
    void DragCaption(CTabbedAutoHideDockingWindow* w, QPoint from, QPoint toClient, bool release = true)
    {
        QWindow* window = Handle(w);
        const QPoint start = InWindow(w, from);
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        QTest::mouseMove(window, start + QPoint(6, 6));
        const QPoint target = frame.ClientArea()->mapToGlobal(toClient);
        // One move per step along the way, in the pressed window's coordinates.
        for (int i = 1; i <= 4; ++i) {
            const QPoint g = Global(w, from) + (target - Global(w, from)) * i / 4;
            QTest::mouseMove(window, window->mapFromGlobal(g));
        }
        if (release)
            QTest::mouseRelease(window, Qt::LeftButton, {}, window->mapFromGlobal(target));
        Settle();
    }

    // Where the pointer goes for the drag outline's corner to lie at a client point.
    QPoint PointerForCorner(CTabbedAutoHideDockingWindow* w, QPoint grab, QPoint corner) const
    {
        RECT floating = w->FloatingRect();
        if (floating.IsEmpty()) {
            floating = {0, 0, w->width(), w->height()};
            ClampRectSize(floating, {frame.ClientArea()->width(), frame.ClientArea()->height()},
                          DockingSettings().Metrics());
        }
        const POINT offset = CaptionGrabOffset({0, 0, w->width(), w->height()}, {grab.x(), grab.y()},
                                                   floating.Width(), floating.Height());
        return corner + QPoint(offset.x, offset.y);
    }

    QRgb Pixel(QWidget* w, QPoint p) { return w->grab().toImage().pixel(p); }
    static QRgb Colour(QWidget* w, QPalette::ColorRole role) { return w->palette().color(role).rgb(); }

    static QPoint Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
};

TEST_F(DockingCaption, LiesAlongTheTopInAnInnerBarDownTheLeftInAnOuterOneAndAcrossWhenFloating)
{
    DockLeft(history);
    DockTop(variables);
    Show();
    ASSERT_TRUE(history->IsDocked());
    ASSERT_TRUE(variables->IsDocked());
    EXPECT_EQ(history->CaptionThickness(), 20);

    // Inner bar (panes stacked): along the top, buttons at the right end.
    const int w = history->width();
    const CaptionLayout& h = history->Caption();
    EXPECT_TRUE(h.horizontal);
    EXPECT_EQ(h.caption, (RECT{0, 0, w, 20}));
    EXPECT_EQ(h.close, (RECT{w - 14, 4, w - 2, 16}));
    EXPECT_EQ(h.pin, (RECT{w - 27, 4, w - 15, 16}));
    const struct {
        QPoint at;
        int hit;
    } hits[] = {{{w - 10, 10}, CAPTION_HIT_CLOSE}, {{w - 22, 10}, CAPTION_HIT_PIN}, {{50, 10}, CAPTION_HIT_CAPTION},
                {{50, 25}, CAPTION_HIT_NONE}};
    for (const auto& c : hits)
        EXPECT_EQ(history->HitTest(c.at), c.hit) << c.at.x() << "," << c.at.y();

    // Outer bar (panes side by side): down the left edge, buttons on top.
    const CaptionLayout& v = variables->Caption();
    EXPECT_FALSE(v.horizontal);
    EXPECT_EQ(v.caption, (RECT{0, 0, 20, variables->height()}));
    EXPECT_EQ(v.close, (RECT{4, 2, 16, 14}));
    EXPECT_EQ(v.pin, (RECT{4, 17, 16, 29}));
    EXPECT_EQ(variables->ClientRect().left(), 20);

    // Floating: across the top, and the pin is no button there.
    variables->SetFloatingRect({300, 300, 600, 500});
    ASSERT_TRUE(variables->Float());
    Settle();
    EXPECT_TRUE(variables->Caption().horizontal);
    EXPECT_EQ(variables->HitTest(Centre(variables->Caption().pin)), CAPTION_HIT_CAPTION);
    EXPECT_EQ(variables->HitTest(Centre(variables->Caption().close)), CAPTION_HIT_CLOSE);
    EXPECT_EQ(Join(Problems()), "");
}

TEST_F(DockingCaption, ButtonsShowTheirStatesAndColoursFollowTheFocus)
{
    DockLeft(history);
    Show();
    const RECT close = history->Caption().close;
    const QRgb glyph = Colour(history, QPalette::ButtonText);
    // The thin cross of a small caption: from (left + 2, top + 3), its end point left out.
    EXPECT_EQ(Pixel(history, {close.left + 2, close.top + 3}), glyph);
    EXPECT_EQ(Pixel(history, {close.right - 4, close.bottom - 3}), glyph);
    EXPECT_NE(Pixel(history, {close.right - 3, close.bottom - 2}), glyph);

    // Hot: a raised edge; pressed: the glyph one pixel right and down, a sunken edge.
    MoveOn(history, Centre(close));
    EXPECT_EQ(history->CloseButtonState(), ButtonState::Hot);
    EXPECT_EQ(Pixel(history, {close.left, close.top}), Colour(history, QPalette::Light));
    PressOn(history, Centre(close));
    EXPECT_EQ(history->CloseButtonState(), ButtonState::Pressed);
    EXPECT_EQ(Pixel(history, {close.left, close.top}), Colour(history, QPalette::Mid));
    EXPECT_EQ(Pixel(history, {close.left + 3, close.top + 4}), glyph);
    EXPECT_NE(Pixel(history, {close.left + 2, close.top + 3}), glyph);
    // Off the button it is no longer pressed, and released there it is no click.
    MoveOn(history, {40, 10});
    EXPECT_EQ(history->CloseButtonState(), ButtonState::Normal);
    ReleaseOn(history, {40, 10});
    Settle();
    EXPECT_TRUE(history->IsVisibleWindow());
    // Escape and the other button cancel.
    PressOn(history, Centre(close));
    QTest::keyClick(Handle(history), Qt::Key_Escape);
    EXPECT_EQ(history->CloseButtonState(), ButtonState::Normal);
    ReleaseOn(history, Centre(close));
    PressOn(history, Centre(close));
    PressOn(history, Centre(close), Qt::RightButton);
    ReleaseOn(history, Centre(close), Qt::RightButton);
    ReleaseOn(history, Centre(close));
    Settle();
    EXPECT_TRUE(history->IsVisibleWindow());

    // Inactive: the band on the button face; focus in the pane: the highlight.
    const QPoint band(history->width() - 35, 8);
    EXPECT_FALSE(history->IsCaptionActive());
    EXPECT_EQ(Pixel(history, band), Colour(history, QPalette::Button));
    frame.activateWindow();
    history->Client()->setFocus();
    Settle();
    EXPECT_TRUE(history->IsCaptionActive());
    EXPECT_EQ(Pixel(history, band), Colour(history, QPalette::Highlight));
    EXPECT_EQ(Pixel(history, {close.left + 2, close.top + 3}), Colour(history, QPalette::HighlightedText));
    EXPECT_EQ(Join(Problems()), "");
}

TEST_F(DockingCaption, CloseHidesAndTheViewCommandBringsItBackToTheSamePlace)
{
    DockLeft(history);
    // Above its minimum (a first dock at 100 is below it, until placed again).
    frame.DockWindow(variables, kSideInner | kSideBefore, 0, 0.0f, 200, 250);
    Show();
    const DockPosition before = Position(variables);
    const QRect rect = InClient(variables);
    PressOn(variables, Centre(variables->Caption().close));
    ReleaseOn(variables, Centre(variables->Caption().close));
    Settle();
    EXPECT_FALSE(variables->IsVisibleWindow());
    EXPECT_EQ(Join(Problems()), "");
    ASSERT_TRUE(variables->Activate());
    Settle();
    const DockPosition after = Position(variables);
    EXPECT_EQ(after.sideFlags, before.sideFlags);
    EXPECT_EQ(after.barIndex, before.barIndex);
    EXPECT_EQ(after.fraction, before.fraction);
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.height, before.height);
    EXPECT_EQ(after.tabIndex, before.tabIndex);
    EXPECT_EQ(InClient(variables), rect);
    EXPECT_EQ(Join(Problems()), "");
}

TEST_F(DockingCaption, DoubleClickFloatsOnlyAfterAFloatAndDocksBack)
{
    DockLeft(history);
    Show();
    const QRect docked = InClient(history);
    DoubleClickOn(history, {40, 10});
    Settle();
    EXPECT_TRUE(history->IsDocked());  // never floated: nowhere to float to

    // Float it once by a drag with Ctrl held (no docking), then dock it back.
    DragCaption(history, {40, 10}, {500, 300}, false);
    QTest::keyPress(Handle(history), Qt::Key_Control);
    QTest::mouseRelease(Handle(history), Qt::LeftButton, Qt::ControlModifier,
                        Handle(history)->mapFromGlobal(frame.ClientArea()->mapToGlobal(QPoint(500, 300))));
    QTest::keyRelease(frame.windowHandle(), Qt::Key_Control);
    Settle();
    ASSERT_FALSE(history->IsDocked());
    ASSERT_TRUE(history->isVisible());
    const QRect floating = history->geometry();
    EXPECT_TRUE(floating.contains(frame.ClientArea()->mapToGlobal(QPoint(500, 300))));
    EXPECT_EQ(Join(Problems()), "");

    DoubleClickOn(history, {40, 10});
    Settle();
    ASSERT_TRUE(history->IsDocked());
    EXPECT_EQ(InClient(history), docked);
    DoubleClickOn(history, {40, 10});
    Settle();
    ASSERT_FALSE(history->IsDocked());
    EXPECT_EQ(history->geometry(), floating);
    EXPECT_EQ(Join(Problems()), "");
}

TEST_F(DockingCaption, DraggedByItsCaptionToEverySideOfTheFrame)
{
    frame.resize(1300, 900);  // room for two bars on each axis besides the client
    DockLeft(history);
    DockLeft(variables);
    Show();
    ASSERT_EQ(frame.ClientArea()->size(), QSize(1300, 900));
    // The outline's corner decides (the pointer keeps its place in the outline).
    const struct {
        const char* side;
        QPoint corner;
        bool horizontalBar;
    } drops[] = {{"right", {1292, 300}, false}, {"bottom", {300, 894}, true}, {"top", {300, 2}, true},
                 {"left", {2, 450}, false}};
    for (const auto& drop : drops) {
        const QPoint grab = history->IsHorizontal() ? QPoint(40, 10) : QPoint(10, 40);
        DragCaption(history, grab, PointerForCorner(history, grab, drop.corner));
        ASSERT_TRUE(history->IsDocked()) << drop.side;
        const auto* bar = static_cast<const CPackageWindow*>(history->DockedTo());
        EXPECT_EQ(bar->IsHorizontal(), drop.horizontalBar) << drop.side;
        const QRect r = InClient(history);
        const std::string side = drop.side;
        const int edge = side == "right" ? 1300 - r.right() - 1 : side == "bottom" ? 900 - r.bottom() - 1
                         : side == "top" ? r.top() : r.left();
        EXPECT_EQ(edge, 0) << side;
        EXPECT_EQ(Join(Problems()), "") << drop.side;
    }
}

TEST_F(DockingCaption, AWindowDroppedAtItsMinimumKeepsItInABarAndAsANewBar)
{
    // A floating window at its minimum height: its outline is 100 high, the
    // bar in front of the window counted in. The left bar holds History
    // (0 to 298) and Variables (303 to 600).
    DockLeft(history);
    frame.DockWindow(variables, kSideInner | kSideBefore, 0, 0.5f, 200, 300);
    Show();
    ASSERT_EQ(InClient(variables), QRect(0, 303, 200, 297));
    CTabbedAutoHideDockingWindow* other = MakeWindow("Other");
    const QPoint at = frame.ClientArea()->mapToGlobal(QPoint(500, 150));
    other->SetFloatingRect(ToRect(QRect(at, QSize(300, 100))));
    ASSERT_TRUE(other->Activate());
    Settle();
    ASSERT_EQ(other->size(), QSize(300, 100));
    const QPoint grab(40, 10);

    // Into the left bar past History's first third: between the two, which
    // leaves Variables room for its minimum too.
    DragCaption(other, grab, PointerForCorner(other, grab, {50, 200}));
    ASSERT_EQ(other->DockedTo(), history->DockedTo());
    EXPECT_EQ(InClient(other), QRect(0, 205, 200, 100));
    EXPECT_EQ(InClient(variables), QRect(0, 310, 200, 290));
    EXPECT_EQ(Join(Problems()), "");

    // Along the bottom edge: a new bar as thick as the window's minimum.
    DragCaption(other, grab, PointerForCorner(other, grab, {300, 594}));
    ASSERT_TRUE(other->IsDocked());
    ASSERT_NE(other->DockedTo(), history->DockedTo());
    EXPECT_EQ(InClient(other->DockedTo()).height(), 100);
    EXPECT_EQ(InClient(other).bottom() + 1, 600);
    EXPECT_EQ(Join(Problems()), "");
}

TEST_F(DockingCaption, TheFloatingRectangleADragGivesIsOneTheWindowFloatsAt)
{
    // Variables 95 high, a first dock's size, and never floated: a drag
    // gives it a floating rectangle from its own, which is at least its
    // minimum, so that floating there and storing it change nothing more.
    DockLeft(history);
    DockLeft(variables);
    Show();
    ASSERT_EQ(InClient(variables).height(), 95);
    DragCaption(variables, {40, 10}, {600, 300}, false);
    QTest::keyClick(Handle(variables), Qt::Key_Escape);
    ReleaseOn(variables, {40, 10});
    Settle();
    ASSERT_TRUE(variables->IsDocked());
    const RECT remembered = variables->FloatingRect();
    EXPECT_EQ(remembered.Width(), 200);
    EXPECT_EQ(remembered.Height(), 100);
    ASSERT_TRUE(variables->Float());
    Settle();
    EXPECT_EQ(ToRect(variables->geometry()), remembered);
    EXPECT_EQ(variables->FloatingRect(), remembered);
}

TEST_F(DockingCaption, BackAtTheStartNothingChangesAndCancelsLeaveNothingBehind)
{
    DockLeft(history);
    Show();
    const QRect before = InClient(history);
    // Out and back to the press point: no target there (its own bar refuses), no change.
    DragCaption(history, {40, 10}, frame.ClientArea()->mapFromGlobal(history->mapToGlobal(QPoint(40, 10))));
    EXPECT_TRUE(history->IsDocked());
    EXPECT_EQ(InClient(history), before);
    EXPECT_EQ(Join(Problems()), "");

    for (int how = 0; how < 3; ++how) {
        DragCaption(history, {40, 10}, {990, 300}, false);
        ASSERT_NE(CDragSession::Active(), nullptr);
        if (how == 0)
            QTest::keyClick(Handle(history), Qt::Key_Escape);
        else if (how == 1) {
            PressOn(history, {40, 10}, Qt::RightButton);
            ReleaseOn(history, {40, 10}, Qt::RightButton);
        } else {
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(&frame, &deactivate);
        }
        ReleaseOn(history, {40, 10});
        Settle();
        EXPECT_TRUE(history->IsDocked()) << how;
        EXPECT_EQ(InClient(history), before) << how;
        EXPECT_EQ(Join(Problems()), "") << how;
    }

    // The dragged window deleted during the drag: the drag ends cleanly.
    CTabbedAutoHideDockingWindow* other = MakeWindow("Other");
    DockLeft(other);
    Settle();
    DragCaption(other, {40, 10}, {990, 300}, false);
    ASSERT_NE(CDragSession::Active(), nullptr);
    delete other;
    Settle();
    EXPECT_EQ(CDragSession::Active(), nullptr);
    EXPECT_EQ(Join(Problems()), "");

    // A docked window deleted in place leaves its bar, and later layout
    // passes still place the windows that stay.
    CTabbedAutoHideDockingWindow* temporary = MakeWindow("Temporary");
    DockLeft(temporary);
    Settle();
    ASSERT_TRUE(temporary->IsDocked());
    delete temporary;
    Settle();
    EXPECT_EQ(Join(Problems()), "");
    frame.resize(frame.width() - 50, frame.height() - 50);
    Settle();
    EXPECT_EQ(Join(Problems()), "");
}

// A floating window that offers a place for every outline and then refuses the drop.
class CRefusingBox final : public QWidget {
public:
    explicit CRefusingBox(QWidget* frame) : QWidget(frame, Qt::Tool | Qt::FramelessWindowHint) {}

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == BoxMessageEventType() || event->type() == DockRequestEventType()) {
            auto* request = static_cast<CDockRequestEvent*>(event);
            const int code = request->Request().code;
            request->result = (code == kIsBoxQuery || code == kAdjustDragRect) ? 1 : 0;
            if (code == kAdjustDragRect)
                request->Request().target = this;
            return true;
        }
        return QWidget::event(event);
    }
};

TEST_F(DockingCaption, ARefusedDropFloatsTheWindowVisible)
{
    DockLeft(history);
    DockLeft(variables);
    Show();
    auto* box = new CRefusingBox(&frame);
    box->setGeometry(QRect(frame.ClientArea()->mapToGlobal(QPoint(600, 200)), QSize(200, 200)));
    box->show();
    Settle();
    DragCaption(history, {40, 10}, {700, 300});
    EXPECT_FALSE(history->IsDocked());
    EXPECT_TRUE(history->isVisible());
    EXPECT_GE(history->width(), 100);
    delete box;
    EXPECT_EQ(Join(Problems()), "");
}

TEST_F(DockingCaption, AFloatingWindowResizesByItsMarginNeverBelowItsMinimum)
{
    Show();
    variables->SetFloatingRect({300, 300, 600, 500});
    variables->setGeometry(300, 300, 300, 200);
    variables->show();
    Settle();
    ASSERT_TRUE(variables->isWindow());
    EXPECT_EQ(variables->ClientRect(), QRect(4, 20, 292, 176));
    QWindow* window = variables->windowHandle();
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(298, 198));
    QTest::mouseMove(window, QPoint(348, 228));
    EXPECT_EQ(variables->size(), QSize(350, 230));
    QTest::mouseMove(window, QPoint(-200, -200));
    EXPECT_EQ(variables->size(), QSize(100, 100));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(-200, -200));
    Settle();
    EXPECT_EQ(variables->geometry().topLeft(), QPoint(300, 300));
    EXPECT_EQ(variables->FloatingRect(), (RECT{300, 300, 400, 400}));
    EXPECT_EQ(Join(Problems()), "");
}

TEST_F(DockingCaption, CodesOfADockingWindow)
{
    DockLeft(history);
    Show();
    DockRequest request;
    request.window = variables;
    request.code = kIsBoxQuery;
    EXPECT_EQ(SendBoxMessage(history, request), 1);
    for (int code : {int(kUndock), 6, int(kGetMinFrameDistance), int(kAdjustDragRect), int(kAcceptDock), int(kSetDockingPosition)}) {
        DockRequest r;
        r.window = history;  // never onto itself
        r.target = history;
        r.code = code;
        EXPECT_EQ(SendDockRequest(history, r), 0) << code;
    }
    // Code 4: floating, bit 3 and its rectangle; docked, what the frame says.
    variables->SetFloatingRect({300, 300, 600, 500});
    variables->setGeometry(300, 300, 300, 200);
    variables->show();
    DockRequest own;
    own.window = history;
    own.code = kGetDockingPosition;
    ASSERT_EQ(SendDockRequest(variables, own), 1);
    EXPECT_EQ(own.window, static_cast<void*>(history));
    EXPECT_EQ(own.target, static_cast<void*>(variables));
    EXPECT_TRUE(own.position.sideFlags & kSideFloating);
    EXPECT_EQ(own.position.floatRect, (RECT{300, 300, 600, 500}));
    DockRequest dockedPosition;
    dockedPosition.code = kGetDockingPosition;
    ASSERT_EQ(SendDockRequest(history, dockedPosition), 1);
    const DockPosition fromFrame = Position(history);
    EXPECT_EQ(dockedPosition.position.sideFlags, fromFrame.sideFlags);
    EXPECT_EQ(dockedPosition.position.barIndex, fromFrame.barIndex);
    EXPECT_EQ(dockedPosition.position.width, fromFrame.width);
    EXPECT_EQ(dockedPosition.position.height, fromFrame.height);
    variables->hide();

    DockRequest tab;
    tab.window = variables;
    tab.code = kActivateTab;
    EXPECT_EQ(SendDockRequest(variables, tab), 0);  // floating: nothing to select
    // Pinning is refused when not docked.
    EXPECT_FALSE(variables->Pin(true));
    EXPECT_FALSE(variables->IsDocked());

    // Docked, code 10 goes to the holder unchanged: the window named is the tab to select.
    struct Holder : QWidget {
        void* asked = nullptr;
        bool event(QEvent* event) override
        {
            if (event->type() != DockRequestEventType())
                return QWidget::event(event);
            auto* request = static_cast<CDockRequestEvent*>(event);
            asked = request->Request().window;
            request->result = request->Request().code == kActivateTab ? 1 : 0;
            return true;
        }
    } holder;
    CDockNotifyEvent docked(true, false, &holder);
    QCoreApplication::sendEvent(variables, &docked);
    DockRequest select;
    select.window = history;
    select.code = kActivateTab;
    EXPECT_EQ(SendDockRequest(variables, select), 1);
    EXPECT_EQ(holder.asked, static_cast<void*>(history));
    CDockNotifyEvent undocked(false, false, &holder);
    QCoreApplication::sendEvent(variables, &undocked);
}
using CaptionColours = DockingCaption;

TEST_F(CaptionColours, ActiveOnlyWhenTheFocusIsInside)
{
    // A docking window's caption and the auto-hide pane's, painted with the
    // focus in a control inside the window, on the window itself, and
    // elsewhere: only the first is drawn active (highlight, highlighted text).
    auto* entry = new QLineEdit(client);
    entry->setGeometry(10, 10, 100, 20);
    CTabbedAutoHideDockingWindow* bare = MakeWindow("Bare");
    bare->Client()->hide();  // nothing inside to pass the focus on to
    bare->setFocusPolicy(Qt::StrongFocus);
    DockLeft(history);
    DockTop(bare);
    Show();
    frame.activateWindow();
    (void)QTest::qWaitForWindowActive(&frame);
    const auto band = [](CTabbedAutoHideDockingWindow* w) {
        return w->IsHorizontal() ? QPoint(w->width() - 40, 8) : QPoint(8, w->height() - 40);
    };
    const QRgb face = Colour(history, QPalette::Button);
    const QRgb highlight = Colour(history, QPalette::Highlight);
    const struct {
        QWidget* focus;
        QRgb historyBand, bareBand;
    } cases[] = {
        {history->Client(), highlight, face},  // inside History
        {bare, face, face},                    // the window itself
        {entry, face, face},                   // elsewhere
    };
    for (const auto& c : cases) {
        c.focus->setFocus();
        Settle();
        ASSERT_EQ(QApplication::focusWidget(), c.focus);
        EXPECT_EQ(Pixel(history, band(history)), c.historyBand) << c.focus->metaObject()->className();
        EXPECT_EQ(Pixel(bare, band(bare)), c.bareBand) << c.focus->metaObject()->className();
    }
    history->Client()->setFocus();
    Settle();
    const QPoint close = Centre(history->Caption().close);
    EXPECT_EQ(Pixel(history, close - QPoint(4, 4)), highlight);  // the buttons' background too
    EXPECT_EQ(Pixel(history, {history->Caption().close.left + 2, history->Caption().close.top + 3}),
              Colour(history, QPalette::HighlightedText));

    // The auto-hide pane: the focus in the shown window, on the pane, elsewhere.
    ASSERT_TRUE(history->Pin(false));
    Settle();
    CAutoHidePane* pane = frame.AutoHide().Pane();
    ASSERT_TRUE(frame.AutoHide().Show(history, false));
    Settle();
    pane->setFocusPolicy(Qt::StrongFocus);
    const QPoint caption(pane->Caption().caption.left + 4, pane->Caption().caption.top + 4);
    const struct {
        QWidget* focus;
        QRgb fill;
    } paneCases[] = {{history->Client(), highlight}, {pane, face}, {entry, face}};
    for (const auto& c : paneCases) {
        c.focus->setFocus();
        Settle();
        ASSERT_EQ(QApplication::focusWidget(), c.focus);
        EXPECT_EQ(Pixel(pane, caption), c.fill) << c.focus->metaObject()->className();
    }
    frame.AutoHide().Hide(false);
    EXPECT_EQ(Join(Problems()), "");
}

class FocusInPanes : public DockingCaption {
protected:
    FocusInPanes()
    {
        auto* pane = new QWidget;
        auto* layout = new QVBoxLayout(pane);
        first = new QLineEdit(pane);
        second = new QLineEdit(pane);
        layout->addWidget(first);
        layout->addWidget(second);
        history->SetClient(pane);
        entry = new QLineEdit(client);
        entry->setGeometry(10, 10, 100, 20);
        DockLeft(history);
        DockTop(variables);
        Show();
        frame.activateWindow();
        (void)QTest::qWaitForWindowActive(&frame);
    }
    QLineEdit* first = nullptr;
    QLineEdit* second = nullptr;
    QLineEdit* entry = nullptr;
};

TEST_F(FocusInPanes, ClosingAPaneThatDoesNotHoldTheFocusLeavesTheFocus)
{
    entry->setFocus();
    Settle();
    PressOn(history, Centre(history->Caption().close));
    ReleaseOn(history, Centre(history->Caption().close));
    Settle();
    EXPECT_FALSE(history->IsVisibleWindow());
    EXPECT_EQ(QApplication::focusWidget(), entry);
    EXPECT_EQ(Join(Problems()), "");
}

TEST_F(FocusInPanes, CaptionsFollowTheFocusAndACaptionClickRestoresTheLastControl)
{
    int historyPaints = 0, variablesPaints = 0;
    struct Counter : QObject {
        int& count;
        explicit Counter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                ++count;
            return false;
        }
    } historyCounter(historyPaints), variablesCounter(variablesPaints);
    history->installEventFilter(&historyCounter);
    variables->installEventFilter(&variablesCounter);

    second->setFocus();
    Settle();
    EXPECT_TRUE(history->IsCaptionActive());
    historyPaints = variablesPaints = 0;
    variables->Client()->setFocus();
    Settle();
    EXPECT_FALSE(history->IsCaptionActive());
    EXPECT_TRUE(variables->IsCaptionActive());
    EXPECT_GT(historyPaints, 0);
    EXPECT_GT(variablesPaints, 0);
    EXPECT_EQ(Join(Problems()), "");

    // A click on History's caption goes back to the control it had.
    PressOn(history, {40, 10});
    ReleaseOn(history, {40, 10});
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), second);

    // A remembered control that is gone: the focus goes to the pane.
    entry->setFocus();
    delete second;
    second = nullptr;
    PressOn(history, {40, 10});
    ReleaseOn(history, {40, 10});
    Settle();
    EXPECT_TRUE(history->IsCaptionActive());
    EXPECT_EQ(Join(Problems()), "");
}

TEST_F(FocusInPanes, DeactivationAndActivationKeepTheFocus)
{
    first->setFocus();
    Settle();
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&frame, &deactivate);
    entry->setFocus();  // the system moved it meanwhile
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&frame, &activate);
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), first);
    EXPECT_EQ(Join(Problems()), "");
}

}  // namespace
