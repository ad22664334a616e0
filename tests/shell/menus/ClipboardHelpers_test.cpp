// SetClipboardText and GetClipboardText over the application's clipboard.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "platform/qt/Clipboard.h"
#include "MenuFakes.h"

namespace {

TEST(ClipboardHelpers, TextGoesOnAndComesBack)
{
    ASSERT_TRUE(SetClipboardText("-1.5e-3"));
    std::string text = "unchanged";
    ASSERT_TRUE(GetClipboardText(text));
    EXPECT_EQ(text, "-1.5e-3");
}

TEST(ClipboardHelpers, NoTextLeavesTheOutputAlone)
{
    QGuiApplication::clipboard()->clear();
    std::string text = "unchanged";
    EXPECT_FALSE(GetClipboardText(text));
    EXPECT_EQ(text, "unchanged");
}

TEST(ClipboardHelpers, CopyAndPasteThroughTheRealClipboard)
{
    CQtClipboardText clipboard;
    CFakeClipboardHost host;
    CClipboardCommands commands(host, clipboard);
    host.entryText = "1234567.891";
    commands.OnCopy();
    std::string text;
    ASSERT_TRUE(GetClipboardText(text));
    EXPECT_EQ(text, "1234567.891");

    SetClipboardText("  2.5E10\n");
    EXPECT_TRUE(commands.OnPaste());
    EXPECT_EQ(host.added, std::vector<std::string>{"2.5E10"});

    SetClipboardText("1,234");
    EXPECT_FALSE(commands.OnPaste());
    EXPECT_EQ(host.added.size(), 1u);
}

}  // namespace
