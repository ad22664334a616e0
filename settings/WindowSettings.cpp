#include "settings/WindowSettings.h"

#include "settings/ArchiveFile.h"
#include "settings/ArchiveSchema.h"
#include "settings/SettingsRecord.h"
#include "settings/WindowSettingsSerialization.h"

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

const ArchiveSchema& Schema()
{
    static const ArchiveSchema* schema = [] {
        auto* s = new ArchiveSchema;
        ArchiveType* settings = s->Class("WindowSettings", WindowSettings::kClassVersion);
        ArchiveSchema::AddMember(settings, "m_bHistoryWinAndVarWinDocked", s->Bool());
        ArchiveSchema::AddMember(settings, "m_nHistoryWinIndex", s->Int());
        ArchiveSchema::AddMember(settings, "m_bHistoryWinOnTop", s->Bool());
        ArchiveSchema::AddMember(settings, "m_bHistoryWinHidden", s->Bool());
        ArchiveSchema::AddMember(settings, "m_bVariablesWinHidden", s->Bool());
        for (const char* width : {"m_nHistoryValueColWidth", "m_nVariablesVarNameColWidth",
                                  "m_nVariablesValueColWidth", "m_nCalcRecordWindowEntryColWidth",
                                  "m_nCalcRecordWindowResultColWidth"})
            ArchiveSchema::AddMember(settings, width, s->Int());
        s->AddTopLevel(kRootItem, settings);
        return s;
    }();
    return *schema;
}

void KeepWidth(int& width, int defaultWidth)
{
    if (width <= 0 || width > WindowSettings::kMaxColumnWidth)
        width = defaultWidth;
}

}  // namespace

WindowSettings& WindowSettings::Instance()
{
    static WindowSettings settings;
    return settings;
}

bool WindowSettings::SetDefaults()
{
    m_bHistoryWinAndVarWinDocked = false;
    m_nHistoryWinIndex = kDefaultHistoryWinIndex;
    m_bHistoryWinOnTop = false;
    m_nHistoryValueColWidth = kDefaultHistoryValueColWidth;
    m_nVariablesVarNameColWidth = kDefaultVariablesVarNameColWidth;
    m_nVariablesValueColWidth = kDefaultVariablesValueColWidth;
    m_nCalcRecordWindowEntryColWidth = kDefaultCalcRecordEntryColWidth;
    m_nCalcRecordWindowResultColWidth = kDefaultCalcRecordResultColWidth;
    return true;
}

void WindowSettings::Save(const char* path)
{
    SaveSettingsRecord(kSpec, kRootItem, path, *this, m_unreadableFile);
}

void WindowSettings::Load(const char* path)
{
    CStagedRecordLoad<WindowSettings> loading(*this, Schema(), kRootItem);
    LoadSettingsRecord(kSpec, path, loading, m_unreadableFile);
}

void WindowSettings::CopyFrom(const WindowSettings& other)
{
    const std::string unreadableFile = std::move(m_unreadableFile);
    *this = other;
    m_unreadableFile = unreadableFile;
}

void WindowSettings::TakeOverKeptItems(WindowSettings& staging, const std::vector<std::string>& items)
{
    if (IsCompleteItem(items, "m_bHistoryWinHidden"))
        m_bHistoryWinHidden = staging.m_bHistoryWinHidden;
    if (IsCompleteItem(items, "m_bVariablesWinHidden"))
        m_bVariablesWinHidden = staging.m_bVariablesWinHidden;
}

void WindowSettings::Sanitize()
{
    if (m_nHistoryWinIndex < kDefaultHistoryWinIndex || m_nHistoryWinIndex > kMaxHistoryWinIndex)
        m_nHistoryWinIndex = kDefaultHistoryWinIndex;
    KeepWidth(m_nHistoryValueColWidth, kDefaultHistoryValueColWidth);
    KeepWidth(m_nVariablesVarNameColWidth, kDefaultVariablesVarNameColWidth);
    KeepWidth(m_nVariablesValueColWidth, kDefaultVariablesValueColWidth);
    KeepWidth(m_nCalcRecordWindowEntryColWidth, kDefaultCalcRecordEntryColWidth);
    KeepWidth(m_nCalcRecordWindowResultColWidth, kDefaultCalcRecordResultColWidth);
}
