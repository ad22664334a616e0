#pragma once
// Runs the worker as a server on the session bus until it has been idle for
// CServerLifetime::kIdleExitMs (and the closing pause after it), its
// connection is lost, or EndProcess_CW ends it, and ends the process with the
// exit code: -1 when it cannot serve (no bus, or the name is taken), 0 after
// an idle end or a lost connection. The process is ended with std::_Exit,
// because request threads may still be computing and are never waited for.

namespace ergasto {

[[noreturn]] void RunServer();

}  // namespace ergasto
