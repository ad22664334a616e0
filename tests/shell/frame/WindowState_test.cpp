// The window state of the real main window across restarts: each test starts
// frames one after the other over one state file of its own.

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>

#include "WindowFixture.h"
#include "docking/AutoHideManager.h"
#include "docking/DockEvents.h"
#include "docking/DockingWindow.h"
#include "docking/TabDockingBox.h"
#include "docking/state/DockWndState.h"
#include "docking/state/WindowState.h"
#include "resources/CommandIds.h"
#include "settings/WindowSettings.h"
#include "shell/frame/FrameController.h"
#include "shell/menus/CommandActions.h"
#include "shell/menus/FrameMenus.h"
#include "shell/menus/StatusBar.h"

namespace {

using sstate::ScreenSet;

const QString kMain = QStringLiteral("WinSettings/Main Window/");
const QString kHistoryRecord = kMain + "0xffffffff/0xffffffff";
const QString kVariablesRecord = kMain + "0xffffffff/0xfffffffe";

ScreenSet Screens(int width, int height) { return {QSize(width, height), {QRect(0, 0, width, height)}}; }

std::uint32_t Word(const QByteArray& bytes, int index)
{
    std::uint32_t v = 0;
    std::memcpy(&v, bytes.constData() + index * 4, 4);
    return v;
}

void SetWord(QByteArray& bytes, int index, std::uint32_t v) { std::memcpy(bytes.data() + index * 4, &v, 4); }

class WindowStateTest : public ::testing::Test {
public:
    WindowStateTest()
    {
        TestApplication();
        ResetWindowSettings();
    }
    ~WindowStateTest() override
    {
        if (frame)
            Close();
        ResetWindowSettings();  // the record is the program's one: later tests start from the defaults
    }
    static void ResetWindowSettings()
    {
        WindowSettings& settings = WindowSettings::Instance();
        settings.m_bHistoryWinHidden = false;
        settings.m_bVariablesWinHidden = false;
        settings.SetDefaults();
    }

    QString Path() const { return m_dir.filePath("Calculator.ini"); }

    void Start(ScreenSet screens = Screens(1920, 1080))
    {
        CMainFrame::Setup setup;
        setup.events = {&m_done, &m_aborted};
        setup.workerFactory = m_factory;
        setup.processWaiter = m_host;
        setup.services = &m_services;
        setup.windowStatePath = Path();
        frame = std::make_unique<CMainFrame>(setup);
        frame->WindowState().SetScreenSource([screens] { return screens; });
        frame->Create();
        frame->show();
        QApplication::processEvents();
    }
    void Close()
    {
        frame->close();
        // A box that its windows left closes itself and goes first, as the
        // event loop would have let it.
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frame.reset();
        QApplication::processEvents();
    }
    void Restart(ScreenSet screens = Screens(1920, 1080))
    {
        Close();
        Start(screens);
    }
    // Changes the stored file between two runs.
    void Edit(const std::function<void(QSettings&)>& change)
    {
        QSettings ini(Path(), QSettings::IniFormat);
        change(ini);
        ini.sync();
    }
    QByteArray Stored(const QString& key) const
    {
        QSettings ini(Path(), QSettings::IniFormat);
        return ini.value(key).toByteArray();
    }

    CTabbedAutoHideDockingWindow* History() const { return frame->PaneWindow(PaneId::History); }
    CTabbedAutoHideDockingWindow* Variables() const { return frame->PaneWindow(PaneId::Variables); }
    dockwins::DockPosition Position(CTabbedAutoHideDockingWindow* w) const
    {
        dockwins::DockRequest request;
        request.window = w;
        request.target = w->DockedTo();
        EXPECT_TRUE(w->GetDockingPosition(request));
        return request.position;
    }
    // The box that holds both panes, when they share one.
    dockwins::CTabDockingBox* Box() const
    {
        QWidget* holder = History()->DockedTo();
        return holder && holder == Variables()->DockedTo() ? qobject_cast<dockwins::CTabDockingBox*>(holder) : nullptr;
    }
    bool Checked(unsigned id) const { return frame->Menus()->Actions().Action(id)->isChecked(); }
    // The pane is shown, or comes back with the View command.
    bool Reachable(CTabbedAutoHideDockingWindow* w) const
    {
        if (!w->IsVisibleWindow())
            w->Activate();
        return w->IsVisibleWindow();
    }
    bool OnScreen(const QRect& r, const ScreenSet& screens = Screens(1920, 1080)) const
    {
        for (const QRect& s : screens.rects)
            if (s.intersects(r))
                return true;
        return false;
    }

