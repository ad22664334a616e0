#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace {

void FillSample(WindowSettings& w)
{
    w.m_bHistoryWinAndVarWinDocked = true;
    w.m_nHistoryWinIndex = 1;
    w.m_bHistoryWinOnTop = true;
    w.m_bHistoryWinHidden = false;
    w.m_bVariablesWinHidden = true;
    w.m_nHistoryValueColWidth = 230;
    w.m_nVariablesVarNameColWidth = 61;
    w.m_nVariablesValueColWidth = 190;
    w.m_nCalcRecordWindowEntryColWidth = 310;
    w.m_nCalcRecordWindowResultColWidth = 280;
}

void ExpectSample(const WindowSettings& w)
{
    EXPECT_TRUE(w.m_bHistoryWinAndVarWinDocked);
    EXPECT_EQ(w.m_nHistoryWinIndex, 1);
    EXPECT_TRUE(w.m_bHistoryWinOnTop);
    EXPECT_FALSE(w.m_bHistoryWinHidden);
    EXPECT_TRUE(w.m_bVariablesWinHidden);
    EXPECT_EQ(w.m_nHistoryValueColWidth, 230);
    EXPECT_EQ(w.m_nVariablesVarNameColWidth, 61);
    EXPECT_EQ(w.m_nVariablesValueColWidth, 190);
    EXPECT_EQ(w.m_nCalcRecordWindowEntryColWidth, 310);
    EXPECT_EQ(w.m_nCalcRecordWindowResultColWidth, 280);
}

void ExpectDefaultLayout(const WindowSettings& w)
{
    EXPECT_FALSE(w.m_bHistoryWinAndVarWinDocked);
    EXPECT_EQ(w.m_nHistoryWinIndex, -1);
    EXPECT_FALSE(w.m_bHistoryWinOnTop);
    EXPECT_EQ(w.m_nHistoryValueColWidth, 200);
    EXPECT_EQ(w.m_nVariablesVarNameColWidth, 50);
    EXPECT_EQ(w.m_nVariablesValueColWidth, 200);
    EXPECT_EQ(w.m_nCalcRecordWindowEntryColWidth, 200);
    EXPECT_EQ(w.m_nCalcRecordWindowResultColWidth, 200);
}

TEST(WindowSettings, FirstStartGivesDefaults)
{
    const std::string folder = FreshSettingsFolder();
    WindowSettings w;
    w.Load();
    ExpectDefaultLayout(w);
    EXPECT_FALSE(w.m_bHistoryWinHidden);
    EXPECT_FALSE(w.m_bVariablesWinHidden);
    FillSample(w);
    w.Save();
    EXPECT_TRUE(FileExists(folder + "/Kelvo_Win_Settings.xml"));
    WindowSettings again;
    again.Load();
    ExpectSample(again);
}

TEST(WindowSettings, SavesTheGoldenBytesAndLoadsBothLayouts)
{
    const std::string dir = FreshFolder("window-golden");
    WindowSettings w;
    FillSample(w);
    w.Save((dir + "/a.xml").c_str());
    w.Save((dir + "/b.xml").c_str());
    EXPECT_EQ(ReadBytes(dir + "/a.xml"), ReadBytes(Fixture("window_v18.xml")));
    EXPECT_EQ(ReadBytes(dir + "/a.xml"), ReadBytes(dir + "/b.xml"));
    for (const char* name : {"window_v18.xml", "window_v3.xml"}) {
        SCOPED_TRACE(name);
        WindowSettings loaded;
        loaded.Load(Fixture(name).c_str());
        ExpectSample(loaded);
    }
}

TEST(WindowSettings, AFileStoppingAfterTheHiddenFlagsKeepsThemAndTakesDefaultWidths)
{
    const std::string bytes = ReadBytes(Fixture("window_v18.xml"));
    const std::string path = FreshFolder("window-cut") + "/w.xml";
    WriteBytes(path, bytes.substr(0, bytes.find("<m_nHistoryValueColWidth>")));
    WindowSettings w;
    w.Load(path.c_str());
    ExpectDefaultLayout(w);
    EXPECT_FALSE(w.m_bHistoryWinHidden);
    EXPECT_TRUE(w.m_bVariablesWinHidden);
}

TEST(WindowSettings, DamagedColumnWidthsGetTheirDefaults)
{
    std::string bytes = ReadBytes(Fixture("window_v18.xml"));
    auto set = [&bytes](const std::string& item, const std::string& value) {
        const std::string open = "<" + item + ">";
        const auto at = bytes.find(open) + open.size();
        bytes.replace(at, bytes.find("</" + item + ">") - at, value);
    };
    set("m_nHistoryValueColWidth", "0");
    set("m_nVariablesVarNameColWidth", "-5");
    set("m_nVariablesValueColWidth", "2000000000");
    const std::string path = FreshFolder("window-widths") + "/w.xml";
    WriteBytes(path, bytes);
    WindowSettings w;
    w.Load(path.c_str());
    EXPECT_EQ(w.m_nHistoryValueColWidth, 200);
    EXPECT_EQ(w.m_nVariablesVarNameColWidth, 50);
    EXPECT_EQ(w.m_nVariablesValueColWidth, 200);
    EXPECT_EQ(w.m_nCalcRecordWindowEntryColWidth, 310);
    EXPECT_TRUE(w.m_bHistoryWinAndVarWinDocked);
}

TEST(WindowSettings, AConfigOptionsFileInItsPlaceGivesDefaults)
{
    WindowSettings w;
    FillSample(w);
    w.Load(Fixture("config_v18.xml").c_str());
    ExpectDefaultLayout(w);

    ConfigOptions c;
    c.Load(Fixture("window_v18.xml").c_str());
    EXPECT_EQ(c.m_nSigDigits, 35);
}

// XDG_CONFIG_HOME below a regular file: no settings folder can be had.
class NoSettingsFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* home = std::getenv("XDG_CONFIG_HOME");
        ASSERT_NE(home, nullptr);
        m_saved = home;
        const std::string dir = FreshFolder("no-folder");
        WriteBytes(dir + "/plain-file", "x");
        setenv("XDG_CONFIG_HOME", (dir + "/plain-file/config").c_str(), 1);
        // A file of the same name in the current folder must not be read.
        ASSERT_EQ(chdir(dir.c_str()), 0);
        WriteBytes(dir + "/Kelvo_Config_Settings.xml", ReadBytes(Fixture("config_v18.xml")));
        WriteBytes(dir + "/Kelvo_Win_Settings.xml", ReadBytes(Fixture("window_v18.xml")));
    }
    void TearDown() override { setenv("XDG_CONFIG_HOME", m_saved.c_str(), 1); }

    std::string m_saved;
};

TEST_F(NoSettingsFolder, LoadGivesDefaultsWithoutReadingTheCurrentFolder)
{
    ConfigOptions c;
    c.Load();
    EXPECT_EQ(c.m_nSigDigits, 35);
    EXPECT_TRUE(c.m_historyItems.empty());
    WindowSettings w;
    w.Load();
    ExpectDefaultLayout(w);
    EXPECT_FALSE(w.m_bVariablesWinHidden);
}

TEST_F(NoSettingsFolder, SaveFailsWithTheRecordsMessage)
{
    // Without the "Vornel" folder there is no lock file either, which fails
    // first, as a named mutex that cannot be created does.
    auto message = [](auto& record) {
        try {
            record.Save();
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    ConfigOptions c;
    WindowSettings w;
    EXPECT_EQ(message(c), "Could not save config options");
    EXPECT_EQ(message(w), "Could not save window settings");
}

}  // namespace
