// Hand-overs of later starts reaching the real window through the real
// socket: connections that say nothing do not hold the window up, and
// files that come while a box or dialog is open or a step runs wait for it,
// so no box ever opens inside another and no file is lost.

#include <QDialog>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "HandOverFixture.h"
#include "keypad/CalcEdit.h"
#include "keypad/CalcWindow.h"
#include "resources/CommandIds.h"
#include "shell/frame/FrameController.h"
#include "shell/frame/SavedCalculation.h"

namespace {

using namespace std::chrono_literals;

// A saved calculation of "a * b" (its entry line shows b), written by a window of its own.
std::string SavedProduct(const std::string& name, const char* keys)
{
    const std::string path = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/" + name;
    {
        struct Writer : WindowFixture {
            void TestBody() override {}
        } writer;
        writer.TypeKeys(keys);
        EXPECT_TRUE(CCalculationFiles(writer.m_frame->Controller()).Save(path));
    }
    return path;
}

class HandOverTest : public HandOverFixture {
protected:
    // A modal dialog of the test's own, run to its end; it closes when `until` holds.
    static void RunModalDialogUntil(const std::function<bool()>& until)
    {
        QDialog dialog;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (until())
                dialog.reject();
        });
        poll.start(5);
        dialog.exec();
    }
};

TEST_F(HandOverTest, IdleConnectionsDoNotHoldUpTypingOrARealHandOver)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longestGap = 0;
    QTimer pulse;
    QObject::connect(&pulse, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, clock.elapsed() - last);
        last = clock.elapsed();
    });
    pulse.start(10);

    std::atomic<bool> idleOpen{false};
    std::atomic<bool> typed{false};
    std::atomic<bool> finished{false};
    bool delivered = false;
    std::thread client([&] {
        std::vector<std::unique_ptr<QLocalSocket>> idle;
        for (int i = 0; i < 20; ++i) {
            idle.push_back(std::make_unique<QLocalSocket>());
            idle.back()->connectToServer(HandOverSocketPath());
            idle.back()->waitForConnected(2000);
        }
        idleOpen = true;
        while (!typed)
            std::this_thread::sleep_for(5ms);
        delivered = SendToFirstInstance(HandOverSocketPath(), QString(), 5s);
        finished = true;
    });
    while (!idleOpen)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    TypeKeys("2+3=");
    typed = true;
    EXPECT_EQ(Entry(), "5");
    while (!finished)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    client.join();
    EXPECT_TRUE(delivered);
    EXPECT_LT(longestGap, 1000) << "the window stood still while connections were idle";
}

TEST_F(HandOverTest, HandOversWhileABoxIsOpenWaitAndOnlyTheNewestRunsAfterIt)
{
    const std::string older = SavedProduct("older.qxv7", "6*7");
    const std::string newest = SavedProduct("newest.qxv7", "8*9");
    TypeKeys("5+");  // a calculation: every load asks first

    int depth = 0, deepest = 0;
    std::atomic<bool> clientDone{false};
    m_services.onBox = [&] {
        deepest = std::max(deepest, ++depth);
        // The first question stays open (a real modal dialog) until the client
        // has made all its hand-overs; later ones are answered at once.
        if (m_services.boxes.size() == 1)
            RunModalDialogUntil([&] { return clientDone.load(); });
        --depth;
    };
    m_services.answers = {UiMessageAnswer::No, UiMessageAnswer::Yes};

    int taken = 0;
    RunClient([&] {
        if (SendToFirstInstance(HandOverSocketPath(), QString::fromStdString(older), 5s))
            ++taken;
        // Wait until the first question is up, then hand over many more.
        std::this_thread::sleep_for(200ms);
        for (int i = 0; i < 60; ++i) {
            const QString path = i % 3 == 0 ? QString() : QString::fromStdString(i == 59 ? newest : older);
            if (SendToFirstInstance(HandOverSocketPath(), path, 5s))
                ++taken;
        }
        clientDone = true;
    });
    ASSERT_TRUE(Settle());
    QElapsedTimer wait;
    wait.start();
    while (m_services.boxes.size() < 2 && wait.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents();

    EXPECT_EQ(taken, 61);
    EXPECT_EQ(deepest, 1) << "a box opened inside another";
    ASSERT_EQ(m_services.boxes.size(), 2u) << "the first hand-over's question and the newest one's";
    EXPECT_NE(m_services.boxes[1].text.find(newest), std::string::npos) << m_services.boxes[1].text;
    EXPECT_EQ(Entry(), "9");
}

TEST_F(HandOverTest, AHandOverWaitsForAnotherDialogToClose)
{
    const std::string path = SavedProduct("waiting.qxv7", "6*7");
    TypeKeys("5+");
    m_services.answers = {UiMessageAnswer::Yes};
    int boxesWhileOpen = -1;
    std::atomic<bool> clientDone{false};
    bool delivered = false;
    std::thread client([&] {
        delivered = SendToFirstInstance(HandOverSocketPath(), QString::fromStdString(path), 5s);
        clientDone = true;
    });
    QElapsedTimer after;
    RunModalDialogUntil([&] {
        if (!clientDone)
            return false;
        // Give the window time to act wrongly.
        if (!after.isValid())
            after.start();
        if (after.elapsed() < 500)
            return false;
        boxesWhileOpen = static_cast<int>(m_services.boxes.size());
        return true;
    });
    client.join();
    EXPECT_TRUE(delivered);
    EXPECT_EQ(boxesWhileOpen, 0);
    QElapsedTimer wait;
    wait.start();
    while (m_services.boxes.empty() && wait.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_EQ(m_services.boxes.size(), 1u);
    EXPECT_EQ(Entry(), "7");
}

// A file handed over while a step runs (held long by the worker's report
// delay) waits for the step to end, or to be cancelled, and then loads as
// any hand-over: with the question, since the calculator holds a calculation.
TEST_F(HandOverTest, AFileHandedOverDuringAStepLoadsWhenTheStepHasEndedOrWasCancelled)
{
    const std::string path = SavedProduct("during-step.qxv7", "6*7");
    for (const bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "cancelled" : "ended");
        m_services.boxes.clear();
        m_services.beeps = 0;
        m_services.answers = {UiMessageAnswer::Yes};
        TypeKeys("\x1b" "2");
        m_factory->SetDelay(cancel ? 60000 : 2000);
        m_frame->OnCommand(cmd::kSqrt);
        ASSERT_TRUE(m_frame->Controller().IsCalculating());

        bool delivered = false;
        RunClient([&] { delivered = SendToFirstInstance(HandOverSocketPath(), QString::fromStdString(path), 5s); });
        EXPECT_TRUE(delivered);
        ASSERT_TRUE(m_frame->Controller().IsCalculating()) << "the step ended before the hand-over came";
        EXPECT_TRUE(m_services.boxes.empty());
        EXPECT_EQ(m_services.beeps, 0) << "the load was refused";

        if (cancel)
            QTest::keyClick(m_frame->CalcWindow()->Edit(), Qt::Key_Escape);
        ASSERT_TRUE(Settle());
        QElapsedTimer wait;
        wait.start();
        while (m_services.boxes.empty() && wait.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        ASSERT_EQ(m_services.boxes.size(), 1u);
        EXPECT_EQ(m_services.boxes[0].text, LoadQuestionText(path));
        EXPECT_EQ(Entry(), "7");
        m_factory->SetDelay(0);
    }
}

}  // namespace
