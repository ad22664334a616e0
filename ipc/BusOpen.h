#pragma once
// Opening an sd-bus connection as a bus client: to the bus at a D-Bus address,
// or to the user's session bus when the address is empty.

#include <string>

struct sd_bus;

namespace ipc {

// The connection, started and with its unique name; null when it could not
// be had. The caller owns it (sd_bus_flush_close_unref).
sd_bus* OpenBusConnection(const std::string& address, const char* description);

}  // namespace ipc