    std::unique_ptr<CMainFrame> frame;

private:
    QTemporaryDir m_dir;
    CEvent m_done;
    CEvent m_aborted;

protected:
    CScriptedServices m_services;
    std::shared_ptr<CInProcessWorkerHost> m_host = std::make_shared<CInProcessWorkerHost>();
    std::shared_ptr<CDelayingFactory> m_factory = std::make_shared<CDelayingFactory>(m_host);
};

}  // namespace

TEST_F(WindowStateTest, FirstStartUsesTheCreatedLayoutAndClosingStoresEveryValue)
{
    Start();
    EXPECT_TRUE(History()->IsDocked());
    EXPECT_TRUE(Variables()->IsDocked());
    EXPECT_TRUE(History()->IsVisibleWindow());
    EXPECT_EQ(Position(History()).sideFlags & 3u, 3u);  // the left bar
    EXPECT_FALSE(frame->Menus()->ToolBar()->isHidden());
    EXPECT_FALSE(frame->Menus()->StatusBar()->isHidden());
    EXPECT_TRUE(Checked(menucmd::kViewToolbar));
    EXPECT_TRUE(Checked(menucmd::kViewStatusBar));
    Close();

    QSettings ini(Path(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("WinSettings/General/SM_CXSCREEN").toInt(), 1920);
    EXPECT_EQ(ini.value("WinSettings/General/SM_CYSCREEN").toInt(), 1080);
    const QByteArray placement = ini.value(kMain + "placement").toByteArray();
    ASSERT_EQ(placement.size(), 44);
    EXPECT_EQ(Word(placement, 0), 44u);
    EXPECT_EQ(Word(placement, 1), 0u);  // flags
    EXPECT_EQ(Word(placement, 2), 1u);  // shown normally
    EXPECT_EQ(ini.value(kMain + "0xfffffffd/visible").toInt(), 1);
    EXPECT_EQ(ini.value(kMain + "0xfffffffe/version").toInt(), 0);
    for (const char* band : {"0xfffffffe/band0", "0xfffffffe/band1"}) {
        const QByteArray bytes = ini.value(kMain + band).toByteArray();
        ASSERT_EQ(bytes.size(), 80) << band;
        EXPECT_EQ(Word(bytes, 0), 80u);
        EXPECT_EQ(Word(bytes, 1), 0x341u);
    }
    for (const QString& key : {kHistoryRecord, kVariablesRecord}) {
        const QByteArray record = ini.value(key).toByteArray();
        ASSERT_EQ(record.size(), 60) << key.toStdString();
        EXPECT_EQ(Word(record, 0), 0u);   // never a handle of this run
        EXPECT_EQ(Word(record, 2), 4u);   // filled by the position query
        EXPECT_EQ(Word(record, 13), 1u);  // docked
        EXPECT_EQ(Word(record, 14), 1u);  // visible
    }
}

TEST_F(WindowStateTest, ThePlacementComesBackNormalMaximisedOrFromMinimised)
{
    const QRect normal(120, 90, 900, 700);
    Start();
    frame->setGeometry(normal);
    Restart();
    EXPECT_EQ(frame->geometry(), normal);
    EXPECT_FALSE(frame->isMaximized());

    frame->showMaximized();
    QApplication::processEvents();
    Restart();
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_EQ(frame->normalGeometry(), normal);
    EXPECT_EQ(Word(Stored(kMain + "placement"), 1), 2u);  // restores to maximised

    frame->showNormal();
    frame->setGeometry(normal);
    frame->showMinimized();
    QApplication::processEvents();
    Restart();
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_EQ(frame->geometry(), normal);
}

TEST_F(WindowStateTest, HiddenBarsStayHiddenAndAnotherBandVersionKeepsTheBandsAsCreated)
{
    Start();
    frame->OnCommand(static_cast<int>(menucmd::kViewToolbar));
    frame->OnCommand(static_cast<int>(menucmd::kViewStatusBar));
    Restart();
    EXPECT_TRUE(frame->Menus()->ToolBar()->isHidden());
    EXPECT_TRUE(frame->Menus()->StatusBar()->isHidden());
    EXPECT_FALSE(frame->Menus()->MenuBar()->isHidden());
    EXPECT_FALSE(Checked(menucmd::kViewToolbar));
    EXPECT_FALSE(Checked(menucmd::kViewStatusBar));

    Close();
    Edit([](QSettings& ini) { ini.setValue(kMain + "0xfffffffe/version", 1); });
    Start();
    EXPECT_FALSE(frame->Menus()->ToolBar()->isHidden());
    EXPECT_TRUE(Checked(menucmd::kViewToolbar));
    EXPECT_TRUE(frame->Menus()->StatusBar()->isHidden());  // its own item is still restored

    // A stored style that hides the menu band never hides the menu bar.
    Close();
    Edit([](QSettings& ini) {
        QByteArray band = ini.value(kMain + "0xfffffffe/band0").toByteArray();
        SetWord(band, 2, Word(band, 2) | 0x8);
        ini.setValue(kMain + "0xfffffffe/band0", band);
        ini.setValue(kMain + "0xfffffffe/version", 0);
    });
    Start();
    EXPECT_FALSE(frame->Menus()->MenuBar()->isHidden());
}

TEST_F(WindowStateTest, PositionsAreScaledToAScreenOfAnotherSize)
{
    Start(Screens(960, 1080));
    frame->setGeometry(10, 10, 1800, 1000);  // room for the wider bar
    const QRect normal = frame->geometry();
    History()->SetFloatingRect({100, 50, 400, 250});
    ASSERT_TRUE(History()->Float());
    ASSERT_TRUE(frame->DockWindow(Variables(), 3, 0, 0.0f, 120, 100));
    const unsigned width = Position(Variables()).width;
    ASSERT_EQ(width, 120u);
    Restart(Screens(1920, 1080));
    EXPECT_FALSE(History()->IsDocked());
    EXPECT_EQ(History()->FloatingRect(), (dockwins::RECT{200, 50, 800, 250}));
    EXPECT_EQ(History()->geometry(), QRect(200, 50, 600, 200));
    ASSERT_TRUE(Variables()->IsDocked());
    EXPECT_EQ(Position(Variables()).width, 2 * width);
    EXPECT_EQ(frame->geometry(), normal);  // the placement is not scaled
}

TEST_F(WindowStateTest, LayoutsComeBackAfterARestart)
{
    // Bars left and right, in a window of another size than the one it is
    // made with: the bars come back as wide as they were.
    Start();
    frame->setGeometry(40, 30, 1000, 760);
    ASSERT_TRUE(frame->DockWindow(Variables(), 1, 0, 0.0f, 220, 100));
    const unsigned left = Position(History()).width;
    Restart();
    ASSERT_TRUE(History()->IsDocked());
    ASSERT_TRUE(Variables()->IsDocked());
    EXPECT_EQ(Position(History()).sideFlags & 3u, 3u);
    EXPECT_EQ(Position(Variables()).sideFlags & 3u, 1u);
    EXPECT_EQ(Position(Variables()).width, 220u);
    EXPECT_EQ(Position(History()).width, left);

    // One floating.
    History()->SetFloatingRect({300, 200, 600, 500});
    ASSERT_TRUE(History()->Float());
    Restart();
    EXPECT_FALSE(History()->IsDocked());
    EXPECT_TRUE(History()->isVisible());
    EXPECT_EQ(History()->geometry(), QRect(300, 200, 300, 300));
    EXPECT_TRUE(Variables()->IsDocked());

    // History hidden: still hidden, and the View command brings it back docked.
    ASSERT_TRUE(History()->DockBack());
    ASSERT_TRUE(History()->IsDocked());
    History()->Hide();
    Restart();
    EXPECT_FALSE(History()->IsVisibleWindow());
    EXPECT_TRUE(Variables()->IsVisibleWindow());
    frame->OnCommand(static_cast<int>(menucmd::kShowHistory));
    EXPECT_TRUE(History()->IsVisibleWindow());
    EXPECT_TRUE(History()->IsDocked());
}

TEST_F(WindowStateTest, PanesOfOneBoxComeBackInOneBoxWithTheirFrontTab)
{
    Start();
    dockwins::CTabDockingBox* box = Box();
    ASSERT_NE(box, nullptr);  // as created: one box on the left, History in front
    EXPECT_FALSE(History()->isHidden());
    EXPECT_TRUE(Variables()->isHidden());
    const int historyTab = box->TabIndexOf(History());
    Variables()->Activate();
    Close();
    const WindowSettings& settings = WindowSettings::Instance();
    EXPECT_TRUE(settings.m_bHistoryWinAndVarWinDocked);
    EXPECT_EQ(settings.m_nHistoryWinIndex, historyTab);
    EXPECT_FALSE(settings.m_bHistoryWinOnTop);
    // The layout alone rebuilds the box with its front tab.
    WindowSettings::Instance().m_bHistoryWinAndVarWinDocked = false;
    Start();
    box = Box();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->IsDocked());
    EXPECT_EQ(Position(History()).sideFlags & 3u, 3u);
    EXPECT_EQ(box->TabIndexOf(History()), historyTab);
    EXPECT_EQ(box->ActiveWindow(), Variables());

    // The box floating, rebuilt from the layout alone.
    box->SetFloatingRect({300, 200, 700, 600});
    ASSERT_TRUE(box->Float());
    Close();
    WindowSettings::Instance().m_bHistoryWinAndVarWinDocked = false;
    Start();
    box = Box();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->IsDocked());
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->geometry(), QRect(300, 200, 400, 400));
    EXPECT_EQ(box->ActiveWindow(), Variables());
}

