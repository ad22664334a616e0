#include "panes/VariablesListView.h"

#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "PaneFakes.h"
#include "panes/AddVarDlg.h"
#include "panes/LimitedPlainTextEdit.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"

namespace {

const std::string kExistsX1 =
    "Variable 'X1' already exists.  Press the change button below to change the value of X1 to the number "
    "you've entered above.";

class VariablesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.SetDefaults();
        config.m_digitGrouping = 2;
        view = MakeView();
    }

    std::unique_ptr<CVariablesListView> MakeView()
    {
        auto made = std::make_unique<CVariablesListView>(fakes.Services(), config, settings);
        made->SetParentInterface(&parent);
        made->resize(360, 240);
        made->show();
        return made;
    }

    void Load(CVariableList::Map variables, CVariableList::Sequence order)
    {
        config.m_variables = std::move(variables);
        config.m_varSequence = std::move(order);
        view->LoadFromConfig();
    }

    // The next dialog gets these texts typed in and ends with button.
    void AnswerDialog(std::string name, std::string value, QPushButton* (CAddVarDlg::*button)() const)
    {
        fakes.dialogs.onRun = [=, this](QDialog& dialog) {
            auto& add = dynamic_cast<CAddVarDlg&>(dialog);
            seenName = add.NameEdit()->text().toStdString();
            seenValue = add.ValueEdit()->Text().toStdString();
            add.NameEdit()->setText(QString::fromStdString(name));
            add.ValueEdit()->SetText(QString::fromStdString(value));
            seenMessage = add.MessageBox()->toPlainText().toStdString();
            seenOk = add.OkButton()->isEnabled();
            seenChange = add.ChangeButton()->isEnabled();
            (add.*button)()->click();
            return dialog.result();
        };
    }

    QString Shown(int row, int column) { return view->model()->index(row, column).data().toString(); }
    std::vector<std::string> Names() const
    {
        const auto& order = view->Variables().Order();
        return {order.begin(), order.end()};
    }

    ConfigOptions config;
    WindowSettings settings;
    FakeServices fakes;
    FakeVariablesParent parent;
    std::unique_ptr<CVariablesListView> view;
    std::string seenName, seenValue, seenMessage;
    bool seenOk = false, seenChange = false;
};

TEST_F(VariablesTest, LoadsSelectsAndTakesWidths)
{
    settings.m_nVariablesVarNameColWidth = 60;
    settings.m_nVariablesValueColWidth = 210;
    Load({{"A", "1"}, {"B", "2"}}, {"B", "A"});
    EXPECT_EQ(view->columnWidth(0), 60);
    EXPECT_EQ(view->columnWidth(1), 210);
    EXPECT_EQ(view->SelectedRow(), 0);
    EXPECT_EQ(Shown(0, 0), "B");
    EXPECT_EQ(Shown(0, 1), "2");
    EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), "Value");
}

// Containers that disagree in the settings are repaired, never emptied.
TEST_F(VariablesTest, DisagreeingSettingsAreRepaired)
{
    Load({{"A", "1"}, {"B", "2"}, {"C", "3"}}, {"C", "GHOST"});
    EXPECT_EQ(Names(), (std::vector<std::string>{"C", "A", "B"}));
    view->StoreToSettings();
    EXPECT_EQ(config.m_varSequence, (std::deque<std::string>{"C", "A", "B"}));
    EXPECT_EQ(config.m_variables.size(), 3u);
}

TEST_F(VariablesTest, AddOffersTheSmallestFreeNameAndStoresItUpperCasedInOrder)
{
    Load({{"X0", "1"}, {"X2", "2"}}, {"X0", "X2"});
    parent.maxDigits = 50;
    AnswerDialog("  rate  ", " 12.5 \n", &CAddVarDlg::OkButton);
    view->AddVariable("99");
    EXPECT_EQ(seenName, "X1");
    EXPECT_EQ(seenValue, "99");
    EXPECT_TRUE(seenOk);
    EXPECT_EQ(Names(), (std::vector<std::string>{"RATE", "X0", "X2"}));
    EXPECT_EQ(view->Variables().ValueAt(0), "12.5");
    EXPECT_EQ(view->SelectedRow(), 0);

    AnswerDialog("b", "1", &CAddVarDlg::OkButton);
    view->ExecuteCommand(kVariablesAddNew);
    EXPECT_EQ(seenValue, "");
    EXPECT_EQ(Names(), (std::vector<std::string>{"B", "RATE", "X0", "X2"}));

    fakes.dialogs.onRun = nullptr;   // cancelled: nothing changes
    view->AddVariable("5");
    EXPECT_EQ(view->ItemCount(), 4);
}

