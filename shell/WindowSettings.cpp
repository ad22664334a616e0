#include "shell/WindowSettings.h"

#include "shell/ArchiveFile.h"
#include "shell/ArchiveSchema.h"
#include "shell/SettingsFile.h"
#include "shell/WindowSettingsSerialization.h"

#include <algorithm>

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

bool ReadInto(const std::string& bytes, WindowSettings& settings)
{
    return ReadXmlArchive(bytes, [&](auto& archive) {
        archive >> boost::serialization::make_nvp(kRootItem, settings);
    });
}

bool Contains(const std::vector<std::string>& items, const char* name)
{
    return std::find(items.begin(), items.end(), name) != items.end();
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
    const std::string bytes = WriteXmlArchive([this](auto& archive) {
        archive << boost::serialization::make_nvp(kRootItem, *this);
    });
    SaveSettingsFile(kSpec, path, bytes, m_unreadableFile);
}

void WindowSettings::Load(const char* path)
{
    // Reads into a staging copy; the record takes over only what was read whole.
    class Loading : public ISettingsRecordLoad {
    public:
        explicit Loading(WindowSettings& record) : m_record(record), m_staging(record) {}
        const ArchiveSchema& Schema() const override { return ::Schema(); }
        bool ReadStaging(const std::string& bytes) override { return ReadInto(bytes, m_staging); }
        void AdoptStaging() override
        {
            m_staging.m_unreadableFile = m_record.m_unreadableFile;
            m_record = m_staging;
        }
        void AdoptKeptItems(const std::vector<std::string>& items) override
        {
            if (Contains(items, "m_bHistoryWinHidden"))
                m_record.m_bHistoryWinHidden = m_staging.m_bHistoryWinHidden;
            if (Contains(items, "m_bVariablesWinHidden"))
                m_record.m_bVariablesWinHidden = m_staging.m_bVariablesWinHidden;
        }
        void SetDefaults() override { m_record.SetDefaults(); }
        void Sanitize() override { m_record.Sanitize(); }

    private:
        WindowSettings& m_record;
        WindowSettings m_staging;
    };
    Loading loading(*this);
    LoadSettingsRecord(kSpec, path, loading, m_unreadableFile);
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