TEST_F(WindowStateTest, APaneClosedFromTheBoxStaysClosedAndComesBackAsATab)
{
    Start();
    ASSERT_NE(Box(), nullptr);
    Variables()->CloseByButton();
    QApplication::processEvents();
    Restart();
    EXPECT_TRUE(History()->IsVisibleWindow());
    EXPECT_TRUE(History()->IsDocked());
    EXPECT_EQ(Position(History()).sideFlags & 3u, 3u);
    EXPECT_FALSE(Variables()->IsShownOrTabbed());
    frame->OnCommand(static_cast<int>(menucmd::kShowVariables));
    QApplication::processEvents();
    ASSERT_NE(Box(), nullptr);
    EXPECT_EQ(Box()->ActiveWindow(), Variables());
}

TEST_F(WindowStateTest, TheBoxPinnedRightComesBackAsOneLabel)
{
    Start();
    dockwins::CTabDockingBox* box = Box();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(frame->DockWindow(box, 1, 0, 0.0f, 200, 100));  // the right side
    ASSERT_TRUE(box->PinBox(false));
    QApplication::processEvents();
    const auto& labels = frame->AutoHide().Model();
    const auto pinnedSide = [&] {
        for (int side = 0; side < 4; ++side)
            if (labels.LabelCount(side) > 0)
                return side;
        return -1;
    };
    const int side = pinnedSide();
    ASSERT_GE(side, 0);
    ASSERT_EQ(labels.LabelCount(side), 1);
    Restart();
    const auto& restored = frame->AutoHide().Model();
    EXPECT_EQ(restored.LabelCount(side), 1);  // one label, pinned once
    int labelsInAll = 0;
    for (int s = 0; s < 4; ++s)
        labelsInAll += restored.LabelCount(s);
    EXPECT_EQ(labelsInAll, 1);
    EXPECT_TRUE(restored.IsPinned(QPointer<QWidget>(History())));
    EXPECT_TRUE(restored.IsPinned(QPointer<QWidget>(Variables())));
    EXPECT_TRUE(History()->IsVisibleWindow());  // pinned counts as shown
}

