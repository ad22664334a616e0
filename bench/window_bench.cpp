// The real main window as the user meets it (the offscreen platform unless a
// display is given):
// - Window/OpenCalculation/<lines>: loading a saved calculation of that many
//   record lines, until the window has applied and painted it;
// - Window/Step/<worker>/<digits>: one calculation step, from the operator key
//   that starts it until the window would take the next key (the result is
//   shown and the repaints it asked for are done). While a step runs every
//   key but Cancel is dropped, so this is the shortest gap between keys that
//   loses none. "bus" computes in the worker program Ergasto, "inprocess" in
//   the in-process worker.
//
// Runs in a sandbox of fresh settings folders; the bus rows need a session
// bus that can start this build's Ergasto, for example the tests' one:
//   tests/harness/test-env.sh --dbus <build>/tests/harness/session-bus.conf <build>/bin/window_bench
#include <QApplication>
#include <QEventLoop>
#include <QTest>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "ipc/DBusWorkerFactory.h"
#include "ipc/PidfdProcessWaiter.h"
#include "keypad/CalcEdit.h"
#include "keypad/CalcWindow.h"
#include "panes/CalcRecordWindow.h"
#include "platform/Event.h"
#include "settings/ConfigOptions.h"
#include "shell/frame/FrameController.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PaneHost.h"
#include "shell/frame/SavedCalculation.h"
#include "worker/InProcessCalcWorker.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Message boxes answer Yes at once; nothing reaches the desktop.
class CQuietServices : public IUiServices {
public:
    void Beep() override {}
    UiMessageAnswer ShowMessageBox(const std::string&, const std::string&, UiMessageIcon,
                                    UiMessageButtons buttons) override
    {
        return buttons == UiMessageButtons::YesNo ? UiMessageAnswer::Yes : UiMessageAnswer::Ok;
    }
    void SetClipboardText(const std::string&) override {}
    std::string GetClipboardText() override { return {}; }
    void OpenUrl(const std::string&) override {}
};

std::string ProgramFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

bool RegisterErgasto()
{
    static const bool registered = [] {
        const std::string program = ProgramFolder() + "/Ergasto";
        char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("-RegServer"), nullptr};
        pid_t pid = -1;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0)
            return false;
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }();
    return registered;
}

// One main window over a worker, created and shown.
class CWindow {
public:
    CWindow(bool bus, int digits)
    {
        ConfigOptions::Instance().m_nSigDigits = digits;
        CMainFrame::Setup setup;
        setup.events = {&m_done, &m_aborted};
        if (bus) {
            setup.workerFactory = std::make_shared<ipc::CDBusWorkerFactory>();
            setup.processWaiter = std::make_shared<ipc::CPidfdProcessWaiter>();
        } else {
            setup.workerFactory = m_host;
            setup.processWaiter = m_host;
        }
        setup.services = &m_services;
        m_frame = std::make_unique<CMainFrame>(setup);
        m_frame->Create();
        m_frame->show();
        Settle();
    }
    ~CWindow()
    {
        if (!m_frame->IsDestroyed())
            m_frame->close();
        m_frame.reset();
        QApplication::processEvents();
    }

