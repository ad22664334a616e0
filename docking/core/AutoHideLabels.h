#pragma once
// The labels of the four auto-hide sides, in pinning order: pinning, removing
// and unpinning windows, the docking position of a pinned window, the strips'
// label layout and the label entry under the pointer.

#include "docking/core/AutoHideLayout.h"
#include "docking/core/PinnedLabel.h"

#include <array>
#include <optional>
#include <vector>

namespace dockwins {

template <class TWindow>
class CAutoHideLabels {
public:
    using Label = CPinnedLabel<TWindow>;
    using Entry = typename Label::Entry;

    struct Where {
        int side = -1;
        int label = -1;
        int entry = -1;
        bool Found() const { return side >= 0; }
    };

    // A pinned window's docking position: side flags side + 36 (with bit 4 for
    // the active entry of a multi label), the label's index as bar index.
    struct Position {
        bool found = false;
        int sideFlags = 0;
        int barIndex = 0;
        int width = 0;
        int tabIndex = 0;
    };

    struct PinResult {
        Where where;             // the new label's place (entry: the active one)
        bool sideWasEmpty = false;  // the strip appears: the frame lays out again
    };

    // Pins windows as one label on `side` (side flags & 3). A window already on
    // a label leaves that label first, so no two labels own one window.
    // Without windows nothing is pinned (the result is not found).
    PinResult PinUp(int side, std::vector<Entry> entries, const TWindow& active, int width) {
        side &= 3;
        PinResult result;
        if (entries.empty())
            return result;
        for (const auto& entry : entries)
            Remove(entry.window);
        auto& labels = m_sides[static_cast<std::size_t>(side)];
        result.sideWasEmpty = labels.empty();
        labels.emplace_back(std::move(entries), active, width);
        result.where = {side, static_cast<int>(labels.size()) - 1, labels.back().Active()};
        return result;
    }

    Where Find(const TWindow& window) const {
        for (int side = 0; side < kAutoHideSideCount; ++side) {
            const auto& labels = m_sides[static_cast<std::size_t>(side)];
            for (std::size_t i = 0; i < labels.size(); ++i) {
                const int entry = labels[i].IndexOf(window);
                if (entry >= 0)
                    return {side, static_cast<int>(i), entry};
            }
        }
        return {};
    }

    bool IsPinned(const TWindow& window) const { return Find(window).Found(); }

    struct RemoveResult {
        bool found = false;
        int side = -1;
        bool labelGone = false;
        bool sideEmptied = false;  // the strip goes: the frame lays out again
    };

    // Takes one window off its label (the caller releases the window).
    RemoveResult Remove(const TWindow& window) {
        const Where where = Find(window);
        RemoveResult result;
        if (!where.Found())
            return result;
        auto& labels = m_sides[static_cast<std::size_t>(where.side)];
        result.found = true;
        result.side = where.side;
        if (labels[static_cast<std::size_t>(where.label)].Remove(window) == Label::RemoveResult::Empty) {
            labels.erase(labels.begin() + where.label);
            result.labelGone = true;
            result.sideEmptied = labels.empty();
        }
        return result;
    }

    // Takes the whole label holding `window` off its side, for unpinning: the
    // caller docks its windows in UnpinOrder and selects the active entry's.
    std::optional<Label> Unpin(const TWindow& window, bool* sideEmptied = nullptr) {
        const Where where = Find(window);
        if (!where.Found())
            return std::nullopt;
        auto& labels = m_sides[static_cast<std::size_t>(where.side)];
        Label label = std::move(labels[static_cast<std::size_t>(where.label)]);
        labels.erase(labels.begin() + where.label);
        if (sideEmptied)
            *sideEmptied = labels.empty();
        return label;
    }

    Position PositionOf(const TWindow& window) const {
        const Where where = Find(window);
        if (!where.Found())
            return {};
        const auto& label = LabelAt(where.side, where.label);
        const auto p = label.PositionOf(window);
        return {true, PinnedSideFlags(where.side) | (p.active ? 16 : 0), where.label, p.width, p.tabIndex};
    }

    std::array<bool, kAutoHideSideCount> HasLabels() const {
        std::array<bool, kAutoHideSideCount> has{};
        for (int side = 0; side < kAutoHideSideCount; ++side)
            has[static_cast<std::size_t>(side)] = !m_sides[static_cast<std::size_t>(side)].empty();
        return has;
    }

    int LabelCount(int side) const { return static_cast<int>(m_sides[static_cast<std::size_t>(side)].size()); }
    Label& LabelAt(int side, int index) {
        return m_sides[static_cast<std::size_t>(side)][static_cast<std::size_t>(index)];
    }
    const Label& LabelAt(int side, int index) const {
        return m_sides[static_cast<std::size_t>(side)][static_cast<std::size_t>(index)];
    }

    // Lays out one side's labels along its strip; `measure` measures text in
    // the side's font. Returns the label rectangles (none when too short).
    std::vector<RECT> LayOutSide(int side, const RECT& strip,
                                     const std::function<int(const std::u16string&)>& measure, int smallIcon) {
        auto& labels = m_sides[static_cast<std::size_t>(side)];
        std::vector<int> desired;
        for (auto& label : labels)
            desired.push_back(label.DesiredWidth(measure, smallIcon));
        const int length = IsVerticalSide(side) ? strip.Height() : strip.Width();
        const auto widths = DistributeLabelWidths(desired, length);
        for (std::size_t i = 0; i < labels.size(); ++i)
            labels[i].SetWidth(widths[i]);
        return PinnedLabelRects(strip, side, widths);
    }

    // The label entry under the pointer: the first side, in side order, whose
    // label rectangles (from LayOutSide) hold the point. With `activate` the
    // entry becomes its label's active one.
    Where EntryAt(const std::array<std::vector<RECT>, kAutoHideSideCount>& labelRects, POINT point,
                  bool activate) {
        for (int side = 0; side < kAutoHideSideCount; ++side) {
            const auto& rects = labelRects[static_cast<std::size_t>(side)];
            const auto hit = PinnedLabelAt(rects, side, point);
            if (hit.label < 0 || hit.label >= LabelCount(side))
                continue;
            const int entry = LabelAt(side, hit.label).EntryFromPoint(hit.offset, activate);
            if (entry >= 0)
                return {side, hit.label, entry};
        }
        return {};
    }

private:
    std::array<std::vector<Label>, kAutoHideSideCount> m_sides;
};

}  // namespace dockwins
