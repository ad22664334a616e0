#pragma once
// The stored records of the window state (the main window's placement, one
// tool band each, one docking record per pane), their little-endian binary
// forms, and the rules that make a stored layout safe to apply: clamping,
// scaling by the screen's change of size, the order and grouping in which
// docking records are placed, and the tool bands' order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "docking/core/Rect.h"

namespace sstate {

using Bytes = std::vector<std::uint8_t>;

// Show commands of a placement.
enum ShowCommand : int {
    kShowHide = 0,
    kShowNormal = 1,
    kShowMinimized = 2,
    kShowMaximized = 3,
    kShowNoActivate = 4,
};
// Placement flag: the window goes back to maximised when it is restored.
constexpr int kRestoreToMaximized = 2;

// The main window's placement, 44 bytes.
struct WindowPlacement {
    static constexpr std::size_t kSize = 44;
    std::int32_t length = kSize;
    std::int32_t flags = 0;
    std::int32_t showCmd = kShowNormal;
    dockwins::POINT minPosition;
    dockwins::POINT maxPosition;
    dockwins::RECT normal;

    Bytes ToBytes() const;
    // Exactly kSize bytes; anything else is no placement.
    static std::optional<WindowPlacement> FromBytes(const Bytes& bytes);
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// The placement stored for a window in its present state: a minimised
// window is stored as shown normally, a maximised one keeps its normal
// rectangle for restoring.
WindowPlacement PlacementForStore(const dockwins::RECT& normal, bool maximized);
// What a stored show command means at restore: only 3 maximises; every other
// value (0 would hide the window, 6 minimise it) shows the window normally.
inline bool RestoresMaximized(std::int32_t showCmd) { return showCmd == kShowMaximized; }

// One tool band, 80 bytes; the fields that matter are the style, the width,
// the id and the ideal width. cbSize 80 and mask 0x341 when written.
struct BandInfo {
    static constexpr std::size_t kSize = 80;
    static constexpr std::uint32_t kMask = 0x341;
    static constexpr std::uint32_t kHidden = 0x8;  // style bit: the band is hidden
    std::uint32_t style = 0;
    std::uint32_t cx = 0;
    std::uint32_t id = 0;
    std::uint32_t cxIdeal = 0;

    Bytes ToBytes() const;
    static std::optional<BandInfo> FromBytes(const Bytes& bytes);
    friend bool operator==(const BandInfo&, const BandInfo&) = default;
};

// The bands after a restore: `current` as the bands stand, `stored[n]` the
// band value stored for position n (missing or unusable: nothing). A stored
// id is moved to position n and takes the stored style and widths; an id
// that is not there is passed over. The band `neverHiddenId` keeps showing
// whatever its stored style says.
std::vector<BandInfo> RestoreBands(std::vector<BandInfo> current, const std::vector<std::optional<BandInfo>>& stored,
                                   std::uint32_t neverHiddenId);

// Side flag bits of a docking record besides the package bits 0 to 2.
constexpr std::uint32_t kSideFloating = 8;   // words 4 to 7 hold a floating rectangle
constexpr std::uint32_t kSideBoxActive = 16; // the active window of a box
constexpr std::uint32_t kSidePinned = 32;    // pinned to an auto-hide side
constexpr std::uint32_t kKnownSideBits = 0x3F;

// A pane's docking record, 60 bytes of fifteen 32-bit words.
struct DockingRecord {
    static constexpr std::size_t kSize = 60;
    std::array<std::uint32_t, 15> words{};

    Bytes ToBytes() const;
    static std::optional<DockingRecord> FromBytes(const Bytes& bytes);

