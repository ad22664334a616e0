#include "settings/ConfigOptions.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>
#include <type_traits>

namespace {

static_assert(std::is_same_v<decltype(ConfigOptions::m_angleSetting), std::atomic<int>>,
              "the angle unit is read by the engine's function thread");

// The record of the golden files.
void FillSample(ConfigOptions& c)
{
    c.m_historyItems = {"1,234.5", "-2.5E-7", "x<y & \"z\" 'q'>"};
    c.m_variables = {{"x", "2"}, {"rate 2", "0.05"}, {"Zed", "1E5"}};
    c.m_varSequence = {"rate 2", "x", "Zed"};
    c.m_piCalcBtnCmdID = 6121;
    c.m_sinCalcBtnCmdID = 6127;
    c.m_cosCalcBtnCmdID = 6129;
    c.m_tanCalcBtnCmdID = 6134;
    c.m_xSquaredCalcBtnCmdID = 6138;
    c.m_nCrCalcBtnCmdID = 6143;
    c.m_sqrtCalcBtnCmdID = 6118;
    c.m_sciCalcBtnCmdID = 34501;
    c.m_divCalcBtnCmdID = 34504;
    c.m_colorScheme = "Smooth Blue";
    c.m_angleSetting = 2;
    c.m_digitGrouping = 1;
    c.m_nSigDigits = 75;
}

void ExpectSample(const ConfigOptions& c)
{
    EXPECT_EQ(c.m_historyItems, (std::deque<std::string>{"1,234.5", "-2.5E-7", "x<y & \"z\" 'q'>"}));
    EXPECT_EQ(c.m_variables, (std::map<std::string, std::string>{{"x", "2"}, {"rate 2", "0.05"}, {"Zed", "1E5"}}));
    EXPECT_EQ(c.m_varSequence, (std::deque<std::string>{"rate 2", "x", "Zed"}));
    EXPECT_EQ(c.m_piCalcBtnCmdID, 6121u);
    EXPECT_EQ(c.m_sinCalcBtnCmdID, 6127u);
    EXPECT_EQ(c.m_cosCalcBtnCmdID, 6129u);
    EXPECT_EQ(c.m_tanCalcBtnCmdID, 6134u);
    EXPECT_EQ(c.m_xSquaredCalcBtnCmdID, 6138u);
    EXPECT_EQ(c.m_nCrCalcBtnCmdID, 6143u);
    EXPECT_EQ(c.m_sqrtCalcBtnCmdID, 6118u);
    EXPECT_EQ(c.m_colorScheme, "Smooth Blue");
    EXPECT_EQ(c.m_angleSetting, 2);
    EXPECT_EQ(c.m_nSigDigits, 75);
}

void ExpectDefaults(const ConfigOptions& c)
{
    EXPECT_EQ(c.m_nSigDigits, 35);
    EXPECT_EQ(c.m_angleSetting, 0);
    EXPECT_EQ(c.m_digitGrouping, 2);
    EXPECT_EQ(c.m_piCalcBtnCmdID, 6120u);
    EXPECT_EQ(c.m_sinCalcBtnCmdID, 6124u);
    EXPECT_EQ(c.m_cosCalcBtnCmdID, 6128u);
    EXPECT_EQ(c.m_tanCalcBtnCmdID, 6132u);
    EXPECT_EQ(c.m_xSquaredCalcBtnCmdID, 6137u);
    EXPECT_EQ(c.m_nCrCalcBtnCmdID, 6142u);
    EXPECT_EQ(c.m_sqrtCalcBtnCmdID, 6117u);
    EXPECT_EQ(c.m_sciCalcBtnCmdID, 32813u);
    EXPECT_EQ(c.m_divCalcBtnCmdID, 6113u);
}

TEST(ConfigOptions, FirstStartGivesDefaultsAndTheFirstSaveCreatesFolderAndFile)
{
    const std::string folder = FreshSettingsFolder();
    ConfigOptions c;
    c.Load();
    ExpectDefaults(c);
    EXPECT_TRUE(c.m_historyItems.empty());
    EXPECT_TRUE(c.m_variables.empty());
    EXPECT_TRUE(c.m_colorScheme.empty());
    c.m_historyItems = {"42"};
    c.Save();
    ConfigOptions again;
    again.Load();
    EXPECT_EQ(again.m_historyItems, (std::deque<std::string>{"42"}));
    EXPECT_TRUE(FileExists(folder + "/Kelvo_Config_Settings.xml"));
}

TEST(ConfigOptions, SavesTheGoldenBytesAndTwoSavesAreIdentical)
{
    const std::string dir = FreshFolder("config-golden");
    ConfigOptions c;
    FillSample(c);
    c.Save((dir + "/a.xml").c_str());
    c.Save((dir + "/b.xml").c_str());
    const std::string bytes = ReadBytes(dir + "/a.xml");
    EXPECT_EQ(bytes, ReadBytes(dir + "/b.xml"));
    EXPECT_EQ(bytes, ReadBytes(Fixture("config_v18.xml")));
    EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
                          "<!DOCTYPE boost_serialization>\n"
                          "<boost_serialization signature=\"serialization::archive\" version=\"18\">\n"
                          "<ConfigSettings class_id=\"0\" tracking_level=\"0\" version=\"3\">\n", 0),
              0u);
}

