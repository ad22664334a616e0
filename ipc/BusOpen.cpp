#include "ipc/BusOpen.h"

#include <systemd/sd-bus.h>

namespace ipc {

sd_bus* OpenBusConnection(const std::string& address, const char* description)
{
    sd_bus* bus = nullptr;
    int r = 0;
    if (address.empty()) {
        r = sd_bus_open_user_with_description(&bus, description);
    } else {
        r = sd_bus_new(&bus);
        if (r >= 0)
            r = sd_bus_set_address(bus, address.c_str());
        if (r >= 0)
            r = sd_bus_set_bus_client(bus, 1);
        if (r >= 0)
            r = sd_bus_set_description(bus, description);
        if (r >= 0)
            r = sd_bus_start(bus);
    }
    const char* unique = nullptr;
    if (r >= 0)
        r = sd_bus_get_unique_name(bus, &unique);   // waits until the bus has said hello
    if (r < 0) {
        sd_bus_flush_close_unref(bus);
        return nullptr;
    }
    return bus;
}

}  // namespace ipc
