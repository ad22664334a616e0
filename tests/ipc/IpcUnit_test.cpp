// Qt-free and bus-free parts of the transport and the worker program:
// result-code names, the command line, registration, process handles.
#include "TestBus.h"

#include "ipc/BusNames.h"
#include "ipc/ClassesHive.h"
#include "ipc/HResultErrors.h"
#include "ipc/InterfaceXml.h"
#include "ipc/PidfdProcessWaiter.h"
#include "ipc/ProcessHandle.h"
#include "worker/server/CommandLine.h"
#include "worker/server/Registrar.h"
#include "worker/server/WorkerObjectTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(HResultErrors, NamesRoundTripAndOthersBecomeEFail)
{
    const struct {
        HRESULT code;
        const char* name;
    } table[] = {{E_INVALIDARG, "Ergasto.Error.E_INVALIDARG"},
                 {E_OUTOFMEMORY, "Ergasto.Error.E_OUTOFMEMORY"},
                 {E_POINTER, "Ergasto.Error.E_POINTER"},
                 {E_FAIL, "Ergasto.Error.E_FAIL"}};
    for (const auto& row : table) {
        EXPECT_EQ(ipc::ErrorNameForHResult(row.code).toStdString(), row.name);
        EXPECT_EQ(ipc::HResultFromErrorName(row.name), row.code);
    }
    EXPECT_EQ(ipc::ErrorNameForHResult(static_cast<HRESULT>(0x80070005u)).toStdString(), "Ergasto.Error.E_FAIL");
    EXPECT_EQ(ipc::HResultFromErrorName("org.freedesktop.DBus.Error.NoReply"), E_FAIL);
    EXPECT_EQ(ipc::HResultFromErrorName("org.freedesktop.DBus.Error.ServiceUnknown"), E_FAIL);
    EXPECT_EQ(ipc::HResultFromErrorName(""), E_FAIL);
}

TEST(CommandLine, SwitchesAfterDashOrSlashInAnyCase)
{
    using ergasto::StartMode;
    const struct {
        std::vector<std::string> args;
        StartMode mode;
    } table[] = {
        {{"/regserver"}, StartMode::RegServer},
        {{"-RegServer"}, StartMode::RegServer},
        {{"-REGSERVER"}, StartMode::RegServer},
        {{"/UnregServer"}, StartMode::UnregServer},
        {{"-unregserver"}, StartMode::UnregServer},
        {{"-Embedding", "/RegServer"}, StartMode::RegServer},
        {{"RegServer"}, StartMode::RunServer},   // no switch character
        {{"--RegServer"}, StartMode::RunServer},
        {{"/RegServerX"}, StartMode::RunServer},
        {{}, StartMode::RunServer},
        {{"-"}, StartMode::RunServer},
    };
    for (const auto& row : table)
        EXPECT_EQ(ergasto::ParseCommandLine(row.args), row.mode) << (row.args.empty() ? "" : row.args[0]);
}

TEST(InterfaceXml, EveryInterfaceIsBuiltInWithItsHelpStrings)
{
    ASSERT_EQ(ipc::InterfaceXmlFiles().size(), 4u);
    const std::string worker = ipc::InterfaceElement(ipc::kCalcWorkerInterface);
    for (const char* text : {"ICalcWorker Interface", "method PerformOperation", "method ApplySinglArgFunc",
                             "method GetProcessId_CW", "method EndProcess_CW", "method SetCalcDuration",
                             "Ergasto 1.0 Type Library"})
        EXPECT_NE(worker.find(text), std::string::npos) << text;
    EXPECT_NE(ipc::InterfaceElement(ipc::kCallbackInterface).find("method NotifyResult"), std::string::npos);
    EXPECT_TRUE(ipc::InterfaceElement("No.Such.Interface").empty());
    const std::string doc = ipc::IntrospectionDocument({ipc::kClassFactoryInterface}, {"CCalcWorker"});
    EXPECT_NE(doc.find("<interface name=\"Ergasto.IClassFactory\">"), std::string::npos);
    EXPECT_NE(doc.find("<node name=\"CCalcWorker\"/>"), std::string::npos);
}

class RegistrarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        const std::string root = m_dir.path().toStdString();
        m_paths = {root + "/data/dbus-1/services", root + "/data/dbus-1/interfaces", root + "/config/Classes.ini"};
    }
    QTemporaryDir m_dir;
    ergasto::RegistrationPaths m_paths;
};

