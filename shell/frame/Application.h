#pragma once
// The start of kelvo: the command line as one start-up file, one instance per
// user (a second start hands its file to the first one and ends), the
// settings restored, the two calculation events, the main window and the
// event loop, and the settings saved again on the way out.
//
// Exit codes: 1 after the window was closed; 0 for a second start whose
// hand-over was delivered; 4 when the first instance could not be reached;
// 2 when the calculation events cannot be made; 3 when no worker program is
// registered (the engine's code; stderr then tells how to register one).

#include <memory>
#include <string>
#include <vector>

class ICalcWorkerFactory;
class IProcessWaiter;

inline constexpr int kExitNormal = 1;
inline constexpr int kExitSecondInstance = 0;
inline constexpr int kExitNoEvents = 2;
inline constexpr int kExitNoWorker = 3;
inline constexpr int kExitHandOverLost = 4;

struct KelvoOptions {
    // The worker program's factory and waiter; null for the session bus's.
    std::shared_ptr<ICalcWorkerFactory> workerFactory;
    std::shared_ptr<IProcessWaiter> processWaiter;
};

// Runs the program; argc/argv as main has them.
int RunKelvo(int argc, char** argv, KelvoOptions options = {});

// The second start's side: hands path (empty: raise only) to the first
// instance. 0 when delivered; otherwise one line on stderr and kExitHandOverLost.
int HandOverToFirstInstance(const std::string& path, int argc, char** argv);
