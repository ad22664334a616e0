// The named locks of the settings files, held by another process.

#include "platform/NamedFileLock.h"
#include "settings/ConfigOptions.h"
#include "settings/SettingsFolder.h"
#include "settings/WindowSettings.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <stdexcept>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// A child process that holds the lock file until it is killed.
class LockHolder {
public:
    explicit LockHolder(const std::string& lockName)
    {
        const std::string path = VendorFolder() + "/" + lockName;
        int ready[2];
        if (pipe(ready) != 0)
            throw std::runtime_error("pipe");
        m_pid = fork();
        if (m_pid == 0) {
            const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            const char ok = (fd >= 0 && flock(fd, LOCK_EX) == 0) ? '1' : '0';
            if (write(ready[1], &ok, 1) != 1)
                _exit(2);
            for (;;)
                pause();
        }
        close(ready[1]);
        char ok = '0';
        if (read(ready[0], &ok, 1) != 1 || ok != '1')
            throw std::runtime_error("the lock holder could not take the lock");
        close(ready[0]);
    }
    ~LockHolder() { Kill(); }

    void Kill()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

private:
    pid_t m_pid = -1;
};

std::string SaveMessage(ConfigOptions& c)
{
    try {
        c.Save();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no error";
}

TEST(SettingsLock, SaveGivesUpAfterTheWaitAndLoadStillReads)
{
    const std::string folder = FreshSettingsFolder();
    ConfigOptions c;
    c.m_historyItems = {"kept"};
    c.SetDefaults();
    c.Save();
    const std::string before = ReadBytes(folder + "/Kelvo_Config_Settings.xml");

    LockHolder holder("KELVO_CS_MUTEX_4420032");
    // The load waits as long as the save; both wait at once.
    ConfigOptions loaded;
    auto load = std::async(std::launch::async, [&loaded] { loaded.Load(); });
    c.m_historyItems = {"changed"};
    const auto start = Clock::now();
    EXPECT_EQ(SaveMessage(c), "Could not save config options");
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(2900));
    EXPECT_EQ(ReadBytes(folder + "/Kelvo_Config_Settings.xml"), before);

    load.get();
    EXPECT_EQ(loaded.m_historyItems, (std::deque<std::string>{"kept"}));
    EXPECT_EQ(loaded.m_nSigDigits, 35);
}

TEST(SettingsLock, AKilledHolderNeverBlocksTheNextSave)
{
    const std::string folder = FreshSettingsFolder();
    WindowSettings w;
    w.SetDefaults();
    w.m_nHistoryValueColWidth = 321;
    LockHolder holder("KELVO_WS_MUTEX_44232");
    holder.Kill();
    const auto start = Clock::now();
    EXPECT_NO_THROW(w.Save());
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1500));
    WindowSettings loaded;
    loaded.Load();
    EXPECT_EQ(loaded.m_nHistoryValueColWidth, 321);
}

TEST(SettingsLock, TheTwoFilesHaveLocksOfTheirOwn)
{
    FreshSettingsFolder();
    LockHolder holder("KELVO_CS_MUTEX_4420032");
    WindowSettings w;
    w.SetDefaults();
    const auto start = Clock::now();
    EXPECT_NO_THROW(w.Save());
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1500));
}

TEST(NamedFileLock, IsExclusiveUntilReleasedAndNeedsItsFolder)
{
    const std::string path = FreshFolder("named-lock") + "/LOCK";
    CNamedFileLock first(path);
    CNamedFileLock second(path);
    EXPECT_EQ(first.Acquire(std::chrono::milliseconds(0)), CNamedFileLock::Result::Acquired);
    EXPECT_TRUE(first.Held());
    EXPECT_EQ(second.Acquire(std::chrono::milliseconds(30)), CNamedFileLock::Result::TimedOut);
    EXPECT_FALSE(second.Held());
    first.Release();
    EXPECT_EQ(second.Acquire(std::chrono::milliseconds(0)), CNamedFileLock::Result::Acquired);

    CNamedFileLock nowhere(path + ".d/no/such/LOCK");
    EXPECT_EQ(nowhere.Acquire(std::chrono::milliseconds(0)), CNamedFileLock::Result::CannotOpen);
}

}  // namespace
