// The programs' shipped files: beside the program in a build folder, in the
// data folder of an installation (wherever that installation was moved).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/ProgramFiles.h"

namespace fs = std::filesystem;

namespace {

class ProgramFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::path(std::getenv("XDG_RUNTIME_DIR")) /
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_bin = m_root / "bin";
        fs::create_directories(m_bin);
    }

    void writeFile(const fs::path& path)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "x";
    }

    fs::path m_root;
    fs::path m_bin;
};

TEST_F(ProgramFilesTest, TheDataFolderOfAnInstallationIsShareQuillixBesideBin)
{
    EXPECT_EQ(fs::path(InstalledDataFolder("/usr/bin")).lexically_normal(), fs::path("/usr/share/quillix"));
    EXPECT_EQ(InstalledDataFolder(""), "");
}

TEST_F(ProgramFilesTest, BesideTheProgramComesFirstThenTheDataFolder)
{
    const fs::path beside = m_bin / "page.html";
    const fs::path installed = fs::path(InstalledDataFolder(m_bin.string())) / "page.html";

    EXPECT_EQ(FindProgramFile(m_bin.string(), "page.html"), "");
    writeFile(installed);
    EXPECT_EQ(fs::path(FindProgramFile(m_bin.string(), "page.html")), installed);
    writeFile(beside);
    EXPECT_EQ(fs::path(FindProgramFile(m_bin.string(), "page.html")), beside);

    // A moved installation finds its own files.
    const fs::path moved = m_root.string() + "-moved";
    fs::rename(m_root, moved);
    fs::remove(moved / "bin" / "page.html");
    EXPECT_TRUE(fs::equivalent(FindProgramFile((moved / "bin").string(), "page.html"),
                               moved / "share" / "quillix" / "page.html"));

    EXPECT_EQ(FindProgramFile("", "page.html"), "");   // the program's folder is unknown
}

TEST_F(ProgramFilesTest, AFolderNamedLikeTheFileIsNoFile)
{
    fs::create_directories(m_bin / "page.html");
    fs::create_directories(fs::path(InstalledDataFolder(m_bin.string())) / "page.html");
    EXPECT_EQ(FindProgramFile(m_bin.string(), "page.html"), "");
}

}  // namespace
