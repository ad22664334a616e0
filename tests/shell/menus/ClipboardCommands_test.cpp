// Copy and Paste of the Edit menu.

#include <gtest/gtest.h>

#include "shell/menus/ClipboardCommands.h"
#include "MenuFakes.h"

namespace {

TEST(PastedNumberText, AcceptsNumbersTypingWouldAccept)
{
    const std::pair<const char*, const char*> cases[] = {
        {"-1.5e-3", "-1.5e-3"}, {"  42\n", "42"}, {"+7.", "+7."}, {"1E5", "1E5"},
        {"\t3.25E+999999 ", "3.25E+999999"}, {"0.000123", "0.000123"},
    };
    for (auto [text, expected] : cases) {
        auto number = PastedNumberText(text, 35);
        ASSERT_TRUE(number.has_value()) << text;
        EXPECT_EQ(*number, expected);
    }
}

TEST(PastedNumberText, RefusesWhatTypingWouldRefuse)
{
    const std::string longDigits(100000, '9');
    const std::string cases[] = {
        "12a", "1,234", "", "   ", ".5", "1.2.3", "1e9999999", "1e-9999999", "- 5", "0x10",
        longDigits + "x",                      // far too long: never matched
        longDigits,                            // long digit run
        std::string(999, '1'),                 // within the length limit but over Max Digits
        std::string(36, '1'),                  // one digit over Max Digits 35
        "12\n34",
    };
    for (const std::string& text : cases)
        EXPECT_FALSE(PastedNumberText(text, 35).has_value()) << text.substr(0, 40);
    EXPECT_TRUE(PastedNumberText(std::string(35, '1'), 35).has_value());
    EXPECT_TRUE(PastedNumberText(std::string(512, '1'), 512).has_value());
}

TEST(ClipboardCommands, CopyPutsTheEntryTextAsIs)
{
    CFakeClipboardHost host;
    CFakeClipboard clipboard;
    CClipboardCommands commands(host, clipboard);
    host.entryText = "1234567.5";  // the entry's number text, never the grouped display
    commands.OnCopy();
    EXPECT_EQ(clipboard.text, "1234567.5");
}

TEST(ClipboardCommands, PasteHandsTheTrimmedNumberOn)
{
    CFakeClipboardHost host;
    CFakeClipboard clipboard;
    CClipboardCommands commands(host, clipboard);
    clipboard.text = " -1.5e-3 \r\n";
    EXPECT_TRUE(commands.OnPaste());
    EXPECT_EQ(host.added, std::vector<std::string>{"-1.5e-3"});
}

TEST(ClipboardCommands, PasteOfNoNumberChangesNothing)
{
    CFakeClipboardHost host;
    CFakeClipboard clipboard;
    CClipboardCommands commands(host, clipboard);
    for (const std::string& text : {std::string("12a"), std::string("1,234"), std::string(),
                                    std::string(100000, '5') + "x", std::string("1e9999999")}) {
        clipboard.text = text;
        EXPECT_FALSE(commands.OnPaste());
    }
    clipboard.text.reset();  // no text on the clipboard at all
    EXPECT_FALSE(commands.OnPaste());
    EXPECT_TRUE(host.added.empty());
}

TEST(ClipboardCommands, PasteHoldsToTheEntryLinesMaxDigits)
{
    CFakeClipboardHost host;
    CFakeClipboard clipboard;
    CClipboardCommands commands(host, clipboard);
    host.maxDigits = 15;
    clipboard.text = "1234567890123456";
    EXPECT_FALSE(commands.OnPaste());
    host.maxDigits = 16;
    EXPECT_TRUE(commands.OnPaste());
}

}  // namespace
