// Docking layout speed, on Qt's offscreen platform:
//   BM_DockingLayoutPass: one full layout pass of the frame (both packages,
//     a left bar of two panes and a bottom bar, a pane pinned to the right
//     and two pinned as one label at the top, every widget and label placed)
//     after the client area changed size.
//   BM_SplitterDragMove: one pointer move of a live splitter drag.
//   BM_CaptionDragMove: one pointer move of a caption drag over the frame
//     (drop-target hit test, code 1 negotiation, clamp, outline placed),
//     alternating between a point that offers a new bar and one that floats.
//   BM_DockingLayoutPassTabbed: as the first, with the left bar's two panes
//     as tabs of one box.
//   BM_CaptionDragMoveOverStrip: a caption drag alternating between the
//     box's tab strip (the drop preview's tab comes) and the client (it goes).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>

#include "docking/CaptionMoveTracker.h"
#include "docking/DockEvents.h"
#include "docking/DockingFrame.h"
#include "docking/DockingSystemSettings.h"
#include "docking/DockingWindow.h"
#include "docking/SplitterWindow.h"
#include "docking/TabDockingBox.h"
#include "docking/core/SplitterMoveTracker.h"

namespace {

struct Frame {
    explicit Frame(bool tabbed = false)
    {
        frame.setGeometry(0, 0, 1000, 700);
        frame.OnCreate(0);
        frame.SetClientWindow(new TG3_SplitterWindowT<false>);
        for (const char* title : {"History", "Variables", "Output"}) {
            auto* w = new CTabbedAutoHideDockingWindow(&frame, QString::fromLatin1(title));
            w->SetClient(new QLabel(QString::fromLatin1(title)));
            windows.push_back(w);
        }
        frame.DockWindow(windows[0], 3, 0, 0.0f, 200, 100);
        frame.DockWindow(windows[1], 3, 0, 0.0f, 200, 100);
        frame.DockWindow(windows[2], 0, 0, 0.0f, 150, 300);
        if (tabbed)
            windows[1]->DockTo(windows[0], 99);
        for (const char* title : {"Pinned", "Keys", "Notes"}) {
            auto* w = new CTabbedAutoHideDockingWindow(&frame, QString::fromLatin1(title));
            w->SetClient(new QLabel(QString::fromLatin1(title)));
            windows.push_back(w);
        }
        Pin({windows[3]}, 1);
        Pin({windows[4], windows[5]}, 2);
        frame.show();
        QApplication::processEvents();
    }
    // One label for the windows on an auto-hide side (code 12).
    void Pin(std::vector<dockwins::WindowHandle> pinned, unsigned side)
    {
        dockwins::DockRequest request;
        request.window = pinned.front();
        request.code = dockwins::kPinToSide;
        request.position.sideFlags = side;
        request.position.width = 180;
        request.windowCount = static_cast<int>(pinned.size());
        request.windows = pinned.data();
        dockwins::SendDockRequest(&frame, request);
    }
    dockwins::CDockingFrameImpl frame;
    std::vector<CTabbedAutoHideDockingWindow*> windows;
};

// Resizes the client area back and forth: one full layout pass each time.
void LayoutPasses(benchmark::State& state, bool tabbed)
{
    Frame f(tabbed);
    QWidget* area = f.frame.ClientArea();
    const QSize sizes[2] = {area->size(), area->size() + QSize(17, 11)};
    int i = 0;
    for (auto _ : state) {
        area->resize(sizes[i ^= 1]);
        benchmark::DoNotOptimize(area->geometry());
    }
}

// Moves a begun caption drag back and forth between two window points, then ends it.
void AlternateMoves(benchmark::State& state, dockwins::CCaptionMoveTracker& tracker, QPoint a, QPoint b)
{
    int i = 0;
    for (auto _ : state) {
        const QPoint p = (i ^= 1) ? a : b;
        tracker.OnMove(p.x(), p.y());
        benchmark::DoNotOptimize(tracker.Target());
    }
    tracker.EndDrag(true);
}

void BM_DockingLayoutPass(benchmark::State& state) { LayoutPasses(state, false); }
BENCHMARK(BM_DockingLayoutPass)->Unit(benchmark::kMicrosecond);

class NoView final : public dockwins::ISplitterDragView {
public:
    explicit NoView(QWidget* area) : m_area(area) {}
    void ShowGhost(const dockwins::RECT&) override {}
    void HideGhost() override {}
    void Redraw() override { m_area->update(); }

private:
    QWidget* m_area;
};

void BM_SplitterDragMove(benchmark::State& state)
{
    Frame f;
    auto& inner = const_cast<dockwins::CSubWndFramesPackage&>(f.frame.Layout().Inner());
    NoView view(f.frame.ClientArea());
    dockwins::CSplitterMoveTracker tracker(inner, 1, {202, 300}, false, view);
    tracker.BeginDrag();
    int i = 0;
    for (auto _ : state)
        tracker.OnMove((i ^= 1) ? 252 : 302, 300);
    tracker.EndDrag(false);
}
BENCHMARK(BM_SplitterDragMove)->Unit(benchmark::kMicrosecond);

void BM_CaptionDragMove(benchmark::State& state)
{
    Frame f;
    CTabbedAutoHideDockingWindow* w = f.windows[0];
    const QPoint grab = w->mapToGlobal(QPoint(40, 10));
    dockwins::CCaptionMoveTracker tracker(*w, grab);
    tracker.BeginDrag();
    // Window coordinates: near the frame's right edge, then over the client.
    const QPoint edge = w->mapFromGlobal(f.frame.ClientArea()->mapToGlobal(QPoint(995, 300)));
    const QPoint middle = w->mapFromGlobal(f.frame.ClientArea()->mapToGlobal(QPoint(600, 350)));
    AlternateMoves(state, tracker, edge, middle);
}
BENCHMARK(BM_CaptionDragMove)->Unit(benchmark::kMicrosecond);

void BM_DockingLayoutPassTabbed(benchmark::State& state) { LayoutPasses(state, true); }
BENCHMARK(BM_DockingLayoutPassTabbed)->Unit(benchmark::kMicrosecond);

void BM_CaptionDragMoveOverStrip(benchmark::State& state)
{
    Frame f(true);
    auto* box = qobject_cast<dockwins::CTabDockingBox*>(f.windows[0]->DockedTo());
    CTabbedAutoHideDockingWindow* w = f.windows[2];
    dockwins::CCaptionMoveTracker tracker(*w, w->mapToGlobal(QPoint(5, 40)));
    tracker.BeginDrag();
    const QPoint strip = w->mapFromGlobal(box->TabCtrl().mapToGlobal(box->TabCtrl().GetItemRect(0).center()));
    const QPoint middle = w->mapFromGlobal(f.frame.ClientArea()->mapToGlobal(QPoint(600, 350)));
    AlternateMoves(state, tracker, strip, middle);
}
BENCHMARK(BM_CaptionDragMoveOverStrip)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
