#pragma once
// Panes pinned to the edges of the docking frame: the labels of the four
// sides on their strips, the pane that slides out over the frame when the
// pointer rests on a label and slides back once pointer and focus have left
// it, the pane's resizing, and the way back into the layout (unpin). The
// frame reaches it through IAutoHideManager; the strips, the pane and the
// size trackers call back into it through their owner interfaces. The pane's
// showing and hiding, and its requests, are in AutoHideManagerShow.cpp; its
// slide is a CAutoHideSlide.

#include <array>
#include <functional>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include "docking/AutoHidePane.h"
#include "docking/AutoHideSizeTracker.h"
#include "docking/AutoHideSlide.h"
#include "docking/AutoHideStrip.h"
#include "docking/FrameSeams.h"
#include "docking/GhostBar.h"
#include "docking/core/AutoHideLabels.h"
#include "docking/core/AutoHideLayout.h"

class QTimer;

namespace dockwins {

class CAutoHideManager final : public QObject,
                               public IAutoHideManager,
                               private IAutoHidePaneOwner,
                               private IAutoHideStripOwner,
                               private IAutoHideSizingView {
    Q_OBJECT
public:
    using Window = QPointer<QWidget>;
    using Labels = IAutoHideStripOwner::Labels;

    // frame: takes unpinned windows (code 5) and is the owner of released
    // ones; clientArea: the parent of the strips and the pane; relayout: lays
    // the frame out again and repaints it.
    CAutoHideManager(QWidget* frame, QWidget* clientArea, IFocusHandler* focus, std::function<void()> relayout);
    ~CAutoHideManager() override;

    // IAutoHideManager
    RECT TakeStrips(const RECT& client) override;
    bool GetDockingPosition(DockRequest& request) override;
    bool IsAutoHidePane(WindowHandle target) const override;
    std::intptr_t PinToSide(DockRequest& request, bool& stripAppeared) override;
    int MinimumExtraWidth() const override;
    int MinimumExtraHeight() const override;
    void RefreshMetrics() override;

    // Takes a pinned window off its label and releases it (code 3 at the
    // pane); with unpin, every window of its label goes back into the layout
    // instead. False when no label holds the window.
    bool Remove(QWidget* window, bool unpin) override;

    // The pointer moved, no button down, over a strip (client coordinates).
    void HoverCheck(QPoint clientPoint) override;
    // The pointer left the strips.
    void HoverLeave() override;
    // The pointer rested on the hover candidate: it slides out.
    void HoverShow();
    // Shows a pinned window slid out (at once, or sliding when asked and
    // windows move live); hides the one shown before.
    bool Show(QWidget* window, bool slide) override;
    // Hides the shown window and the pane (sliding back when asked).
    void Hide(bool slide);
    // The hide timer's tick: the pane goes once pointer and focus have left it.
    void HideTick();
    // Pointer off pane and label, and focus outside the pane.
    bool PointerAndFocusHaveLeft() const;

    const Labels& Model() const override { return m_labels; }
    QWidget* ShownWindow() const { return m_shown; }
    int ShownSide() const { return m_side; }
    CAutoHidePane* Pane() const { return m_pane; }
    CAutoHideStrip* Strip(int side) const { return m_strips[static_cast<std::size_t>(side)]; }
    int StripThickness() const { return m_thickness; }
    int SmallIconSize() const override { return m_smallIcon; }
    const AutoHideSides& Sides() const { return m_sides; }
    // The labels' rectangles of one side (client coordinates).
    const std::vector<RECT>& LabelRects(int side) const override
    {
        return m_labelRects[static_cast<std::size_t>(side)];
    }
    // The label holding the window (client coordinates); empty when none.
    QRect LabelRectOf(QWidget* window) const;
    // The pane's rectangle for the shown window at its stored width.
    QRect PaneRectFor(int side, int width) const;
    bool IsSliding() const { return m_slide->IsRunning(); }
    // The pane is sliding back into its side (out of view).
    bool IsSlidingOut() const { return m_slide->IsSlidingBack(); }
    QTimer* HoverTimer() const { return m_hoverTimer; }
    QTimer* HideTimer() const { return m_hideTimer; }
    QWidget* HoverCandidate() const { return m_candidate; }

    // Seams: "the frame is active and no button is down" (platforms differ
    // on activation), the pointer's global position, the small icon size.
    void SetHoverAllowed(std::function<bool()> allowed) { m_hoverAllowed = std::move(allowed); }
    void SetCursorSource(std::function<QPoint()> cursor) { m_cursor = std::move(cursor); }
    void SetSmallIconSize(int size);

    // A new bar came: the pane and the outline stay above the bars.
    void RaiseOverBars();

    // From the pane.
    void OnPaneResized() override;
    void OnPaneUnpin() override;
    void OnPaneClose() override;
    // A press on the pane's sizing bar (client coordinates): a size drag.
    void StartSizing(QPoint clientPoint) override;
    // The hide timer stops while the pane is resized.
    void SuspendHiding(bool suspend) override;
    // A caption was painted in the pane.
    void RecordPaneCaption() override;
    // The size trackers' view: the pane moved, the sizing bar's outline.
    void MovePane(const QRect& rect) override;
    void ShowSizingGhost(const QRect& bar) override;
    void HideSizingGhost() override;
    bool IsSizingGhostShown() const;

private:
    void Attach(QWidget* window, int side);
    void Release(QWidget* window);
    void UnpinLabel(Labels::Label label, int side);
    void LayOutSide(int side);
    void RedrawSide(int side);
    void Relayout();
    void PlacePane(const QRect& rect);
    void PlaceShownWindow();
    void OnWindowDestroyed();
    void DropDeadEntries();
    int MeasureText(const std::u16string& text) const;

    QPointer<QWidget> m_frame;
    QPointer<QWidget> m_clientArea;
    IFocusHandler* m_focus = nullptr;
    std::function<void()> m_relayout;
    Labels m_labels;
    AutoHideSides m_sides;
    std::array<std::vector<RECT>, kAutoHideSideCount> m_labelRects;
    std::array<QPointer<CAutoHideStrip>, kAutoHideSideCount> m_strips;
    QPointer<CAutoHidePane> m_pane;
    QPointer<CGhostBar> m_ghost;
    int m_thickness = 24;
    int m_smallIcon = 16;
    int m_side = AUTOHIDE_LEFT;
    Window m_shown;
    Window m_candidate;
    QPoint m_hoverPoint;
    QTimer* m_hoverTimer = nullptr;
    QTimer* m_hideTimer = nullptr;
    CAutoHideSlide* m_slide = nullptr;  // a child
    bool m_closing = false;
    bool m_userSizing = false;  // the size trackers move the pane
    std::function<bool()> m_hoverAllowed;
    std::function<QPoint()> m_cursor;
};

}  // namespace dockwins
