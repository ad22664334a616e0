#include "panes/CalcRecordWindow.h"

#include <memory>

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "PaneFakes.h"
#include "panes/CalcRecordLines.h"
#include "panes/CustomHeaderView.h"
#include "platform/qt/ColorRef.h"
#include "settings/ColorScheme.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"

namespace {

class RecordWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCurrentColorScheme(*FindColorScheme("Smooth Blue"));
        settings.SetDefaults();
        config.m_digitGrouping = 2;
        Make();
    }
    void TearDown() override { record.SetListener(nullptr); }

    void Make()
    {
        record.SetListener(nullptr);
        window = std::make_unique<CCalcRecordWindow>(&record, fakes.Services(), config, settings);
        window->resize(520, 260);
        window->show();
        record.SetListener(window->Listener());
        window->SetParentInterface(&parent);
    }

    // "2 + 3 * ( 4 / 8 ) =" as the engine records it.
    void EnterCalculation()
    {
        record.AddEntry(EntryNumber, "2", "", 0);
        record.AddBinaryOperation(EntryBinaryOperator, OpAdd, "", 0);
        record.AddEntry(EntryNumber, "3", "", 0);
        record.AddBinaryOperation(EntryBinaryOperator, OpMultiply, "", 0);
        record.AddEntry(EntryOpenParen, "(", "", 0);
        record.AddEntry(EntryNumber, "4", "", 1);
        record.AddBinaryOperation(EntryBinaryOperator, OpDivide, "", 1);
        record.AddEntry(EntryNumber, "8", "", 1);
        record.AddEntry(EntryCloseParen, ")", "0.5", 1);
        record.AddEntry(EntryEquals, "=", "3.5", 0);
        QApplication::processEvents();
    }

    QString Shown(int row, int column)
    {
        return window->model()->index(row, column).data().toString();
    }

    void Select(int row)
    {
        window->selectionModel()->setCurrentIndex(window->model()->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    }

    QPoint RowPoint(int row, int column = 1)
    {
        return window->visualRect(window->model()->index(row, column)).center();
    }

    void RightClick(QPoint pos)
    {
        QTest::mouseClick(window->viewport(), Qt::RightButton, {}, pos);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, window->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(window->viewport(), &event);
    }

    CCalcRecord record;
    ConfigOptions config;
    WindowSettings settings;
    FakeServices fakes;
    FakeRecordParent parent;
    std::unique_ptr<CCalcRecordWindow> window;
};

TEST_F(RecordWindowTest, ShowsEachLineWithDepthOperatorsAndResults)
{
    EnterCalculation();
    ASSERT_EQ(window->LineCount(), 10);
    const QString expected[10][3] = {
        {"0>", "2", ""},   {"0>", "+", ""}, {"0>", "3", ""},   {"0>", "x", ""},   {"0>", "(", ""},
        {"1>", "4", ""},   {"1>", "\u00F7", ""}, {"1>", "8", ""}, {"1>", ")", "0.5"}, {"0>", "=", "3.5"},
    };
    for (int row = 0; row < 10; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(Shown(row, column), expected[row][column]) << row << "," << column;
    EXPECT_TRUE(window->ResultFont().bold());
    EXPECT_FALSE(window->EntryFont().bold());
    const QAbstractItemModel* model = window->model();
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "(");
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Entry");
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), "Intermediate Result");
}

TEST_F(RecordWindowTest, NewLineIsSelectedRemovalOnlyScrollsClearEmpties)
{
    EnterCalculation();
    EXPECT_EQ(window->GetSelectedIndex(), 9);
    record.RemoveLast();
    QApplication::processEvents();
    EXPECT_EQ(window->LineCount(), 9);
    EXPECT_EQ(window->GetSelectedIndex(), -1);   // not selected again
    record.Clear();
    QApplication::processEvents();
    EXPECT_EQ(window->LineCount(), 0);
    EXPECT_EQ(window->GetSelectedIndex(), -1);

    // An empty record is still a ruled list.
    const ColorScheme scheme = GetCurrentColorScheme();
    const QImage image = window->viewport()->grab().toImage();
    const int h = window->RowHeight();
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(image.pixelColor(40, row * h + h / 2),
                  ColorFromColorRef(row % 2 ? scheme.m_crAlternateRow : scheme.m_crBackground))
            << row;
}

