// Malformed settings files: each gives an error or the defaults, never a
// crash, an abort or unbounded memory. Runs under the sanitizers too.

#include "settings/ArchiveFile.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Golden(const char* name)
{
    return ReadBytes(Fixture(name));
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

struct Malformed {
    const char* what;
    std::string bytes;
};

std::vector<Malformed> MalformedFiles()
{
    const std::string config = Golden("config_v18.xml");
    return {
        {"empty", ""},
        {"plain text", "Max Digits = 75\nangle = radians\n"},
        {"other XML", "<?xml version=\"1.0\"?>\n<settings><digits>75</digits></settings>\n"},
        {"binary", std::string("\0\1\2\3<\xff\xfe>", 8)},
        {"missing closing root tag", Replaced(config, "</boost_serialization>", "")},
        {"missing closing item tag", Replaced(config, "</ConfigSettings>", "")},
        {"forged class id", Replaced(config, "<m_variables class_id=\"2\"", "<m_variables class_id=\"77\"")},
        {"count of 10^9", Replaced(config, "<count>3</count>", "<count>1000000000</count>")},
        {"count of -1", Replaced(config, "<count>3</count>", "<count>-1</count>")},
        {"count larger than the items", Replaced(config, "<count>3</count>", "<count>4</count>")},
        {"later archive version", Replaced(config, "version=\"18\"", "version=\"19\"")},
        {"later class version", Replaced(config, "tracking_level=\"0\" version=\"3\"", "tracking_level=\"0\" version=\"4\"")},
        {"wrong signature", Replaced(config, "serialization::archive", "serialization::other")},
        {"value with junk", Replaced(config, "<m_nSigDigits>75", "<m_nSigDigits>75x")},
        {"value out of range", Replaced(config, "<m_nSigDigits>75", "<m_nSigDigits>99999999999")},
        {"misnamed item", Replaced(config, "m_colorScheme>", "m_colourScheme>")},
        {"garbage after the root", config + "<more/>"},
        {"a nest of a million tags", std::string(1000000, '<')},
    };
}

TEST(MalformedFiles, ConfigOptionsFallBackToDefaults)
{
    const std::string path = FreshFolder("malformed-config") + "/c.xml";
    std::vector<Malformed> files = MalformedFiles();
    files.push_back({"a window settings file", Golden("window_v18.xml")});
    for (const auto& m : files) {
        SCOPED_TRACE(m.what);
        WriteBytes(path, m.bytes);
        ConfigOptions c;
        c.m_nSigDigits = 99;
        EXPECT_NO_THROW(c.Load(path.c_str()));
        EXPECT_EQ(c.m_nSigDigits, 35);
        EXPECT_EQ(c.m_angleSetting, 0);
        EXPECT_EQ(c.m_digitGrouping, 2);
        EXPECT_EQ(c.m_sciCalcBtnCmdID, 32813u);
    }
}

TEST(MalformedFiles, WindowSettingsFallBackToDefaults)
{
    const std::string path = FreshFolder("malformed-window") + "/w.xml";
    const std::string window = Golden("window_v18.xml");
    std::vector<Malformed> files = MalformedFiles();
    files.push_back({"a config options file", Golden("config_v18.xml")});
    files.push_back({"bool out of range", Replaced(window, "<m_bHistoryWinAndVarWinDocked>1", "<m_bHistoryWinAndVarWinDocked>2")});
    files.back().bytes = Replaced(files.back().bytes, "<m_bHistoryWinOnTop>1", "<m_bHistoryWinOnTop>x");
    for (const auto& m : files) {
        SCOPED_TRACE(m.what);
        WriteBytes(path, m.bytes);
        WindowSettings w;
        w.m_nHistoryWinIndex = 5;
        w.m_nHistoryValueColWidth = 999;
        EXPECT_NO_THROW(w.Load(path.c_str()));
        EXPECT_EQ(w.m_nHistoryWinIndex, -1);
        EXPECT_EQ(w.m_nHistoryValueColWidth, 200);
    }
}

TEST(MalformedFiles, EveryCutOfBothFilesLoadsSafely)
{
    const std::string dir = FreshFolder("malformed-cuts");
    for (const char* name : {"config_v18.xml", "config_v3.xml"}) {
        const std::string bytes = Golden(name);
        const auto end = bytes.find("</boost_serialization>");
        for (std::size_t n = 0; n < end; ++n) {
            WriteBytes(dir + "/c.xml", bytes.substr(0, n));
            ConfigOptions c;
            c.Load((dir + "/c.xml").c_str());
            ASSERT_EQ(c.m_nSigDigits, 35) << name << " cut at " << n;
            ASSERT_LE(c.m_historyItems.size(), 3u);
        }
    }
    const std::string window = Golden("window_v18.xml");
    const auto end = window.find("</boost_serialization>");
    for (std::size_t n = 0; n < end; ++n) {
        WriteBytes(dir + "/w.xml", window.substr(0, n));
        WindowSettings w;
        w.Load((dir + "/w.xml").c_str());
        ASSERT_EQ(w.m_nHistoryValueColWidth, 200) << "cut at " << n;
    }
}

TEST(MalformedFiles, RandomByteChangesLoadSafelyAndGiveValidValues)
{
    const std::string dir = FreshFolder("malformed-random");
    std::mt19937 random(20261210);
    for (const char* name : {"config_v18.xml", "config_v3.xml", "config_class_v0.xml"}) {
        const std::string golden = Golden(name);
        for (int round = 0; round < 300; ++round) {
            std::string bytes = golden;
            const int changes = 1 + int(random() % 3);
            for (int i = 0; i < changes; ++i)
                bytes[random() % bytes.size()] = char(random() % 256);
            WriteBytes(dir + "/c.xml", bytes);
            ConfigOptions c;
            c.Load((dir + "/c.xml").c_str());
            ASSERT_GE(c.m_nSigDigits, 15) << name << " round " << round;
            ASSERT_LE(c.m_nSigDigits, 512);
            ASSERT_GE(c.m_angleSetting, 0);
            ASSERT_LE(c.m_angleSetting, 2);
            ASSERT_GE(c.m_digitGrouping, 0);
            ASSERT_LE(c.m_digitGrouping, 2);
            ASSERT_EQ(c.m_varSequence.size(), c.m_variables.size());
        }
    }
}

TEST(MalformedFiles, OnlyRegularFilesBelowTheCapAreRead)
{
    const std::string dir = FreshFolder("malformed-kinds");
    // A folder, a pipe nobody writes to (must not hang), a huge sparse file.
    ASSERT_EQ(mkdir((dir + "/folder").c_str(), 0700), 0);
    ASSERT_EQ(mkfifo((dir + "/pipe").c_str(), 0600), 0);
    const int fd = open((dir + "/huge").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, off_t(1) << 32), 0);
    close(fd);
    for (const char* name : {"folder", "pipe", "huge"}) {
        SCOPED_TRACE(name);
        ConfigOptions c;
        c.m_nSigDigits = 99;
        c.Load((dir + "/" + name).c_str());
        EXPECT_EQ(c.m_nSigDigits, 35);
    }
}

