#include "keypad/DisplayModel.h"

#include <gtest/gtest.h>

#include "resources/StringTable.h"

namespace {

using Content = CDisplayModel::Content;

TEST(StringTable, HelpTextsOfTheKeypadCommands)
{
    EXPECT_EQ(LoadResourceString(6111).value(),
              "[+/-]|Changes the sign of the displayed number.\n\r\n\rKeyboard equivalent = F9");
    EXPECT_EQ(LoadResourceString(6147).value(),
              "[=]|Completes the current calculation.\n\r\n\rKeyboard equivalents = Enter and '='");
    EXPECT_EQ(LoadResourceString(6119).value(),
              "[reciprocal]|Calculcates the reciprocal of the current entry.\n\r\n\rKeyboard equivalent = r");
    EXPECT_EQ(LoadResourceString(32815).value(),
              "[Stepback]|Steps back to the previous entry in the current calculation.\n\r\n\r"
              "Keyboard equivalent = Ctrl+Backspace");
    EXPECT_EQ(LoadResourceString(130).value(),
              "A constant or number is not allowed immediately following a closing parenthesis or a "
              "function.");
    EXPECT_TRUE(LoadResourceString(129).value().starts_with("Please enter a term that can be evaluated"));
    for (unsigned none : {0u, 6101u, 6110u, 6141u, 13001u, 32775u, 99999u})
        EXPECT_FALSE(LoadResourceString(none).has_value()) << none;
}

TEST(StringTable, EveryKeypadCommandWithHelpHasTitleBarAndKey)
{
    const unsigned ids[] = {6111, 6112, 6113, 6114, 6115, 6116, 6117, 6118, 6119, 6120, 6121,
                            6122, 6123, 6124, 6125, 6126, 6127, 6128, 6129, 6130, 6131, 6132,
                            6133, 6134, 6135, 6136, 6137, 6138, 6139, 6140, 6142, 6143, 6144,
                            6145, 6146, 6147, 6148, 32813, 32815, 34501, 34502, 34503, 34504};
    ASSERT_EQ(std::size(ids), 43u);
    for (unsigned id : ids) {
        const auto text = LoadResourceString(id);
        ASSERT_TRUE(text) << id;
        EXPECT_EQ(text->front(), '[') << id;
        const auto bar = text->find('|');
        ASSERT_NE(bar, std::string::npos) << id;
        EXPECT_EQ((*text)[bar - 1], ']') << id;
        EXPECT_NE(text->find("\n\r\n\rKeyboard equivalent"), std::string::npos) << id;
    }
}

TEST(DisplayModel, HelpIsSplitAtTheBar)
{
    CDisplayModel m;
    EXPECT_TRUE(m.ShowCommandHelp(6145));
    EXPECT_EQ(m.HelpTitle(), "[Clear All]");
    EXPECT_EQ(m.HelpDescription(), "Clears the current calculation.\n\r\n\rKeyboard equivalent = Esc");
    EXPECT_EQ(m.CurrentContent(), Content::Help);
    EXPECT_EQ(m.Heading(), "[Clear All]");
    EXPECT_FALSE(m.ShowCommandHelp(6145));    // unchanged
    EXPECT_FALSE(m.ShowCommandHelp(13001));   // no entry: nothing happens
    EXPECT_EQ(m.HelpTitle(), "[Clear All]");
    EXPECT_TRUE(m.ShowCommandHelp(0));
    EXPECT_EQ(m.CurrentContent(), Content::Nothing);
    EXPECT_FALSE(m.ShowCommandHelp(0));
}

TEST(DisplayModel, PrecedenceOfCancellingBusyErrorMessageAndHelp)
{
    CDisplayModel m;
    m.ShowCommandHelp(6116);
    EXPECT_EQ(m.CurrentContent(), Content::Help);
    EXPECT_TRUE(m.SetMessage("Not expecting a numeric entry at this stage."));
    EXPECT_EQ(m.CurrentContent(), Content::Message);
    EXPECT_EQ(m.Heading(), "Info");
    // Hovering changes the stored help but the message stays visible.
    m.ShowCommandHelp(6114);
    EXPECT_EQ(m.CurrentContent(), Content::Message);
    EXPECT_TRUE(m.SetErrorDetail("Division by zero is not allowed."));
    EXPECT_EQ(m.CurrentContent(), Content::ErrorDetail);
    EXPECT_EQ(m.Heading(), "Error");
    EXPECT_EQ(m.Body(), "Division by zero is not allowed.");
    EXPECT_TRUE(m.SetBusy(true));
    EXPECT_FALSE(m.SetBusy(true));
    EXPECT_EQ(m.CurrentContent(), Content::Busy);
    m.SetCancelling(true);
    EXPECT_EQ(m.CurrentContent(), Content::Cancelling);
    EXPECT_EQ(m.Body(), "Canceling calculation.\n\rPlease wait...");
    m.SetCancelling(false);
    m.SetBusy(false);
    EXPECT_TRUE(m.ClearErrorDetail());
    EXPECT_FALSE(m.ClearErrorDetail());
    EXPECT_EQ(m.CurrentContent(), Content::Message);
    EXPECT_TRUE(m.ClearMessage());
    EXPECT_EQ(m.CurrentContent(), Content::Help);
    EXPECT_EQ(m.HelpTitle(), "[*]");
}

TEST(DisplayModel, MessageStrings)
{
    CDisplayModel m;
    EXPECT_TRUE(m.ShowMessageString(130));
    EXPECT_EQ(m.Message(), LoadResourceString(130).value());
    EXPECT_FALSE(m.ShowMessageString(131));
    EXPECT_EQ(m.Message(), LoadResourceString(130).value());
}

TEST(DisplayModel, BusyPlacement)
{
    EXPECT_EQ(CDisplayModel::AnimationPosition(200, 151)->x, 84);
    EXPECT_EQ(CDisplayModel::AnimationPosition(200, 151)->y, 42);
    EXPECT_EQ(CDisplayModel::CancelButtonPosition(200, 151)->x, 45);
    EXPECT_EQ(CDisplayModel::CancelButtonPosition(200, 151)->y, 81);
    EXPECT_TRUE(CDisplayModel::AnimationPosition(33, 151));
    EXPECT_FALSE(CDisplayModel::AnimationPosition(32, 151));
    EXPECT_TRUE(CDisplayModel::CancelButtonPosition(111, 151));
    EXPECT_FALSE(CDisplayModel::CancelButtonPosition(110, 151));
    EXPECT_FALSE(CDisplayModel::CancelButtonPosition(200, 0));
}

TEST(DisplayModel, LineBreaks)
{
    EXPECT_EQ(NormalizeLineBreaks("a\n\rb"), "a\nb");
    EXPECT_EQ(NormalizeLineBreaks("a\n\r\n\rb"), "a\n\nb");
    EXPECT_EQ(NormalizeLineBreaks("a\r\nb\nc\rd"), "a\nb\nc\nd");
    EXPECT_EQ(NormalizeLineBreaks("a\n\nb"), "a\n\nb");
}

}  // namespace
