// Panes pinned to the sides of the docking frame with real widgets: strips and
// bounds, the pinned window's home and codes, hovering a label out, hiding,
// resizing and closing the slid-out pane, unpinning, and windows that go.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

#include "DockingFixture.h"
#include "docking/AutoHideManager.h"
#include "docking/CaptionPainter.h"
#include "docking/DragSession.h"
#include "docking/TabDockingBox.h"
#include "docking/core/PinnedLabelLayout.h"

namespace {

using namespace dockwins;

QRect Q(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }

struct AutoHideFixture : DockingFixture {
    AutoHideFixture()
    {
        Manager().SetHoverAllowed([] { return true; });
        Manager().SetCursorSource([this] { return frame.ClientArea()->mapToGlobal(cursor); });
        SetGhost(false);
    }
    ~AutoHideFixture() { SetGhost(false); }

    CAutoHideManager& Manager() { return frame.AutoHide(); }
    CAutoHidePane* Pane() { return Manager().Pane(); }
    // Strip thickness: the GUI font's text height, at least the small icon's, + 8.
    static int Thickness() { return std::max(QFontMetrics(QApplication::font()).height(), 16) + 8; }
    static int Measure(const QString& text) { return QFontMetrics(QApplication::font()).horizontalAdvance(text); }

    std::intptr_t PinBoxOf(std::vector<CTabbedAutoHideDockingWindow*> windows, CTabbedAutoHideDockingWindow* active,
                           unsigned side, unsigned width, bool show = false, const std::vector<unsigned>& widths = {})
    {
        std::vector<WindowHandle> handles(windows.begin(), windows.end());
        DockRequest r;
        r.widths = widths.empty() ? nullptr : widths.data();
        r.window = active;
        r.code = kPinToSide;
        r.position.sideFlags = side;
        r.position.width = width;
        r.pinShow = show ? 1 : 0;
        r.windowCount = static_cast<int>(handles.size());
        r.windows = handles.data();
        return SendDockRequest(&frame, r);
    }

    QPoint LabelCentre(CTabbedAutoHideDockingWindow* w) { return Manager().LabelRectOf(w).center(); }

    // Pointer input on the pane (pane coordinates).
    void PaneClick(QPoint p)
    {
        QTest::mouseClick(frame.windowHandle(), Qt::LeftButton, {}, Pane()->mapTo(&frame, p));
    }
    static QPoint Centre(const RECT& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

    QPoint cursor{500, 300};  // client coordinates, for the hide check
};

TEST(AutoHide, PinningToTheLeftMakesAStripAndAHiddenChildOfThePane)
{
    AutoHideFixture f;
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 3, 0, 0.0f, 200, 100));
    f.Show();
    const int t = AutoHideFixture::Thickness();
    const QSize minimumBefore = f.frame.minimumSize();

    ASSERT_TRUE(f.history->Pin(false));
    Settle();
    EXPECT_EQ(f.Manager().StripThickness(), t);
    EXPECT_EQ(f.InClient(f.Manager().Strip(AUTOHIDE_LEFT)), Q(0, 0, t, 600));
    EXPECT_TRUE(f.Manager().Strip(AUTOHIDE_LEFT)->isVisible());
    EXPECT_FALSE(f.Manager().Strip(AUTOHIDE_TOP)->isVisible());
    EXPECT_EQ(f.frame.Layout().Outer().Rect(), (RECT{t, 0, 1000, 600}));
    EXPECT_EQ(f.InClient(f.variables).left(), t);  // the bar moved over
    EXPECT_EQ(f.frame.minimumSize().width(), minimumBefore.width() + t);

    EXPECT_EQ(f.history->parentWidget(), f.Pane());
    EXPECT_EQ(f.history->DockedTo(), f.Pane());
    EXPECT_TRUE(f.history->isHidden());
    EXPECT_FALSE(f.history->HasOwnCaption());
    EXPECT_FALSE(f.Pane()->isVisible());