    // Waits in the event loop until no step runs, then lets the loop finish
    // what it was asked to do (repaints); false after 10 s.
    bool Settle()
    {
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (m_frame->Controller().IsBusy()) {
            if (Clock::now() > deadline)
                return false;
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        QApplication::processEvents();
        return true;
    }

    void Type(const std::string& keys) { QTest::keyClicks(m_frame->CalcWindow()->Edit(), QString::fromStdString(keys)); }
    void Key(char key) { QTest::keyClick(m_frame->CalcWindow()->Edit(), key); }

    CMainFrame& Frame() { return *m_frame; }

private:
    CEvent m_done;
    CEvent m_aborted;
    CQuietServices m_services;
    std::shared_ptr<CInProcessWorkerHost> m_host = std::make_shared<CInProcessWorkerHost>();
    std::unique_ptr<CMainFrame> m_frame;
};

// A saved calculation of `lines` record lines, written by the program: a
// chain of 35-digit numbers and operators typed in the window, its record
// lines repeated (the file check reads the record and the engine's state
// each on its own).
std::string CalculationFile(int lines)
{
    static std::map<int, std::string> files;
    if (auto found = files.find(lines); found != files.end())
        return found->second;
    CWindow window(false, 35);
    CFrameController& controller = window.Frame().Controller();
    for (int i = 0; i < 32; ++i) {
        window.Type("1.23456789012345678901234567890123" + std::to_string(10 + i));
        window.Key(i % 2 ? '+' : '*');
        if (!window.Settle())
            return {};
    }
    CCalcRecord& record = controller.Record();
    const int typed = record.GetEntryCount();
    if (typed == 0 || typed > lines)
        return {};
    CCalcRecordWindow* shown = window.Frame().Panes().RecordWindow();
    record.SetListener(nullptr);
    for (int i = 0; record.GetEntryCount() < lines; ++i)
        record.Push(record.GetEntry(i % typed));
    const std::string path = std::filesystem::temp_directory_path() /
                             ("window_bench_" + std::to_string(::getpid()) + "_" + std::to_string(lines) + ".qxv7");
    std::ofstream(path, std::ios::binary) << SaveCalculationText(controller);
    record.SetListener(shown ? shown->Listener() : nullptr);
    controller.ClearAll();
    files[lines] = path;
    return path;
}

void BM_OpenCalculation(benchmark::State& state)
{
    const int lines = int(state.range(0));
    const std::string path = CalculationFile(lines);
    if (path.empty()) {
        state.SkipWithError("could not make the calculation");
        return;
    }
    CWindow window(false, 35);
    for (auto _ : state) {
        window.Frame().LoadCalculation(path, false);
        QApplication::processEvents();
        state.PauseTiming();
        if (window.Frame().Controller().Record().GetEntryCount() < lines)
            state.SkipWithError("the calculation was not loaded");
        window.Frame().Controller().ClearAll();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["lines"] = lines;
}
BENCHMARK(BM_OpenCalculation)
    ->Name("Window/OpenCalculation")
    ->Arg(2500)->Arg(5000)->Arg(10000)->Arg(20000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_Step(benchmark::State& state, bool bus)
{
    const int digits = int(state.range(0));
    if (bus && !RegisterErgasto()) {
        state.SkipWithError("Ergasto could not be registered");
        return;
    }
    std::unique_ptr<CWindow> window;
    try {
        window = std::make_unique<CWindow>(bus, digits);
    } catch (const std::exception&) {
        state.SkipWithError("no worker: run under a bus that can start Ergasto");
        return;
    }
    const std::string number = "1." + std::string(std::size_t(digits - 1), '3');
    double dispatch = 0;
    double result = 0;
    long steps = 0;
    // Two warm-up steps start the worker.
    window->Type(number);
    window->Key('+');
    window->Type(number);
    window->Key('*');
    window->Settle();
    for (auto _ : state) {
        state.PauseTiming();
        if (steps % 64 == 0)   // a short record, as in everyday use
            window->Frame().Controller().ClearAll();
        window->Type(number);
        QApplication::processEvents();
        state.ResumeTiming();

        const auto start = Clock::now();
        window->Key(steps % 2 ? '+' : '*');
        const auto dispatched = Clock::now();
        bool ok = true;
        const auto deadline = dispatched + std::chrono::seconds(10);
        while (window->Frame().Controller().IsBusy() && (ok = Clock::now() < deadline))
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const auto shown = Clock::now();
        QApplication::processEvents();   // the repaints the result asked for
        if (!ok) {
            state.SkipWithError("the step did not end");
            return;
        }
        dispatch += std::chrono::duration<double, std::micro>(dispatched - start).count();
        result += std::chrono::duration<double, std::micro>(shown - start).count();
        ++steps;
    }
    if (steps > 0) {
        state.counters["key_us"] = dispatch / double(steps);
        state.counters["result_us"] = result / double(steps);
    }
}
BENCHMARK_CAPTURE(BM_Step, bus, true)
    ->Name("Window/Step/bus")
    ->Arg(15)->Arg(35)->Arg(75)->Arg(512)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Step, inprocess, false)
    ->Name("Window/Step/inprocess")
    ->Arg(15)->Arg(35)->Arg(75)->Arg(512)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
        if (entry.path().filename().string().rfind("window_bench_" + std::to_string(::getpid()) + "_", 0) == 0)
            std::filesystem::remove(entry.path());
    return 0;
}
