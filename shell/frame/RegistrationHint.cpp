#include "shell/frame/RegistrationHint.h"

#include "platform/ShellQuote.h"

std::string WorkerRegistrationHint(const std::string& programFolder)
{
    const std::string ergasto = (programFolder.empty() ? std::string(".") : programFolder) + "/Ergasto";
    return "kelvo: the worker program Ergasto is not registered for this user, and the session bus cannot start "
           "it.\nkelvo: for a build that is not installed, register it with: " +
           ShellQuoted(ergasto) + " -RegServer\n";
}