TEST_F(RecordWindowTest, ABatchOfChangesEndsAsIfEachCameAlone)
{
    // '+' adds a line, '-' removes the last, 'c' clears, 'r' reloads the
    // record (a saved calculation). Each sequence once with the window
    // applying every change as it comes, once with the whole batch waiting.
    const char* const sequences[] = {"++++", "+++-", "++-+", "+-", "++c++", "+++r", "++r+-", "--+", "c", ""};
    for (const char* sequence : sequences) {
        SCOPED_TRACE(sequence);
        struct Outcome {
            int lines, selected, focused;
            bool lastVisible;
        };
        Outcome outcomes[2];
        for (const bool batch : {false, true}) {
            record.SetListener(nullptr);
            record.Clear();
            for (int i = 0; i < 40; ++i)
                record.AddEntry(EntryNumber, std::to_string(i), "", 0);
            Make();
            window->Refresh();
            Select(3);
            for (const char* p = sequence; *p; ++p) {
                if (*p == '+')
                    record.AddEntry(EntryNumber, "7", "", 0);
                else if (*p == '-')
                    record.RemoveLast();
                else if (*p == 'c')
                    record.Clear();
                else
                    window->Refresh();
                if (!batch)
                    window->ApplyPendingChanges();
            }
            QApplication::processEvents();
            const int lines = window->LineCount();
            const QRect last = window->visualRect(window->model()->index(lines - 1, 0));
            outcomes[batch] = {lines, window->selectionModel()->selectedRows().isEmpty()
                                          ? -1
                                          : window->selectionModel()->selectedRows().front().row(),
                               window->currentIndex().row(),
                               lines > 0 && window->viewport()->rect().contains(last)};
        }
        EXPECT_EQ(outcomes[1].lines, outcomes[0].lines);
        EXPECT_EQ(outcomes[1].selected, outcomes[0].selected);
        EXPECT_EQ(outcomes[1].focused, outcomes[0].focused);
        EXPECT_EQ(outcomes[1].lastVisible, outcomes[0].lastVisible);
    }
}

TEST_F(RecordWindowTest, QueriesAboutTheSelectedLine)
{
    EnterCalculation();
    Select(2);   // "3"
    EXPECT_TRUE(window->IsSelectedBeforeLast());
    EXPECT_TRUE(window->SelectedHasEntryNumber());
    EXPECT_FALSE(window->SelectedHasResultOnly());
    Select(8);   // ")" with 0.5
    EXPECT_FALSE(window->SelectedHasEntryNumber());
    EXPECT_TRUE(window->SelectedHasResultOnly());
    Select(9);
    EXPECT_FALSE(window->IsSelectedBeforeLast());
    Select(1);   // "+"
    EXPECT_FALSE(window->SelectedHasEntryNumber());
    EXPECT_FALSE(window->SelectedHasResultOnly());
    std::string text = "unchanged";
    window->GetSelectedText(text);
    EXPECT_EQ(text, "unchanged");
}

TEST_F(RecordWindowTest, CommandsUseTheStoredTextAndTheOwner)
{
    config.m_digitGrouping = 0;
    record.AddEntry(EntryNumber, "1234567.25", "", 0);
    record.AddBinaryOperation(EntryBinaryOperator, OpAdd, "", 0);
    record.AddEntry(EntryNumber, "1", "", 0);
    record.AddEntry(EntryEquals, "=", "1234568.25", 0);
    QApplication::processEvents();
    EXPECT_EQ(Shown(0, 1), "1,234,567.25");
    EXPECT_EQ(Shown(3, 2), "1,234,568.25");

    Select(0);
    window->OnCopy();
    EXPECT_EQ(fakes.clipboard.text, "1234567.25");
    window->OnAddAsVariable();
    window->OnAddAsNewEntry();
    Select(3);
    window->ExecuteCommand(kRecordMenuCopy);
    EXPECT_EQ(fakes.clipboard.text, "1234568.25");
    window->ExecuteCommand(kRecordMenuAddAsNewEntry);
    EXPECT_EQ(parent.variables, (std::vector<std::string>{"1234567.25"}));
    EXPECT_EQ(parent.newEntries, (std::vector<std::string>{"1234567.25", "1234568.25"}));

    // An operator line has no text: the clipboard and the owner hear nothing.
    Select(1);
    fakes.clipboard.sets = 0;
    window->OnCopy();
    window->OnAddAsVariable();
    window->OnAddAsNewEntry();
    EXPECT_EQ(fakes.clipboard.sets, 0);
    EXPECT_EQ(fakes.clipboard.text, "1234568.25");
    EXPECT_EQ(parent.variables.size(), 1u);
    EXPECT_EQ(parent.newEntries.size(), 2u);

    config.m_digitGrouping = 1;
    EXPECT_EQ(Shown(0, 1), "1234567.25");
}

