// The controller computing through the worker program on a private session
// bus: results, errors, a cancel that ends the worker's process.

#include <QCoreApplication>

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>

#include "ControllerFixture.h"
#include "ipc/DBusWorkerFactory.h"
#include "ipc/PidfdProcessWaiter.h"
#include "port/NameTables.h"

extern char** environ;

namespace {

QCoreApplication& BusApplication()
{
    static int argc = 1;
    static char name[] = "frame_bus_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return *app;
}

int RunErgasto(const char* argument)
{
    const char* dir = std::getenv("QUILLIX_BIN_DIR");
    const std::string program = std::string(dir ? dir : ".") + "/Ergasto";
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(argument), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0)
        return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class FrameOnBusTest : public ControllerFixture {
protected:
    static void SetUpTestSuite()
    {
        BusApplication();
        ASSERT_EQ(RunErgasto("-RegServer"), 0);
    }
    void SetUp() override
    {
        m_busFactory = std::make_shared<CDelayingFactory>(std::make_shared<ipc::CDBusWorkerFactory>());
        MakeEngine(m_busFactory, 35, std::make_shared<ipc::CPidfdProcessWaiter>());
    }
    std::shared_ptr<CDelayingFactory> m_busFactory;
};

TEST_F(FrameOnBusTest, ComputesThroughTheWorkerProgram)
{
    Keys("2 + 3 = * 4 =");
    EXPECT_EQ(Entry(), "20");
    Keys("C 2 sqrt x2");
    EXPECT_EQ(Entry(), "2");
    Keys("C 1 / 0 =");
    EXPECT_EQ(ErrorText(), "Attempt to divide by zero!");
    std::string detail;
    GetOperationErrorMessage(ErrDivide, detail);
    EXPECT_EQ(ErrorDetail(), detail);
    Keys("SB 8 =");
    EXPECT_EQ(Entry(), "0.125");
}

TEST_F(FrameOnBusTest, ACancelEndsTheWorkersCalculationAndTheEntryComesBack)
{
    Keys("9");
    m_busFactory->SetDelay(60000);
    Press("sqrt");
    ASSERT_TRUE(m_controller->IsCalculating());
    Press("C");
    ASSERT_TRUE(Settle(30000));
    EXPECT_EQ(Entry(), "9");
    m_busFactory->SetDelay(0);
    Keys("sqrt");
    EXPECT_EQ(Entry(), "3");
}

}  // namespace