    // Code 11: pinned counts as visible, also while not slid out.
    DockRequest pinned;
    pinned.window = f.history;
    pinned.target = f.history->DockedTo();
    pinned.code = kIsPinned;
    EXPECT_EQ(SendDockRequest(&f.frame, pinned), 1);
    EXPECT_TRUE(f.history->IsVisibleWindow());

    // Code 4: side flags 39, the label's index as bar index.
    DockPosition h = f.Position(f.history);
    EXPECT_EQ(h.sideFlags, 39u);
    EXPECT_EQ(h.barIndex, 0);
    EXPECT_EQ(h.width, 200u);
    DockRequest pinWindow;  // code 14: the window pins itself, shown slid out
    pinWindow.window = f.variables;
    pinWindow.target = f.variables;
    pinWindow.code = kPinWindow;
    pinWindow.pinShow = 1;
    ASSERT_EQ(SendDockRequest(f.variables, pinWindow), 1);
    Settle();
    EXPECT_EQ(f.Manager().ShownWindow(), f.variables);
    f.Manager().Hide(false);
    EXPECT_EQ(f.Position(f.variables).sideFlags, 39u);
    EXPECT_EQ(f.Position(f.variables).barIndex, 1);
    EXPECT_EQ(f.frame.Bars().size(), 0u);
    EXPECT_EQ(f.Manager().LabelRects(AUTOHIDE_LEFT).size(), 2u);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});

    // Pinned a second time (code 12 again), a window keeps one label.
    ASSERT_EQ(f.PinBoxOf({f.history}, f.history, AUTOHIDE_RIGHT, 150), 1);
    Settle();
    EXPECT_EQ(f.Manager().Model().LabelCount(AUTOHIDE_LEFT), 1);
    EXPECT_EQ(f.Manager().Model().LabelCount(AUTOHIDE_RIGHT), 1);
    EXPECT_EQ(f.Position(f.history).sideFlags, 37u);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(AutoHide, StripsOnTopAndLeftAndTheBoundsInside)
{
    AutoHideFixture f;
    ASSERT_TRUE(f.frame.DockWindow(f.history, 2, 0, 0.0f, 150, 100));  // above
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 3, 0, 0.0f, 200, 100));
    f.Show();
    const QSize minimumBefore = f.frame.minimumSize();
    ASSERT_TRUE(f.history->Pin(false));
    ASSERT_TRUE(f.variables->Pin(false));
    Settle();
    const int t = AutoHideFixture::Thickness();
    EXPECT_EQ(f.Position(f.history).sideFlags, 38u);
    const AutoHideSides& sides = f.Manager().Sides();
    EXPECT_EQ(sides.strips[AUTOHIDE_TOP], (RECT{t, 0, 1000, t}));  // shortened at its left end
    EXPECT_EQ(sides.strips[AUTOHIDE_LEFT], (RECT{0, t, t, 600}));
    EXPECT_EQ(sides.bounds, (RECT{t, t, 1000, 600}));
    EXPECT_EQ(f.frame.Layout().Outer().Rect(), (RECT{t, t, 1000, 600}));
    // The top strip's fill reaches over the corner.
    EXPECT_EQ(f.InClient(f.Manager().Strip(AUTOHIDE_TOP)), Q(0, 0, 1000, t));
    EXPECT_EQ(f.InClient(f.client), Q(t, t, 1000, 600));
    // The frame's minimum grows by the thickness per side with labels (the
    // bars that left gave back theirs).
    EXPECT_EQ(f.frame.minimumSize(), QSize(600 + t, 450 + t));
    EXPECT_LT(f.frame.minimumSize().width(), minimumBefore.width() + t);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(AutoHide, ABoxOfThreeIsOneLabel)
{
    AutoHideFixture f;
    CTabbedAutoHideDockingWindow* keys = f.MakeWindow("Keys");
    f.Show();
    ASSERT_EQ(f.PinBoxOf({f.history, f.variables, keys}, f.variables, AUTOHIDE_LEFT, 180), 1);
    Settle();
    const auto& model = f.Manager().Model();
    ASSERT_EQ(model.LabelCount(AUTOHIDE_LEFT), 1);
    const auto& label = model.LabelAt(AUTOHIDE_LEFT, 0);
    EXPECT_EQ(label.Count(), 3);
    EXPECT_EQ(label.Active(), 1);
    EXPECT_EQ(label.Reference(), 1);  // "Variables  ", the longest text
    const int desired = AutoHideFixture::Measure("Variables  ") + 6 + 16 + 3 + 2 * 22;
    EXPECT_EQ(label.Width(), desired);
    EXPECT_EQ(f.Manager().LabelRects(AUTOHIDE_LEFT)[0].Height(), desired);
    EXPECT_EQ(label.InactiveWidth(), 22);
    for (auto* w : {f.history, f.variables, keys})
        EXPECT_EQ(w->parentWidget(), f.Pane());
    EXPECT_EQ(f.Position(f.variables).sideFlags, 39u | kSideBoxActive);
    EXPECT_EQ(f.Position(keys).tabIndex, 2);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
    const QImage strip = f.Manager().Strip(AUTOHIDE_LEFT)->grab().toImage();
    EXPECT_FALSE(strip.isNull());

    // Closing two of them from the pane leaves a single label holding the third's text.
    ASSERT_TRUE(f.Manager().Show(keys, false));
    f.PaneClick(AutoHideFixture::Centre(f.Pane()->Caption().close));
    ASSERT_TRUE(f.Manager().Show(f.variables, false));
    f.PaneClick(AutoHideFixture::Centre(f.Pane()->Caption().close));
    Settle();
    ASSERT_EQ(model.LabelCount(AUTOHIDE_LEFT), 1);
    EXPECT_FALSE(model.LabelAt(AUTOHIDE_LEFT, 0).IsMulti());
    EXPECT_TRUE(model.LabelAt(AUTOHIDE_LEFT, 0).At(0).text == u"History");
    EXPECT_TRUE(keys->isHidden());
    EXPECT_EQ(keys->DockedTo(), nullptr);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(AutoHide, EveryWindowOfALabelMayComeWithItsOwnWidth)
{
    AutoHideFixture f;
    CTabbedAutoHideDockingWindow* keys = f.MakeWindow("Keys");
    f.Show();
    // As a restore pins them: each window's own slide-out width, the
    // request's width ignored; without widths every window takes the request's.
    ASSERT_EQ(f.PinBoxOf({f.history, f.variables}, f.variables, AUTOHIDE_LEFT, 180, false, {150, 260}), 1);
    ASSERT_EQ(f.PinBoxOf({keys}, keys, AUTOHIDE_RIGHT, 170), 1);
    Settle();
    EXPECT_EQ(f.Position(f.history).width, 150u);
    EXPECT_EQ(f.Position(f.variables).width, 260u);
    EXPECT_EQ(f.Position(keys).width, 170u);
    const int t = AutoHideFixture::Thickness();
    for (auto [w, width] : {std::pair{f.history, 150}, std::pair{f.variables, 260}}) {
        ASSERT_TRUE(f.Manager().Show(w, false));
        EXPECT_EQ(f.InClient(f.Pane()), Q(t, 0, t + width + 5, 600));
    }
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

// The pixels of `image` in `rect` are the pin icon's where it is opaque and
// `fill` where it is not; the rest of `button` is `fill`.
std::string PinIconMismatch(const QImage& image, const QRect& button, const QRect& rect, const QColor& fill)
{
    const QImage icon = PinIconImage(true).scaled(rect.size());
    for (int y = button.top(); y <= button.bottom(); ++y)
        for (int x = button.left(); x <= button.right(); ++x) {
            QColor wanted = fill;
            if (rect.contains(x, y) && qAlpha(icon.pixel(x - rect.left(), y - rect.top())) != 0)
                wanted = QColor::fromRgb(icon.pixel(x - rect.left(), y - rect.top()));
            if (image.pixelColor(x, y).rgb() != wanted.rgb())
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
        }
    return "";
}

TEST(AutoHide, ThePanesPinButtonShowsThePinIconStuckIn)
{
    AutoHideFixture f;
    f.Show();
    ASSERT_EQ(f.PinBoxOf({f.history}, f.history, AUTOHIDE_LEFT, 200), 1);
    Settle();
    ASSERT_TRUE(f.Manager().Show(f.history, false));
    Settle();
    const RECT pin = f.Pane()->Caption().pin;
    const QRect button = ToQRect(pin);
    // 11 x 11 in the middle of the button, in every state: normal and pressed.
    const QRect icon(button.left() + (button.width() - 11) / 2, button.top() + (button.height() - 11) / 2, 11, 11);
    const QColor face = f.Pane()->palette().color(QPalette::Button);
    EXPECT_EQ(PinIconMismatch(f.Pane()->grab().toImage(), button, icon, face), "");
    QTest::mousePress(f.frame.windowHandle(), Qt::LeftButton, {}, f.Pane()->mapTo(&f.frame, button.center()));
    ASSERT_EQ(f.Pane()->PinButtonState(), ButtonState::Pressed);
    // Inside the pressed button's sunken edge the icon stands where it stood.
    EXPECT_EQ(PinIconMismatch(f.Pane()->grab().toImage(), button.adjusted(1, 1, -1, -1), icon, face), "");
    // Released off the button: no click.
    const QPoint off = f.Pane()->mapTo(&f.frame, QPoint(4, f.Pane()->height() / 2));
    QTest::mouseMove(f.frame.windowHandle(), off);
    QTest::mouseRelease(f.frame.windowHandle(), Qt::LeftButton, {}, off);
    EXPECT_TRUE(f.history->IsPinned());
    f.Manager().Hide(false);

    // A caption too thin for it: the icon at the button's own size.
    QImage image(200, 14, QImage::Format_ARGB32);
    const QPalette palette = f.frame.palette();
    image.fill(Qt::transparent);
    const CaptionLayout thin = LayOutCaption(CaptionStyle::AutoHide, {0, 0, 200, 14}, true);
    ASSERT_EQ(thin.pin.Height(), 8);
    {
        QPainter painter(&image);
        PaintAutoHideCaption(painter, palette, QApplication::font(), thin, QString(), false, ButtonState::Normal,
                             ButtonState::Normal, true);
    }
    const QRect small = ToQRect(thin.pin);
    EXPECT_EQ(PinIconMismatch(image, small, small, palette.color(QPalette::Button)), "");
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(AutoHide, RestingOnALabelSlidesThePaneOutInTenSteps)
{
    for (const bool fullDrag : {true, false}) {
        AutoHideFixture f;
        ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
        f.Show();
        ASSERT_TRUE(f.history->Pin(false));
        Settle();
        f.SetGhost(!fullDrag);
        const int t = AutoHideFixture::Thickness();
        std::vector<QRect> steps;
        struct Recorder : QObject {
            std::vector<QRect>* steps;
            bool eventFilter(QObject* o, QEvent* e) override
            {
                if (e->type() == QEvent::Resize || e->type() == QEvent::Move)
                    steps->push_back(static_cast<QWidget*>(o)->geometry());
                return false;
            }
        } recorder;
        recorder.steps = &steps;
        f.Pane()->installEventFilter(&recorder);

        f.Move(f.LabelCentre(f.history));
        EXPECT_EQ(f.Manager().HoverCandidate(), f.history);
        EXPECT_TRUE(f.Manager().HoverTimer()->isActive());
        EXPECT_EQ(f.Manager().HoverTimer()->interval(), 50);
        ASSERT_TRUE(QTest::qWaitFor([&] { return f.Manager().ShownWindow() != nullptr; }, 2000));
        EXPECT_EQ(f.Manager().IsSliding(), fullDrag);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !f.Manager().IsSliding(); }, 2000));
        Settle();
        const QRect final = Q(t, 0, t + 205, 600);  // width + 5
        EXPECT_EQ(f.InClient(f.Pane()), final);
        ASSERT_FALSE(steps.empty());
        EXPECT_EQ(steps.back(), final);
        if (fullDrag) {
            // One place with no extent, then ten steps of 20.
            std::vector<QRect> distinct;
            for (const QRect& r : steps)
                if (distinct.empty() || distinct.back() != r)
                    distinct.push_back(r);
            ASSERT_EQ(distinct.size(), 11u);
            EXPECT_EQ(distinct.front().width(), 5);
            EXPECT_EQ(distinct[1].width(), 25);
        } else {
            for (const QRect& r : steps)
                EXPECT_EQ(r, final);
        }
        EXPECT_TRUE(f.history->isVisible());
        EXPECT_EQ(f.history->geometry(), f.Pane()->ClientRect());
        EXPECT_EQ(f.Pane()->Title(), QString("History"));
        EXPECT_TRUE(f.Manager().HideTimer()->isActive());
        EXPECT_EQ(f.Manager().HideTimer()->interval(), 1300);
        EXPECT_EQ(f.Problems(), std::vector<std::string>{});
        // The resting pointer on the shown label asks for nothing more.
        f.Move(f.LabelCentre(f.history) + QPoint(0, 1));
        EXPECT_FALSE(f.Manager().HoverTimer()->isActive());
        f.Pane()->removeEventFilter(&recorder);
    }
}

