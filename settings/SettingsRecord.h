#pragma once
// What the options record and the window settings share: their save and their
// load through a staging copy, of which the record takes over only what was
// read whole. A Record provides its list of items (settings/RecordItems.h),
// bool SetDefaults(), void Sanitize() (a friend may reach it privately) and a
// Boost serialize().

#include <string>
#include <vector>

#include <boost/serialization/nvp.hpp>

#include "settings/ArchiveFile.h"
#include "settings/SettingsFile.h"

// Writes record under rootItem to path, or to the settings-folder file of spec.
template <class Record>
void SaveSettingsRecord(const SettingsFileSpec& spec, const char* rootItem, const char* path,
                        const Record& record, std::string& unreadableFile)
{
    const std::string bytes = WriteXmlArchive([&](auto& archive) {
        archive << boost::serialization::make_nvp(rootItem, record);
    });
    SaveSettingsFile(spec, path, bytes, unreadableFile);
}

// The staging adapter of LoadSettingsRecord for one record.
template <class Record, class Items>
class CStagedRecordLoad final : public ISettingsRecordLoad {
public:
    CStagedRecordLoad(Record& record, const Items& items, const ArchiveSchema& schema, const char* rootItem)
        : m_record(record), m_items(items), m_schema(schema), m_rootItem(rootItem)
    {
        m_items.Copy(m_staging, record);
    }
    const ArchiveSchema& Schema() const override { return m_schema; }
    bool ReadStaging(const std::string& bytes) override
    {
        return ReadXmlArchive(bytes, [&](auto& archive) {
            archive >> boost::serialization::make_nvp(m_rootItem, m_staging);
        });
    }
    void AdoptStaging() override { m_items.Copy(m_record, m_staging); }
    void AdoptKeptItems(const std::vector<std::string>& completeItems) override
    {
        m_items.TakeOverKept(m_record, m_staging, completeItems);
    }
    void SetDefaults() override { m_record.SetDefaults(); }
    void Sanitize() override { m_record.Sanitize(); }

private:
    Record& m_record;
    const Items& m_items;
    const ArchiveSchema& m_schema;
    const char* m_rootItem;
    Record m_staging;
};
