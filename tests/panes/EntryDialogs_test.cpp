#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "PaneFakes.h"
#include "panes/CustomFileOpenDlg.h"
#include "panes/CustomMaxDigitsDlg.h"
#include "panes/LimitedPlainTextEdit.h"
#include "panes/MLEDlg.h"
#include "panes/MaxDigitsEdit.h"

namespace {

const QString kNotANumber =
    "The text you have entered is NOT a valid number.  Please enter a valid number before proceeding.";

TEST(FreeFormDialog, ChecksEveryChangeAtMaxDigits35AndTrimsTheResult)
{
    CMLEDlg dialog(nullptr, "", 35);
    EXPECT_EQ(dialog.windowTitle(), "Edit Entry (Free Form)");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.Edit()->MaxLength(), 1000);

    const struct {
        QString text;
        QString message;
        bool ok;
    } steps[] = {
        {"12a", kNotANumber, false},
        {"", kNotANumber, false},   // empty: OK off, the message stays
        {QString(36, '9'),
         "The number of significant digits (36) in the number you have entered exceeds the maximum allowed value "
         "of 35.",
         false},
        {"5E1000000", "The exponent of the number you have entered exceeds the maximum allowed value of 999999.",
         false},
        {"5E-1000000",
         "The exponent of the number you have entered is LESS THAN the minimum allowed value of -999999.", false},
        {QString(35, '9'), "", true},
        {"  \t-12.50E+3 \r\n", "", true},
    };
    for (const auto& step : steps) {
        dialog.Edit()->SetText(step.text);
        EXPECT_EQ(dialog.MessageBox()->toPlainText(), step.message) << step.text.toStdString();
        EXPECT_EQ(dialog.OkButton()->isEnabled(), step.ok) << step.text.toStdString();
    }
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Text(), "-12.50E+3");
}

TEST(FreeFormDialog, SameFaultKeepsTheMessageAndAFixClearsItOnce)
{
    CMLEDlg dialog(nullptr, "7", 35);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    QSignalSpy rewrites(dialog.MessageBox(), &QPlainTextEdit::textChanged);
    dialog.Edit()->SetText("7x");
    dialog.Edit()->SetText("7xx");
    dialog.Edit()->SetText("x7");
    EXPECT_EQ(rewrites.count(), 1);
    dialog.Edit()->SetText("77");
    dialog.Edit()->SetText("777");
    EXPECT_EQ(rewrites.count(), 2);
    EXPECT_EQ(dialog.MessageBox()->toPlainText(), "");
}

TEST(FreeFormDialog, ReturnPressesOkAndTheEditHoldsAtMost1000Characters)
{
    CMLEDlg dialog(nullptr, "", 35);
    dialog.show();
    QApplication::processEvents();
    QTest::keyClicks(dialog.Edit(), "1x");
    QTest::keyClick(dialog.Edit(), Qt::Key_Return);   // OK is off: nothing happens
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Edit()->Text(), "1x");
    QTest::keyClick(dialog.Edit(), Qt::Key_Backspace);
    QTest::keyClick(dialog.Edit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Text(), "1");

    CLimitedPlainTextEdit edit;
    QGuiApplication::clipboard()->setText(QString(1500, '4'));
    edit.paste();
    EXPECT_EQ(edit.Text().size(), 1000);
    QTest::keyClicks(&edit, "55");
    EXPECT_EQ(edit.Text(), QString(1000, '4'));
    edit.selectAll();
    QTest::keyClicks(&edit, "6");
    EXPECT_EQ(edit.Text(), "6");
    edit.SetText(QString(1200, '8'));
    EXPECT_EQ(edit.Text().size(), 1000);
}

TEST(FreeFormDialog, OpensWithTheInitialTextUnselected)
{
    CMLEDlg dialog(nullptr, "3.25", 35);
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(dialog.Edit()->Text(), "3.25");
    EXPECT_FALSE(dialog.Edit()->textCursor().hasSelection());
    EXPECT_EQ(dialog.Edit()->textCursor().position(), 4);  // typing goes on after the text
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.Text(), "3.25");
}