TEST(AutoHide, TheHideCheckWaitsForPointerAndFocusToLeave)
{
    AutoHideFixture f;
    auto* edit = new QLineEdit;
    f.history->SetClient(edit);
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
    f.Show();
    ASSERT_TRUE(f.history->Pin(false));
    Settle();
    ASSERT_TRUE(f.Manager().Show(f.history, false));

    f.cursor = f.LabelCentre(f.history);  // on the label
    f.Manager().HideTick();
    EXPECT_EQ(f.Manager().ShownWindow(), f.history);
    f.cursor = QPoint(100, 300);  // on the pane
    f.Manager().HideTick();
    EXPECT_EQ(f.Manager().ShownWindow(), f.history);
    f.cursor = QPoint(700, 300);  // elsewhere, but the focus inside
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    f.Manager().HideTick();
    EXPECT_EQ(f.Manager().ShownWindow(), f.history);
    EXPECT_TRUE(f.Pane()->IsCaptionActive());
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});

    f.client->setFocus();
    f.Manager().HideTick();
    EXPECT_EQ(f.Manager().ShownWindow(), nullptr);
    EXPECT_TRUE(f.history->isHidden());
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Pane()->isHidden(); }, 2000));
    EXPECT_FALSE(f.Manager().HideTimer()->isActive());
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(AutoHide, PaneLimitsAndResizing)
{
    for (const bool ghost : {false, true}) {
        AutoHideFixture f;
        f.Show();
        ASSERT_EQ(f.PinBoxOf({f.history}, f.history, AUTOHIDE_LEFT, 400), 1);
        Settle();
        const int t = AutoHideFixture::Thickness();
        f.frame.SetClientWindow(new QLabel("small"));
        f.frame.resize(t + 300, 600);
        Settle();
        ASSERT_EQ(f.Manager().Sides().bounds.Width(), 300);
        ASSERT_TRUE(f.Manager().Show(f.history, false));
        EXPECT_EQ(f.InClient(f.Pane()), Q(t, 0, t + 295, 600));  // width 400 in 300: 295

        f.frame.resize(1000, 600);
        Settle();
        ASSERT_TRUE(f.Manager().Show(f.history, false));
        EXPECT_EQ(f.InClient(f.Pane()), Q(t, 0, t + 405, 600));
        f.SetGhost(ghost);
        const QPoint bar = f.Pane()->mapTo(f.frame.ClientArea(), f.Pane()->SizingBar().center());
        f.Press(bar);
        EXPECT_TRUE(CDragSession::Active());
        EXPECT_FALSE(f.Manager().HideTimer()->isActive());
        f.Move(QPoint(-50, 300));
        EXPECT_EQ(f.InClient(f.Pane()).right() + 1, ghost ? t + 405 : t + 5);  // near edge + 5
        f.Move(QPoint(999, 300));
        EXPECT_EQ(f.InClient(f.Pane()).right() + 1, ghost ? t + 405 : 995);  // far edge - 5
        f.Move(bar + QPoint(-100, 0));
        f.Release(bar + QPoint(-100, 0));
        Settle();
        EXPECT_FALSE(CDragSession::Active());
        EXPECT_TRUE(f.Manager().HideTimer()->isActive());
        EXPECT_EQ(f.InClient(f.Pane()), Q(t, 0, t + 305, 600));
        EXPECT_EQ(f.Problems(), std::vector<std::string>{});

        // The next show uses the resized width, and so does unpinning.
        f.Manager().Hide(false);
        ASSERT_TRUE(f.Manager().Show(f.history, false));
        EXPECT_EQ(f.InClient(f.Pane()), Q(t, 0, t + 305, 600));
        EXPECT_EQ(f.Position(f.history).width, 300u);

        // Escape or the right button: the pane and its width are as before the drag.
        for (const bool escape : {true, false}) {
            const QPoint from = f.Pane()->mapTo(f.frame.ClientArea(), f.Pane()->SizingBar().center());
            f.Press(from);
            f.Move(from + QPoint(200, 0));
            if (escape) {
                QTest::keyClick(f.frame.windowHandle(), Qt::Key_Escape);
            } else {
                f.Press(from + QPoint(200, 0), Qt::RightButton);
                f.Release(from + QPoint(200, 0), Qt::RightButton);
            }
            f.Release(from + QPoint(200, 0));
            Settle();
            EXPECT_FALSE(CDragSession::Active());
            EXPECT_EQ(f.InClient(f.Pane()), Q(t, 0, t + 305, 600)) << escape;
            EXPECT_EQ(f.Position(f.history).width, 300u) << escape;
            EXPECT_EQ(f.Problems(), std::vector<std::string>{});
        }
    }
}