    std::int32_t Target() const { return static_cast<std::int32_t>(words[1]); }
    void SetTarget(std::int32_t v) { words[1] = static_cast<std::uint32_t>(v); }
    std::uint32_t SideFlags() const { return words[3]; }
    void SetSideFlags(std::uint32_t v) { words[3] = v; }
    std::int32_t BarIndex() const { return static_cast<std::int32_t>(words[4]); }
    void SetBarIndex(std::int32_t v) { words[4] = static_cast<std::uint32_t>(v); }
    float Fraction() const;
    void SetFraction(float v);
    std::uint32_t Width() const { return words[6]; }
    void SetWidth(std::uint32_t v) { words[6] = v; }
    std::uint32_t Height() const { return words[7]; }
    void SetHeight(std::uint32_t v) { words[7] = v; }
    std::int32_t TabIndex() const { return static_cast<std::int32_t>(words[8]); }
    void SetTabIndex(std::int32_t v) { words[8] = static_cast<std::uint32_t>(v); }
    // Words 9 to 12: the window's remembered floating rectangle.
    dockwins::RECT FloatRect() const { return RectAt(9); }
    void SetFloatRect(const dockwins::RECT& r) { SetRectAt(9, r); }
    // With kSideFloating: words 4 to 7 as a rectangle.
    dockwins::RECT PositionRect() const { return RectAt(4); }
    void SetPositionRect(const dockwins::RECT& r) { SetRectAt(4, r); }
    bool Docked() const { return words[13] != 0; }
    void SetDocked(bool v) { words[13] = v ? 1 : 0; }
    bool Visible() const { return words[14] != 0; }
    void SetVisible(bool v) { words[14] = v ? 1 : 0; }
    bool Floating() const { return (SideFlags() & kSideFloating) != 0; }
    bool Pinned() const { return !Floating() && (SideFlags() & kSidePinned) != 0; }
    // Words 3 to 8 say something: a place was remembered.
    bool HasPosition() const;

    friend bool operator==(const DockingRecord&, const DockingRecord&) = default;

private:
    dockwins::RECT RectAt(int first) const;
    void SetRectAt(int first, const dockwins::RECT& r);
};

// Screen sizes outside this range are taken as unknown.
constexpr std::int64_t kMinScreenSize = 1;
constexpr std::int64_t kMaxScreenSize = 100000;
// current / stored, or 1.0 when either is missing or outside 1..100000.
float ScreenRatio(std::optional<std::int64_t> stored, std::int64_t current);

// Scales a record to a screen that changed size: a docked bar's width and
// height by the ratios across and along it, every rectangle's left and right
// by the horizontal ratio and top and bottom by the vertical one, truncated.
void ScaleRecord(DockingRecord& record, float xRatio, float yRatio);

// Makes a record safe to apply: unknown side bits dropped, fraction NaN -> 0
// else within [0, 1], negative indexes 0 and huge ones at kMaxIndex (past the
// end appends), the bar's width and height at most kMaxScreenSize and the
// rectangles' coordinates within +-kMaxScreenSize, docked and visible 0 or 1.
// Sizes larger than the frame and rectangles off today's screens are kept
// (what the user set outlives a small frame and a screen gone for a while):
// every placement keeps them to the frame and the screens it has.
constexpr std::int32_t kMaxIndex = 64;
void ClampRecord(DockingRecord& record);

// The order in which docked records are placed, smallest first: (side:
// top, bottom, left, right; bar index, fraction, tab index, id), and windows
// of a floating box (grouped by the box's ordinal in word 4) after all bars.
// The bars above and below come first: the bars left and right then get
// their windows at the length they keep, each at its stored pixel.
struct PlannedRecord {
    int id = 0;
    DockingRecord record;
    bool startsGroup = false;  // the first record of its bar place or box
};
std::vector<PlannedRecord> PlanDockedRecords(std::vector<std::pair<int, DockingRecord>> records);

// Consecutive pinned records of the same side and label index pin together,
// once, as one label. The active window is the one with kSideBoxActive (its
// width), else the first (with the last record's width); every window keeps
// its own record's width as well (`widths`, with `ids`).
struct PinGroup {
    std::vector<int> ids;
    std::vector<std::uint32_t> widths;
    std::uint32_t sideFlags = 0;
    std::uint32_t width = 0;
    int activeId = 0;
};
std::vector<PinGroup> GroupPinned(const std::vector<PlannedRecord>& plan);

}  // namespace sstate
