// kelvo as a program: one instance per user, the hand-over, a crashed first
// instance, the lost hand-over, the close by signal and the settings files.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/NamedFileLock.h"
#include "shell/frame/SingleInstance.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

std::string Bin(const char* name)
{
    const char* dir = std::getenv("QUILLIX_BIN_DIR");
    return std::string(dir ? dir : ".") + "/" + name;
}

struct Child {
    pid_t pid = -1;
    std::string stderrPath;
};

Child Start(const std::vector<std::string>& args)
{
    static int counter = 0;
    Child child;
    child.stderrPath = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/stderr-" + std::to_string(++counter);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, child.stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

// The exit code, or nothing when the child still runs after the wait.
std::optional<int> WaitExit(pid_t pid, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (std::chrono::steady_clock::now() > deadline)
            return std::nullopt;
        std::this_thread::sleep_for(20ms);
    }
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class StartupTest : public ::testing::Test {
protected:
    // Each test's programs get a settings folder of their own (the settings
    // files and the classes hive), as if each test ran in a process of its own.
    void SetUp() override
    {
        m_sharedConfig = std::getenv("XDG_CONFIG_HOME");
        std::string folder = m_sharedConfig + "/test-XXXXXX";
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        const Child reg = Start({Bin("Ergasto"), "-RegServer"});
        ASSERT_EQ(WaitExit(reg.pid, 20s), 0);
    }

    // Starts a first instance and waits until it listens.
    Child StartFirst(std::vector<std::string> extra = {})
    {
        ::unlink(SingleInstanceSocketPath().c_str());
        std::vector<std::string> args{Bin("kelvo")};
        args.insert(args.end(), extra.begin(), extra.end());
        Child first = Start(args);
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (!Exists(SingleInstanceSocketPath()) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(20ms);
        EXPECT_TRUE(Exists(SingleInstanceSocketPath())) << ReadText(first.stderrPath);
        std::this_thread::sleep_for(200ms);
        return first;
    }

    void TearDown() override
    {
        for (pid_t pid : m_running) {
            ::kill(pid, SIGKILL);
            WaitExit(pid, 5s);
        }
        ::setenv("XDG_CONFIG_HOME", m_sharedConfig.c_str(), 1);
    }

    std::string SettingsFile(const char* name) const
    {
        return std::string(std::getenv("XDG_CONFIG_HOME")) + "/Vornel/Kelvo/" + name;
    }

    std::vector<pid_t> m_running;
    std::string m_sharedConfig;
};

TEST_F(StartupTest, ASecondStartHandsOverAndExitsZeroAndACloseBySignalSavesAndExitsOne)
{
    Child first = StartFirst();
    m_running.push_back(first.pid);

    const std::string file = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/given.qxv7";
    std::ofstream(file) << "not a calculation";
    for (const std::vector<std::string>& args : {std::vector<std::string>{Bin("kelvo")},
                                                  {Bin("kelvo"), "\"" + file + "\""},
                                                  {Bin("kelvo"), file + ".missing"}}) {
        const Child second = Start(args);
        EXPECT_EQ(WaitExit(second.pid, 20s), 0) << ReadText(second.stderrPath);
        EXPECT_EQ(ReadText(second.stderrPath), "");
    }
    EXPECT_FALSE(WaitExit(first.pid, 0ms).has_value()) << "the first instance still runs";

    ::kill(first.pid, SIGTERM);
    const auto code = WaitExit(first.pid, 30s);
    m_running.clear();
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 1) << ReadText(first.stderrPath);

    const std::string windowFile = SettingsFile("Kelvo_Win_Settings.xml");
    const std::string configFile = SettingsFile("Kelvo_Config_Settings.xml");
    struct stat window {};
    struct stat config {};
    ASSERT_EQ(::stat(windowFile.c_str(), &window), 0);
    ASSERT_EQ(::stat(configFile.c_str(), &config), 0);
    const auto ns = [](const struct stat& s) { return s.st_mtim.tv_sec * 1000000000LL + s.st_mtim.tv_nsec; };
    EXPECT_LE(ns(window), ns(config)) << "window settings are written first";
    EXPECT_NE(ReadText(configFile).find("ConfigSettings"), std::string::npos);
}

TEST_F(StartupTest, AfterACrashTheNextStartIsAFirstInstance)
{
    Child crashed = StartFirst();
    ::kill(crashed.pid, SIGKILL);
    WaitExit(crashed.pid, 10s);

    Child next = StartFirst();
    m_running.push_back(next.pid);
    EXPECT_FALSE(WaitExit(next.pid, 500ms).has_value()) << ReadText(next.stderrPath);
    ::kill(next.pid, SIGINT);
    EXPECT_EQ(WaitExit(next.pid, 30s), 1);
    m_running.clear();
}

TEST_F(StartupTest, AHandOverThatNobodyTakesEndsWithOneLineAndAnError)
{
    // Another process holds the lock but listens nowhere.
    ::unlink(SingleInstanceSocketPath().c_str());
    CNamedFileLock holder(SingleInstanceLockPath());
    ASSERT_EQ(holder.Acquire(0ms), CNamedFileLock::Result::Acquired);
    const Child second = Start({Bin("kelvo")});
    const auto code = WaitExit(second.pid, 30s);
    ASSERT_TRUE(code.has_value());
    EXPECT_NE(*code, 0);
    const std::string err = ReadText(second.stderrPath);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

TEST_F(StartupTest, ACloseBySignalReportsSaveErrorsOnStderrInsteadOfWaitingForABox)
{
    // A file where the settings folder belongs: neither settings file can be saved.
    const std::string blocker = std::string(std::getenv("XDG_CONFIG_HOME")) + "/Vornel/Kelvo";
    ::mkdir((std::string(std::getenv("XDG_CONFIG_HOME")) + "/Vornel").c_str(), 0700);
    std::ofstream(blocker) << "not a folder";
    struct stat info {};
    ASSERT_TRUE(::stat(blocker.c_str(), &info) == 0 && S_ISREG(info.st_mode));
    Child first = StartFirst();
    m_running.push_back(first.pid);
    ::kill(first.pid, SIGTERM);
    const auto code = WaitExit(first.pid, 30s);
    ::unlink(blocker.c_str());
    ASSERT_TRUE(code.has_value()) << "the program waits for a box nobody dismisses";
    m_running.clear();
    EXPECT_EQ(*code, 1);
    const std::string err = ReadText(first.stderrPath);
    std::size_t reports = 0;
    for (std::size_t at = err.find("kelvo: "); at != std::string::npos; at = err.find("kelvo: ", at + 1))
        ++reports;
    EXPECT_EQ(reports, 2u) << err;
}

// What path names itself (a link is not followed).
mode_t TypeAt(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & S_IFMT;
}

TEST_F(StartupTest, WhatStandsInTheLayoutFilesPlaceNeitherHangsNorIsLost)
{
    const std::string vendor = std::string(std::getenv("XDG_CONFIG_HOME")) + "/Vornel";
    const std::string layout = vendor + "/Calculator.ini";
    const std::string notes = vendor + "/notes.txt";
    ::mkdir(vendor.c_str(), 0700);
    struct Case {
        const char* name;
        std::function<void()> make;
        bool stored;  // else neither read nor replaced
        std::function<void()> check;
    } cases[] = {
        {"a named pipe", [&] { ASSERT_EQ(::mkfifo(layout.c_str(), 0600), 0); }, false,
         [&] {
             EXPECT_EQ(TypeAt(layout), S_IFIFO);
             ::unlink(layout.c_str());
         }},
        {"a folder", [&] { ASSERT_EQ(::mkdir(layout.c_str(), 0700), 0); }, false,
         [&] {
             EXPECT_EQ(TypeAt(layout), S_IFDIR);
             ::rmdir(layout.c_str());
         }},
        {"a link to a file of the user's",
         [&] {
             std::ofstream(notes) << "my notes";
             ASSERT_EQ(::symlink(notes.c_str(), layout.c_str()), 0);
         },
         true,
         [&] {
             EXPECT_EQ(TypeAt(layout), S_IFLNK);
             EXPECT_EQ(ReadText(layout + ".bad"), "my notes");
             EXPECT_EQ(ReadText(notes).rfind("[WinSettings]", 0), 0u) << ReadText(notes);
             ::unlink(layout.c_str());
             ::unlink(notes.c_str());
             ::unlink((layout + ".bad").c_str());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::unlink(layout.c_str());  // what an earlier start stored
        c.make();
        Child first = StartFirst();
        m_running.push_back(first.pid);
        ::kill(first.pid, SIGTERM);
        const auto code = WaitExit(first.pid, 30s);
        m_running.clear();
        if (!code)
            ::kill(first.pid, SIGKILL);
        ASSERT_TRUE(code.has_value()) << "kelvo does not end";
        EXPECT_EQ(*code, 1);
        const std::string err = ReadText(first.stderrPath);
        // Said at the start, and the store that could not be made at the end.
        EXPECT_NE(err.find("kelvo: the window layout file \"" + layout + "\""), std::string::npos) << err;
        EXPECT_EQ(err.find("kelvo: Could not save the window layout") == std::string::npos, c.stored) << err;
        c.check();
    }
}

}  // namespace