// "x1" is looked up as X1: the dialog offers Change, and nothing is replaced
// without the user choosing it.
TEST_F(VariablesTest, ANameDifferingOnlyInCaseOffersChange)
{
    Load({{"X1", "5"}}, {"X1"});
    AnswerDialog("x1", "7", &CAddVarDlg::ChangeButton);
    view->AddVariable("");
    EXPECT_EQ(seenMessage, kExistsX1);
    EXPECT_FALSE(seenOk);
    EXPECT_TRUE(seenChange);
    EXPECT_EQ(view->ItemCount(), 1);
    EXPECT_EQ(view->Variables().ValueAt(0), "7");
}

TEST_F(VariablesTest, ModifyChangesTheValueOrAddsANewNameAtTheEnd)
{
    Load({{"B", "1"}, {"C", "2"}}, {"B", "C"});
    view->SelectRow(1);
    AnswerDialog("C", "3.25", &CAddVarDlg::ChangeButton);
    view->ExecuteCommand(kVariablesModifyValue);
    EXPECT_EQ(seenName, "C");
    EXPECT_EQ(seenValue, "2");
    EXPECT_FALSE(seenOk);
    EXPECT_TRUE(seenChange);
    EXPECT_EQ(view->Variables().ValueAt(1), "3.25");

    AnswerDialog(" a ", "9", &CAddVarDlg::OkButton);
    view->OnModifyValue();
    EXPECT_TRUE(seenOk);
    EXPECT_EQ(Names(), (std::vector<std::string>{"B", "C", "a"}));   // appended, not sorted or upper-cased
    EXPECT_EQ(view->Variables().ValueAt(1), "3.25");                 // the old one is kept
    EXPECT_EQ(view->SelectedRow(), 1);
}

TEST_F(VariablesTest, DeleteAsksAndSelectsTheNextLine)
{
    Load({{"A", "1"}, {"B", "2"}, {"C", "3"}}, {"A", "B", "C"});
    view->SelectRow(2);
    fakes.messageBox.answer = MessageBoxAnswer::No;
    view->ExecuteCommand(kVariablesDelete);
    ASSERT_EQ(fakes.messageBox.calls.size(), 1u);
    EXPECT_EQ(fakes.messageBox.calls[0].text, "Are you sure you want to delete variable C?");
    EXPECT_EQ(fakes.messageBox.calls[0].caption, "Confirm");
    EXPECT_EQ(fakes.messageBox.calls[0].buttons, MessageBoxButtons::YesNo);
    EXPECT_EQ(fakes.messageBox.calls[0].icon, MessageBoxIcon::Question);
    EXPECT_EQ(view->ItemCount(), 3);

    fakes.messageBox.answer = MessageBoxAnswer::Yes;
    view->OnDeleteVariable();
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(view->SelectedRow(), 1);
    view->SelectRow(0);
    view->OnDeleteVariable();
    EXPECT_EQ(view->SelectedRow(), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"B"}));
}

TEST_F(VariablesTest, CopyEntryDragAndGrouping)
{
    Load({{"BIG", "1234567.5"}, {"ODD", "1E5E6"}}, {"BIG", "ODD"});
    config.m_digitGrouping = 0;
    EXPECT_EQ(Shown(0, 1), "1,234,567.5");
    EXPECT_EQ(Shown(1, 1), "1E5E6");
    view->SelectRow(0);
    view->ExecuteCommand(kVariablesCopyValue);
    EXPECT_EQ(fakes.clipboard.text, "1234567.5");
    view->ExecuteCommand(kVariablesAddAsNewEntry);
    view->ExecuteCommand(kVariablesMenuAddAsNewEntry);
    ASSERT_EQ(parent.drags.size(), 2u);
    EXPECT_EQ(parent.drags[1].text, "1234567.5");
    EXPECT_EQ(parent.drags[0].text, "1234567.5");
    EXPECT_EQ(parent.drags[0].images, &view->Images());

    parent.overDropTarget = true;
    view->FinishMouseDrag(1, QPoint(5, 5));
    EXPECT_EQ(parent.newEntries, (std::vector<std::string>{"1E5E6"}));

    view->SelectRow(1);
    view->ExecuteCommand(kVariablesMenuCopyValue);
    EXPECT_EQ(fakes.clipboard.text, "1E5E6");

    view->selectionModel()->clearSelection();
    fakes.clipboard.sets = 0;
    view->OnCopyValue();
    EXPECT_EQ(fakes.clipboard.sets, 0);

    const CMenuItems menu = view->ContextMenuAt(QPoint(10, view->viewport()->height() - 3));
    EXPECT_FALSE(FindMenuItem(menu, kVariablesModifyValue)->m_bEnabled);
    EXPECT_TRUE(FindMenuItem(menu, kVariablesAddNew)->m_bEnabled);
}

