// The config options file: any bytes through ConfigOptions::Load, and what
// the load made of them must save to a file that loads to the same record
// (a save of that gives the same bytes).

#include "FuzzSupport.h"
#include "settings/ConfigOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return RoundTripSettingsRecord<ConfigOptions>(data, size, "Kelvo_Config_Settings.xml");
}
