// Saved calculations through the controller: round trips with step back, the
// load prompt, drops, failed saves and a table of malformed files.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ControllerFixture.h"
#include "settings/ArchiveFile.h"
#include "shell/frame/SavedCalculation.h"

namespace {

std::string Folder()
{
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    return dir ? dir : "/tmp";
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class SavedCalculationTest : public ControllerFixture {
protected:
    void SetUp() override { MakeEngine(); }

    // What the user sees and what step back will walk through.
    struct Snapshot {
        std::string entry;
        bool startOver;
        bool constant;
        StepBackHistory history;
        std::vector<std::string> lines;
        std::string bytes;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot Take()
    {
        Snapshot s{Entry(), m_entryModel.IsStartOver(), m_controller->ConstantJustEntered(),
                   m_controller->GetStepBackHistory(), {}, SaveCalculationText(*m_controller)};
        for (int i = 0; i < m_controller->Record().GetEntryCount(); ++i) {
            const auto line = m_controller->Record().GetEntry(i);
            s.lines.push_back(line->m_entryString + "|" + line->m_resultString);
        }
        return s;
    }

    CCalculationFiles m_files{*m_controller};
    const std::string m_path = Folder() + "/calc.qxv7";
};

TEST_F(SavedCalculationTest, SaveClearLoadGivesBackTheCalculationAndItsStepBacks)
{
    for (const char* keys : {"2 * ( 3 + 4 ) - 9 sqrt neg ^ 2 +", "pi *", "1 + 2 = ", "( ( 5", "7 + 8", ""}) {
        m_controller->ClearAll();
        Keys(keys);
        const Snapshot before = Take();
        ASSERT_TRUE(m_files.Save(m_path)) << keys;
        m_controller->ClearAll();
        ASSERT_EQ(m_files.Load(m_path, false), CCalculationFiles::LoadResult::Loaded) << keys;
        EXPECT_EQ(Take(), before) << keys;
        EXPECT_TRUE(m_services.boxes.empty()) << keys;

        // Step back through every saved step, against the same walk on a
        // calculation that was never saved.
        std::vector<Snapshot> loadedWalk;
        while (!m_controller->GetStepBackHistory().empty()) {
            Keys("SB");
            loadedWalk.push_back(Take());
        }
        m_controller->ClearAll();
        Keys(keys);
        std::vector<Snapshot> typedWalk;
        while (!m_controller->GetStepBackHistory().empty()) {
            Keys("SB");
            typedWalk.push_back(Take());
        }
        EXPECT_EQ(loadedWalk, typedWalk) << keys;
        EXPECT_EQ(m_controller->Engine()->GetStepBackStack().size(), 0u) << keys;
    }
}

TEST_F(SavedCalculationTest, ALoadedCalculationGoesOn)
{
    Keys("2 * ( 3 + 4");
    ASSERT_TRUE(m_files.Save(m_path));
    Keys("C 9");
    m_files.Load(m_path, false);
    Keys(") =");
    EXPECT_EQ(Entry(), "14");
}

TEST_F(SavedCalculationTest, TwoSavesOfOneStateAreIdentical)
{
    Keys("2 * ( 3 + 4 ) - 1");
    ASSERT_TRUE(m_files.Save(m_path));
    const std::string first = ReadFile(m_path);
    ASSERT_TRUE(m_files.Save(m_path));
    EXPECT_EQ(ReadFile(m_path), first);
    EXPECT_NE(first.find("<CMainFrame class_id=\"0\" tracking_level=\"0\" version=\"0\">"), std::string::npos) << first;
    EXPECT_NE(first.find("<CCalcRecord"), std::string::npos);
    EXPECT_NE(first.find("<CInnerCalc"), std::string::npos);
}

TEST_F(SavedCalculationTest, TheLoadPromptAsksOnlyWhenSomethingWouldBeLost)
{
    Keys("7");
    ASSERT_TRUE(m_files.Save(m_path));

    // Open never asks.
    Keys("C 5 +");
    EXPECT_EQ(m_files.Load(m_path, false), CCalculationFiles::LoadResult::Loaded);
    EXPECT_TRUE(m_services.boxes.empty());

    // Drop, command line and hand-over ask while a calculation is there; No keeps it.
    Keys("C 5 +");
    EXPECT_EQ(m_files.Load(m_path, true), CCalculationFiles::LoadResult::NotAsked);
    ASSERT_EQ(m_services.boxes.size(), 1u);
    EXPECT_EQ(m_services.boxes[0].caption, "Warning");
    EXPECT_EQ(m_services.boxes[0].text, LoadQuestionText(m_path));
    EXPECT_EQ(Entry(), "5");
    EXPECT_EQ(m_controller->Record().GetEntryCount(), 2);

    m_services.answers.push_back(UiMessageAnswer::Yes);
    EXPECT_EQ(m_files.Load(m_path, true), CCalculationFiles::LoadResult::Loaded);
    EXPECT_EQ(Entry(), "7");

    // An empty calculator showing "0" is replaced without a question; a
    // typed number counts as something.
    m_services.boxes.clear();
    Keys("C");
    EXPECT_EQ(m_files.Load(m_path, true), CCalculationFiles::LoadResult::Loaded);
    EXPECT_TRUE(m_services.boxes.empty());
    Keys("C 3");
    EXPECT_EQ(m_files.Load(m_path, true), CCalculationFiles::LoadResult::NotAsked);
    EXPECT_EQ(m_services.boxes.size(), 1u);
}

TEST_F(SavedCalculationTest, LoadingAndSavingAreRefusedWhileCalculating)
{
    auto factory = std::make_shared<CDelayingFactory>(m_host);
    MakeEngine(factory);
    Keys("4");
    ASSERT_TRUE(m_files.Save(m_path));
    const std::string saved = ReadFile(m_path);
    factory->SetDelay(60000);
    Press("sqrt");
    ASSERT_TRUE(m_controller->IsCalculating());
    const int beeps = m_services.beeps;
    EXPECT_FALSE(m_files.Save(m_path));
    EXPECT_EQ(m_files.Load(m_path, false), CCalculationFiles::LoadResult::Refused);
    EXPECT_EQ(m_services.beeps, beeps + 2);
    EXPECT_TRUE(m_controller->IsCalculating());
    EXPECT_EQ(ReadFile(m_path), saved);
    Press("C");
    ASSERT_TRUE(Settle());
}

TEST_F(SavedCalculationTest, AFailedSaveTellsTheUserAndLeavesTheFileAsItWas)
{
    Keys("1 + 2");
    ASSERT_TRUE(m_files.Save(m_path));
    const std::string saved = ReadFile(m_path);
    Keys("* 123456789 * 987654321 +");
    // A child that may write only a few bytes per file: the new file cannot
    // be written in full.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool saved = m_files.Save(m_path);
        const bool told = m_services.boxes.size() == 1 && m_services.boxes[0].text == kCouldNotSave;
        ::_exit(!saved && told ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(ReadFile(m_path) == saved) << "the saved file changed";

    // A save where no file can be made.
    EXPECT_FALSE(m_files.Save(Folder() + "/no-such-folder/calc.qxv7"));
    ASSERT_EQ(m_services.boxes.size(), 1u);
    EXPECT_EQ(m_services.boxes[0].text, "Could not save calculation!");
    EXPECT_EQ(m_services.boxes[0].caption, "Error");
}

TEST_F(SavedCalculationTest, EveryFileItSavesLoadsAndALargerFileLeavesTheCalculation)
{
    Keys("2 * ( 3 + 4 ) - 1");
    const Snapshot saved = Take();
    const std::size_t size = saved.bytes.size();
    const std::string kept = Folder() + "/kept.qxv7";
    WriteFile(kept, "old");

    // A limit of exactly the file's size: saved, and loaded back.
    CCalculationFiles atLimit(*m_controller, size);
    ASSERT_TRUE(atLimit.Save(m_path));
    EXPECT_EQ(ReadFile(m_path).size(), size);
    m_controller->ClearAll();
    ASSERT_EQ(atLimit.Load(m_path, false), CCalculationFiles::LoadResult::Loaded);
    EXPECT_EQ(Take(), saved);

    // One byte less: the save is refused with the box before anything is
    // written, and the load is refused with the box before anything is cleared.
    CCalculationFiles belowLimit(*m_controller, size - 1);
    EXPECT_FALSE(belowLimit.Save(kept));
    ASSERT_EQ(m_services.boxes.size(), 1u);
    EXPECT_EQ(m_services.boxes[0].text, kCouldNotSave);
    EXPECT_EQ(ReadFile(kept), "old");
    Keys("* 5 +");
    const Snapshot current = Take();
    m_services.boxes.clear();
    EXPECT_EQ(belowLimit.Load(m_path, false), CCalculationFiles::LoadResult::Failed);
    ASSERT_EQ(m_services.boxes.size(), 1u);
    EXPECT_EQ(m_services.boxes[0].text, CouldNotOpenText(m_path));
    EXPECT_EQ(Take(), current);

    // The program's own limit: a file one byte over it is not read at all.
    {
        std::ofstream huge(kept, std::ios::binary | std::ios::trunc);
        huge.seekp(std::streamoff(kMaxArchiveFileBytes));
        huge.put('x');
    }
    m_services.boxes.clear();
    EXPECT_EQ(m_files.Load(kept, false), CCalculationFiles::LoadResult::Failed);
    EXPECT_EQ(m_services.boxes.size(), 1u);
    EXPECT_EQ(Take(), current);
    Keys("1 =");
    EXPECT_EQ(Entry(), "10");  // 2 * (3 + 4) - 1 * 5 + 1
}

struct DropCase {
    std::vector<std::string> paths;
    bool load;
    const char* message;
};

TEST(CalculationDrop, OneFileWithTheExtensionInAnyCaseIsLoaded)
{
    const std::vector<DropCase> cases{
        {{"/x/CALC.QxV7"}, true, ""},
        {{"/x/calc.qxv7"}, true, ""},
        {{"/x/a.b.QXV7"}, true, ""},
        {{"/x/calc.qxv"}, false, kNotACalculationFile},
        {{"/x/calc.qxv77"}, false, kNotACalculationFile},
        {{"/x/calc"}, false, kNotACalculationFile},
        {{"/x.qxv7/calc"}, false, kNotACalculationFile},
        {{"/x/a.qxv7", "/x/b.qxv7"}, false, kDropOneFile},
        {{}, false, ""},
    };
    for (const auto& c : cases) {
        const auto decision = CCalculationFiles::DecideDrop(c.paths);
        const std::string first = c.paths.empty() ? "" : c.paths.front();
        EXPECT_EQ(decision.load, c.load) << first;
        EXPECT_EQ(decision.message, c.message) << first;
        if (c.load) {
            EXPECT_EQ(decision.path, first);
        }
    }
}

// ---------------------------------------------------------------- malformed files

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

TEST_F(SavedCalculationTest, AMalformedFileGivesTheBoxAndAClearedUsableCalculator)
{
    Keys("2 * ( 3 + 4 ) - 1");
    ASSERT_TRUE(m_files.Save(m_path));
    const std::string good = ReadFile(m_path);
    const auto cut = [&](std::size_t n) { return good.substr(0, n); };

    const std::vector<std::pair<std::string, std::string>> cases{
        {"empty", ""},
        {"text", "hello, world\n"},
        {"other xml", "<?xml version=\"1.0\"?><a><b/></a>"},
        {"cut in the header", cut(60)},
        {"cut in the frame", cut(good.find("<m_stepBackHistory") + 20)},
        {"cut in the record", cut(good.find("<CCalcRecord") + 200)},
        {"cut before the end", cut(good.size() - 30)},
        {"no closing tag", Replace(good, "</boost_serialization>", "")},
        {"later library", Replace(good, "version=\"18\"", "version=\"99\"")},
        {"wrong item name", Replace(good, "m_bConstantJustEntered>", "m_bConstant>")},
        {"bad step kind", Replace(good, "<sbType>0</sbType>", "<sbType>7</sbType>")},
        {"step number not a number", Replace(good, "<calcEditEntry>2</calcEditEntry>", "<calcEditEntry>x</calcEditEntry>")},
        {"forged count", Replace(good, "<count>", "<count>99999")},
        {"bad bool", Replace(good, "<bIsCalcEditSetToStartOver>0<", "<bIsCalcEditSetToStartOver>7<")},
        {"bad number", Replace(good, "<serializationString>", "<serializationString>abc")},
        {"bad operator", Replace(good, "<m_calcState>1</m_calcState>", "<m_calcState>9</m_calcState>")},
        {"nul byte", Replace(good, "CInnerCalc", std::string("CInner\0alc", 10))},
    };
    const std::string folderPath = Folder() + "/a-folder.qxv7";
    std::filesystem::create_directories(folderPath);
    const std::string missing = Folder() + "/missing.qxv7";

    for (const auto& [name, bytes] : cases) {
        ASSERT_TRUE(bytes != good) << name << ": the case changes nothing";
        const std::string path = Folder() + "/bad.qxv7";
        WriteFile(path, bytes);
        m_services.boxes.clear();
        Keys("C 5 +");
        EXPECT_EQ(m_files.Load(path, false), CCalculationFiles::LoadResult::Failed) << name;
        ASSERT_EQ(m_services.boxes.size(), 1u) << name;
        EXPECT_EQ(m_services.boxes[0].text, CouldNotOpenText(path)) << name;
        EXPECT_EQ(m_services.boxes[0].caption, "Error") << name;
        EXPECT_TRUE(m_controller->IsCalculationEmpty()) << name;
        EXPECT_TRUE(m_controller->GetStepBackHistory().empty()) << name;
        EXPECT_EQ(m_controller->Record().GetEntryCount(), 0) << name;
        Keys("6 * 7 =");
        EXPECT_EQ(Entry(), "42") << name;
    }
    for (const std::string& path : {folderPath, missing}) {
        m_services.boxes.clear();
        EXPECT_EQ(m_files.Load(path, false), CCalculationFiles::LoadResult::Failed) << path;
        ASSERT_EQ(m_services.boxes.size(), 1u) << path;
        Keys("C 1 + 1 =");
        EXPECT_EQ(Entry(), "2");
    }
}

}  // namespace