TEST(ConfigOptions, RoundTripGivesEveryFieldBack)
{
    const std::string path = FreshFolder("config-round") + "/c.xml";
    ConfigOptions c;
    FillSample(c);
    c.Save(path.c_str());
    ConfigOptions loaded;
    loaded.Load(path.c_str());
    ExpectSample(loaded);
    EXPECT_EQ(loaded.m_sciCalcBtnCmdID, 34501u);
    EXPECT_EQ(loaded.m_divCalcBtnCmdID, 34504u);
    EXPECT_EQ(loaded.m_digitGrouping, 1);
}

TEST(ConfigOptions, LoadsBothArchiveLayouts)
{
    for (const char* name : {"config_v18.xml", "config_v3.xml"}) {
        SCOPED_TRACE(name);
        ConfigOptions c;
        c.Load(Fixture(name).c_str());
        ExpectSample(c);
        EXPECT_EQ(c.m_sciCalcBtnCmdID, 34501u);
        EXPECT_EQ(c.m_divCalcBtnCmdID, 34504u);
        EXPECT_EQ(c.m_digitGrouping, 1);
    }
}

TEST(ConfigOptions, OlderClassVersionsKeepTheLaterItemsAsTheyWere)
{
    ConfigOptions v0;
    v0.m_sciCalcBtnCmdID = 34502;
    v0.m_divCalcBtnCmdID = 34503;
    v0.m_digitGrouping = 0;
    v0.Load(Fixture("config_class_v0.xml").c_str());
    ExpectSample(v0);
    EXPECT_EQ(v0.m_sciCalcBtnCmdID, 34502u);
    EXPECT_EQ(v0.m_divCalcBtnCmdID, 34503u);
    EXPECT_EQ(v0.m_digitGrouping, 0);

    ConfigOptions v2;
    v2.m_digitGrouping = 0;
    v2.Load(Fixture("config_class_v2.xml").c_str());
    ExpectSample(v2);
    EXPECT_EQ(v2.m_sciCalcBtnCmdID, 34501u);
    EXPECT_EQ(v2.m_divCalcBtnCmdID, 34504u);
    EXPECT_EQ(v2.m_digitGrouping, 0);

    // At start-up the gated faces are not yet set: they get their defaults
    // rather than an id that is no face.
    ConfigOptions fresh;
    fresh.Load(Fixture("config_class_v0.xml").c_str());
    EXPECT_EQ(fresh.m_sciCalcBtnCmdID, 32813u);
    EXPECT_EQ(fresh.m_divCalcBtnCmdID, 6113u);
    EXPECT_EQ(fresh.m_digitGrouping, 2);
}

