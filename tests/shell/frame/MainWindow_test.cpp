// The real main window offscreen: keys, the keypad, cancel, size, splitter,
// drops and the close.

#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <cstdlib>
#include <fstream>

#include "WindowFixture.h"
#include <QElapsedTimer>

#include "docking/SplitterWindow.h"
#include "keypad/CalcDisplayWindow.h"
#include "keypad/CalcEdit.h"
#include "keypad/CalcToolbarBtn.h"
#include "keypad/CalcWindow.h"
#include "panes/HistoryListView.h"
#include "panes/PaneImageList.h"
#include "resources/CommandIds.h"
#include "settings/ConfigOptions.h"
#include "shell/frame/FrameController.h"
#include "shell/frame/PaneHost.h"
#include "shell/frame/SavedCalculation.h"

namespace {

using MainWindowTest = WindowFixture;

TEST_F(MainWindowTest, TitleAndMinimumSize)
{
    EXPECT_EQ(m_frame->windowTitle(), "Vornel Quillix");
    m_frame->resize(100, 100);
    QApplication::processEvents();
    EXPECT_GE(m_frame->width(), 700);
    EXPECT_GE(m_frame->height(), 650);
    // 700 x 650, or more when the docked bars and the client need more.
    EXPECT_EQ(m_frame->minimumSize(), QSize(700, 650).expandedTo(m_frame->FrameworkMinimumSize()));
}

TEST_F(MainWindowTest, TypedKeysCalculateThroughTheWindow)
{
    TypeKeys("2+3=");
    EXPECT_EQ(Entry(), "5");
    TypeKeys("*4\n");  // Enter is "=" too
    EXPECT_EQ(Entry(), "20");
    TypeKeys("7");
    EXPECT_EQ(Entry(), "7");
    EXPECT_EQ(m_frame->Controller().Engine()->GetCalcState(), CalcStateEmpty);
}

TEST_F(MainWindowTest, LettersAndShiftedSymbolsAreTheirKeys)
{
    TypeKeys("(2+3)*4=");
    EXPECT_EQ(Entry(), "20");
    TypeKeys("\x1b" "9");
    QTest::keyClick(m_frame->CalcWindow()->Edit(), Qt::Key_R);  // 1/x
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Entry().substr(0, 6), "0.1111");
    QTest::keyClick(m_frame->CalcWindow()->Edit(), Qt::Key_Backspace, Qt::ControlModifier);  // step back
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Entry(), "9");
}

TEST_F(MainWindowTest, KeypadButtonsPostTheirCommands)
{
    for (int id : {6103, 6116, 6104, 6147})  // 2 + 3 =
        emit m_frame->CalcWindow()->command(id);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Entry(), "5");
}

TEST_F(MainWindowTest, EscapeCancelsALongCalculationAndTheEntryComesBack)
{
    TypeKeys("2");
    m_factory->SetDelay(60000);
    m_frame->OnCommand(cmd::kSqrt);
    ASSERT_TRUE(m_frame->Controller().IsCalculating());
    QTest::keyClick(m_frame->CalcWindow()->Edit(), Qt::Key_Escape);
    EXPECT_TRUE(m_frame->Controller().IsCancelPending());
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Entry(), "2");
}

TEST_F(MainWindowTest, EnterInAFocusedListIsEqualsAndPutsNothingIn)
{
    TypeKeys("5=");  // the history holds 5
    TypeKeys("\x1b" "2+4");
    auto* history = m_frame->Panes().HistoryList();
    history->SelectRow(0);
    history->setFocus();
    QTest::keyClick(history, Qt::Key_Return);
    ASSERT_TRUE(Settle());
    QTest::qWait(300);  // a flying item would have landed by now
    EXPECT_EQ(Entry(), "6");
    EXPECT_EQ(m_frame->Controller().Record().GetEntryCount(), 4);  // 2 + 4 =
}

