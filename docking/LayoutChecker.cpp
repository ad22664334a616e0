#include "docking/LayoutChecker.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <sstream>

#include "docking/AutoHideManager.h"
#include "docking/DockEvents.h"
#include "docking/DockingFrame.h"
#include "docking/DockingScreens.h"
#include "docking/DockingWindow.h"
#include "docking/DragSession.h"
#include "docking/GhostBar.h"
#include "docking/GhostOutline.h"
#include "docking/PackageWindow.h"
#include "docking/TabDockingBox.h"
#include "docking/core/FloatingPlacement.h"
#include "docking/core/LayoutCheck.h"

namespace dockwins {

namespace {

std::string Describe(const QRect& r)
{
    std::ostringstream out;
    out << '(' << r.left() << ',' << r.top() << ',' << r.left() + r.width() << ',' << r.top() + r.height() << ')';
    return out.str();
}

std::string Name(const QWidget* w)
{
    const QString title = w->windowTitle().trimmed();
    return (title.isEmpty() ? w->objectName() : title).toStdString();
}

// centralIndex: the frame that stands for the rest of the frame (no window
// of its own), or -1.
void CheckPlacement(const CWndFramesPackageBase& package, const std::string& name, int centralIndex,
                    std::vector<std::string>& problems)
{
    for (std::size_t i = 0; i < package.Count(); ++i) {
        const QWidget* w = ToWidget(package.FrameAt(i).GetHwnd());
        if (!w) {
            if (static_cast<int>(i) != centralIndex)
                problems.push_back(name + " keeps a frame whose window is gone");
            continue;
        }
        const QRect expected = ToQRect(package.FrameRect(i));
        if (w->geometry() != expected)
            problems.push_back(name + ": " + Name(w) + " at " + Describe(w->geometry()) + ", the layout says " +
                               Describe(expected));
    }
}

// A floating window is stacked above the frame: it is a window of the
// frame's, and the window manager saw it after the frame's own window.
void CheckStackedAbove(const CDockingFrameImpl& frame, const CTabbedAutoHideDockingWindow* w,
                       std::vector<std::string>& problems)
{
    if (!frame.isVisible())
        return;
    const QWindow* own = w->windowHandle();
    if (!own || own->transientParent() != frame.windowHandle())
        problems.push_back(Name(w) + " floats as a window of its own, not of the frame");
    else if (frame.IsMappedBeforeFrame(w))
        problems.push_back(Name(w) + " floats, shown before the frame: it may be stacked below it");
}

}  // namespace

std::vector<std::string> CheckDockingLayout(const CDockingFrameImpl& frame)
{
    std::vector<std::string> problems;
    const CDockingFrameLayout& layout = frame.Layout();
    if (!layout.IsCreated())
        return problems;

    // 1. Exact tiling, client minimum, widgets where the arithmetic says.
    CheckPackageLayout(layout.Outer(), "outer package", MinimumCheck::Central, layout.Outer().CentralIndex(), problems);
    CheckPackageLayout(layout.Inner(), "inner package", MinimumCheck::Central, layout.Inner().CentralIndex(), problems);
    CheckPlacement(layout.Outer(), "outer package", layout.Outer().CentralIndex(), problems);
    CheckPlacement(layout.Inner(), "inner package", layout.Inner().CentralIndex(), problems);
    const std::vector<CPackageWindow*> bars = frame.Bars();
    for (const CPackageWindow* bar : bars) {
        CheckPackageLayout(bar->Package(), "bar", MinimumCheck::None, -1, problems);
        CheckPlacement(bar->Package(), "bar", -1, problems);
        // 2. No empty bar stays behind.
        if (bar->Package().Count() == 0)
            problems.push_back("an empty bar stayed in the frame");
        if (bar->isHidden())
            problems.push_back("a bar in the frame is hidden");
    }
    for (const CPackageWindow* bar : frame.ClientArea()->findChildren<CPackageWindow*>(Qt::FindDirectChildrenOnly)) {
        if (!bar->isHidden() && std::find(bars.begin(), bars.end(), bar) == bars.end())
            problems.push_back("a bar outside the frame's packages is shown");
    }

    // 2. Boxes: two or more windows, a valid selection, only its window shown.
    std::vector<const CTabDockingBox*> boxes;
    for (const auto* box : frame.findChildren<CTabDockingBox*>()) {
        if (box->IsClosing())
            continue;
        boxes.push_back(box);
        TabBoxState state;
        state.count = box->WindowCount();
        state.selected = box->TabCtrl().GetCurSel();
        for (int i = 0; i < state.count; ++i) {
            const CTabbedAutoHideDockingWindow* tab = box->WindowAt(i);
            if (!tab)
                ++state.tabsWithoutWindow;
            else if (tab != box->ActiveWindow() && !tab->isHidden())
                ++state.othersShown;
        }
        state.activeIsSelected = box->ActiveWindow() && box->ActiveWindow() == box->WindowAt(state.selected);
        state.activeShown = box->ActiveWindow() && !box->ActiveWindow()->isHidden();
        CheckTabBox(state, "the box of " + Name(box), CDragSession::Active() != nullptr, problems);
    }

    // 2, 3. One home per docking window; docked ones shown, floating ones reachable.
    for (const auto* w : frame.findChildren<CTabbedAutoHideDockingWindow*>()) {
        if (const auto* box = qobject_cast<const CTabDockingBox*>(w); box && box->IsClosing())
            continue;
        int holders = 0;
        const CPackageWindow* holder = nullptr;
        for (const CPackageWindow* bar : bars)
            if (bar->Package().IndexOf(const_cast<CTabbedAutoHideDockingWindow*>(w)) >= 0)
                ++holders, holder = bar;
        int boxHolders = 0;
        for (const CTabDockingBox* box : boxes)
            boxHolders += box->TabIndexOf(w) >= 0 ? 1 : 0;
        const std::string name = Name(w);
        const CAutoHideManager& autoHide = frame.AutoHide();
        const bool pinned = autoHide.Model().IsPinned(const_cast<CTabbedAutoHideDockingWindow*>(w));
        if (w->DockedTo() && w->DockedTo() == autoHide.Pane()) {
            // Pinned: one label, a child of the pane, shown only while slid out.
            if (!pinned || holders != 0 || w->parentWidget() != autoHide.Pane())
                problems.push_back(name + " is pinned but not held by exactly one label");
            else if (!w->isHidden() && w != autoHide.ShownWindow())
                problems.push_back(name + " is pinned and shown but not slid out");
            continue;
        }
        if (pinned)
            problems.push_back(name + " has a label but does not know it is pinned");
        if (w->IsInBox()) {
            if (holders != 0 || boxHolders != 1 || !w->IsDocked() || w->parentWidget() != w->DockedTo() ||
                !qobject_cast<const CTabDockingBox*>(w->DockedTo()) ||
                static_cast<const CTabDockingBox*>(w->DockedTo())->TabIndexOf(w) < 0)
                problems.push_back(name + " is a tab but not held by exactly its box");
        } else if (boxHolders != 0) {
            problems.push_back(name + " is held by a box but does not know it");
        } else if (w->IsDocked()) {
            if (holders != 1 || holder != w->DockedTo() || w->parentWidget() != holder)
                problems.push_back(name + " is docked but not held by exactly its bar");
            else if (w->isHidden())
                problems.push_back(name + " is docked but hidden");
        } else {
            if (holders != 0)
                problems.push_back(name + " is held by a bar but does not know it");
            if (!w->isWindow())
                problems.push_back(name + " is neither docked nor a window of its own");
            if (w->isVisible()) {
                if (w->width() < 100 || w->height() < 100)
                    problems.push_back(name + " floats below its minimum size");
                if (!IsCaptionReachable(ToRect(w->frameGeometry()), ScreenAreas()))
                    problems.push_back(name + " floats with no part of its caption on a screen");
                CheckStackedAbove(frame, w, problems);
            }
        }
    }

    // 4. Idle once input has ended.
    if (CDragSession::Active())
        problems.push_back("a drag session is still running");
    if (QWidget::mouseGrabber())
        problems.push_back("the mouse is still grabbed");
    for (const CGhostBar* ghost : frame.findChildren<CGhostBar*>())
        if (ghost->isVisible())
            problems.push_back("a ghost bar is still shown");
    bool outlineLeft = !frame.findChildren<CGhostOutline*>().isEmpty();
    for (const QWidget* w : QApplication::topLevelWidgets())
        outlineLeft = outlineLeft || qobject_cast<const CGhostOutline*>(w);
    if (outlineLeft)
        problems.push_back("a drag outline is left over");
    // ... and no slid-out pane once pointer and focus have left it.
    const CAutoHideManager& autoHide = frame.AutoHide();
    if (const CAutoHidePane* pane = autoHide.Pane()) {
        if (autoHide.IsSizingGhostShown())
            problems.push_back("the pane's sizing outline is still shown");
        if (pane->CloseButtonState() == ButtonState::Pressed || pane->PinButtonState() == ButtonState::Pressed)
            problems.push_back("the auto-hide pane has a caption button left pressed");
        if (!pane->isHidden() && !autoHide.IsSlidingOut()) {
            if (!autoHide.ShownWindow())
                problems.push_back("the auto-hide pane is shown without a window");
            else if (!autoHide.HideTimer()->isActive() && !CDragSession::Active())
                problems.push_back("a slid-out pane has no hide check running");
            else if (autoHide.ShownWindow()->isHidden() || autoHide.ShownWindow()->parentWidget() != pane)
                problems.push_back("the slid-out pane does not show its window");
            // Over the bars: nothing docked may cover it.
            const QObjectList& stack = frame.ClientArea()->children();
            const auto paneAt = stack.indexOf(const_cast<CAutoHidePane*>(pane));
            for (const CPackageWindow* bar : bars)
                if (stack.indexOf(const_cast<CPackageWindow*>(bar)) > paneAt && bar->geometry().intersects(pane->geometry()))
                    problems.push_back("a bar lies over the slid-out pane");
        } else if (autoHide.ShownWindow()) {
            problems.push_back("a window counts as slid out but the pane is hidden");
        }
    }
    int active = 0;
    const QWidget* focus = QApplication::focusWidget();
    for (const auto* w : frame.findChildren<CTabbedAutoHideDockingWindow*>()) {
        if (w->CloseButtonState() == ButtonState::Pressed || w->PinButtonState() == ButtonState::Pressed)
            problems.push_back(Name(w) + " has a caption button left pressed");
        // 5. At most one active caption, the one holding the focus.
        if (w->HasOwnCaption() && w->IsCaptionActive()) {
            ++active;
            if (!focus || !w->isAncestorOf(focus))
                problems.push_back(Name(w) + " has an active caption without the focus");
        }
    }
    if (const CAutoHidePane* pane = autoHide.Pane(); pane && pane->isVisible() && pane->IsCaptionActive())
        ++active;
    if (active > 1)
        problems.push_back("more than one caption is drawn active");
    return problems;
}

std::vector<std::string> CheckInView(const CDockingFrameImpl& frame, const CTabbedAutoHideDockingWindow& window)
{
    std::vector<std::string> problems;
    const std::string name = Name(&window);
    if (!window.isVisible()) {
        problems.push_back(name + " is not shown after its View command");
        return problems;
    }
    // The window's own focus (the application's may lag behind an
    // activation the window system has not reported yet).
    const QWidget* top = window.window();
    const QWidget* focus = top->focusWidget();
    if (focus != &window && !window.isAncestorOf(focus))
        problems.push_back(name + " does not hold the focus of its window after its View command");
    if (window.IsPinned() && frame.AutoHide().ShownWindow() != &window)
        problems.push_back(name + " is pinned but not slid out after its View command");
    if (top != frame.window()) {
        if (!top->windowHandle() || QGuiApplication::focusWindow() != top->windowHandle())
            problems.push_back(name + " floats but is not the active window after its View command");
        if (const auto* floating = qobject_cast<const CTabbedAutoHideDockingWindow*>(top)) {
            if (!IsCaptionReachable(ToRect(floating->frameGeometry()), ScreenAreas()))
                problems.push_back(name + " floats with no part of its caption on a screen");
            CheckStackedAbove(frame, floating, problems);
        }
    }
    return problems;
}

}  // namespace dockwins
