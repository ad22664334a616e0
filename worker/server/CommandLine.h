#pragma once
// The worker program's command line: a switch is a word after "-" or "/",
// compared without regard to case; the first "RegServer" or "UnregServer"
// decides, anything else runs the server.

#include <string>
#include <vector>

namespace ergasto {

enum class StartMode { RunServer, RegServer, UnregServer };

StartMode ParseCommandLine(const std::vector<std::string>& args);   // args without argv[0]

}  // namespace ergasto