TEST(MalformedFiles, WhatTheWriterWritesTheReaderReads)
{
    const std::string dir = FreshFolder("archive-cap");
    const std::string path = dir + "/file.xml";
    ASSERT_TRUE(WriteFileAtomically(path, "old", kMaxArchiveFileBytes));

    // At the cap: written and read back whole.
    std::string bytes(kMaxArchiveFileBytes, 'x');
    ASSERT_TRUE(WriteFileAtomically(path, bytes, kMaxArchiveFileBytes));
    std::string read;
    ASSERT_EQ(ReadWholeFile(path, read, kMaxArchiveFileBytes), FileReadStatus::Ok);
    EXPECT_EQ(read.size(), kMaxArchiveFileBytes);
    EXPECT_TRUE(read == bytes);

    // One byte over: refused before the file is touched.
    ASSERT_TRUE(WriteFileAtomically(path, "old", kMaxArchiveFileBytes));
    bytes.push_back('x');
    EXPECT_FALSE(WriteFileAtomically(path, bytes, kMaxArchiveFileBytes));
    EXPECT_EQ(ReadBytes(path), "old");
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadWholeFile(path, read, kMaxArchiveFileBytes), FileReadStatus::TooLarge);
    EXPECT_TRUE(read.empty());
}

}  // namespace
