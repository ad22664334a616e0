// A second start on a real X display with a window manager: the first
// instance's window comes back from minimised at once, even while one of its
// dialogs is open; only a file handed over waits for the dialog to close.

#include <QFileDialog>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <string>

#include "HandOverFixture.h"
#include "XDesktop.h"
#include "resources/CommandIds.h"

namespace {

using namespace std::chrono_literals;

TEST(HandOverOnTheDesktop, ASecondStartRestoresTheMinimisedWindowWhileTheOpenDialogIsOpen)
{
    if (const std::string why = CXDesktop::Unavailable(); !why.empty())
        GTEST_SKIP() << why;
    struct Window : HandOverFixture {
        void TestBody() override {}
    } window;
    CMainFrame& frame = *window.m_frame;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));

    QWidget* dialog = nullptr;
    bool minimised = false, delivered = false, back = false, dialogStillOpen = false;
    QWidget* active = nullptr;
    std::string dialogClass;
    // The steps run inside the Open dialog's own loop.
    QTimer::singleShot(0, [&] {
        if (!QTest::qWaitFor([&] { return (dialog = QApplication::activeModalWidget()) != nullptr; }, 10000))
            return;
        dialogClass = dialog->metaObject()->className();
        if (!QTest::qWaitForWindowActive(dialog))
            return;
        // Minimised, until the window manager has done it (the first request,
        // made while the dialog is still settling, goes unheard).
        for (int attempt = 0; attempt < 5 && !minimised; ++attempt) {
            frame.setWindowState(frame.windowState() & ~Qt::WindowMinimized);
            frame.showMinimized();
            minimised = QTest::qWaitFor([&] { return !frame.windowHandle()->isExposed(); }, 2000);
        }
        window.RunClient([&] { delivered = SendToFirstInstance(HandOverSocketPath(), QString(), 5s); });
        back = QTest::qWaitFor(
            [&] {
                active = QApplication::activeWindow();
                return frame.windowHandle()->isExposed() && !frame.isMinimized() && (active == &frame || active == dialog);
            },
            10000);
        dialogStillOpen = QApplication::activeModalWidget() == dialog;
        if (auto* open = qobject_cast<QFileDialog*>(dialog))
            open->reject();
    });
    // A guard against a dialog nobody closes: the test fails instead of hanging.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            modal->reject();
    });
    guard.start(60000);
    frame.OnCommand(static_cast<int>(menucmd::kFileOpen));

    ASSERT_NE(dialog, nullptr) << "the Open dialog did not open";
    EXPECT_EQ(dialogClass, "QFileDialog");
    ASSERT_TRUE(minimised) << "the window manager did not minimise the window";
    EXPECT_TRUE(delivered);
    EXPECT_TRUE(back) << "the window stayed minimised while the dialog was open (active window: "
                      << (active ? active->metaObject()->className() : "none") << ")";
    EXPECT_TRUE(dialogStillOpen);
}

}  // namespace