TEST_F(WindowStateTest, PanesPinnedInOneLabelKeepTheirOwnWidths)
{
    // The box pinned right, History slid out and made 100 px wider by its
    // sizing bar: each pane of the label comes back with its own width, and
    // a second restart changes no stored word.
    Start();
    ASSERT_NE(Box(), nullptr);
    ASSERT_TRUE(frame->DockWindow(Box(), 1, 0, 0.0f, 200, 100));
    ASSERT_TRUE(Box()->PinBox(false));
    QApplication::processEvents();
    dockwins::CAutoHideManager& manager = frame->AutoHide();
    ASSERT_TRUE(manager.Show(History(), false));
    QWidget* area = frame->ClientArea();
    const QPoint bar = manager.Pane()->mapTo(frame.get(), manager.Pane()->SizingBar().center());
    QTest::mousePress(frame->windowHandle(), Qt::LeftButton, {}, bar);
    QTest::mouseMove(frame->windowHandle(), bar - QPoint(50, 0));
    QTest::mouseMove(frame->windowHandle(), bar - QPoint(100, 0));
    QTest::mouseRelease(frame->windowHandle(), Qt::LeftButton, {}, bar - QPoint(100, 0));
    QApplication::processEvents();
    ASSERT_NE(area, nullptr);
    const unsigned history = Position(History()).width;
    const unsigned variables = Position(Variables()).width;
    ASSERT_EQ(history, variables + 100);
    manager.Hide(false);
    Restart();
    ASSERT_TRUE(frame->AutoHide().Model().IsPinned(QPointer<QWidget>(History())));
    EXPECT_EQ(Position(History()).width, history);
    EXPECT_EQ(Position(Variables()).width, variables);
    const QByteArray historyRecord = Stored(kHistoryRecord);
    const QByteArray variablesRecord = Stored(kVariablesRecord);
    Restart();
    EXPECT_EQ(Stored(kHistoryRecord), historyRecord);
    EXPECT_EQ(Stored(kVariablesRecord), variablesRecord);
    EXPECT_EQ(Word(Stored(kHistoryRecord), 6), history);
    EXPECT_EQ(Word(Stored(kVariablesRecord), 6), variables);
}

