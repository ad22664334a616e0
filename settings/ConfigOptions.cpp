#include "settings/ConfigOptions.h"

#include "number/EntrySyntax.h"
#include "resources/CommandIds.h"
#include "settings/ArchiveFile.h"
#include "settings/ArchiveSchema.h"
#include "settings/ConfigOptionsSerialization.h"
#include "settings/SettingsRecord.h"

#include <algorithm>
#include <initializer_list>
#include <set>

namespace {

constexpr const char* kRootItem = "ConfigSettings";

const SettingsFileSpec kSpec{
    "Kelvo_Config_Settings.xml",
    "KELVO_CS_MUTEX_4420032",
    "Could not save config options",
    "Could not obtain folder to save config options",
    "Could not create folder to save config options: ",
    "Could not obtain path to config options file!",
};

bool IsColorSchemeNameText(std::string_view text)
{
    return text.size() <= ConfigOptions::kMaxColorSchemeName;
}

const ArchiveSchema& Schema()
{
    static const ArchiveSchema* schema = [] {
        auto* s = new ArchiveSchema;
        ArchiveType* options = s->Class("ConfigOptions", ConfigOptions::kClassVersion);
        const ArchiveType* texts = s->Sequence(s->String());
        ArchiveSchema::AddMember(options, "m_historyItems", texts);
        ArchiveSchema::AddMember(options, "m_variables", s->Map(s->String(), s->String()));
        ArchiveSchema::AddMember(options, "m_varSequence", texts);
        for (const char* face : {"m_piCalcBtnCmdID", "m_sinCalcBtnCmdID", "m_cosCalcBtnCmdID",
                                 "m_tanCalcBtnCmdID", "m_xSquaredCalcBtnCmdID", "m_nCrCalcBtnCmdID",
                                 "m_sqrtCalcBtnCmdID"})
            ArchiveSchema::AddMember(options, face, s->UInt());
        ArchiveSchema::AddMember(options, "m_sciCalcBtnCmdID", s->UInt(), 1);
        ArchiveSchema::AddMember(options, "m_divCalcBtnCmdID", s->UInt(), 2);
        ArchiveSchema::AddMember(options, "m_colorScheme",
                                 s->CheckedString("colour scheme name", IsColorSchemeNameText));
        ArchiveSchema::AddMember(options, "m_angleSetting", s->Int());
        ArchiveSchema::AddMember(options, "m_digitGrouping", s->Int(), 3);
        ArchiveSchema::AddMember(options, "m_nSigDigits", s->Int());
        s->AddTopLevel(kRootItem, options);
        return s;
    }();
    return *schema;
}

// The faces of a multi-face keypad button; the first is its default.
void KeepFace(unsigned int& face, std::initializer_list<unsigned int> faces)
{
    if (std::find(faces.begin(), faces.end(), face) == faces.end())
        face = *faces.begin();
}

bool IsValidVariable(const std::string& name, const std::string& value)
{
    std::int32_t digits = 0;
    std::int32_t significant = 0;
    std::int64_t exponent = 0;
    return IsValidVariableName(name) && ValidateNumberText(value, digits, significant, exponent) &&
           exponent >= kMinNumberExponent && exponent <= kMaxNumberExponent;
}

}  // namespace

ConfigOptions& ConfigOptions::Instance()
{
    static ConfigOptions options;
    return options;
}

bool ConfigOptions::SetDefaults()
{
    m_piCalcBtnCmdID = kDefaultPiCmdID;
    m_sinCalcBtnCmdID = kDefaultSinCmdID;
    m_cosCalcBtnCmdID = kDefaultCosCmdID;
    m_tanCalcBtnCmdID = kDefaultTanCmdID;
    m_xSquaredCalcBtnCmdID = kDefaultXSquaredCmdID;
    m_nCrCalcBtnCmdID = kDefaultNCrCmdID;
    m_sqrtCalcBtnCmdID = kDefaultSqrtCmdID;
    m_sciCalcBtnCmdID = kDefaultSciCmdID;
    m_divCalcBtnCmdID = kDefaultDivCmdID;
    m_angleSetting = 0;
    m_digitGrouping = 2;
    m_nSigDigits = kDefaultSigDigits;
    return true;
}