TEST(AutoHide, ThePanesPinButtonPutsTheWindowBackAtANewBarOnItsSide)
{
    AutoHideFixture f;
    ASSERT_TRUE(f.frame.DockWindow(f.history, 1, 0, 0.0f, 220, 100));  // right
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 1, 0, 0.0f, 220, 100));
    f.Show();
    // The caption's pin button pins the window shown slid out.
    const QPoint pin = AutoHideFixture::Centre(f.history->Caption().pin);
    QTest::mouseClick(f.frame.windowHandle(), Qt::LeftButton, {}, f.history->mapTo(&f.frame, pin));
    Settle();
    ASSERT_EQ(f.Manager().ShownWindow(), f.history);
    const int t = AutoHideFixture::Thickness();
    EXPECT_EQ(f.InClient(f.Pane()), Q(1000 - t - 225, 0, 1000 - t, 600));
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});

    f.PaneClick(AutoHideFixture::Centre(f.Pane()->Caption().pin));
    Settle();
    EXPECT_EQ(f.Manager().ShownWindow(), nullptr);
    EXPECT_FALSE(f.Pane()->isVisible());
    EXPECT_FALSE(f.Manager().Strip(AUTOHIDE_RIGHT)->isVisible());
    ASSERT_EQ(f.frame.Bars().size(), 2u);
    EXPECT_TRUE(f.history->isVisible());
    EXPECT_TRUE(f.history->HasOwnCaption());
    const DockPosition h = f.Position(f.history);
    EXPECT_EQ(h.sideFlags & 3u, 1u);
    EXPECT_EQ(h.barIndex, 0);  // the outermost bar
    EXPECT_EQ(h.width, 220u);
    EXPECT_EQ(f.InClient(f.history->DockedTo()), Q(780, 0, 1000, 600));
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(AutoHide, ThePanesCloseButtonHidesTheWindowAndActivateDocksItAtThatEdge)
{
    AutoHideFixture f;
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
    f.Show();
    ASSERT_TRUE(f.history->Pin(true));
    Settle();
    ASSERT_EQ(f.Manager().ShownWindow(), f.history);
    // Escape while the button is held: no click, nothing left pressed.
    const QPoint close = f.Pane()->mapTo(&f.frame, AutoHideFixture::Centre(f.Pane()->Caption().close));
    QTest::mousePress(f.frame.windowHandle(), Qt::LeftButton, {}, close);
    EXPECT_EQ(f.Pane()->CloseButtonState(), ButtonState::Pressed);
    QTest::keyClick(f.frame.windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(f.Pane()->CloseButtonState(), ButtonState::Normal);
    QTest::mouseRelease(f.frame.windowHandle(), Qt::LeftButton, {}, close);
    Settle();
    EXPECT_EQ(f.Manager().ShownWindow(), f.history);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});

    f.PaneClick(AutoHideFixture::Centre(f.Pane()->Caption().close));
    Settle();
    EXPECT_TRUE(f.history->isHidden());
    EXPECT_FALSE(f.history->IsVisibleWindow());
    EXPECT_FALSE(f.Pane()->isVisible());
    EXPECT_EQ(f.Manager().Model().LabelCount(AUTOHIDE_LEFT), 0);
    EXPECT_FALSE(f.Manager().Strip(AUTOHIDE_LEFT)->isVisible());
    EXPECT_EQ(f.frame.Layout().Outer().Rect(), (RECT{0, 0, 1000, 600}));
    EXPECT_EQ(f.InClient(f.client), Q(0, 0, 1000, 600));
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});

    ASSERT_TRUE(f.history->Activate());
    Settle();
    ASSERT_EQ(f.frame.Bars().size(), 1u);
    EXPECT_EQ(f.InClient(f.history->DockedTo()), Q(0, 0, 200, 600));
    EXPECT_TRUE(f.history->isVisible());
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(AutoHide, AWindowThatGoesLeavesItsLabelAndTheFrameGoesCleanly)
{
    auto f = std::make_unique<AutoHideFixture>();
    CTabbedAutoHideDockingWindow* keys = f->MakeWindow("Keys");
    ASSERT_TRUE(f->frame.DockWindow(f->history, 3, 0, 0.0f, 200, 100));
    f->Show();
    ASSERT_EQ(f->PinBoxOf({f->variables, keys}, keys, AUTOHIDE_BOTTOM, 120, true), 1);
    ASSERT_TRUE(f->history->Pin(true));
    Settle();
    EXPECT_EQ(f->Manager().ShownWindow(), f->history);
    delete f->history;
    Settle();
    EXPECT_EQ(f->Manager().ShownWindow(), nullptr);
    EXPECT_FALSE(f->Pane()->isVisible());
    EXPECT_FALSE(f->Manager().Strip(AUTOHIDE_LEFT)->isVisible());
    delete keys;
    Settle();
    ASSERT_EQ(f->Manager().Model().LabelCount(AUTOHIDE_BOTTOM), 1);
    EXPECT_FALSE(f->Manager().Model().LabelAt(AUTOHIDE_BOTTOM, 0).IsMulti());
    ASSERT_TRUE(f->Manager().Show(f->variables, false));
    // The frame goes with a window pinned and slid out (ASan watches).
    f.reset();
}

