#include "settings/WindowSettings.h"

#include "settings/RecordItems.h"
#include "settings/SettingsRecord.h"

#include <boost/serialization/version.hpp>

BOOST_CLASS_VERSION(WindowSettings, WindowSettings::kClassVersion)

namespace {

constexpr const char* kRootItem = "WinSettings";

const SettingsFileSpec kSpec{
    "Kelvo_Win_Settings.xml",
    "KELVO_WS_MUTEX_44232",
    "Could not save window settings",
    "Could not obtain folder to save window settings",
    "Could not create folder to save window settings: ",
    "Could not obtain path to Window Settings file!",
};

// The history pane's tab position: -1, or one of the two tabs of the shared box.
constexpr InRange kTabIndex{-1, 1};
// Column widths above 10000 are taken as damaged.
constexpr InRange kColumnWidth{1, 10000};

// The stored items in file order (settings/RecordItems.h).
using W = WindowSettings;
constexpr RecordItems kItems{
    Item("m_bHistoryWinAndVarWinDocked", &W::m_bHistoryWinAndVarWinDocked, false),
    Item("m_nHistoryWinIndex", &W::m_nHistoryWinIndex, -1, kTabIndex),
    Item("m_bHistoryWinOnTop", &W::m_bHistoryWinOnTop, false),
    Kept("m_bHistoryWinHidden", &W::m_bHistoryWinHidden),
    Kept("m_bVariablesWinHidden", &W::m_bVariablesWinHidden),
    Item("m_nHistoryValueColWidth", &W::m_nHistoryValueColWidth, 200, kColumnWidth),
    Item("m_nVariablesVarNameColWidth", &W::m_nVariablesVarNameColWidth, 50, kColumnWidth),
    Item("m_nVariablesValueColWidth", &W::m_nVariablesValueColWidth, 200, kColumnWidth),
    Item("m_nCalcRecordWindowEntryColWidth", &W::m_nCalcRecordWindowEntryColWidth, 200, kColumnWidth),
    Item("m_nCalcRecordWindowResultColWidth", &W::m_nCalcRecordWindowResultColWidth, 200, kColumnWidth),
};

const ArchiveSchema& Schema()
{
    static const ArchiveSchema* schema = kItems.NewSchema(kRootItem, "WindowSettings", W::kClassVersion);
    return *schema;
}

}  // namespace

WindowSettings& WindowSettings::Instance()
{
    static WindowSettings settings;
    return settings;
}

bool WindowSettings::SetDefaults()
{
    kItems.SetDefaults(*this);
    return true;
}

template <class Archive>
void WindowSettings::serialize(Archive& ar, unsigned int version)
{
    kItems.Serialize(ar, *this, version);
}

void WindowSettings::Save(const char* path)
{
    SaveSettingsRecord(kSpec, kRootItem, path, *this, m_unreadableFile);
}

void WindowSettings::Load(const char* path)
{
    CStagedRecordLoad loading(*this, kItems, Schema(), kRootItem);
    LoadSettingsRecord(kSpec, path, loading, m_unreadableFile);
}

void WindowSettings::Sanitize()
{
    kItems.CheckValues(*this);
}