TEST_F(RegistrarTest, RegisterWritesActivationFileTypeLibraryAndKeys)
{
    const ergasto::CRegistrar registrar(m_paths, "/opt/quillix/bin/Ergasto");
    ASSERT_EQ(registrar.registerServer(), "");

    EXPECT_EQ(readFile(m_paths.serviceDir + "/Ergasto.CalcWorker.service"),
              "[D-BUS Service]\nName=Ergasto.CalcWorker\nExec=/opt/quillix/bin/Ergasto\n");
    for (const auto& file : ipc::InterfaceXmlFiles())
        EXPECT_EQ(readFile(m_paths.interfaceDir + "/" + std::string(file.fileName)), file.text);

    const ipc::CClassesHive hive(m_paths.hiveFile);
    const std::string cls = "CLSID/{35AC7195-FFFE-4e7c-9B0F-3F41CF943256}";
    const struct {
        std::string key, name, value;
    } expected[] = {
        {"AppID/{A9347362-E94C-412E-BDB5-89E11A3A63D0}", "", "Ergasto"},
        {"AppID/Ergasto.EXE", "AppID", "{A9347362-E94C-412E-BDB5-89E11A3A63D0}"},
        {"Ergasto.CalcWorker.1", "", "CCalcWorker Object"},
        {"Ergasto.CalcWorker.1/CLSID", "", "{35AC7195-FFFE-4e7c-9B0F-3F41CF943256}"},
        {"Ergasto.CalcWorker", "", "CCalcWorker Object"},
        {"Ergasto.CalcWorker/CLSID", "", "{35AC7195-FFFE-4e7c-9B0F-3F41CF943256}"},
        {"Ergasto.CalcWorker/CurVer", "", "Ergasto.CalcWorker.1"},
        {cls, "", "CCalcWorker Object"},
        {cls, "AppID", "{A9347362-E94C-412E-BDB5-89E11A3A63D0}"},
        {cls + "/ProgID", "", "Ergasto.CalcWorker.1"},
        {cls + "/VersionIndependentProgID", "", "Ergasto.CalcWorker"},
        {cls + "/Programmable", "", ""},
        {cls + "/LocalServer32", "", "/opt/quillix/bin/Ergasto"},
        {cls + "/LocalServer32", "ThreadingModel", "apartment"},
        {cls + "/TypeLib", "", "{A9347362-E94C-412E-BDB5-89E11A3A63D0}"},
        {"TypeLib/{A9347362-E94C-412E-BDB5-89E11A3A63D0}/1.0", "", "Ergasto 1.0 Type Library"},
    };
    for (const auto& row : expected)
        EXPECT_EQ(hive.value(row.key, row.name).value_or("<absent>"), row.value) << row.key << " " << row.name;
    EXPECT_EQ(ipc::ClassIdFromProgId(hive, "Ergasto.CalcWorker").value_or(""),
              "{35AC7195-FFFE-4e7c-9B0F-3F41CF943256}");
}

TEST_F(RegistrarTest, UnregisterRemovesEverythingButOtherApplicationIds)
{
    {
        ipc::CClassesHive hive(m_paths.hiveFile);
        hive.setValue("AppID/{00000000-0000-0000-0000-000000000001}", "", "Other");
        ASSERT_TRUE(hive.flush());
    }
    const ergasto::CRegistrar registrar(m_paths, "/opt/quillix/bin/Ergasto");
    ASSERT_EQ(registrar.registerServer(), "");
    ASSERT_EQ(registrar.unregisterServer(), "");

    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_paths.serviceDir + "/Ergasto.CalcWorker.service")));
    for (const auto& file : ipc::InterfaceXmlFiles())
        EXPECT_FALSE(QFile::exists(QString::fromStdString(m_paths.interfaceDir + "/" + std::string(file.fileName))));
    const ipc::CClassesHive hive(m_paths.hiveFile);
    for (const char* key : {"Ergasto.CalcWorker", "Ergasto.CalcWorker.1", "CLSID/{35AC7195-FFFE-4e7c-9B0F-3F41CF943256}",
                            "TypeLib/{A9347362-E94C-412E-BDB5-89E11A3A63D0}", "AppID/Ergasto.EXE",
                            "AppID/{A9347362-E94C-412E-BDB5-89E11A3A63D0}"})
        EXPECT_FALSE(hive.keyExists(key)) << key;
    EXPECT_EQ(hive.value("AppID/{00000000-0000-0000-0000-000000000001}").value_or(""), "Other");
    EXPECT_FALSE(ipc::ClassIdFromProgId(hive, "Ergasto.CalcWorker"));
    // Unregistering twice is not an error.
    EXPECT_EQ(registrar.unregisterServer(), "");
}

TEST_F(RegistrarTest, RegisterFailsClearlyWhenTheFolderCannotBeMade)
{
    QFile blocker(m_dir.path() + "/data");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));   // a file where the folder should be
    blocker.close();
    const ergasto::CRegistrar registrar(m_paths, "/opt/quillix/bin/Ergasto");
    EXPECT_NE(registrar.registerServer().find("cannot create"), std::string::npos);
}

TEST(Registrar, ActivationFileQuotesPathsTheBusWouldSplit)
{
    EXPECT_EQ(ergasto::CRegistrar::ServiceFileText("/home/a b/Ergasto"),
              "[D-BUS Service]\nName=Ergasto.CalcWorker\nExec='/home/a b/Ergasto'\n");
    EXPECT_EQ(ergasto::CRegistrar::ServiceFileText("/x/it's/Ergasto"),
              "[D-BUS Service]\nName=Ergasto.CalcWorker\nExec='/x/it'\\''s/Ergasto'\n");
}

