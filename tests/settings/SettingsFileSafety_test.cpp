// What a settings file keeps when it is damaged or forged: the bytes of an
// unreadable file behind a link, a link that stays a link, a named pipe left
// alone, and values that are bounded before anything uses them.

#include "resources/CommandIds.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Record {
    const char* name;
    std::function<void(const std::string&)> loadAndSave;  // load the path, change something, save it
    std::function<bool(const std::string&)> holdsTheChange;
};

std::vector<Record> Records()
{
    return {
        {"config options",
         [](const std::string& path) {
             ConfigOptions c;
             c.Load(path.c_str());
             c.m_historyItems = {"42"};
             c.Save(path.c_str());
         },
         [](const std::string& path) {
             ConfigOptions c;
             c.Load(path.c_str());
             return c.m_historyItems == std::deque<std::string>{"42"};
         }},
        {"window settings",
         [](const std::string& path) {
             WindowSettings w;
             w.Load(path.c_str());
             w.m_nHistoryValueColWidth = 321;
             w.Save(path.c_str());
         },
         [](const std::string& path) {
             WindowSettings w;
             w.Load(path.c_str());
             return w.m_nHistoryValueColWidth == 321;
         }},
    };
}

const std::string kDamaged = "<?xml version=\"1.0\"?> damaged, and the only copy of the user's notes";

TEST(SettingsFileSafety, AnUnreadableFileBehindALinkIsKeptByItsBytesAndTheLinkStays)
{
    for (const auto& record : Records()) {
        SCOPED_TRACE(record.name);
        const std::string dir = FreshFolder("bad-through-link");
        const std::string target = dir + "/dotfiles-settings.xml";
        const std::string path = dir + "/settings.xml";
        WriteBytes(target, kDamaged);
        fs::create_symlink(target, path);

        record.loadAndSave(path);

        // The copy is a file of its own with the old bytes...
        EXPECT_FALSE(fs::is_symlink(path + ".bad"));
        EXPECT_EQ(ReadBytes(path + ".bad"), kDamaged);
        // ...and the save went through the link, which is still there.
        EXPECT_TRUE(fs::is_symlink(path));
        EXPECT_EQ(fs::read_symlink(path), target);
        EXPECT_TRUE(record.holdsTheChange(target));
        // A second save keeps the first copy (the file is readable now).
        record.loadAndSave(path);
        EXPECT_EQ(ReadBytes(path + ".bad"), kDamaged);
    }
}

TEST(SettingsFileSafety, ALinkPlantedAtTheBadNameIsReplacedNotWrittenThrough)
{
    for (const auto& record : Records()) {
        SCOPED_TRACE(record.name);
        const std::string dir = FreshFolder("bad-name-planted");
        const std::string path = dir + "/settings.xml";
        const std::string victim = dir + "/victim";
        WriteBytes(path, kDamaged);
        WriteBytes(victim, "keep me");
        fs::create_symlink(victim, path + ".bad");

        record.loadAndSave(path);

        EXPECT_EQ(ReadBytes(victim), "keep me");
        EXPECT_FALSE(fs::is_symlink(path + ".bad"));
        EXPECT_EQ(ReadBytes(path + ".bad"), kDamaged);
        EXPECT_TRUE(record.holdsTheChange(path));
    }
}

TEST(SettingsFileSafety, AFileWeMayNotReadIsKeptByItsBytes)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    for (const auto& record : Records()) {
        SCOPED_TRACE(record.name);
        const std::string dir = FreshFolder("bad-unreadable");
        const std::string target = dir + "/real.xml";
        const std::string path = dir + "/settings.xml";
        WriteBytes(target, kDamaged);
        fs::create_symlink(target, path);
        ASSERT_EQ(::chmod(target.c_str(), 0), 0);

        record.loadAndSave(path);

        ASSERT_EQ(::chmod((path + ".bad").c_str(), 0600), 0);
        EXPECT_EQ(ReadBytes(path + ".bad"), kDamaged);
        EXPECT_TRUE(fs::is_symlink(path));
        EXPECT_TRUE(record.holdsTheChange(path));
    }
}

TEST(SettingsFileSafety, ANamedPipeInTheFilesPlaceIsNeitherReadNorReplaced)
{
    for (const auto& record : Records()) {
        for (const bool linked : {false, true}) {
            SCOPED_TRACE(std::string(record.name) + (linked ? ", through a link" : ""));
            const std::string dir = FreshFolder("pipe");
            const std::string pipe = dir + "/pipe";
            const std::string path = linked ? dir + "/settings.xml" : pipe;
            ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
            if (linked)
                fs::create_symlink(pipe, path);

            EXPECT_THROW(record.loadAndSave(path), std::runtime_error);

            EXPECT_TRUE(fs::is_fifo(pipe));
            EXPECT_EQ(fs::is_symlink(path), linked);
            EXPECT_FALSE(FileExists(path + ".bad"));
        }
    }
}

std::string WithItem(const char* fixture, const std::string& item, const std::string& value)
{
    std::string bytes = ReadBytes(Fixture(fixture));
    const std::string open = "<" + item + ">";
    const auto at = bytes.find(open) + open.size();
    bytes.replace(at, bytes.find("</" + item + ">") - at, value);
    return bytes;
}

TEST(SettingsFileSafety, TheHistoryTabIndexIsRangeCheckedLikeTheOtherValues)
{
    const std::string path = FreshFolder("window-index") + "/w.xml";
    const struct {
        std::string stored;
        int expected;
    } cases[] = {{std::to_string(INT_MIN), -1}, {"-2", -1}, {"-1", -1}, {"0", 0},
                 {"1", 1},                      {"2", -1}, {std::to_string(INT_MAX), -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        WriteBytes(path, WithItem("window_v18.xml", "m_nHistoryWinIndex", c.stored));
        WindowSettings w;
        w.Load(path.c_str());
        EXPECT_EQ(w.m_nHistoryWinIndex, c.expected);
        EXPECT_EQ(w.m_nCalcRecordWindowEntryColWidth, 310);  // the rest is read
    }
}

TEST(SettingsFileSafety, AnOverlongColourSchemeNameRefusesTheFileBeforeItIsRead)
{
    const std::string path = FreshFolder("config-scheme") + "/c.xml";
    const std::string longest(ConfigOptions::kMaxColorSchemeName, 'x');
    WriteBytes(path, WithItem("config_v18.xml", "m_colorScheme", longest));
    ConfigOptions c;
    c.Load(path.c_str());
    EXPECT_EQ(c.m_colorScheme, longest);
    EXPECT_EQ(c.m_cosCalcBtnCmdID, 6129u);

    // One character more, or a forged name of megabytes: the defaults, with
    // the items before the name kept as for any damaged file.
    for (std::size_t size : {ConfigOptions::kMaxColorSchemeName + 1, std::size_t(8) << 20}) {
        WriteBytes(path, WithItem("config_v18.xml", "m_colorScheme", std::string(size, 'x')));
        ConfigOptions d;
        d.Load(path.c_str());
        EXPECT_TRUE(d.m_colorScheme.empty()) << size;
        EXPECT_EQ(d.m_cosCalcBtnCmdID, cmd::kCos) << size;
        EXPECT_EQ(d.m_historyItems.size(), 3u) << size;
    }
}

}  // namespace