TEST_F(WindowStateTest, ATerminationRequestInTheTrayKeepsWhatWasShown)
{
    Start();
    History()->SetFloatingRect({300, 200, 600, 500});
    ASSERT_TRUE(History()->Float());
    frame->hide();  // in the tray
    frame->RequestClose();
    frame.reset();
    Start();
    EXPECT_TRUE(History()->IsVisibleWindow());
    EXPECT_FALSE(History()->IsDocked());
    EXPECT_TRUE(Variables()->IsVisibleWindow());
    EXPECT_FALSE(frame->Menus()->StatusBar()->isHidden());
    EXPECT_FALSE(frame->Menus()->ToolBar()->isHidden());
}

TEST_F(WindowStateTest, QuitAnsweredNoStoresNothing)
{
    Start();
    Restart();
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    frame->OnCommand(static_cast<int>(menucmd::kViewToolbar));
    m_factory->SetDelay(60000);
    frame->OnCommand(cmd::kDigit0 + 2);
    frame->OnCommand(cmd::kSqrt);
    ASSERT_TRUE(frame->Controller().IsCalculating());
    m_services.answers.push_back(UiMessageAnswer::No);
    frame->close();
    ASSERT_FALSE(frame->IsDestroyed());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();
    m_factory->SetDelay(0);
    m_services.answers.push_back(UiMessageAnswer::Yes);
}

TEST_F(WindowStateTest, WithoutGeneralEveryItemTakesItsDefault)
{
    Start();
    frame->OnCommand(static_cast<int>(menucmd::kViewStatusBar));
    History()->SetFloatingRect({300, 200, 600, 500});
    ASSERT_TRUE(History()->Float());
    Close();
    Edit([](QSettings& ini) { ini.remove("WinSettings/General"); });
    Start();
    EXPECT_FALSE(frame->Menus()->StatusBar()->isHidden());
    EXPECT_TRUE(History()->IsDocked());
    EXPECT_TRUE(History()->IsVisibleWindow());
}

