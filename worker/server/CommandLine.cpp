#include "worker/server/CommandLine.h"

#include <algorithm>
#include <cctype>

namespace ergasto {

namespace {

bool equalsNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

}  // namespace

StartMode ParseCommandLine(const std::vector<std::string>& args)
{
    for (const auto& arg : args) {
        if (arg.size() < 2 || (arg[0] != '-' && arg[0] != '/'))
            continue;
        const std::string word = arg.substr(1);
        if (equalsNoCase(word, "UnregServer"))
            return StartMode::UnregServer;
        if (equalsNoCase(word, "RegServer"))
            return StartMode::RegServer;
    }
    return StartMode::RunServer;
}

}  // namespace ergasto
