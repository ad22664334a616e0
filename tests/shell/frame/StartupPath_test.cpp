// The command line as one path, and the single-instance lock, before any
// QApplication exists.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "shell/frame/SingleInstance.h"
#include "shell/frame/StartupPath.h"

namespace {

namespace fs = std::filesystem;

fs::path TempFile(const std::string& name)
{
    const fs::path path = fs::path(std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "/tmp") / name;
    std::ofstream(path) << "x";
    return path;
}

struct PathCase {
    std::vector<std::string> args;
    std::string expected;  // relative to the folder; "" none
};

TEST(StartupPath, TheArgumentsAreOnePathAsTypedThenWithoutQuotes)
{
    const fs::path folder = TempFile("a").parent_path();
    TempFile("my calc.qxv7");
    TempFile("odd\"name.qxv7");
    const std::string dir = folder.string() + "/";
    const std::vector<PathCase> cases{
        {{dir + "my", "calc.qxv7"}, dir + "my calc.qxv7"},              // joined by spaces
        {{"\"" + dir + "my calc.qxv7\""}, dir + "my calc.qxv7"},        // quoted
        {{"\"" + dir + "my", "calc.qxv7\""}, dir + "my calc.qxv7"},
        {{dir + "my ca\"lc.qxv7"}, dir + "my calc.qxv7"},               // a quote in the middle
        {{dir + "odd\"name.qxv7"}, dir + "odd\"name.qxv7"},             // as typed first
        {{dir + "missing.qxv7"}, ""},
        {{"\"\""}, ""},
        {{}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StartupFilePath(c.args), c.expected) << JoinArguments(c.args);
}

TEST(StartupPath, ARelativePathBecomesAbsolute)
{
    const fs::path file = TempFile("rel.qxv7");
    const fs::path old = fs::current_path();
    fs::current_path(file.parent_path());
    EXPECT_EQ(StartupFilePath({"rel.qxv7"}), file.string());
    EXPECT_EQ(StartupFilePath({"\"rel.qxv7\""}), file.string());
    fs::current_path(old);
}

TEST(SingleInstance, TheLockAndSocketLiveInThePrivateRuntimeFolder)
{
    const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(SingleInstanceLockPath(), runtime + "/0wi9akp_SksiieKsiasjalu0_383.lock");
    EXPECT_EQ(SingleInstanceSocketPath(), runtime + "/0wi9akp_SksiieKsiasjalu0_383.socket");
}

TEST(SingleInstance, TheFirstClaimHoldsTheLockForItsLife)
{
    auto first = std::make_unique<CSingleInstance>();
    EXPECT_EQ(first->Claim(), CSingleInstance::Role::First);
    CSingleInstance second;
    EXPECT_EQ(second.Claim(), CSingleInstance::Role::Second);
    first.reset();
    CSingleInstance third;
    EXPECT_EQ(third.Claim(), CSingleInstance::Role::First);
}

TEST(SingleInstance, AfterTheHolderIsKilledTheNextStartIsFirst)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CSingleInstance holder;
        const char answer = holder.Claim() == CSingleInstance::Role::First ? 1 : 0;
        (void)!::write(ready[1], &answer, 1);
        ::pause();
        ::_exit(0);
    }
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 1);
    {
        CSingleInstance whileHeld;
        EXPECT_EQ(whileHeld.Claim(), CSingleInstance::Role::Second);
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    CSingleInstance next;
    EXPECT_EQ(next.Claim(), CSingleInstance::Role::First);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(SingleInstance, WithoutALockFileTheProgramRunsAlone)
{
    CSingleInstance nowhere("/nonexistent-folder/x.lock");
    EXPECT_EQ(nowhere.Claim(), CSingleInstance::Role::Alone);
}

}  // namespace