TEST_F(MainWindowTest, TheKeypadKeepsItsHeightWhenTheWindowGrows)
{
    m_frame->resize(900, 700);
    QApplication::processEvents();
    auto* splitter = m_frame->Splitter();
    const int keypadHeight = splitter->height() - splitter->GetSplitterPos() - splitter->BarWidth();
    m_frame->resize(900, 900);
    QApplication::processEvents();
    EXPECT_EQ(splitter->height() - splitter->GetSplitterPos() - splitter->BarWidth(), keypadHeight);
    EXPECT_GT(splitter->GetSplitterPos(), 0);
}

TEST_F(MainWindowTest, TheBarBetweenRecordAndKeypadTakesNoDragNoCursorAndNotTheFocus)
{
    m_frame->resize(900, 760);
    m_frame->activateWindow();
    QApplication::processEvents();
    auto* splitter = m_frame->Splitter();
    EXPECT_EQ(splitter->GetSplitterExtendedStyle(), static_cast<unsigned>(SPLIT_NONINTERACTIVE | SPLIT_RIGHTALIGNED));
    QWidget* record = m_frame->Panes().RecordWidget();
    record->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), record);
    const int position = splitter->GetSplitterPos();
    const QPoint bar = splitter->mapTo(m_frame.get(), splitter->BarRect().center());
    QWindow* window = m_frame->windowHandle();
    QTest::mouseMove(window, bar);
    EXPECT_NE(splitter->cursor().shape(), Qt::SplitVCursor);
    QTest::mousePress(window, Qt::LeftButton, {}, bar);
    QTest::mouseMove(window, bar - QPoint(0, 100));
    QTest::mouseRelease(window, Qt::LeftButton, {}, bar - QPoint(0, 100));
    QTest::mouseDClick(window, Qt::LeftButton, {}, bar);
    QApplication::processEvents();
    EXPECT_EQ(splitter->GetSplitterPos(), position);
    EXPECT_EQ(QApplication::focusWidget(), record);
    // No grip: the bar is one colour.
    const QImage image = splitter->grab(splitter->BarRect()).toImage();
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixel(x, y), first) << x << "," << y;
}

TEST_F(MainWindowTest, DropsLoadOneCalculationFileAndRefuseTheRest)
{
    const std::string dir = std::getenv("XDG_RUNTIME_DIR");
    const std::string path = dir + "/CALC.QxV7";
    TypeKeys("6*7");
    ASSERT_TRUE(CCalculationFiles(m_frame->Controller()).Save(path));
    TypeKeys("\x1b");

    auto drop = [&](const std::vector<std::string>& paths) {
        m_frame->OnDropFiles(paths);
        QApplication::processEvents();
    };
    drop({path, "/tmp/b.qxv7"});
    EXPECT_EQ(m_frame->CalcWindow()->Display()->Model().Message(), kDropOneFile);
    drop({"/tmp/calc.txt"});
    EXPECT_EQ(m_frame->CalcWindow()->Display()->Model().Message(), kNotACalculationFile);
    m_frame->showMaximized();
    QApplication::processEvents();
    drop({path});
    EXPECT_TRUE(m_frame->isMaximized() || !m_frame->windowState().testFlag(Qt::WindowMinimized));
    EXPECT_EQ(Entry(), "7");
    EXPECT_EQ(m_frame->Controller().Record().GetEntryCount(), 2);
    EXPECT_TRUE(m_services.boxes.empty());  // the calculator was empty: no question
    TypeKeys("=");
    EXPECT_EQ(Entry(), "42");
}

TEST_F(MainWindowTest, ClosingDuringACalculationAsksAndNoKeepsItRunning)
{
    TypeKeys("2");
    m_factory->SetDelay(60000);
    m_frame->OnCommand(cmd::kSqrt);
    m_services.answers.push_back(UiMessageAnswer::No);
    m_frame->close();
    ASSERT_EQ(m_services.boxes.size(), 1u);
    EXPECT_EQ(m_services.boxes[0].caption, "Quit?");
    EXPECT_FALSE(m_frame->IsDestroyed());
    EXPECT_TRUE(m_frame->Controller().IsCalculating());
    m_services.answers.push_back(UiMessageAnswer::Yes);
    m_frame->close();
    EXPECT_TRUE(m_frame->IsDestroyed());
    EXPECT_EQ(m_frame->Controller().Engine(), nullptr);  // cancelled, waited for, released
}