std::string WithItem(const std::string& item, const std::string& value)
{
    std::string bytes = ReadBytes(Fixture("config_v18.xml"));
    const std::string open = "<" + item + ">";
    const auto at = bytes.find(open) + open.size();
    bytes.replace(at, bytes.find("</" + item + ">") - at, value);
    return bytes;
}

struct ValueCase {
    const char* item;
    const char* stored;
    long long expected;
    long long (*field)(const ConfigOptions&);
};

class ConfigValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ConfigValue, OutOfRangeGetsItsDefaultAndTheRestLoads)
{
    const std::string path = FreshFolder("config-value") + "/c.xml";
    WriteBytes(path, WithItem(GetParam().item, GetParam().stored));
    ConfigOptions c;
    c.Load(path.c_str());
    EXPECT_EQ(GetParam().field(c), GetParam().expected) << GetParam().item << " " << GetParam().stored;
    EXPECT_EQ(c.m_historyItems.size(), 3u);
    EXPECT_EQ(c.m_colorScheme, "Smooth Blue");
    EXPECT_EQ(c.m_cosCalcBtnCmdID, 6129u);
}

long long SigDigits(const ConfigOptions& c) { return c.m_nSigDigits; }
long long Angle(const ConfigOptions& c) { return c.m_angleSetting; }
long long Grouping(const ConfigOptions& c) { return c.m_digitGrouping; }
long long PiFace(const ConfigOptions& c) { return c.m_piCalcBtnCmdID; }
long long SciFace(const ConfigOptions& c) { return c.m_sciCalcBtnCmdID; }
long long DivFace(const ConfigOptions& c) { return c.m_divCalcBtnCmdID; }
long long TanFace(const ConfigOptions& c) { return c.m_tanCalcBtnCmdID; }

INSTANTIATE_TEST_SUITE_P(
    Values, ConfigValue,
    ::testing::Values(ValueCase{"m_nSigDigits", "14", 35, SigDigits}, ValueCase{"m_nSigDigits", "513", 35, SigDigits},
                      ValueCase{"m_nSigDigits", "-35", 35, SigDigits}, ValueCase{"m_nSigDigits", "15", 15, SigDigits},
                      ValueCase{"m_nSigDigits", "512", 512, SigDigits}, ValueCase{"m_angleSetting", "3", 0, Angle},
                      ValueCase{"m_angleSetting", "-1", 0, Angle}, ValueCase{"m_angleSetting", "1", 1, Angle},
                      ValueCase{"m_digitGrouping", "7", 2, Grouping}, ValueCase{"m_digitGrouping", "0", 0, Grouping},
                      ValueCase{"m_piCalcBtnCmdID", "6124", 6120, PiFace},
                      ValueCase{"m_sciCalcBtnCmdID", "0", 32813, SciFace},
                      ValueCase{"m_sciCalcBtnCmdID", "34502", 34502, SciFace},
                      ValueCase{"m_divCalcBtnCmdID", "6114", 6113, DivFace},
                      ValueCase{"m_tanCalcBtnCmdID", "4294967295", 6132, TanFace}),
    [](const ::testing::TestParamInfo<ValueCase>& info) {
        std::string name = std::string(info.param.item + 2) + "_";
        for (const char* c = info.param.stored; *c; ++c)
            name += *c == '-' ? 'm' : *c;
        return name;
    });

TEST(ConfigOptions, InvalidVariablesAreDroppedAndTheOrderMadeConsistent)
{
    const std::string path = FreshFolder("config-vars") + "/c.xml";
    ConfigOptions c;
    FillSample(c);
    c.m_variables = {{"x", "2"}, {"b", "1.5"}, {"a", "3"}, {"9bad", "1"}, {"y", "not a number"},
                     {"huge", "1E9999999"}};
    c.m_varSequence = {"y", "x", "ghost", "x", "9bad", "b"};
    c.Save(path.c_str());
    ConfigOptions loaded;
    loaded.Load(path.c_str());
    EXPECT_EQ(loaded.m_variables, (std::map<std::string, std::string>{{"x", "2"}, {"b", "1.5"}, {"a", "3"}}));
    EXPECT_EQ(loaded.m_varSequence, (std::deque<std::string>{"x", "b", "a"}));
}

