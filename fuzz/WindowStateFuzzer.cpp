// The window layout file: any bytes in its place, through the store's real
// load (the guarded read and the INI parser) and the record readers, then the
// rules that make a stored layout safe to apply. The values under the store's
// names are stored over the file they came from (which is kept as ".bad"
// first when it was no layout file); the stored file loads to the same values
// and stores over itself to the same bytes. Every value that reads: a value
// that reads as a record writes back to the same bytes; clamping twice
// changes nothing; the placing order holds every docked record once and every
// pinned one in one label; a band restore moves bands but never loses one nor
// hides the menu band.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include <QFile>

#include "FuzzSupport.h"
#include "docking/core/WindowStateRecords.h"
#include "docking/state/StateKey.h"
#include "tests/docking/StateFileValues.h"

using namespace sstate;

namespace {

QString Q(const std::string& path) { return QFile::decodeName(path.c_str()); }

statefile::Values Load(const std::string& path, bool* layout = nullptr)
{
    CStateFile file(Q(path));
    if (layout)
        *layout = file.Readable();
    else if (!file.Readable() || !file.ReadProblem().empty())
        PropertyFailed("a stored file does not load", ReadScratchFile(path));
    return statefile::ReadValues(file);
}

void Store(const std::string& path, const statefile::Values& values)
{
    std::string problem;
    if (!statefile::StoreValues(Q(path), values, &problem))
        PropertyFailed("a store failed", problem);
}

void CheckRecords(const std::vector<Bytes>& values)
{
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
}

// The values a store writes: those that read under the store's names.
statefile::Values StoreNamesOf(const statefile::Values& values)
{
    const QString main = QStringLiteral("WinSettings/Main Window/");
    const std::pair<QString, int> names[] = {
        {"WinSettings/General/SM_CXSCREEN", 0}, {"WinSettings/General/SM_CYSCREEN", 0},
        {main + "placement", 44},               {main + "0xfffffffd/visible", 0},
        {main + "0xfffffffe/version", 0},       {main + "0xfffffffe/band0", 80},
        {main + "0xfffffffe/band1", 80},        {main + "0xffffffff/0xffffffff", 60},
        {main + "0xffffffff/0xfffffffe", 60},
    };
    statefile::Values picked;
    for (const auto& [name, size] : names) {
        const auto found = values.find(name);
        if (found != values.end() && (size == 0) == found->second.number.has_value() &&
            (size == 0 || found->second.bytes.size() == size))
            picked.insert(*found);
    }
    return picked;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The parser's copies go to the scratch folder too.
    static const bool scratchAsTemp = ::setenv("TMPDIR", ScratchFolder().c_str(), 1) == 0;
    (void)scratchAsTemp;
    const std::string input = ScratchFolder() + "/Calculator.ini";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    WriteScratchFile(input, data, size);
    RemoveScratchFile(input + ".bad");

    bool layout = false;
    const statefile::Values values = Load(input, &layout);
    std::vector<Bytes> binaries;
    for (const auto& [key, value] : values)
        if (!value.number)
            binaries.emplace_back(value.bytes.begin(), value.bytes.end());
    CheckRecords(binaries);

    // Stored over the file it came from: a file that was no layout file (or
    // held what the writer cannot write back readably) is kept first.
    const statefile::Values written = StoreNamesOf(values);
    Store(input, written);
    const bool kept = ScratchFileExists(input + ".bad");
    if (!layout && !kept)
        PropertyFailed("a file that was no layout was not kept");
    if (kept && ReadScratchFile(input + ".bad") != bytes)
        PropertyFailed("the kept bytes are not the file's");
    RemoveScratchFile(input + ".bad");
    const std::string stored = ReadScratchFile(input);
    if (StoreNamesOf(Load(input)) != written)
        PropertyFailed("a stored file does not load to the values stored", stored);
    Store(input, written);
    if (ReadScratchFile(input) != stored || ScratchFileExists(input + ".bad"))
        PropertyFailed("a stored file does not store over itself to the same bytes", stored);
    return 0;
}