TEST_F(MainWindowTest, ATerminationRequestDuringACalculationClosesWithoutAsking)
{
    TypeKeys("2");
    m_factory->SetDelay(60000);
    m_frame->OnCommand(cmd::kSqrt);
    m_frame->RequestClose();
    EXPECT_TRUE(m_services.boxes.empty());
    EXPECT_TRUE(m_frame->IsDestroyed());
    EXPECT_EQ(m_frame->Controller().Engine(), nullptr);  // cancelled, waited for, released
}

TEST_F(MainWindowTest, AFlyingItemBecomesTheEntryWhenItLandsAndASecondFlightWaits)
{
    const CPaneImageList images(CPaneImageList::Kind::History);
    m_frame->BeginItemDrag(images, CPaneImageList::kDragImage, 20, 20, "12");
    m_frame->BeginItemDrag(images, CPaneImageList::kDragImage, 20, 20, "99");  // ignored
    EXPECT_EQ(Entry(), "0");
    QElapsedTimer timer;
    timer.start();
    while (Entry() == "0" && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(Entry(), "12");
    QTest::qWait(100);
    EXPECT_EQ(Entry(), "12");
}

TEST_F(MainWindowTest, MaxDigitsAngleLoadAndSaveAreRefusedWhileCalculating)
{
    TypeKeys("2");
    m_factory->SetDelay(60000);
    m_frame->OnCommand(cmd::kSqrt);
    ASSERT_TRUE(m_frame->Controller().IsCalculating());
    const int digits = m_frame->Controller().Engine()->GetDisplayDigits();
    const int angle = m_frame->CalcWindow()->AngleSetting();
    const int beeps = m_services.beeps;
    m_frame->OnCommand(32841);          // Max Digits 15
    m_frame->OnCommand(cmd::kRadians);  // angle
    m_frame->LoadCalculation("/nonexistent.qxv7", false);
    EXPECT_EQ(m_frame->Controller().Engine()->GetDisplayDigits(), digits);
    EXPECT_EQ(m_frame->CalcWindow()->AngleSetting(), angle);
    EXPECT_GE(m_services.beeps, beeps + 2);
    EXPECT_TRUE(m_services.boxes.empty());
    EXPECT_TRUE(m_frame->Controller().IsCalculating());
    QTest::keyClick(m_frame->CalcWindow()->Edit(), Qt::Key_Escape);
    ASSERT_TRUE(Settle());
    m_frame->OnCommand(32841);  // now it goes through (the calculator shows only "2": it asks)
    EXPECT_EQ(m_services.boxes.size(), 1u);
}

// A main frame over the in-process worker with scripted services, made by a
// test that needs no fixture around it.
struct CInProcessFrame {
    CEvent done;
    CEvent aborted;
    std::shared_ptr<CInProcessWorkerHost> host = std::make_shared<CInProcessWorkerHost>();
    CScriptedServices services;
    CMainFrame frame{MakeSetup()};

    CMainFrame::Setup MakeSetup()
    {
        CMainFrame::Setup setup;
        setup.events = {&done, &aborted};
        setup.workerFactory = host;
        setup.processWaiter = host;
        setup.services = &services;
        return setup;
    }
};

TEST(MainWindowConfig, OutOfRangeDigitsFromTheOptionsFileGiveTheDefault)
{
    TestApplication();
    ConfigOptions::Instance().m_nSigDigits = 9999;
    CInProcessFrame window;
    CMainFrame& frame = window.frame;
    frame.Create();
    EXPECT_EQ(frame.Controller().Engine()->GetDisplayDigits(), ConfigOptions::kDefaultSigDigits);
    frame.close();
    EXPECT_EQ(ConfigOptions::Instance().m_nSigDigits, ConfigOptions::kDefaultSigDigits);
}

TEST(MainWindowConfig, TheEngineKeepsTheAngleUnitAndTheStoredOptionsGetIt)
{
    TestApplication();
    ConfigOptions::Instance().SetDefaults();
    ConfigOptions::Instance().m_angleSetting = 2;
    CInProcessFrame window;
    CMainFrame& frame = window.frame;
    frame.Create();
    // Taken from the options at start: the engine keeps it, the keypad shows it.
    EXPECT_EQ(frame.Controller().Engine()->GetAngleSetting(), 2);
    EXPECT_EQ(frame.CalcWindow()->AngleSetting(), 2);
    EXPECT_TRUE(frame.CalcWindow()->AngleButton(2)->IsDown());

    // The keypad's buttons and the Options menu both reach the engine.
    frame.CalcWindow()->SetRadians();
    EXPECT_EQ(frame.Controller().Engine()->GetAngleSetting(), 1);
    frame.OnCommand(cmd::kDegrees);
    EXPECT_EQ(frame.Controller().Engine()->GetAngleSetting(), 0);
    EXPECT_EQ(frame.CalcWindow()->AngleSetting(), 0);
    frame.OnCommand(cmd::kRadians);
    EXPECT_EQ(ConfigOptions::Instance().m_angleSetting.load(), 2);  // not stored yet

    frame.close();
    EXPECT_EQ(ConfigOptions::Instance().m_angleSetting.load(), 1);
    ConfigOptions::Instance().SetDefaults();
}

TEST_F(MainWindowTest, HistoryGetsEachResultOfEquals)
{
    const int before = m_frame->Panes().GetPaneState(PaneId::History).itemCount;
    TypeKeys("2+3=");
    TypeKeys("*2=");
    EXPECT_EQ(m_frame->Panes().GetPaneState(PaneId::History).itemCount, before + 2);
}

}  // namespace

