// The window layout file: files the store wrote before load and store to
// their own bytes, stored values come back, and whatever stands in the
// file's place that is not a layout file is refused, kept or left alone.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>

#include <QFile>

#include "StateFileValues.h"
#include "TestFiles.h"
#include "docking/state/StateKey.h"

namespace fs = std::filesystem;
using sstate::CStateFile;
using sstate::CStateKey;
using statefile::Values;

namespace {

QString Q(const std::string& path) { return QFile::decodeName(path.c_str()); }

bool Store(const std::string& path, const Values& values, std::string* problem = nullptr)
{
    return statefile::StoreValues(Q(path), values, problem);
}

Values Load(const std::string& path)
{
    CStateFile file(Q(path));
    EXPECT_TRUE(file.Readable()) << path;
    EXPECT_EQ(file.ReadProblem(), "") << path;
    return statefile::ReadValues(file);
}

const char* const kStoredFiles[] = {
    "layout-created.ini",     "layout-variables-front.ini", "layout-floating.ini",  "layout-box-floating.ini",
    "layout-pinned-right.ini", "layout-maximised.ini",      "layout-bars-hidden.ini", "layout-history-hidden.ini",
};

TEST(StateFile, FilesStoredBeforeLoadAndStoreToTheirOwnBytes)
{
    for (const char* name : kStoredFiles) {
        SCOPED_TRACE(name);
        const std::string dir = FreshFolder("stored");
        const std::string stored = ReadBytes(Fixture(name));
        const std::string path = dir + "/Calculator.ini";
        WriteBytes(path, stored);

        CStateFile file(Q(path));
        ASSERT_TRUE(file.RootExists());
        CStateKey root = file.Root();
        ASSERT_TRUE(root.HasSub("General"));
        ASSERT_TRUE(root.HasSub("Main Window"));
        EXPECT_EQ(root.Sub("General").ReadInt("SM_CXSCREEN"), 800);
        const CStateKey main = root.Sub("Main Window");
        EXPECT_TRUE(main.ReadBinary("placement", 44));
        EXPECT_TRUE(main.Sub("0xffffffff").ReadBinary("0xffffffff", 60));
        EXPECT_TRUE(main.Sub("0xffffffff").ReadBinary("0xfffffffe", 60));
        EXPECT_TRUE(main.Sub("0xfffffffe").ReadBinary("band1", 80));
        EXPECT_TRUE(main.Sub("0xfffffffd").ReadInt("visible"));
        const Values values = statefile::ReadValues(file);
        EXPECT_EQ(values.size(), 9u);

        // Stored afresh, and over the file itself: the same bytes, nothing kept aside.
        ASSERT_TRUE(Store(dir + "/fresh.ini", values));
        EXPECT_EQ(ReadBytes(dir + "/fresh.ini"), stored);
        ASSERT_TRUE(Store(path, values));
        EXPECT_EQ(ReadBytes(path), stored);
        EXPECT_FALSE(FileExists(path + ".bad"));
    }
}

// Any values under the store's names (and ids of every kind) come back, and
// what comes back stores to the same bytes, afresh or over the file.
TEST(StateFile, StoredValuesLoadAndStoreAgainIdentically)
{
    std::mt19937 random(20261211);
    const auto pick = [&](std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(random);
    };
    const QString names[] = {"placement", "visible", "version", "band0", "band17", "SM_CXSCREEN"};
    const std::string dir = FreshFolder("round-trip");
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        Values values;
        for (int n = int(pick(1, 12)); n > 0; --n) {
            QString key = "WinSettings";
            for (int depth = int(pick(0, 3)); depth > 0; --depth)
                key += '/' + (pick(0, 3) == 0 ? QStringLiteral("Main Window")
                                              : sstate::IdName(int(pick(INT32_MIN, INT32_MAX))));
            key += '/' + names[pick(0, 5)];
            statefile::Value value;
            if (pick(0, 1) == 0) {
                value.number = pick(INT32_MIN, UINT32_MAX);
            } else {
                // Every byte, the INI writer's special ones ("\\", '"', ',', '=', newlines) among them.
                for (int size = int(pick(0, 90)); size > 0; --size)
                    value.bytes.append(char(pick(0, 255)));
            }
            values[key] = value;
        }
        const std::string first = dir + "/first.ini";
        const std::string second = dir + "/second.ini";
        QFile::remove(Q(first));
        QFile::remove(Q(second));
        ASSERT_TRUE(Store(first, values));
        const Values loaded = Load(first);
        ASSERT_TRUE(loaded == values);
        ASSERT_TRUE(Store(second, loaded));
        EXPECT_EQ(ReadBytes(second), ReadBytes(first));
        ASSERT_TRUE(Store(first, loaded));
        EXPECT_EQ(ReadBytes(second), ReadBytes(first));
        EXPECT_FALSE(FileExists(first + ".bad"));
    }
}

