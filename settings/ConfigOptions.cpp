#include "settings/ConfigOptions.h"

#include "number/EntrySyntax.h"
#include "resources/CommandIds.h"
#include "settings/RecordItems.h"
#include "settings/SettingsRecord.h"

#include <boost/serialization/deque.hpp>
#include <boost/serialization/map.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/version.hpp>

#include <algorithm>
#include <array>
#include <set>

BOOST_CLASS_VERSION(ConfigOptions, ConfigOptions::kClassVersion)

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

// The faces of a multi-face keypad button; the first is its default.
template <std::size_t N>
struct OneOfFaces {
    std::array<unsigned, N> faces;
    constexpr bool operator()(unsigned face) const
    {
        return std::find(faces.begin(), faces.end(), face) != faces.end();
    }
};

template <std::size_t N>
constexpr auto Face(const char* name, unsigned ConfigOptions::*member, const unsigned (&faces)[N])
{
    return Item(name, member, faces[0], OneOfFaces<N>{std::to_array(faces)});
}

// The stored items in file order (settings/RecordItems.h).
using C = ConfigOptions;
constexpr RecordItems kItems{
    Kept("m_historyItems", &C::m_historyItems),
    Kept("m_variables", &C::m_variables),
    Kept("m_varSequence", &C::m_varSequence),
    Face("m_piCalcBtnCmdID", &C::m_piCalcBtnCmdID, {cmd::kPi, cmd::kE}),
    Face("m_sinCalcBtnCmdID", &C::m_sinCalcBtnCmdID, {cmd::kSin, cmd::kAsin, cmd::kSinh, cmd::kAsinh}),
    Face("m_cosCalcBtnCmdID", &C::m_cosCalcBtnCmdID, {cmd::kCos, cmd::kAcos, cmd::kCosh, cmd::kAcosh}),
    Face("m_tanCalcBtnCmdID", &C::m_tanCalcBtnCmdID, {cmd::kTan, cmd::kAtan, cmd::kTanh, cmd::kAtanh}),
    Face("m_xSquaredCalcBtnCmdID", &C::m_xSquaredCalcBtnCmdID, {cmd::kSquare, cmd::kCube}),
    Face("m_nCrCalcBtnCmdID", &C::m_nCrCalcBtnCmdID, {cmd::kNCr, cmd::kNPr}),
    Face("m_sqrtCalcBtnCmdID", &C::m_sqrtCalcBtnCmdID, {cmd::kSqrt, cmd::kCbrt}),
    Face("m_sciCalcBtnCmdID", &C::m_sciCalcBtnCmdID, {cmd::kSci, cmd::kInt, cmd::kRound}).Since(1),
    Face("m_divCalcBtnCmdID", &C::m_divCalcBtnCmdID, {cmd::kDivide, cmd::kIntegerDivide, cmd::kModulo}).Since(2),
    Kept("m_colorScheme", &C::m_colorScheme, IsColorSchemeNameText),
    Item("m_angleSetting", &C::m_angleSetting, 0, InRange{0, 2}),
    Item("m_digitGrouping", &C::m_digitGrouping, 2, InRange{0, 2}).Since(3),
    Item("m_nSigDigits", &C::m_nSigDigits, C::kDefaultSigDigits, C::IsSigDigitsInRange),
};

const ArchiveSchema& Schema()
{
    static const ArchiveSchema* schema = kItems.NewSchema(kRootItem, "ConfigOptions", C::kClassVersion);
    return *schema;
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
    kItems.SetDefaults(*this);
    return true;
}

template <class Archive>
void ConfigOptions::serialize(Archive& ar, unsigned int version)
{
    kItems.Serialize(ar, *this, version);
}

void ConfigOptions::Save(const char* path)
{
    SaveSettingsRecord(kSpec, kRootItem, path, *this, m_unreadableFile);
}

void ConfigOptions::Load(const char* path)
{
    CStagedRecordLoad loading(*this, kItems, Schema(), kRootItem);
    LoadSettingsRecord(kSpec, path, loading, m_unreadableFile);
}

void ConfigOptions::Sanitize()
{
    kItems.CheckValues(*this);

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
