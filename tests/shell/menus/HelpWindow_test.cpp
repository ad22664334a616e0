// The help window with the shipped help page.

#include <gtest/gtest.h>

#include <QTextBrowser>
#include <QUrl>

#include "shell/menus/HelpAndLinks.h"
#include "shell/menus/HelpWindow.h"
#include "MenuFakes.h"
#include "ScreenshotDir.h"

namespace {

std::string ProgramFolder()
{
    const char* bin = std::getenv("QUILLIX_BIN_DIR");
    return bin ? bin : "";
}

TEST(HelpWindow, ShowsTheShippedPageAndReusesItsWindow)
{
    QWidget main;
    CFakeUrlOpener opener;
    CFakePrompts prompts;
    CHelpWindowViewer viewer(opener, &main);
    ShowHelpContents(ProgramFolder(), viewer, prompts);
    ASSERT_TRUE(prompts.errors.empty());
    CHelpWindow* window = viewer.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    QTextBrowser* browser = window->Browser();
    EXPECT_EQ(browser->documentTitle(), "Vornel Quillix Help");
    const QString text = browser->toPlainText();
    for (const char* part : {"Keys", "Menus", "Files", "Ctrl+Backspace", "Max Digits", ".qxv7"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;

    window->resize(640, 560);
    ASSERT_TRUE(SaveScreenshot(*window, QStringLiteral("help-window.png")));

    window->close();
    ShowHelpContents(ProgramFolder(), viewer, prompts);
    EXPECT_EQ(viewer.Window(), window);  // one window serves every F1
    EXPECT_TRUE(window->isVisible());
}

TEST(HelpWindow, InPageLinksStayAndOtherSitesGoToTheBrowser)
{
    CFakeUrlOpener opener;
    CHelpWindow window(opener);
    window.ShowFile(HelpFilePath(ProgramFolder()));
    QTextBrowser* browser = window.Browser();
    emit browser->anchorClicked(QUrl(QStringLiteral("#files")));
    EXPECT_TRUE(opener.urls.empty());
    EXPECT_TRUE(browser->source().isLocalFile());
    emit browser->anchorClicked(QUrl(QStringLiteral("https://www.vornel.example/")));
    EXPECT_EQ(opener.urls, std::vector<std::string>{"https://www.vornel.example/"});
}

}  // namespace
