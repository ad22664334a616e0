// Renders the three panes with a few items into PNG files in the build tree,
// to be looked at.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>

#include <gtest/gtest.h>

#include "PaneFakes.h"
#include "panes/AddVarDlg.h"
#include "panes/CalcRecordWindow.h"
#include "panes/CustomMaxDigitsDlg.h"
#include "panes/HistoryListView.h"
#include "panes/LimitedPlainTextEdit.h"
#include "panes/MLEDlg.h"
#include "panes/VariablesListView.h"
#include "settings/ColorScheme.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"

namespace {

class ScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(QUILLIX_PANES_SCREENSHOT_DIR));
        settings.SetDefaults();
        config.m_digitGrouping = 0;
    }

    void Save(QWidget& widget, const QString& name)
    {
        widget.show();
        QApplication::processEvents();
        const QImage image = widget.grab().toImage();
        const QString path = QString(QUILLIX_PANES_SCREENSHOT_DIR) + "/" + name;
        ASSERT_TRUE(image.save(path)) << path.toStdString();
        EXPECT_GT(QFileInfo(path).size(), 0);
    }

    ConfigOptions config;
    WindowSettings settings;
    FakeServices fakes;
};

TEST_F(ScreenshotTest, RecordWindow)
{
    for (const char* scheme : {"Smooth Blue", "Olive Green", "Plain Vanilla"}) {
        SetCurrentColorScheme(*FindColorScheme(scheme));
        CCalcRecord record;
        settings.m_nCalcRecordWindowEntryColWidth = 230;
        settings.m_nCalcRecordWindowResultColWidth = 250;
        CCalcRecordWindow window(&record, fakes.Services(), config, settings);
        window.resize(520, 300);
        record.SetListener(window.Listener());
        record.AddEntry(EntryNumber, "1250000.75", "", 0);
        record.AddBinaryOperation(EntryBinaryOperator, OpMultiply, "", 0);
        record.AddEntry(EntryOpenParen, "(", "", 0);
        record.AddEntry(EntryNumber, "3", "", 1);
        record.AddBinaryOperation(EntryBinaryOperator, OpDivide, "", 1);
        record.AddEntry(EntryNumber, "8", "", 1);
        record.AddEntry(EntryCloseParen, ")", "0.375", 1);
        record.AddEntry(EntryFunction, "sqrt", "0.6123724356957945", 0);
        record.AddEntry(EntryEquals, "=", "765465.99424", 0);
        QApplication::processEvents();
        window.selectionModel()->setCurrentIndex(window.model()->index(5, 0),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QString file = QString("record-window-%1.png").arg(QString(scheme).toLower().replace(' ', '-'));
        Save(window, file);
        record.SetListener(nullptr);
    }
    SetCurrentColorScheme(*FindColorScheme("Smooth Blue"));
}

TEST_F(ScreenshotTest, HistoryPane)
{
    config.m_historyItems = {"765465.99424", "0.375", "-1234.5E-12", "3.14159265358979323846", "42"};
    settings.m_nHistoryValueColWidth = 260;
    CHistoryListView view(fakes.Services(), config, settings);
    view.resize(290, 220);
    view.LoadFromConfig();
    view.SelectRow(1);
    Save(view, "history-pane.png");
}

TEST_F(ScreenshotTest, VariablesPane)
{
    config.m_variables = {{"RATE", "0.0425"}, {"X0", "1250000.75"}, {"TAU", "6.283185307179586"},
                          {"G", "9.80665"}};
    config.m_varSequence = {"G", "RATE", "TAU", "X0"};
    settings.m_nVariablesVarNameColWidth = 70;
    settings.m_nVariablesValueColWidth = 220;
    CVariablesListView view(fakes.Services(), config, settings);
    view.resize(320, 220);
    view.LoadFromConfig();
    Save(view, "variables-pane.png");
}

TEST_F(ScreenshotTest, EntryDialogs)
{
    const std::map<std::string, std::string> variables = {{"X1", "5"}};
    CAddVarDlg addVariable(nullptr, variables, VariableNameForm::Add, "12.5", 35);
    addVariable.SetInitialName("x1");
    Save(addVariable, "variable-dialog.png");

    CMLEDlg freeForm(nullptr, "1234567890123456789012345678901234567890", 35);
    Save(freeForm, "free-form-dialog.png");

    FakeMessageBox messageBox;
    CCustomMaxDigitsDlg maxDigits("35", messageBox);
    Save(maxDigits, "max-digits-dialog.png");
}

}  // namespace
