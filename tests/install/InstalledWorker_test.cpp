// The engine as an installed kelvo runs it: on a session bus whose only
// service folder is the installed one (install-test.sh sets it up), with no
// registration for the user, it locates the worker and calculates through the
// installed Ergasto.

#include "EngineTestSupport.h"

#include "ipc/BusNames.h"
#include "ipc/DBusWorkerFactory.h"
#include "ipc/PidfdProcessWaiter.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using enginetest::Entered;
using enginetest::EngineRig;

namespace {

TEST(InstalledWorker, TheEngineLocatesItWithoutRegistrationAndCalculatesThroughIt)
{
    int argc = 1;
    char name[] = "installed_worker_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const char* installed = std::getenv("QUILLIX_INSTALLED_ERGASTO");
    ASSERT_NE(installed, nullptr) << "run through tests/install/install-test.sh";

    auto factory = std::make_shared<ipc::CDBusWorkerFactory>();
    EXPECT_TRUE(factory->IsRegistered(kCalcWorkerProgId));
    {
        EngineRig rig(15, factory, std::make_shared<ipc::CPidfdProcessWaiter>());
        EXPECT_EQ(rig.EnterAll("6 * 7 ="), Entered::Done);
        EXPECT_EQ(rig.ResultText(), "42");
        rig.Calc().Reset();
        EXPECT_EQ(rig.EnterAll("1 / 8 ="), Entered::Done);
        EXPECT_EQ(rig.ResultText(), "0.125");
    }

    // The worker that answered is the installed program (it stays a few
    // seconds after its last object).
    const auto pid = QDBusConnection::sessionBus().interface()->servicePid(QLatin1String(ipc::kWorkerServiceName));
    ASSERT_TRUE(pid.isValid()) << pid.error().message().toStdString();
    EXPECT_EQ(std::filesystem::read_symlink("/proc/" + std::to_string(pid.value()) + "/exe"),
              std::filesystem::path(installed));
}

}  // namespace