TEST(AutoHide, TheBoxsPinButtonPinsAllItsWindowsAsOneLabel)
{
    AutoHideFixture f;
    CTabbedAutoHideDockingWindow* keys = f.MakeWindow("Keys");
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 210, 100));
    f.Show();
    ASSERT_TRUE(f.variables->DockTo(f.history, 99));
    ASSERT_TRUE(keys->DockTo(f.history, 99));
    Settle();
    auto* box = qobject_cast<CTabDockingBox*>(f.history->DockedTo());
    ASSERT_NE(box, nullptr);
    box->TabCtrl().SetCurSel(1);
    Settle();
    ASSERT_EQ(box->ActiveWindow(), f.variables);
    QPointer<CTabDockingBox> gone = box;

    const QPoint pin = AutoHideFixture::Centre(box->Caption().pin);
    QTest::mouseClick(f.frame.windowHandle(), Qt::LeftButton, {}, box->mapTo(&f.frame, pin));
    Settle();
    EXPECT_TRUE(gone.isNull());  // the emptied box went
    const auto& model = f.Manager().Model();
    ASSERT_EQ(model.LabelCount(AUTOHIDE_LEFT), 1);
    const auto& label = model.LabelAt(AUTOHIDE_LEFT, 0);
    ASSERT_EQ(label.Count(), 3);
    EXPECT_TRUE(label.At(0).window == f.history && label.At(1).window == f.variables && label.At(2).window == keys);
    EXPECT_EQ(label.Active(), 1);
    EXPECT_EQ(label.At(1).width, 210);
    EXPECT_EQ(label.Width(), AutoHideFixture::Measure("Variables  ") + 6 + 16 + 3 + 2 * 22);
    EXPECT_EQ(f.Manager().ShownWindow(), f.variables);  // shown slid out
    EXPECT_TRUE(f.frame.Bars().empty());
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
    // Activated (the View command), a pinned window slides out.
    ASSERT_TRUE(keys->Activate());
    EXPECT_EQ(f.Manager().ShownWindow(), keys);
    EXPECT_TRUE(keys->isVisible());
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(AutoHide, UnpinningALabelOfThreeMakesABoxWithTheActiveTabSelected)
{
    AutoHideFixture f;
    CTabbedAutoHideDockingWindow* c = f.MakeWindow("C");
    f.history->setWindowTitle("A");
    f.variables->setWindowTitle("B");
    CTabbedAutoHideDockingWindow* a = f.history;
    CTabbedAutoHideDockingWindow* b = f.variables;
    f.Show();
    ASSERT_EQ(f.PinBoxOf({a, b, c}, b, AUTOHIDE_LEFT, 230), 1);
    Settle();
    ASSERT_TRUE(f.Manager().Show(b, false));
    f.PaneClick(AutoHideFixture::Centre(f.Pane()->Caption().pin));
    Settle();
    EXPECT_EQ(f.Manager().Model().LabelCount(AUTOHIDE_LEFT), 0);
    EXPECT_FALSE(f.Manager().Strip(AUTOHIDE_LEFT)->isVisible());
    ASSERT_EQ(f.frame.Bars().size(), 1u);
    auto* box = qobject_cast<CTabDockingBox*>(a->DockedTo());
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->WindowCount(), 3);
    EXPECT_EQ(box->WindowAt(0), a);
    EXPECT_EQ(box->WindowAt(1), b);
    EXPECT_EQ(box->WindowAt(2), c);
    EXPECT_EQ(box->ActiveWindow(), b);
    EXPECT_EQ(box->DockedTo(), f.frame.Bars()[0]);
    EXPECT_EQ(f.InClient(f.frame.Bars()[0]), Q(0, 0, 230, 600));  // a new bar on the same side
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

}  // namespace