TEST_F(WindowStateTest, CorruptValuesGiveThatItemsDefault)
{
    Start();
    frame->setGeometry(100, 100, 900, 700);
    Close();
    QSettings good(Path(), QSettings::IniFormat);
    const QByteArray placement = good.value(kMain + "placement").toByteArray();
    const QByteArray history = good.value(kHistoryRecord).toByteArray();

    struct Case {
        const char* name;
        std::function<void(QSettings&)> change;
    } cases[] = {
        {"placement of 43 bytes", [&](QSettings& s) { s.setValue(kMain + "placement", placement.left(43)); }},
        {"placement of 45 bytes", [&](QSettings& s) { s.setValue(kMain + "placement", placement + '\0'); }},
        {"placement as text", [&](QSettings& s) { s.setValue(kMain + "placement", "wide"); }},
        {"screen width 0", [&](QSettings& s) { s.setValue("WinSettings/General/SM_CXSCREEN", 0); }},
        {"screen width as text", [&](QSettings& s) { s.setValue("WinSettings/General/SM_CXSCREEN", "big"); }},
        {"a 10-byte record", [&](QSettings& s) { s.setValue(kHistoryRecord, history.left(10)); }},
        {"a NaN fraction",
         [&](QSettings& s) {
             QByteArray r = history;
             SetWord(r, 5, 0x7FC00000u);
             s.setValue(kHistoryRecord, r);
         }},
        {"a window at (50000, 50000)",
         [&](QSettings& s) {
             QByteArray p = placement;
             SetWord(p, 7, 50000);
             SetWord(p, 8, 50000);
             SetWord(p, 9, 50900);
             SetWord(p, 10, 50700);
             s.setValue(kMain + "placement", p);
         }},
        {"a floating pane at (50000, 50000)",
         [&](QSettings& s) {
             QByteArray r = history;
             SetWord(r, 9, 50000);
             SetWord(r, 10, 50000);
             SetWord(r, 11, 50300);
             SetWord(r, 12, 50300);
             SetWord(r, 13, 0);  // floating
             s.setValue(kHistoryRecord, r);
         }},
        {"show command 0",
         [&](QSettings& s) {
             QByteArray p = placement;
             SetWord(p, 2, 0);
             s.setValue(kMain + "placement", p);
         }},
        {"show command 6",
         [&](QSettings& s) {
             QByteArray p = placement;
             SetWord(p, 2, 6);
             s.setValue(kMain + "placement", p);
         }},
        {"bar index 0x7fffffff",
         [&](QSettings& s) {
             QByteArray r = history;
             SetWord(r, 4, 0x7fffffffu);
             s.setValue(kHistoryRecord, r);
         }},
        {"an unreadable file", [&](QSettings&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit([&](QSettings& s) {
            s.setValue(kMain + "placement", placement);
            s.setValue(kHistoryRecord, history);
            s.setValue("WinSettings/General/SM_CXSCREEN", 1920);
            c.change(s);
        });
        if (std::strcmp(c.name, "an unreadable file") == 0) {
            QFile file(Path());
            ASSERT_TRUE(file.open(QIODevice::Append));
            file.write("\n[WinSettings\n=\\x\n");
        }
        Start();
        EXPECT_TRUE(frame->isVisible());
        EXPECT_FALSE(frame->isMinimized());
        EXPECT_TRUE(OnScreen(frame->geometry()));
        EXPECT_TRUE(Reachable(History()));
        EXPECT_TRUE(Reachable(Variables()));
        if (!History()->IsDocked()) {
            EXPECT_TRUE(OnScreen(History()->geometry()));
        }
        Close();
    }
}

TEST_F(WindowStateTest, RandomlyDamagedValuesRestoreWithEveryPaneReachable)
{
    Start();
    History()->SetFloatingRect({300, 200, 600, 500});
    ASSERT_TRUE(History()->Float());
    Close();
    QSettings original(Path(), QSettings::IniFormat);
    QStringList keys = original.allKeys();
    std::map<QString, QVariant> values;
    for (const QString& key : keys)
        values[key] = original.value(key);

    std::mt19937 random(20261210);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        QFile::remove(Path());
        Edit([&](QSettings& s) {
            for (const auto& [key, value] : values)
                s.setValue(key, value);
            for (int changes = 1 + pick(3); changes > 0; --changes) {
                const QString key = keys[pick(static_cast<int>(keys.size()))];
                QVariant v = s.value(key);
                switch (pick(6)) {
                case 0: {  // random bytes changed
                    QByteArray b = v.toByteArray();
                    for (int i = 0; i < 4 && !b.isEmpty(); ++i)
                        b[pick(static_cast<int>(b.size()))] = static_cast<char>(pick(256));
                    s.setValue(key, b);
                    break;
                }
                case 1: s.setValue(key, v.toByteArray().left(pick(std::max<int>(1, v.toByteArray().size())))); break;
                case 2: s.setValue(key, v.toByteArray() + QByteArray(1 + pick(20), '\x7f')); break;
                case 3: s.setValue(key, QStringLiteral("text")); break;
                case 4: s.remove(key); break;
                default: s.setValue(key + "x", 12345); break;
                }
            }
        });
        Start();
        EXPECT_TRUE(OnScreen(frame->geometry()));
        EXPECT_TRUE(Reachable(History()));
        EXPECT_TRUE(Reachable(Variables()));
        Close();
    }
}