TEST(ConfigOptions, AFileCutInTheMiddleKeepsTheItemsReadBeforeTheCut)
{
    const std::string bytes = ReadBytes(Fixture("config_v18.xml"));
    const std::string path = FreshFolder("config-cut") + "/c.xml";
    // Cut inside the colour scheme: history, variables and order survive.
    WriteBytes(path, bytes.substr(0, bytes.find("<m_colorScheme>") + 20));
    ConfigOptions c;
    c.m_colorScheme = "Olive Green";
    c.Load(path.c_str());
    ExpectDefaults(c);
    EXPECT_EQ(c.m_historyItems.size(), 3u);
    EXPECT_EQ(c.m_variables.size(), 3u);
    EXPECT_EQ(c.m_varSequence, (std::deque<std::string>{"rate 2", "x", "Zed"}));
    EXPECT_EQ(c.m_colorScheme, "Olive Green");

    // Cut inside the variables: the history survives, the variables keep
    // their value from before the load.
    WriteBytes(path, bytes.substr(0, bytes.find("<second>0.05")));
    ConfigOptions d;
    d.m_variables = {{"old", "1"}};
    d.m_varSequence = {"old"};
    d.Load(path.c_str());
    EXPECT_EQ(d.m_historyItems.size(), 3u);
    EXPECT_EQ(d.m_variables, (std::map<std::string, std::string>{{"old", "1"}}));
    EXPECT_EQ(d.m_varSequence, (std::deque<std::string>{"old"}));
}

TEST(ConfigOptions, AnUnreadableFileIsKeptOnceAsBadBeforeTheFirstSave)
{
    const std::string path = FreshFolder("config-bad") + "/c.xml";
    const std::string damaged = "<?xml version=\"1.0\"?> this is not an archive";
    WriteBytes(path, damaged);
    ConfigOptions c;
    c.Load(path.c_str());
    ExpectDefaults(c);
    c.m_historyItems = {"1"};
    c.Save(path.c_str());
    EXPECT_EQ(ReadBytes(path + ".bad"), damaged);
    c.m_historyItems = {"2"};
    c.Save(path.c_str());
    EXPECT_EQ(ReadBytes(path + ".bad"), damaged);
    ConfigOptions loaded;
    loaded.Load(path.c_str());
    EXPECT_EQ(loaded.m_historyItems, (std::deque<std::string>{"2"}));
}

TEST(ConfigOptions, AMissingFileIsNoBadFile)
{
    const std::string path = FreshFolder("config-missing") + "/c.xml";
    ConfigOptions c;
    c.Load(path.c_str());
    c.Save(path.c_str());
    EXPECT_FALSE(FileExists(path + ".bad"));
}

TEST(ConfigOptions, AFailedSaveLeavesThePreviousFileByteIdentical)
{
    const std::string path = FreshFolder("config-full") + "/c.xml";
    ConfigOptions c;
    FillSample(c);
    c.Save(path.c_str());
    const std::string before = ReadBytes(path);

    // A full disk: writes beyond a few bytes fail.
    for (std::size_t i = 0; i < 20000; ++i)
        c.m_historyItems.push_back(std::string(50, '7'));
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 512;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        c.Save(path.c_str());
    } catch (const std::runtime_error& e) {
        message = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(message, "Could not save config options");
    EXPECT_EQ(ReadBytes(path), before);
}

TEST(ConfigOptions, ASaveIntoAMissingFolderFailsWithTheMessage)
{
    const std::string path = FreshFolder("config-nofolder") + "/no/such/folder/c.xml";
    ConfigOptions c;
    EXPECT_THROW(
        {
            try {
                c.Save(path.c_str());
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), "Could not save config options");
                throw;
            }
        },
        std::runtime_error);
}

}  // namespace