TEST_F(RecordWindowTest, StepBackCountsAndNeedsASelection)
{
    EnterCalculation();
    Select(6);
    window->OnStepBackToHere();
    Select(0);
    window->OnStepBackToHere();
    Select(9);
    window->OnStepBackToHere();   // the last line: nothing to undo
    Select(7);
    window->ExecuteCommand(kRecordMenuStepBack);   // the frame's menu item
    EXPECT_EQ(parent.stepBacks, (std::vector<int>{3, 9, 2}));

    window->selectionModel()->clearSelection();
    window->OnStepBackToHere();   // no selection: never the whole calculation
    window->ExecuteCommand(kRecordStepBack);
    EXPECT_EQ(parent.stepBacks.size(), 3u);
}

TEST_F(RecordWindowTest, ContextMenuOnLinesOnlyAndItsCommands)
{
    EnterCalculation();
    // Below the last line and on the header: no menu.
    RightClick(QPoint(100, window->viewport()->height() - 3));
    EXPECT_EQ(fakes.menus.runs, 0);
    {
        const QPoint onHeader(100, window->header()->height() / 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, onHeader, window->header()->mapToGlobal(onHeader));
        QApplication::sendEvent(window->header(), &event);
        EXPECT_EQ(fakes.menus.runs, 0);
    }

    // The last line: no step back.
    RightClick(RowPoint(9));
    ASSERT_EQ(fakes.menus.runs, 1);
    EXPECT_EQ(FindMenuItem(fakes.menus.items, kRecordCopy)->m_text, "Copy Result");
    EXPECT_FALSE(FindMenuItem(fakes.menus.items, kRecordStepBack)->m_bEnabled);

    // An operator line: copying and passing on are off; the chosen step back runs.
    fakes.menus.choice = kRecordStepBack;
    RightClick(RowPoint(3));
    EXPECT_EQ(*FindMenuItem(fakes.menus.items, kRecordCopy), (CMenuItemState{kRecordCopy, "Copy", false}));
    EXPECT_FALSE(FindMenuItem(fakes.menus.items, kRecordAddToVariables)->m_bEnabled);
    EXPECT_TRUE(FindMenuItem(fakes.menus.items, kRecordStepBack)->m_bEnabled);
    EXPECT_EQ(parent.stepBacks, (std::vector<int>{6}));

    // The owner's state: no entry accepted, a calculation running.
    parent.canAcceptEntry = false;
    parent.calculating = true;
    fakes.menus.choice = 0;
    RightClick(RowPoint(2));
    EXPECT_EQ(FindMenuItem(fakes.menus.items, kRecordCopy)->m_text, "Copy Entry");
    EXPECT_FALSE(FindMenuItem(fakes.menus.items, kRecordAddAsNewEntry)->m_bEnabled);
    EXPECT_FALSE(FindMenuItem(fakes.menus.items, kRecordStepBack)->m_bEnabled);

    // From the keyboard the menu belongs to the selected line.
    const int runs = fakes.menus.runs;
    Select(8);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(-1, -1), QPoint(-1, -1));
    QApplication::sendEvent(window->viewport(), &key);
    ASSERT_EQ(fakes.menus.runs, runs + 1);
    EXPECT_EQ(FindMenuItem(fakes.menus.items, kRecordCopy)->m_text, "Copy Result");
    window->selectionModel()->clearSelection();
    QApplication::sendEvent(window->viewport(), &key);
    EXPECT_EQ(fakes.menus.runs, runs + 1);
}

TEST_F(RecordWindowTest, ColumnWidthsComeFromAndGoBackToTheSettings)
{
    settings.m_nCalcRecordWindowEntryColWidth = 150;
    settings.m_nCalcRecordWindowResultColWidth = 180;
    Make();
    EXPECT_EQ(window->columnWidth(0), 25);
    EXPECT_EQ(window->columnWidth(1), 150);
    EXPECT_EQ(window->columnWidth(2), 180);
    EXPECT_EQ(window->Header()->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_EQ(window->Header()->sectionResizeMode(1), QHeaderView::Interactive);

    window->setColumnWidth(1, 222);
    window->StoreToSettings();
    window->StoreToSettings();
    EXPECT_EQ(settings.m_nCalcRecordWindowEntryColWidth, 222);
    EXPECT_EQ(settings.m_nCalcRecordWindowResultColWidth, 180);
    window.reset();   // destroying the window writes nothing more
    EXPECT_EQ(settings.m_nCalcRecordWindowEntryColWidth, 222);
}

TEST_F(RecordWindowTest, DoubleClickOnADividerChangesNoWidth)
{
    EnterCalculation();
    CCustomHeaderView* header = window->Header();
    for (int section : {0, 1, 2}) {
        const int edge = header->sectionViewportPosition(section) + header->sectionSize(section);
        const QPoint divider(edge - 1, header->height() / 2);
        ASSERT_TRUE(header->IsOnDivider(divider));
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, divider);
    }
    EXPECT_EQ(window->columnWidth(0), 25);
    EXPECT_EQ(window->columnWidth(1), 200);
    EXPECT_EQ(window->columnWidth(2), 200);
    EXPECT_FALSE(header->IsOnDivider(QPoint(header->sectionViewportPosition(1) + 50, 5)));
}

