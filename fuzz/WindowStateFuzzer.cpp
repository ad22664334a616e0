// The stored window state's values: any bytes, cut into values of any length
// (a length byte before each), through the record readers and the rules that
// make a stored layout safe to apply. A value that reads writes back to the
// same bytes; clamping twice changes nothing; the placing order holds every
// docked record once and every pinned one in one label; a band restore moves
// bands but never loses one nor hides the menu band.

#include <algorithm>
#include <cmath>
#include <set>

#include "FuzzSupport.h"
#include "docking/core/WindowStateRecords.h"

using namespace sstate;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<Bytes> values;
    for (std::size_t p = 0; p < size;) {
        const std::size_t length = std::min<std::size_t>(data[p], size - p - 1);
        values.emplace_back(data + p + 1, data + p + 1 + length);
        p += 1 + length;
    }

    std::vector<std::pair<int, DockingRecord>> records;
    std::vector<std::optional<BandInfo>> bands;
    for (const Bytes& value : values) {
        if (const auto placement = WindowPlacement::FromBytes(value)) {
            if (placement->ToBytes() != value)
                PropertyFailed("a placement does not write back to its bytes");
        }
        const auto band = BandInfo::FromBytes(value);
        bands.push_back(band);
        auto record = DockingRecord::FromBytes(value);
        if (!record)
            continue;
        if (record->ToBytes() != value)
            PropertyFailed("a docking record does not write back to its bytes");
        const float x = ScreenRatio(static_cast<std::int64_t>(record->words[9]), 1920);
        const float y = ScreenRatio(static_cast<std::int64_t>(record->words[10]), 1080);
        if (!(x > 0.0f) || !(y > 0.0f) || !std::isfinite(x) || !std::isfinite(y))
            PropertyFailed("a screen ratio that is not a positive number");
        ScaleRecord(*record, x, y);
        ClampRecord(*record, 1000, 700);
        DockingRecord again = *record;
        ClampRecord(again, 1000, 700);
        if (!(again == *record))
            PropertyFailed("clamping a clamped record changed it");
        if (!record->Floating() &&
            (!(record->Fraction() >= 0.0f && record->Fraction() <= 1.0f) || record->Width() > 1000 ||
             record->Height() > 1000 || record->BarIndex() < 0 || record->BarIndex() > kMaxIndex))
            PropertyFailed("a clamped record out of bounds");
        if (record->Docked())
            records.push_back({-1 - static_cast<int>(records.size()), *record});
    }

    const auto plan = PlanDockedRecords(records);
    std::multiset<int> planned;
    for (const PlannedRecord& p : plan)
        planned.insert(p.id);
    if (plan.size() != records.size() || planned.size() != std::set<int>(planned.begin(), planned.end()).size())
        PropertyFailed("the placing order lost or doubled a record");
    std::set<int> pinned;
    for (const PinGroup& group : GroupPinned(plan))
        for (int id : group.ids)
            if (!pinned.insert(id).second)
                PropertyFailed("a window pinned twice");
    for (const PlannedRecord& p : plan)
        if (p.record.Pinned() != (pinned.count(p.id) == 1))
            PropertyFailed("a pinned record outside a label, or a label for one that is not pinned");

    const std::vector<BandInfo> created = {{0x104, 0, 0xEB00, 0}, {0x105, 0, 0xEB01, 0}};
    const auto restored = RestoreBands(created, bands, 0xEB00);
    std::multiset<std::uint32_t> ids;
    for (const BandInfo& b : restored) {
        ids.insert(b.id);
        if (b.id == 0xEB00 && (b.style & BandInfo::kHidden))
            PropertyFailed("the menu band hidden");
    }
    if (ids != std::multiset<std::uint32_t>{0xEB00, 0xEB01})
        PropertyFailed("a band restore lost or doubled a band");
    return 0;
}