// Loads the file; a load that blocks (in an open of a pipe, say) ends the
// test program by the alarm after the deadline.
std::unique_ptr<CStateFile> LoadWithin(const std::string& path, unsigned seconds)
{
    ::alarm(seconds);
    auto file = std::make_unique<CStateFile>(Q(path));
    ::alarm(0);
    return file;
}

const std::string kNotes = "my notes, the only copy\n";
const std::string kLayout = "[WinSettings]\nGeneral\\SM_CXSCREEN=1280\n";
// Reads, but the name "/" comes back from the writer as "\\", which the reader refuses.
const std::string kSpoiled = "[WinSettings]\n/=\nGeneral\\SM_CXSCREEN=1280\n";

struct Case {
    const char* name;
    // Makes what stands in the file's place in an empty folder; the file's path.
    std::function<std::string(const std::string& dir)> make;
    const char* readProblem;   // part of the load's sentence; empty: none
    const char* storeProblem;  // part of the store's sentence; empty: it stores
    std::function<void(const std::string& dir, const std::string& path)> check;
};

// The file is a layout file of the store now.
void HoldsTheStore(const std::string& path)
{
    CStateFile file(Q(path));
    EXPECT_TRUE(file.RootExists());
    EXPECT_EQ(file.Root().Sub("General").ReadInt("SM_CYSCREEN"), 1080);
}

void IsLinkTo(const std::string& path, const std::string& target)
{
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(fs::read_symlink(path), target);
}

// The file's place in dir, made a link to target.
std::string LinkTo(const std::string& dir, const std::string& target)
{
    fs::create_symlink(target, dir + "/Calculator.ini");
    return dir + "/Calculator.ini";
}

