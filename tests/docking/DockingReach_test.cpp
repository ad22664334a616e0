// Every pane within the user's reach: the View command in every state of a
// pane, floating windows kept within reach by every placement (their own
// resize, float, dock back, activation, a refused drop, changed screens), a
// hidden floating box that dissolves, floating windows shown before their
// frame, and the focus after a pin.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include "DockingFixture.h"
#include "docking/AutoHideManager.h"
#include "docking/DockingScreens.h"
#include "docking/TabDockingBox.h"
#include "docking/core/FloatingPlacement.h"

namespace {

using namespace dockwins;

// Docking windows whose pane takes the focus, as the calculator's lists do.
struct ReachFixture : DockingFixture {
    ReachFixture()
    {
        for (CTabbedAutoHideDockingWindow* w : {history, variables})
            w->SetClient(new QLineEdit(w->windowTitle()));
    }
    ~ReachFixture() { SetScreenAreasSource({}); }

    void ShowActive()
    {
        Show();
        frame.activateWindow();
        (void)QTest::qWaitForWindowActive(&frame);
    }
    CTabDockingBox* BoxOf(CTabbedAutoHideDockingWindow* w) { return qobject_cast<CTabDockingBox*>(w->DockedTo()); }
    std::string InView(CTabbedAutoHideDockingWindow* w)
    {
        Settle();
        return Join(CheckInView(frame, *w)) + Join(Problems());
    }
    bool Reachable(const QWidget* w) const { return IsCaptionReachable(ToRect(w->frameGeometry()), ScreenAreas()); }
};

TEST(DockingReach, TheViewCommandPutsThePaneInFrontInEveryState)
{
    struct Case {
        const char* name;
        std::function<void(ReachFixture&)> arrange;
    } cases[] = {
        {"docked", [](ReachFixture&) {}},
        {"a tab behind another",
         [](ReachFixture& f) {
             ASSERT_TRUE(f.variables->DockTo(f.history, 1));
             f.variables->Activate();
         }},
        {"floating under the frame's focus",
         [](ReachFixture& f) {
             f.history->SetFloatingRect({300, 200, 600, 500});
             ASSERT_TRUE(f.history->Float());
         }},
        {"a tab behind another in a floating box",
         [](ReachFixture& f) {
             ASSERT_TRUE(f.variables->DockTo(f.history, 1));
             f.variables->Activate();
             Settle();
             CTabDockingBox* box = f.BoxOf(f.history);
             box->SetFloatingRect({300, 200, 700, 600});
             ASSERT_TRUE(box->Float());
         }},
        {"pinned", [](ReachFixture& f) { ASSERT_TRUE(f.history->Pin(false)); }},
        {"pinned with another in one label",
         [](ReachFixture& f) {
             ASSERT_TRUE(f.variables->DockTo(f.history, 1));
             Settle();
             ASSERT_TRUE(f.BoxOf(f.history)->PinBox(false));
         }},
        {"hidden while docked", [](ReachFixture& f) { ASSERT_TRUE(f.history->Hide()); }},
        {"hidden while floating",
         [](ReachFixture& f) {
             f.history->SetFloatingRect({300, 200, 600, 500});
             ASSERT_TRUE(f.history->Float());
             ASSERT_TRUE(f.history->Hide());
         }},
        {"a tab of a hidden box",
         [](ReachFixture& f) {
             ASSERT_TRUE(f.variables->DockTo(f.history, 1));
             Settle();
             f.BoxOf(f.history)->CloseBox(false);  // hides the front tab
             f.variables->Hide();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReachFixture f;
        ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
        ASSERT_TRUE(f.frame.DockWindow(f.variables, 1, 0, 0.0f, 200, 100));
        f.ShowActive();
        c.arrange(f);
        Settle();
        f.frame.ClientWindow()->setFocus();
        ASSERT_TRUE(f.history->BringIntoView());
        EXPECT_EQ(f.InView(f.history), "");
        if (f.history->IsPinned()) {
            // It stays out while it has the focus, wherever the pointer is.
            f.frame.AutoHide().SetCursorSource([] { return QPoint(-100, -100); });
            f.frame.AutoHide().HideTick();
            EXPECT_EQ(f.frame.AutoHide().ShownWindow(), f.history);
        }
    }
}

}  // namespace
