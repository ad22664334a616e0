#include "docking/core/LayoutCheck.h"

#include <sstream>

namespace dockwins {

namespace {

std::string Describe(const RECT& r)
{
    std::ostringstream out;
    out << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
    return out.str();
}

}  // namespace

void CheckPackageLayout(const CWndFramesPackageBase& package, const std::string& name, MinimumCheck minimums,
                        std::vector<std::string>& problems)
{
    const std::size_t n = package.Count();
    if (n == 0)
        return;
    const bool h = package.IsHorizontal();
    const RECT& rect = package.Rect();
    auto report = [&](std::size_t i, const std::string& what) {
        std::ostringstream out;
        out << name << " frame " << i << ": " << what;
        problems.push_back(out.str());
    };
    if (package.Position(0) != package.Start())
        report(0, "the first frame does not start at the package start");
    const bool room = package.End() == Trailing(rect, h);
    for (std::size_t i = 0; i < n; ++i) {
        const RECT f = package.FrameRect(i);
        if (f.Width() < 0 || f.Height() < 0)
            report(i, "negative extent " + Describe(f));
        if ((h ? f.top != rect.top || f.bottom != rect.bottom : f.left != rect.left || f.right != rect.right))
            report(i, "does not span the package " + Describe(f) + " in " + Describe(rect));
        if (i == 0 && Leading(f, h) != Leading(rect, h))
            report(i, "leaves a gap at the package's leading edge " + Describe(f));
        if (i > 0) {
            if (package.Position(i) < package.Position(i - 1))
                report(i, "out of order");
            const RECT bar = package.BarRect(i);
            const RECT before = package.FrameRect(i - 1);
            if (room && (Leading(bar, h) != Trailing(before, h) || Trailing(bar, h) != Leading(f, h)))
                report(i, "gap or overlap at its bar " + Describe(before) + " " + Describe(bar) + " " + Describe(f));
        }
        if (room && i + 1 == n && Trailing(f, h) != Trailing(rect, h))
            report(i, "does not reach the package's trailing edge " + Describe(f));
        if (room && minimums == MinimumCheck::All && package.Extent(i) < package.MinDist(i) + kSplitterSize)
            report(i, "below its minimum " + Describe(f));
    }
}

}  // namespace dockwins

namespace dockwins {

void CheckTabBox(const TabBoxState& box, const std::string& name, bool dragging, std::vector<std::string>& problems)
{
    if (box.count < 2)
        problems.push_back(name + " holds " + std::to_string(box.count) + " window(s)");
    if (box.count > 0 && (box.selected < 0 || box.selected >= box.count))
        problems.push_back(name + " selects tab " + std::to_string(box.selected) + " of " + std::to_string(box.count));
    if (!dragging && box.tabsWithoutWindow > 0)
        problems.push_back(name + " keeps a preview tab after the drag");
    if (box.tabsWithoutWindow == 0 && box.count > 0 && !(box.activeIsSelected && box.activeShown))
        problems.push_back(name + " does not show the window of its selected tab");
    if (box.othersShown > 0)
        problems.push_back(name + " shows more than one window");
}

}  // namespace dockwins