class MaxDigitsDialogTest : public ::testing::Test {
protected:
    FakeMessageBox messageBox;
};

TEST_F(MaxDigitsDialogTest, RefusesValuesOutsideTheRangeWithAMessage)
{
    const char* refused[] = {"14", "513", "", "0", "999"};
    for (const char* text : refused) {
        CCustomMaxDigitsDlg dialog("35", messageBox);
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        dialog.Edit()->SetText(text);
        dialog.OkButton()->click();
        EXPECT_EQ(accepted.count(), 0) << text;
        ASSERT_FALSE(messageBox.calls.empty());
        EXPECT_EQ(messageBox.calls.back().text, "Please enter a value between 15 and 512 (inclusive)");
        EXPECT_EQ(messageBox.calls.back().caption, "Error");
        EXPECT_EQ(messageBox.calls.back().icon, MessageBoxIcon::Stop);
        EXPECT_EQ(messageBox.calls.back().buttons, MessageBoxButtons::Ok);
        EXPECT_EQ(dialog.Edit()->findChild<QLineEdit*>()->selectedText(), QString(text));
    }
    EXPECT_EQ(messageBox.calls.size(), std::size(refused));
}

TEST_F(MaxDigitsDialogTest, AcceptsTheLimits)
{
    for (int value : {15, 100, 512}) {
        CCustomMaxDigitsDlg dialog("35", messageBox);
        EXPECT_EQ(dialog.windowTitle(), "Configure Max Digits");
        EXPECT_EQ(dialog.Edit()->Text(), "35");
        dialog.Edit()->SetText(QString::number(value));
        dialog.OkButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Value(), value);
    }
    EXPECT_TRUE(messageBox.calls.empty());

    // Return in the edit presses OK.
    CCustomMaxDigitsDlg dialog("35", messageBox);
    dialog.show();
    QApplication::processEvents();
    dialog.Edit()->SetText("99");
    QTest::keyClick(dialog.Edit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Value(), 99);
}

TEST_F(MaxDigitsDialogTest, TheEditTakesThreeDigitsAndItsArrowsStayInRange)
{
    CMaxDigitsEdit edit;
    edit.show();
    edit.SetText("");
    QTest::keyClicks(&edit, "5a9x");
    EXPECT_EQ(edit.Text(), "59");
    QTest::keyClicks(&edit, "12");
    EXPECT_EQ(edit.Text(), "591");   // a fourth digit does not fit

    const struct {
        QString start;
        int steps;
        QString expected;
    } cases[] = {
        {"14", 1, "15"}, {"14", -1, "15"}, {"15", -1, "15"}, {"511", 5, "512"},
        {"600", -1, "512"}, {"", 1, "15"}, {"", -1, "15"}, {"35", 10, "45"},
    };
    for (const auto& c : cases) {
        edit.SetText(c.start);
        edit.stepBy(c.steps);
        EXPECT_EQ(edit.Text(), c.expected) << c.start.toStdString() << " " << c.steps;
    }
    edit.SetText("511");
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.Text(), "512");
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.Text(), "512");
    edit.SetText("15");
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.Text(), "15");
    // Text the arrows never make stays as typed, for the dialog to refuse.
    edit.SetText("14");
    edit.clearFocus();
    EXPECT_EQ(edit.Text(), "14");
}

TEST(FileDialog, OpenAndSaveModes)
{
    QWidget frame;
    frame.resize(600, 400);
    CCustomFileOpenDlg open(CCustomFileOpenDlg::Mode::Open, &frame, "Calculations (*.qxv7)", "qxv7");
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open.defaultSuffix(), "qxv7");
    EXPECT_EQ(open.nameFilters(), QStringList{"Calculations (*.qxv7)"});
    CCustomFileOpenDlg save(CCustomFileOpenDlg::Mode::Save, &frame, "Calculations (*.qxv7)", "qxv7");
    EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(save.SelectedFile(), "");
}

}  // namespace