// The rendered rows use the current scheme's colours; the grid keeps the
// colour of the scheme the window was made with.
TEST_F(RecordWindowTest, RowsAreDrawnInEachSchemesColours)
{
    for (const char* name : {"Plain Vanilla", "Smooth Blue", "Smooth Blue 2", "Somewhat Blue", "Olive Green"}) {
        SCOPED_TRACE(name);
        const ColorScheme scheme = *FindColorScheme(name);
        SetCurrentColorScheme(scheme);
        record.Clear();
        Make();
        record.AddEntry(EntryNumber, "2", "", 0);
        record.AddBinaryOperation(EntryBinaryOperator, OpAdd, "", 0);
        record.AddEntry(EntryNumber, "3", "", 0);
        QApplication::processEvents();
        Select(1);
        const QImage image = window->viewport()->grab().toImage();
        const int h = window->RowHeight();
        const int x = window->Header()->sectionViewportPosition(1) + 8;
        const auto at = [&](int row) { return image.pixelColor(x, row * h + h / 2); };
        EXPECT_EQ(at(0), ColorFromColorRef(scheme.m_crBackground));
        EXPECT_EQ(at(1), ColorFromColorRef(scheme.m_crSelectedRow));
        EXPECT_EQ(at(2), ColorFromColorRef(scheme.m_crBackground));
        EXPECT_EQ(at(3), ColorFromColorRef(scheme.m_crAlternateRow));   // ruled rows continue the parity
        EXPECT_EQ(at(4), ColorFromColorRef(scheme.m_crBackground));
        const int gridX = window->Header()->sectionViewportPosition(1) + window->columnWidth(1) - 2;
        EXPECT_EQ(image.pixelColor(gridX, h / 2), ColorFromColorRef(scheme.m_crGridLine));
        EXPECT_EQ(image.pixelColor(gridX, 6 * h + h / 2), ColorFromColorRef(scheme.m_crGridLine));
    }
    // Focused but not selected.
    window->selectionModel()->clearSelection();
    const ColorScheme olive = *FindColorScheme("Olive Green");
    QImage image = window->viewport()->grab().toImage();
    const int h = window->RowHeight();
    const int x = window->Header()->sectionViewportPosition(1) + 8;
    EXPECT_EQ(image.pixelColor(x, h + h / 2), ColorFromColorRef(olive.m_crFocusedRow));

    // A later scheme change recolours the rows but not the grid.
    ColorScheme changed = olive;
    changed.m_crGridLine = MakeColorRef(255, 0, 0);
    changed.m_crBackground = MakeColorRef(0, 0, 255);
    SetCurrentColorScheme(changed);
    image = window->viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(x, h / 2), QColor(0, 0, 255));
    const int gridX = window->Header()->sectionViewportPosition(1) + window->columnWidth(1) - 2;
    EXPECT_EQ(image.pixelColor(gridX, h / 2), ColorFromColorRef(olive.m_crGridLine));
    EXPECT_EQ(window->GridLineColor(), ColorFromColorRef(olive.m_crGridLine));
    SetCurrentColorScheme(*FindColorScheme("Smooth Blue"));
}

TEST_F(RecordWindowTest, RefreshShowsALoadedRecord)
{
    record.SetListener(nullptr);   // a load does not tell the listener
    record.AddEntry(EntryNumber, "42", "", 0);
    record.AddEntry(EntryEquals, "=", "42", 0);
    record.SetListener(window->Listener());
    EXPECT_EQ(window->LineCount(), 0);
    window->Refresh();
    EXPECT_EQ(window->LineCount(), 2);
    EXPECT_EQ(Shown(1, 2), "42");
}

}  // namespace
