#pragma once
// What kelvo writes to stderr when the worker program cannot be located: the
// command that registers the Ergasto beside it for the current user, which is
// what a build that is not installed needs (an installed one is found through
// its activation file).

#include <string>

// The lines for a program folder (kelvo's own; Ergasto lies beside it), each
// ending in a newline; the path is quoted for a shell where it needs it.
std::string WorkerRegistrationHint(const std::string& programFolder);