// The program itself, in this test's own XDG folders: both spellings of the
// switch register, UnregServer removes, and each ends with exit code 0.
TEST(ErgastoProgram, RegServerSwitchesRegisterAndUnregServerRemoves)
{
    ipc_test::EnsureCoreApplication();
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const std::string serviceFile = (dataHome + "/dbus-1/services/Ergasto.CalcWorker.service").toStdString();
    const std::string program = QFileInfo(QString::fromStdString(ipc_test::ErgastoPath())).canonicalFilePath().toStdString();
    for (const char* spelling : {"/regserver", "-RegServer"}) {
        ASSERT_EQ(ipc_test::RunErgasto({QString::fromLatin1(spelling)}), 0) << spelling;
        EXPECT_EQ(readFile(serviceFile), ergasto::CRegistrar::ServiceFileText(program)) << spelling;
        EXPECT_TRUE(ipc::ClassIdFromProgId("Ergasto.CalcWorker")) << spelling;
        ASSERT_EQ(ipc_test::RunErgasto({QStringLiteral("-UnregServer")}), 0);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(serviceFile)));
        EXPECT_FALSE(ipc::ClassIdFromProgId("Ergasto.CalcWorker"));
    }
}

TEST(WorkerObjectTable, ObjectsEndByReleaseOrWithTheirOwnerAndEachClientHoldsItsShare)
{
    ergasto::CWorkerObjectTable<int> table({2, 3, 100});
    const ergasto::ClientId first{":1.5", 40}, second{":1.6", 40}, other{":1.7", 41};
    const auto a = table.add(first, std::make_shared<int>(1));
    const auto b = table.add(first, std::make_shared<int>(2));
    const auto c = table.add(second, std::make_shared<int>(3));
    ASSERT_TRUE(a && b && c);
    EXPECT_NE(*a, *b);
    EXPECT_EQ(table.find(*b)->client.connection, ":1.5");
    // Two per connection, three per process: the process's share is full.
    EXPECT_FALSE(table.add(first, std::make_shared<int>(4)));
    EXPECT_FALSE(table.add(second, std::make_shared<int>(4)));
    EXPECT_TRUE(table.add(other, std::make_shared<int>(4)));
    EXPECT_TRUE(table.release(*a));
    EXPECT_FALSE(table.release(*a));
    EXPECT_EQ(table.releaseOwner(":1.5"), 1u);
    EXPECT_FALSE(table.hasOwner(":1.5"));
    EXPECT_EQ(table.countOfProcess(40), 1u);
    EXPECT_TRUE(table.contains(*c));
    EXPECT_EQ(table.size(), 2u);
    // Numbers are never reused, so a stale path never reaches a new object.
    EXPECT_GT(*table.add(first, std::make_shared<int>(5)), *c);
}

pid_t forkSleeper(std::chrono::milliseconds sleep)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::usleep(static_cast<useconds_t>(sleep.count() * 1000));
        ::_exit(7);
    }
    return pid;
}

TEST(ProcessHandle, RefusesProcessGroupIdsAndWaitsForARealProcess)
{
    EXPECT_FALSE(ipc::CProcessHandle::Open(0));
    EXPECT_FALSE(ipc::CProcessHandle::Open(-1));
    EXPECT_EQ(ipc::WaitForProcessExit(0, 10ms), ipc::CProcessHandle::WaitResult::Failed);
    EXPECT_EQ(ipc::WaitForProcessExit(-1, 10ms), ipc::CProcessHandle::WaitResult::Failed);

    const pid_t pid = forkSleeper(300ms);
    ASSERT_GT(pid, 0);
    auto handle = ipc::CProcessHandle::Open(pid);
    ASSERT_TRUE(handle);
    EXPECT_EQ(handle->waitForExit(20ms), ipc::CProcessHandle::WaitResult::TimedOut);
    EXPECT_EQ(handle->waitForExit(5s), ipc::CProcessHandle::WaitResult::Exited);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_EQ(WEXITSTATUS(status), 7);
    // Reaped: the id names no process any more.
    EXPECT_EQ(ipc::WaitForProcessExit(pid, 10ms), ipc::CProcessHandle::WaitResult::Exited);
}

TEST(PidfdProcessWaiter, AnswersAtOnceForBadIdsAndTracksOneProcessAcrossPolls)
{
    ipc::CPidfdProcessWaiter waiter;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(waiter.WaitForProcessEnd(0, 2s));
    EXPECT_FALSE(waiter.WaitForProcessEnd(-1, 2s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms);

    const pid_t pid = forkSleeper(200ms);
    ASSERT_GT(pid, 0);
    EXPECT_FALSE(waiter.WaitForProcessEnd(pid, 0ms));
    EXPECT_TRUE(waiter.WaitForProcessEnd(pid, 5s));
    EXPECT_TRUE(waiter.WaitForProcessEnd(pid, 0ms));
    ::waitpid(pid, nullptr, 0);
    EXPECT_TRUE(waiter.WaitForProcessEnd(pid, 0ms));
}

}  // namespace