const Case kCases[] = {
    {"a named pipe",
     [](const std::string& dir) {
         EXPECT_EQ(::mkfifo((dir + "/Calculator.ini").c_str(), 0600), 0);
         return dir + "/Calculator.ini";
     },
     "is not a regular file", "is not a regular file",
     [](const std::string&, const std::string& path) {
         EXPECT_TRUE(fs::is_fifo(path));
         EXPECT_FALSE(FileExists(path + ".bad"));
     }},
    {"a folder",
     [](const std::string& dir) {
         fs::create_directory(dir + "/Calculator.ini");
         return dir + "/Calculator.ini";
     },
     "is not a regular file", "is not a regular file",
     [](const std::string&, const std::string& path) {
         EXPECT_TRUE(fs::is_directory(path));
         EXPECT_TRUE(fs::is_empty(path));
     }},
    {"a link to a named pipe",
     [](const std::string& dir) {
         EXPECT_EQ(::mkfifo((dir + "/pipe").c_str(), 0600), 0);
         return LinkTo(dir, dir + "/pipe");
     },
     "is not a regular file", "is not a regular file",
     [](const std::string& dir, const std::string& path) {
         IsLinkTo(path, dir + "/pipe");
         EXPECT_TRUE(fs::is_fifo(dir + "/pipe"));
     }},
    {"a link to a file of the user's",
     [](const std::string& dir) {
         WriteBytes(dir + "/notes.txt", kNotes);
         return LinkTo(dir, dir + "/notes.txt");
     },
     "is not a window layout", "",
     [](const std::string& dir, const std::string& path) {
         IsLinkTo(path, dir + "/notes.txt");
         HoldsTheStore(dir + "/notes.txt");
         EXPECT_FALSE(fs::is_symlink(path + ".bad"));
         EXPECT_EQ(ReadBytes(path + ".bad"), kNotes);
     }},
    {"a link to another program's INI file",
     [](const std::string& dir) {
         WriteBytes(dir + "/tool.ini", "[user]\n\tname = someone\n");
         return LinkTo(dir, dir + "/tool.ini");
     },
     "is not a window layout", "",
     [](const std::string& dir, const std::string& path) {
         IsLinkTo(path, dir + "/tool.ini");
         HoldsTheStore(dir + "/tool.ini");
         EXPECT_EQ(ReadBytes(path + ".bad"), "[user]\n\tname = someone\n");
     }},
    {"a link to a layout file",
     [](const std::string& dir) {
         fs::create_directory(dir + "/dotfiles");
         WriteBytes(dir + "/dotfiles/Calculator.ini", kLayout);
         return LinkTo(dir, dir + "/dotfiles/Calculator.ini");
     },
     "", "",
     [](const std::string& dir, const std::string& path) {
         IsLinkTo(path, dir + "/dotfiles/Calculator.ini");
         HoldsTheStore(path);
         EXPECT_FALSE(FileExists(path + ".bad"));
         // Written in the target's folder: nothing left beside the link.
         EXPECT_EQ(std::distance(fs::directory_iterator(dir + "/dotfiles"), fs::directory_iterator()), 1);
     }},
    {"a dangling link",
     [](const std::string& dir) {
         return LinkTo(dir, dir + "/not-yet.ini");
     },
     "", "",
     [](const std::string& dir, const std::string& path) {
         IsLinkTo(path, dir + "/not-yet.ini");
         HoldsTheStore(dir + "/not-yet.ini");
         EXPECT_FALSE(FileExists(path + ".bad"));
     }},
    {"a layout file holding a name that the writer spoils",
     [](const std::string& dir) {
         WriteBytes(dir + "/Calculator.ini", kSpoiled);
         return dir + "/Calculator.ini";
     },
     "", "",
     [](const std::string&, const std::string& path) {
         HoldsTheStore(path);
         EXPECT_EQ(ReadBytes(path + ".bad"), kSpoiled);
     }},
    {"a path inside a file",
     [](const std::string& dir) {
         WriteBytes(dir + "/plain", kNotes);
         return dir + "/plain/Calculator.ini";
     },
     "cannot be read", "Could not save the window layout to",
     [](const std::string& dir, const std::string&) { EXPECT_EQ(ReadBytes(dir + "/plain"), kNotes); }},
};

TEST(StateFile, WhatStandsInTheFilesPlaceIsRefusedKeptOrLeftAlone)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::string dir = FreshFolder("in-place");
        const std::string path = c.make(dir);

        const auto loaded = LoadWithin(path, 20);
        ASSERT_TRUE(loaded);
        if (*c.readProblem) {
            EXPECT_FALSE(loaded->Readable());
            EXPECT_NE(loaded->ReadProblem().find(c.readProblem), std::string::npos) << loaded->ReadProblem();
        } else {
            EXPECT_EQ(loaded->ReadProblem(), "");
        }

        std::string problem;
        const bool stored = Store(path, {{"WinSettings/General/SM_CYSCREEN", {1080, {}}}}, &problem);
        EXPECT_EQ(stored, !*c.storeProblem);
        if (*c.storeProblem) {
            EXPECT_NE(problem.find(c.storeProblem), std::string::npos) << problem;
            EXPECT_NE(problem.find(path), std::string::npos) << problem;
        }
        c.check(dir, path);
        // The bytes are kept once: a second store finds a layout file.
        if (FileExists(path + ".bad")) {
            const std::string kept = ReadBytes(path + ".bad");
            EXPECT_TRUE(Store(path, {{"WinSettings/General/SM_CYSCREEN", {1080, {}}}}));
            EXPECT_EQ(ReadBytes(path + ".bad"), kept);
        }
    }
}

TEST(StateFile, AReadOnlyFileIsReadAndItsFailedStoreIsSaid)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const std::string path = FreshFolder("read-only") + "/Calculator.ini";
    WriteBytes(path, kLayout);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(Load(path).at("WinSettings/General/SM_CXSCREEN").number, 1280);
    std::string problem;
    EXPECT_FALSE(Store(path, {{"WinSettings/General/SM_CYSCREEN", {1080, {}}}}, &problem));
    EXPECT_EQ(problem, "Could not save the window layout to \"" + path + "\"");
    EXPECT_EQ(ReadBytes(path), kLayout);
}

}  // namespace
