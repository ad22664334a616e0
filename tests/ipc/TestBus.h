#pragma once
// Helpers of the bus tests: a Qt application object for QtDBus, the worker
// program's path, and small waits. Each test process runs on a private session
// bus whose activation folder holds this build's Ergasto.CalcWorker.service.

#include <QCoreApplication>
#include <QDBusConnection>

#include <chrono>
#include <functional>
#include <string>

namespace ipc_test {

// Creates the process's QCoreApplication on first use.
void EnsureCoreApplication();

// <build>/bin/Ergasto.
std::string ErgastoPath();

// Polls `done` (processing Qt events meanwhile) until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// A connection of its own to the session bus, under a unique Qt name.
QDBusConnection NewBusConnection();

// Runs Ergasto with arguments; returns its exit code (-1 when it did not end normally).
int RunErgasto(const QStringList& args, std::chrono::milliseconds timeout = std::chrono::seconds(20));

}  // namespace ipc_test
