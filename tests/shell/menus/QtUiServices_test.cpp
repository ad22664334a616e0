// The Qt desktop services: message boxes of the option, tray and help
// commands (through CUiServicesPrompts), clipboard and web links.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "shell/menus/OptionCommands.h"
#include "platform/qt/Clipboard.h"
#include "shell/menus/QtUiServices.h"
#include "shell/menus/UiServicesPrompts.h"
#include "tests/panes/about/FakeUrlOpener.h"

namespace {

struct CSeenBox {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers the next message box with the button and records what it showed.
void AnswerNextBox(CSeenBox& seen, QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [&seen, button] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box || !box->isVisible())
                continue;
            seen = {box->text(), box->windowTitle(), box->icon()};
            box->button(button)->click();
            return;
        }
    });
}

TEST(QtUiServices, WarningShowsOneLineBreakPerPairAndExactWords)
{
    QWidget owner;
    CQtUiServices services(&owner);
    CUiServicesPrompts prompts(services);
    CSeenBox seen;
    AnswerNextBox(seen, QMessageBox::No);
    EXPECT_FALSE(prompts.AskYesNo(MaxDigitsWarningText(75), "Warning"));
    EXPECT_EQ(seen.title, "Warning");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_FALSE(seen.text.contains('\r'));
    const QStringList lines = seen.text.split('\n');
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], "Modifying the 'Max Digits' setting will force a reset of the calculator.");
    EXPECT_EQ(lines[1], "To avoid losing the current calculation:");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "- First, complete the calculation.");
    EXPECT_EQ(lines[6], "- And then modify the 'Max Digits' setting.");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "Do you want to modify the 'Max Digits' setting to 75 anyway?");

    AnswerNextBox(seen, QMessageBox::Yes);
    EXPECT_TRUE(prompts.AskYesNo("Sure?", "Confirm"));
}

TEST(QtUiServices, ErrorBoxCarriesItsCaptionAndIcon)
{
    CQtUiServices services(nullptr);
    CUiServicesPrompts prompts(services);
    CSeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    prompts.ShowError("Could not launch help file!", "Error");
    EXPECT_EQ(seen.text, "Could not launch help file!");
    EXPECT_EQ(seen.title, "Error");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

TEST(QtUiServices, OkBoxAndClosedQuestion)
{
    CQtUiServices services(nullptr);
    CSeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    EXPECT_EQ(services.ShowMessageBox("a\n\rb", "Error", UiMessageIcon::Stop, UiMessageButtons::Ok),
              UiMessageAnswer::Ok);
    EXPECT_EQ(seen.text, "a\nb");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

TEST(QtUiServices, ClipboardAndUrlsGoThroughTheSharedHelpers)
{
    CFakeUrlOpener opener;
    CQtUiServices services(nullptr, &opener);
    services.SetClipboardText("42.5");
    std::string text;
    ASSERT_TRUE(GetClipboardText(text));
    EXPECT_EQ(text, "42.5");
    SetClipboardText("7");
    EXPECT_EQ(services.GetClipboardText(), "7");
    services.OpenUrl("https://www.vornel.example/x");
    EXPECT_EQ(opener.urls, std::vector<std::string>{"https://www.vornel.example/x"});
}

}  // namespace
