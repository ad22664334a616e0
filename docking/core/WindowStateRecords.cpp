#include "docking/core/WindowStateRecords.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <tuple>

namespace sstate {

namespace {

void PutWord(Bytes& out, std::size_t at, std::uint32_t v)
{
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
    out[at + 2] = static_cast<std::uint8_t>(v >> 16);
    out[at + 3] = static_cast<std::uint8_t>(v >> 24);
}

std::uint32_t GetWord(const Bytes& in, std::size_t at)
{
    return static_cast<std::uint32_t>(in[at]) | static_cast<std::uint32_t>(in[at + 1]) << 8 |
           static_cast<std::uint32_t>(in[at + 2]) << 16 | static_cast<std::uint32_t>(in[at + 3]) << 24;
}

std::int32_t GetInt(const Bytes& in, std::size_t at) { return static_cast<std::int32_t>(GetWord(in, at)); }
void PutInt(Bytes& out, std::size_t at, std::int32_t v) { PutWord(out, at, static_cast<std::uint32_t>(v)); }

// Band fields of the 80-byte record.
constexpr std::size_t kBandSizeAt = 0;
constexpr std::size_t kBandMaskAt = 4;
constexpr std::size_t kBandStyleAt = 8;
constexpr std::size_t kBandCxAt = 44;
constexpr std::size_t kBandIdAt = 52;
constexpr std::size_t kBandIdealAt = 68;

std::uint32_t Truncated(std::uint32_t v, float ratio)
{
    const double product = static_cast<double>(v) * static_cast<double>(ratio);
    if (!(product >= 0.0))
        return 0;
    if (product >= static_cast<double>(std::numeric_limits<std::uint32_t>::max()))
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(product);
}

std::int32_t Truncated(std::int32_t v, float ratio)
{
    const double product = static_cast<double>(v) * static_cast<double>(ratio);
    if (std::isnan(product))
        return 0;
    return static_cast<std::int32_t>(std::clamp(product, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                                                static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

}  // namespace

// ------------------------------------------------------------------ placement

Bytes WindowPlacement::ToBytes() const
{
    Bytes out(kSize, 0);
    PutInt(out, 0, length);
    PutInt(out, 4, flags);
    PutInt(out, 8, showCmd);
    PutInt(out, 12, minPosition.x);
    PutInt(out, 16, minPosition.y);
    PutInt(out, 20, maxPosition.x);
    PutInt(out, 24, maxPosition.y);
    PutInt(out, 28, normal.left);
    PutInt(out, 32, normal.top);
    PutInt(out, 36, normal.right);
    PutInt(out, 40, normal.bottom);
    return out;
}

std::optional<WindowPlacement> WindowPlacement::FromBytes(const Bytes& bytes)
{
    if (bytes.size() != kSize)
        return std::nullopt;
    WindowPlacement p;
    p.length = GetInt(bytes, 0);
    p.flags = GetInt(bytes, 4);
    p.showCmd = GetInt(bytes, 8);
    p.minPosition = {GetInt(bytes, 12), GetInt(bytes, 16)};
    p.maxPosition = {GetInt(bytes, 20), GetInt(bytes, 24)};
    p.normal = {GetInt(bytes, 28), GetInt(bytes, 32), GetInt(bytes, 36), GetInt(bytes, 40)};
    return p;
}

WindowPlacement PlacementForStore(const dockwins::RECT& normal, bool maximized)
{
    WindowPlacement p;
    p.flags = maximized ? kRestoreToMaximized : 0;
    p.showCmd = maximized ? kShowMaximized : kShowNormal;
    p.minPosition = {-1, -1};
    p.maxPosition = {-1, -1};
    p.normal = normal;
    return p;
}

// ------------------------------------------------------------------ bands

Bytes BandInfo::ToBytes() const
{
    Bytes out(kSize, 0);
    PutWord(out, kBandSizeAt, kSize);
    PutWord(out, kBandMaskAt, kMask);
    PutWord(out, kBandStyleAt, style);
    PutWord(out, kBandCxAt, cx);
    PutWord(out, kBandIdAt, id);
    PutWord(out, kBandIdealAt, cxIdeal);
    return out;
}

std::optional<BandInfo> BandInfo::FromBytes(const Bytes& bytes)
{
    if (bytes.size() != kSize)
        return std::nullopt;
    BandInfo b;
    b.style = GetWord(bytes, kBandStyleAt);
    b.cx = GetWord(bytes, kBandCxAt);
    b.id = GetWord(bytes, kBandIdAt);
    b.cxIdeal = GetWord(bytes, kBandIdealAt);
    return b;
}

std::vector<BandInfo> RestoreBands(std::vector<BandInfo> current, const std::vector<std::optional<BandInfo>>& stored,
                                   std::uint32_t neverHiddenId)
{
    const std::size_t count = std::min(current.size(), stored.size());
    for (std::size_t n = 0; n < count; ++n) {
        if (!stored[n])
            continue;
        const auto it = std::find_if(current.begin(), current.end(),
                                     [&](const BandInfo& b) { return b.id == stored[n]->id; });
        if (it == current.end())
            continue;
        BandInfo band = *it;
        current.erase(it);
        band.style = stored[n]->style;
        band.cx = stored[n]->cx;
        band.cxIdeal = stored[n]->cxIdeal;
        if (band.id == neverHiddenId)
            band.style &= ~BandInfo::kHidden;
        current.insert(current.begin() + static_cast<std::ptrdiff_t>(n), band);
    }
    return current;
}

// ------------------------------------------------------------------ docking records

Bytes DockingRecord::ToBytes() const
{
    Bytes out(kSize, 0);
    for (std::size_t i = 0; i < words.size(); ++i)
        PutWord(out, i * 4, words[i]);
    return out;
}

std::optional<DockingRecord> DockingRecord::FromBytes(const Bytes& bytes)
{
    if (bytes.size() != kSize)
        return std::nullopt;
    DockingRecord r;
    for (std::size_t i = 0; i < r.words.size(); ++i)
        r.words[i] = GetWord(bytes, i * 4);
    return r;
}

float DockingRecord::Fraction() const { return std::bit_cast<float>(words[5]); }
void DockingRecord::SetFraction(float v) { words[5] = std::bit_cast<std::uint32_t>(v); }

dockwins::RECT DockingRecord::RectAt(int first) const
{
    const auto at = static_cast<std::size_t>(first);
    return {static_cast<std::int32_t>(words[at]), static_cast<std::int32_t>(words[at + 1]),
            static_cast<std::int32_t>(words[at + 2]), static_cast<std::int32_t>(words[at + 3])};
}

void DockingRecord::SetRectAt(int first, const dockwins::RECT& r)
{
    const auto at = static_cast<std::size_t>(first);
    words[at] = static_cast<std::uint32_t>(r.left);
    words[at + 1] = static_cast<std::uint32_t>(r.top);
    words[at + 2] = static_cast<std::uint32_t>(r.right);
    words[at + 3] = static_cast<std::uint32_t>(r.bottom);
}

bool DockingRecord::HasPosition() const
{
    for (std::size_t i = 3; i <= 8; ++i)
        if (words[i] != 0)
            return true;
    return false;
}

// ------------------------------------------------------------------ scaling and clamping

float ScreenRatio(std::optional<std::int64_t> stored, std::int64_t current)
{
    const auto usable = [](std::int64_t v) { return v >= kMinScreenSize && v <= kMaxScreenSize; };
    if (!stored || !usable(*stored) || !usable(current))
        return 1.0f;
    return static_cast<float>(static_cast<double>(current) / static_cast<double>(*stored));
}

namespace {

dockwins::RECT ScaledRect(const dockwins::RECT& r, float x, float y)
{
    return {Truncated(r.left, x), Truncated(r.top, y), Truncated(r.right, x), Truncated(r.bottom, y)};
}

}  // namespace

void ScaleRecord(DockingRecord& record, float xRatio, float yRatio)
{
    if (record.Docked() && !record.Floating()) {
        const bool inner = (record.SideFlags() & 1u) != 0;
        record.SetWidth(Truncated(record.Width(), inner ? xRatio : yRatio));
        record.SetHeight(Truncated(record.Height(), inner ? yRatio : xRatio));
    }
    if (record.Floating())
        record.SetPositionRect(ScaledRect(record.PositionRect(), xRatio, yRatio));
    record.SetFloatRect(ScaledRect(record.FloatRect(), xRatio, yRatio));
}

void ClampRecord(DockingRecord& record)
{
    record.SetSideFlags(record.SideFlags() & kKnownSideBits);
    record.SetDocked(record.Docked());
    record.SetVisible(record.Visible());
    // Rectangles within reach of any screen's coordinates; placed on a
    // screen by the window side when the window floats.
    const auto onAnyScreen = [](dockwins::RECT r) {
        constexpr int kFar = static_cast<int>(kMaxScreenSize);
        for (int* c : {&r.left, &r.top, &r.right, &r.bottom})
            *c = std::clamp(*c, -kFar, kFar);
        return r;
    };
    record.SetFloatRect(onAnyScreen(record.FloatRect()));
    if (record.Floating()) {
        record.SetPositionRect(onAnyScreen(record.PositionRect()));
        return;  // words 4 to 7 are that rectangle
    }
    const float f = record.Fraction();
    record.SetFraction(std::isnan(f) ? 0.0f : std::clamp(f, 0.0f, 1.0f));
    record.SetBarIndex(std::clamp(record.BarIndex(), 0, kMaxIndex));
    record.SetTabIndex(std::clamp(record.TabIndex(), 0, kMaxIndex));
    constexpr auto kMaxSize = static_cast<std::uint32_t>(kMaxScreenSize);
    record.SetWidth(std::min(record.Width(), kMaxSize));
    record.SetHeight(std::min(record.Height(), kMaxSize));
}

// ------------------------------------------------------------------ order and groups

namespace {

// (class, bar or box ordinal, fraction, tab, id): class 0..3 the side of a
// docked record (top, bottom, left, right), 4 a window of a floating box.
using OrderKey = std::tuple<int, std::int64_t, float, std::int32_t, int>;

OrderKey KeyOf(int id, const DockingRecord& r)
{
    if (r.Floating())
        return {4, static_cast<std::int64_t>(r.words[4]), 0.0f, r.TabIndex(), id};
    const std::uint32_t flags = r.SideFlags();
    const int side = ((flags & 1u) != 0 ? 2 : 0) + ((flags & 2u) != 0 ? 0 : 1);
    const float f = std::isnan(r.Fraction()) ? 0.0f : r.Fraction();
    return {side, r.BarIndex(), f, r.TabIndex(), id};
}

bool SameGroup(const OrderKey& a, const OrderKey& b)
{
    return std::get<0>(a) == std::get<0>(b) && std::get<1>(a) == std::get<1>(b) && std::get<2>(a) == std::get<2>(b);
}

}  // namespace

std::vector<PlannedRecord> PlanDockedRecords(std::vector<std::pair<int, DockingRecord>> records)
{
    std::vector<std::pair<OrderKey, std::pair<int, DockingRecord>>> keyed;
    keyed.reserve(records.size());
    for (auto& r : records)
        keyed.push_back({KeyOf(r.first, r.second), std::move(r)});
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    std::vector<PlannedRecord> plan;
    // The previous record that is not pinned: pinned ones never join a box.
    const OrderKey* previous = nullptr;
    for (const auto& [key, entry] : keyed) {
        PlannedRecord p;
        p.id = entry.first;
        p.record = entry.second;
        const bool pinned = p.record.Pinned();
        p.startsGroup = pinned || !previous || !SameGroup(*previous, key);
        plan.push_back(p);
        if (!pinned)
            previous = &key;
    }
    return plan;
}

std::vector<PinGroup> GroupPinned(const std::vector<PlannedRecord>& plan)
{
    std::vector<PinGroup> groups;
    bool open = false;
    bool haveActive = false;
    std::uint32_t lastSide = 0;
    std::int32_t lastBar = 0;
    for (const PlannedRecord& p : plan) {
        if (!p.record.Pinned())
            continue;
        const std::uint32_t side = p.record.SideFlags() & 3u;
        if (!open || side != lastSide || p.record.BarIndex() != lastBar) {
            groups.push_back({});
            groups.back().sideFlags = p.record.SideFlags();
            open = true;
            haveActive = false;
        }
        PinGroup& g = groups.back();
        g.ids.push_back(p.id);
        g.widths.push_back(p.record.Width());
        if (p.record.SideFlags() & kSideBoxActive) {
            g.activeId = p.id;
            g.width = p.record.Width();
            haveActive = true;
        } else if (!haveActive) {
            g.activeId = g.ids.front();
            g.width = p.record.Width();
        }
        lastSide = side;
        lastBar = p.record.BarIndex();
    }
    return groups;
}

}  // namespace sstate