void ConfigOptions::Save(const char* path)
{
    SaveSettingsRecord(kSpec, kRootItem, path, *this, m_unreadableFile);
}

void ConfigOptions::Load(const char* path)
{
    CStagedRecordLoad<ConfigOptions> loading(*this, Schema(), kRootItem);
    LoadSettingsRecord(kSpec, path, loading, m_unreadableFile);
}

void ConfigOptions::CopyFrom(const ConfigOptions& other)
{
    m_historyItems = other.m_historyItems;
    m_variables = other.m_variables;
    m_varSequence = other.m_varSequence;
    m_piCalcBtnCmdID = other.m_piCalcBtnCmdID;
    m_sinCalcBtnCmdID = other.m_sinCalcBtnCmdID;
    m_cosCalcBtnCmdID = other.m_cosCalcBtnCmdID;
    m_tanCalcBtnCmdID = other.m_tanCalcBtnCmdID;
    m_xSquaredCalcBtnCmdID = other.m_xSquaredCalcBtnCmdID;
    m_nCrCalcBtnCmdID = other.m_nCrCalcBtnCmdID;
    m_sqrtCalcBtnCmdID = other.m_sqrtCalcBtnCmdID;
    m_sciCalcBtnCmdID = other.m_sciCalcBtnCmdID;
    m_divCalcBtnCmdID = other.m_divCalcBtnCmdID;
    m_colorScheme = other.m_colorScheme;
    m_angleSetting = other.m_angleSetting.load();
    m_digitGrouping = other.m_digitGrouping;
    m_nSigDigits = other.m_nSigDigits;
}

void ConfigOptions::TakeOverKeptItems(ConfigOptions& staging, const std::vector<std::string>& items)
{
    auto complete = [&items](const char* name) { return IsCompleteItem(items, name); };
    if (complete("m_historyItems"))
        m_historyItems = std::move(staging.m_historyItems);
    if (complete("m_variables"))
        m_variables = std::move(staging.m_variables);
    if (complete("m_varSequence"))
        m_varSequence = std::move(staging.m_varSequence);
    if (complete("m_colorScheme"))
        m_colorScheme = std::move(staging.m_colorScheme);
}

void ConfigOptions::Sanitize()
{
    if (!IsSigDigitsInRange(m_nSigDigits))
        m_nSigDigits = kDefaultSigDigits;
    if (m_angleSetting < 0 || m_angleSetting > 2)
        m_angleSetting = 0;
    if (m_digitGrouping < 0 || m_digitGrouping > 2)
        m_digitGrouping = 2;
    KeepFace(m_piCalcBtnCmdID, {cmd::kPi, cmd::kE});
    KeepFace(m_sinCalcBtnCmdID, {cmd::kSin, cmd::kAsin, cmd::kSinh, cmd::kAsinh});
    KeepFace(m_cosCalcBtnCmdID, {cmd::kCos, cmd::kAcos, cmd::kCosh, cmd::kAcosh});
    KeepFace(m_tanCalcBtnCmdID, {cmd::kTan, cmd::kAtan, cmd::kTanh, cmd::kAtanh});
    KeepFace(m_xSquaredCalcBtnCmdID, {cmd::kSquare, cmd::kCube});
    KeepFace(m_nCrCalcBtnCmdID, {cmd::kNCr, cmd::kNPr});
    KeepFace(m_sqrtCalcBtnCmdID, {cmd::kSqrt, cmd::kCbrt});
    KeepFace(m_sciCalcBtnCmdID, {cmd::kSci, cmd::kInt, cmd::kRound});
    KeepFace(m_divCalcBtnCmdID, {cmd::kDivide, cmd::kIntegerDivide, cmd::kModulo});

    // Variables: drop the invalid ones; the display order names each
    // remaining variable once, missing ones appended in name order.
    for (auto it = m_variables.begin(); it != m_variables.end();)
        it = IsValidVariable(it->first, it->second) ? std::next(it) : m_variables.erase(it);
    std::set<std::string> seen;
    std::deque<std::string> sequence;
    for (auto& name : m_varSequence)
        if (m_variables.count(name) && seen.insert(name).second)
            sequence.push_back(std::move(name));
    for (const auto& [name, value] : m_variables)
        if (!seen.count(name))
            sequence.push_back(name);
    m_varSequence = std::move(sequence);
}
