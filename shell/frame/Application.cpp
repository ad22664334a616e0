#include "shell/frame/Application.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <cstdio>
#include <stdexcept>

#include "docking/state/WindowState.h"
#include "engine/EngineServices.h"
#include "ipc/DBusWorkerFactory.h"
#include "ipc/PidfdProcessWaiter.h"
#include "platform/Event.h"
#include "platform/qt/InstanceChannel.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/RegistrationHint.h"
#include "shell/frame/SaveErrorReporter.h"
#include "shell/frame/SignalCloser.h"
#include "shell/frame/SingleInstance.h"
#include "shell/frame/StartupPath.h"

namespace {

constexpr auto kHandOverTimeout = std::chrono::seconds(5);

void ShowErrorBox(const std::string& text)
{
    QMessageBox::critical(nullptr, "Error", QString::fromStdString(text));
}

// Each save is guarded by itself, window settings first; a window layout
// that could not be stored when the window closed is reported before them.
void SaveSettings(CSaveErrorReporter& reporter, const std::string& layoutError = {})
{
    if (!layoutError.empty())
        reporter.Report(layoutError);
    auto save = [&reporter](auto&& saveOne, const char* plainText, const char* otherText) {
        try {
            saveOne();
        } catch (const std::runtime_error& error) {
            reporter.Report(error.what() && *error.what() ? error.what() : plainText);
        } catch (...) {
            reporter.Report(otherText);
        }
    };
    save([] { WindowSettings::Instance().Save(); }, "Error while saving window settings!",
         "Error while saving window settings");
    save([] { ConfigOptions::Instance().Save(); }, "Error while saving config options!",
         "Error while saving config options");
}

std::vector<std::string> Arguments(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return args;
}

}  // namespace

int HandOverToFirstInstance(const std::string& path, int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (SendToFirstInstance(QString::fromStdString(SingleInstanceSocketPath()), QString::fromStdString(path),
                            kHandOverTimeout))
        return kExitSecondInstance;
    std::fprintf(stderr, "kelvo: the running calculator did not answer; nothing was handed over.\n");
    return kExitHandOverLost;
}

int RunKelvo(int argc, char** argv, KelvoOptions options)
{
    const std::string startupPath = StartupFilePath(Arguments(argc, argv));

    // One instance per user, decided before anything else is set up.
    CSingleInstance instance;
    if (instance.Claim() == CSingleInstance::Role::Second)
        return HandOverToFirstInstance(startupPath, argc, argv);

    // Floating panes are placed by the program; Wayland does not let a client
    // place its top-level windows, so X is taken where both are offered.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kelvo");
    QApplication::setOrganizationName("Vornel");
    QApplication::setQuitOnLastWindowClosed(false);

    // Restoring never fails: a missing or bad file gives the defaults.
    WindowSettings::Instance().Load();
    ConfigOptions::Instance().Load();

    // A termination request closes the window; from then on (and while a box
    // of the final save is shown) save errors go to stderr.
    CSaveErrorReporter saveErrors;
    CSignalCloser signalCloser;
    QObject::connect(&signalCloser, &CSignalCloser::closeRequested, &saveErrors,
                     &CSaveErrorReporter::OnTerminationRequest);

    int result = kExitNormal;
    std::string layoutError;
    std::unique_ptr<CEvent> done;
    std::unique_ptr<CEvent> aborted;
    try {
        done = std::make_unique<CEvent>();
        aborted = std::make_unique<CEvent>();
    } catch (const std::exception&) {
        ShowErrorBox("Fatal error - could not create event!");
        SaveSettings(saveErrors);
        return kExitNoEvents;
    }

    if (!options.workerFactory)
        options.workerFactory = std::make_shared<ipc::CDBusWorkerFactory>();
    if (!options.processWaiter)
        options.processWaiter = std::make_shared<ipc::CPidfdProcessWaiter>();

    {
        CMainFrame::Setup setup;
        setup.events = {done.get(), aborted.get()};
        setup.workerFactory = options.workerFactory;
        setup.processWaiter = options.processWaiter;
        CMainFrame frame(setup);

        CInstanceServer server;
        if (instance.GetRole() == CSingleInstance::Role::First)
            server.Listen(QString::fromStdString(SingleInstanceSocketPath()));
        QObject::connect(&server, &CInstanceServer::handOver, &frame, &CMainFrame::OnHandOver);

        QObject::connect(&signalCloser, &CSignalCloser::closeRequested, &frame, [&frame] { frame.RequestClose(); });
        QObject::connect(&frame, &CMainFrame::closed, &app, [] { QCoreApplication::exit(kExitNormal); });

        try {
            frame.Create(startupPath);
        } catch (const EngineInitError& error) {
            if (error.ExitCode() == kExitNoWorker)
                std::fputs(WorkerRegistrationHint(QCoreApplication::applicationDirPath().toStdString()).c_str(), stderr);
            SaveSettings(saveErrors);
            return error.ExitCode();
        }
        // A layout file that is there but gave nothing (the defaults are used).
        if (const std::string& problem = frame.WindowState().FileProblem(); !problem.empty())
            std::fprintf(stderr, "kelvo: %s\n", problem.c_str());
        frame.show();
        result = app.exec();
        // No loop runs from here on: a close now must not ask one to end
        // (a box of the final save would close at once).
        QObject::disconnect(&frame, &CMainFrame::closed, &app, nullptr);
        if (!frame.IsDestroyed())
            frame.close();
        layoutError = frame.LayoutSaveError();
        if (frame.EngineAbandoned()) {
            // A thread that never reported may still set them.
            (void)done.release();
            (void)aborted.release();
        }
    }
    SaveSettings(saveErrors, layoutError);
    return result;
}
