// Ergasto: the calculation worker program.
//   Ergasto RegServer | /regserver | -RegServer   register for the current user
//   Ergasto UnregServer                           remove the registration
//   Ergasto                                       serve "Ergasto.CalcWorker" on the session bus
#include "worker/server/CommandLine.h"
#include "worker/server/ErgastoServer.h"
#include "worker/server/Registrar.h"

#include "port/ICalcWorker.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int registration(ergasto::StartMode mode)
{
    const std::string program = ergasto::CurrentProgramPath();
    if (program.empty()) {
        std::fprintf(stderr, "Ergasto: cannot find the program's own path\n");
        return E_FAIL;
    }
    const ergasto::CRegistrar registrar(ergasto::RegistrationPaths::ForCurrentUser(), program);
    const std::string error =
        mode == ergasto::StartMode::RegServer ? registrar.registerServer() : registrar.unregisterServer();
    if (!error.empty()) {
        std::fprintf(stderr, "Ergasto: %s\n", error.c_str());
        return E_FAIL;
    }
    return S_OK;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto mode = ergasto::ParseCommandLine(args);
    if (mode != ergasto::StartMode::RunServer)
        return registration(mode);
    ergasto::RunServer();
}