// Variables, their order and the widths survive a save and a load of both files.
TEST_F(VariablesTest, PersistThroughTheSettingsFiles)
{
    Load({{"B", "2"}, {"A", "1"}}, {"B", "A"});
    view->SelectRow(0);
    AnswerDialog("z9", "-3E-7", &CAddVarDlg::OkButton);
    view->AddVariable("");
    AnswerDialog("late", "4", &CAddVarDlg::OkButton);
    view->OnModifyValue();
    view->setColumnWidth(0, 88);
    view->setColumnWidth(1, 240);
    view->StoreToSettings();

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string configPath = dir.filePath("config.xml").toStdString();
    const std::string windowPath = dir.filePath("window.xml").toStdString();
    config.Save(configPath.c_str());
    settings.Save(windowPath.c_str());

    ConfigOptions loadedConfig;
    WindowSettings loadedSettings;
    loadedConfig.Load(configPath.c_str());
    loadedSettings.Load(windowPath.c_str());
    CVariablesListView again(fakes.Services(), loadedConfig, loadedSettings);
    again.LoadFromConfig();
    const auto& order = again.Variables().Order();
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.end()),
              (std::vector<std::string>{"A", "B", "Z9", "late"}));
    EXPECT_EQ(again.Variables().Variables().at("Z9"), "-3E-7");
    EXPECT_EQ(again.columnWidth(0), 88);
    EXPECT_EQ(again.columnWidth(1), 240);
}

TEST_F(VariablesTest, StoreToSettingsIsRepeatableAndDestructionWritesNothing)
{
    Load({{"A", "1"}}, {"A"});
    view->StoreToSettings();
    view->StoreToSettings();
    EXPECT_EQ(config.m_varSequence, (std::deque<std::string>{"A"}));
    config.m_variables.clear();
    config.m_varSequence.clear();
    view.reset();
    EXPECT_TRUE(config.m_variables.empty());
}

// The dialog itself: its messages and buttons follow every change.
TEST(AddVarDialog, MessagesFollowEveryChange)
{
    const std::map<std::string, std::string> variables = {{"X1", "5"}};
    CAddVarDlg dialog(nullptr, variables, VariableNameForm::Add, "", 35);
    dialog.SetInitialName("X0");
    EXPECT_EQ(dialog.windowTitle(), "Add/Change Variable");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_FALSE(dialog.ChangeButton()->isEnabled());
    EXPECT_TRUE(dialog.OkButton()->isDefault());

    dialog.ValueEdit()->SetText("12");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.MessageBox()->toPlainText(), "");
    dialog.NameEdit()->setText("9x");
    EXPECT_EQ(dialog.MessageBox()->toPlainText().toStdString(),
              "The variable name you've entered is NOT valid.  Please enter a valid variable name before "
              "proceeding.");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.NameEdit()->setText("x1");
    EXPECT_EQ(dialog.MessageBox()->toPlainText().toStdString(), kExistsX1);
    EXPECT_TRUE(dialog.ChangeButton()->isEnabled());
    dialog.ValueEdit()->SetText("1.2.3");
    EXPECT_EQ(dialog.MessageBox()->toPlainText().toStdString(),
              "The text you have entered is NOT a valid number.  Please enter a valid number before proceeding.");
    EXPECT_FALSE(dialog.ChangeButton()->isEnabled());
    dialog.ValueEdit()->SetText("");
    EXPECT_EQ(dialog.MessageBox()->toPlainText(), "");

    // Return in the value edit presses OK when it is enabled.
    dialog.NameEdit()->setText("y");
    dialog.ValueEdit()->SetText("  4 ");
    QTest::keyClick(dialog.ValueEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name(), "y");
    EXPECT_EQ(dialog.Value(), "4");
}

TEST(AddVarDialog, OpensWithTheValueSelectedWhenBothTextsAreGiven)
{
    const std::map<std::string, std::string> variables;
    CAddVarDlg dialog(nullptr, variables, VariableNameForm::Add, "3.5", 35);
    dialog.SetInitialName("X0");
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(dialog.ValueEdit()->textCursor().selectedText(), "3.5");
    EXPECT_EQ(QApplication::focusWidget(), dialog.ValueEdit());
    dialog.ValueEdit()->SetText(QString(1500, '1'));
    EXPECT_EQ(dialog.ValueEdit()->Text().size(), 1000);
}

}  // namespace
