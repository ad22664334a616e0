// Help page, update check, line breaks of message texts, the action table.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "panes/about/ProgramInfo.h"
#include "shell/menus/ActionTable.h"
#include "shell/menus/HelpAndLinks.h"
#include "resources/CommandIds.h"
#include "MenuFakes.h"

namespace {

TEST(UpdateCheck, OpensTheCheckPageWithTheVersion)
{
    CFakeUrlOpener opener;
    CheckForUpdates(opener);
    ASSERT_EQ(opener.urls.size(), 1u);
    const std::string& url = opener.urls[0];
    const std::string tail = "/quillix/check_for_updates.php?version=1.2.2.0";
    ASSERT_GE(url.size(), tail.size());
    EXPECT_EQ(url.substr(url.size() - tail.size()), tail);
    EXPECT_EQ(url.rfind("https://", 0), 0u);
    // A browser that cannot be started is not reported.
    opener.succeeds = false;
    CheckForUpdates(opener);
}

TEST(UpdateCheck, VersionIsTheProjectsVersion)
{
    EXPECT_STREQ(kQuillixVersion, QUILLIX_PROJECT_VERSION);
}

class HelpContentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("quillix-help-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    CFakeHelpViewer viewer;
    CFakePrompts prompts;
};

TEST_F(HelpContentsTest, MissingPageIsReported)
{
    ShowHelpContents(folder.string(), viewer, prompts);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0].first, "Could not launch help file!");
    EXPECT_EQ(prompts.errors[0].second, "Error");
    EXPECT_TRUE(viewer.shown.empty());

    ShowHelpContents("", viewer, prompts);  // the program's own folder is unknown
    EXPECT_EQ(prompts.errors.size(), 2u);

    // A folder named like the page is no page.
    std::filesystem::create_directories(folder / kHelpFileName);
    ShowHelpContents(folder.string(), viewer, prompts);
    EXPECT_EQ(prompts.errors.size(), 3u);
}

TEST_F(HelpContentsTest, PageBesideTheProgramIsShown)
{
    std::ofstream(folder / kHelpFileName) << "<html></html>";
    ShowHelpContents(folder.string(), viewer, prompts);
    EXPECT_TRUE(prompts.errors.empty());
    ASSERT_EQ(viewer.shown.size(), 1u);
    EXPECT_EQ(std::filesystem::path(viewer.shown[0]), folder / kHelpFileName);
}

TEST(HelpPage, ShippedPageIsBesideTheProgram)
{
    const char* bin = std::getenv("QUILLIX_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    std::ifstream page(HelpFilePath(bin));
    ASSERT_TRUE(page.good());
    const std::string html((std::istreambuf_iterator<char>(page)), std::istreambuf_iterator<char>());
    for (const char* part : {"id=\"keys\"", "id=\"menus\"", "id=\"files\"", "Ctrl+D", ".qxv7", "F1"})
        EXPECT_NE(html.find(part), std::string::npos) << part;
}

TEST(ActionTable, EveryCommandOnceWithItsText)
{
    std::set<unsigned> ids;
    for (const CActionSpec& spec : ActionSpecs()) {
        EXPECT_TRUE(ids.insert(spec.id).second) << spec.id;
        EXPECT_FALSE(spec.text.empty());
        EXPECT_EQ(spec.text.find('\t'), std::string::npos) << spec.text;  // shortcuts live on the action
    }
    // Every command of the layouts is in the table.
    for (const auto* layout : {&MenuBarLayout(), &TrayMenuLayout()})
        for (const CMenuEntry& menu : *layout)
            for (unsigned id : MenuCommands(menu))
                EXPECT_NE(FindActionSpec(id), nullptr) << id;
    for (unsigned id : ToolBarLayout()) {
        if (id != 0) {
            EXPECT_NE(FindActionSpec(id), nullptr) << id;
        }
    }

    EXPECT_EQ(FindActionSpec(menucmd::kSchemeSmoothBlue)->text, "Very Bl&ue");
    EXPECT_EQ(FindActionSpec(menucmd::kMaxDigitsCustom)->shortcuts, std::vector<std::string>{"Ctrl+D"});
    EXPECT_EQ(FindActionSpec(menucmd::kRestoreFromTray)->text, "Restore Quillix");
}

TEST(ActionTable, RadioGroupsHoldTheirSubmenus)
{
    const std::pair<Submenu, RadioGroup> groups[] = {{Submenu::Angle, RadioGroup::Angle},
                                                     {Submenu::MaxDigits, RadioGroup::MaxDigits},
                                                     {Submenu::Grouping, RadioGroup::Grouping},
                                                     {Submenu::ColorScheme, RadioGroup::ColorScheme}};
    for (auto [submenu, group] : groups) {
        const CMenuEntry* menu = FindMenu(MenuBarLayout(), submenu);
        ASSERT_NE(menu, nullptr);
        for (unsigned id : MenuCommands(*menu))
            EXPECT_EQ(FindActionSpec(id)->radio, group) << id;
    }
    EXPECT_EQ(MenuCommands(*FindMenu(MenuBarLayout(), Submenu::ColorScheme)).size(), 4u);
}

TEST(ActionTable, OptionValuesOfTheCommands)
{
    EXPECT_EQ(MaxDigitsOfPreset(menucmd::kMaxDigits256), 256);
    EXPECT_FALSE(MaxDigitsOfPreset(menucmd::kMaxDigitsCustom));
    EXPECT_EQ(PresetOfMaxDigits(512), menucmd::kMaxDigits512);
    EXPECT_FALSE(PresetOfMaxDigits(100));
    EXPECT_EQ(GroupingOfCommand(menucmd::kGroupingEntryOnly), 1);
    EXPECT_EQ(CommandOfGrouping(2), menucmd::kGroupingOff);
    EXPECT_EQ(AngleOfCommand(menucmd::kGrads), 2);
    EXPECT_EQ(SchemeOfCommand(menucmd::kSchemeSmoothBlue), "Smooth Blue");
    EXPECT_FALSE(CommandOfScheme("Smooth Blue 2"));
}

}  // namespace