namespace {

class StartupFileTest : public ::testing::Test {
protected:
    void SetUp() override { TestApplication(); }
};

// A saved calculation of "6 * 7" written by a window of its own.
std::string SavedSixTimesSeven(const std::string& name)
{
    const std::string path = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/" + name;
    struct Writer : WindowFixture {
        void TestBody() override {}
    } writer;
    writer.TypeKeys("6*7");
    EXPECT_TRUE(CCalculationFiles(writer.m_frame->Controller()).Save(path));
    return path;
}

TEST_F(StartupFileTest, TheStartUpFileIsLoadedBeforeTheWindowShowsAndAMissingOneIsIgnored)
{
    const std::string path = SavedSixTimesSeven("start.qxv7");
    for (const std::string& given : {path, path + ".missing"}) {
        CInProcessFrame window;
        CMainFrame& frame = window.frame;
        const CScriptedServices& services = window.services;
        frame.Create(given == path ? given : std::string());
        EXPECT_FALSE(frame.isVisible());
        EXPECT_EQ(frame.Controller().EntryLine().GetText(), given == path ? "7" : "0") << given;
        EXPECT_TRUE(services.boxes.empty()) << given;
        frame.close();
    }
}

TEST_F(StartupFileTest, AHandOverRaisesTheWindowAndAsksBeforeReplacingACalculation)
{
    const std::string path = SavedSixTimesSeven("handed.qxv7");
    struct Window : WindowFixture {
        void TestBody() override {}
    } window;
    window.m_frame->showMinimized();
    QApplication::processEvents();
    window.TypeKeys("5+");
    window.m_services.answers.push_back(UiMessageAnswer::No);
    window.m_frame->OnHandOver(QString::fromStdString(path));
    EXPECT_FALSE(window.m_frame->isMinimized());
    ASSERT_EQ(window.m_services.boxes.size(), 1u);
    EXPECT_EQ(window.Entry(), "5");
    window.m_services.answers.push_back(UiMessageAnswer::Yes);
    window.m_frame->OnHandOver(QString::fromStdString(path));
    EXPECT_EQ(window.Entry(), "7");
    window.m_frame->OnHandOver(QString());  // only raises
    EXPECT_EQ(window.Entry(), "7");
    EXPECT_EQ(window.m_services.boxes.size(), 2u);
}

}  // namespace
