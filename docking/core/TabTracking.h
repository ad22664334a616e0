#pragma once
// Pointer rules of the tab strip: which element is hot, pressed and under the
// pointer (and so whether a release clicks the close button), the tab swap
// rule of a tab drag, and the item drag's reorder and edge-scroll rules.

#include "docking/core/Rect.h"

#include <span>

namespace dockwins {

enum class TabElement {
    None = 0,
    Close = 1,
    ScrollRight = 2,
    ScrollLeft = 3,
    TabArea = 4,
};

// Hot, pressed and pointer elements of the strip.
class CTabButtonTracker {
public:
    // The pointer is now over `element` (None off every element). Nothing
    // becomes hot while a button is held.
    void OnMove(TabElement element);
    // The pointer left the strip.
    void OnLeave();
    void OnPress(TabElement element);
    // Button release; true when it clicks the close button: pressed there and
    // released there.
    bool OnRelease();
    // The grab was lost: nothing is pressed any more.
    void OnCaptureLost();

    TabElement Hot() const { return m_hot; }
    TabElement Pressed() const { return m_pressed; }
    TabElement Pointer() const { return m_pointer; }
    // An element is drawn pressed while it is pressed and under the pointer.
    bool IsDrawnPressed(TabElement element) const { return m_pressed == element && m_pointer == element; }
    // A scroll button repeats while pressed and under the pointer.
    bool Repeats(TabElement element) const { return IsDrawnPressed(element); }

private:
    TabElement m_hot = TabElement::None;
    TabElement m_pressed = TabElement::None;
    TabElement m_pointer = TabElement::None;
};

// The swap rule shared by the tab drag and the drop preview: with the pointer
// over another tab than the dragged one the two swap, unless it is the tab of
// the last swap and the pointer has not moved further towards it since then
// (movement along the strip x index step below 1). Keeps a tab of another
// width from swapping back and forth under a still pointer.
class CTabSwapRule {
public:
    void Begin(int position);
    bool ShouldSwap(int hitIndex, int draggedIndex, int position) const;
    // The dragged tab at `draggedIndex` was swapped with the one at `hitIndex`.
    void Swapped(int hitIndex, int draggedIndex, int position);

private:
    int m_lastOther = -1;  // index of the tab of the last swap
    int m_lastPosition = 0;
};

// A tab dragged along the strip of the docking box: swaps while over tabs,
// tears the tab out (once) when the pointer leaves every tab.
class CTabDrag {
public:
    enum class Action {
        None,
        Swap,     // swap `first` (the dragged tab) and `second`, then select `second`
        TearOut,  // the drag ended over no tab: the tab leaves the strip
    };
    struct Step {
        Action action = Action::None;
        int first = -1;
        int second = -1;
    };

    void Begin(int draggedIndex, int position);
    bool Active() const { return m_active; }
    int Dragged() const { return m_dragged; }
    // A pointer move over tab `hitIndex` (-1: none). After a swap the dragged
    // tab is at `second`.
    Step OnMove(int hitIndex, int position);
    // Escape, another button or a lost grab: ends without any action.
    void Cancel() { m_active = false; }
    // Button release: ends; nothing further happens.
    void End() { m_active = false; }

private:
    bool m_active = false;
    int m_dragged = -1;
    CTabSwapRule m_rule;
};

// Item drag (style TAB_DRAGITEMS): the tab the dragged one moves to when the
// pointer at `x` lies over another tab and has crossed its midpoint in the
// direction of travel; -1 otherwise. `items` are as drawn (scrolled).
int TabItemDragTarget(std::span<const RECT> items, int current, POINT point);

// The item drag (style TAB_DRAGITEMS) of one pressed tab: it moves to the
// tabs the pointer passes. A drop keeps its new place; a cancel, or an end
// with neither, takes it back to where it started. Once dropped or cancelled
// a drag does nothing more until it ends.
class CTabItemDrag {
public:
    void Begin(int index);
    bool Active() const { return m_active; }
    int Source() const { return m_source; }
    int Current() const { return m_current; }
    // A pointer move over the tabs as drawn (scrolled): the index the dragged
    // tab moves to, where it then is; -1 when it stays.
    int OnMove(std::span<const RECT> items, POINT point);
    // The drop: true when it resolves the drag.
    bool Drop();
    // The cancel: true when it resolves the drag; the tab is then to go from
    // `from` back to Source().
    bool Cancel(int& from);
    // The drag ended without a drop or a cancel: a cancel is due first.
    bool Unresolved() const { return m_active && !m_resolved; }
    void End() { *this = {}; }

private:
    bool m_active = false;
    bool m_resolved = false;
    int m_source = -1;
    int m_current = -1;
};

// Item drag near the tab area's ends: -1 scrolls towards the first tab (the
// pointer within 20 px of the left end), +1 towards the last, 0 none.
int TabItemDragEdgeScroll(const RECT& tabArea, int x);

}  // namespace dockwins
