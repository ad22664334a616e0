// Save errors on the way out: a box for the user, but a termination request
// closes the box (and skips later ones) with the text on stderr.

#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <signal.h>

#include "WindowFixture.h"
#include "shell/frame/SaveErrorReporter.h"
#include "shell/frame/SignalCloser.h"

namespace {

TEST(SaveErrorReporterTest, ATerminationRequestWhileTheBoxIsShownClosesItAndReportsOnStderr)
{
    TestApplication();
    CSaveErrorReporter reporter;
    CSignalCloser closer;
    ASSERT_TRUE(closer.IsInstalled());
    QObject::connect(&closer, &CSignalCloser::closeRequested, &reporter, &CSaveErrorReporter::OnTerminationRequest);

    QString shownText;
    QTimer::singleShot(200, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            shownText = box->text();
        ::raise(SIGTERM);
    });
    // A guard against a box nobody closes: the test fails instead of hanging.
    bool closedByGuard = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (auto* box = QApplication::activeModalWidget()) {
            closedByGuard = true;
            box->close();
        }
    });
    guard.start(10000);

    testing::internal::CaptureStderr();
    reporter.Report("Error while saving window settings!");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(closedByGuard);
    EXPECT_EQ(shownText, "Error while saving window settings!");
    // (The offscreen platform may add notes of its own.)
    EXPECT_NE(err.find("kelvo: Error while saving window settings!\n"), std::string::npos) << err;

    // After the request no box is shown at all.
    testing::internal::CaptureStderr();
    reporter.Report("Error while saving config options!");
    err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(closedByGuard);
    EXPECT_NE(err.find("kelvo: Error while saving config options!\n"), std::string::npos) << err;
}

}  // namespace
