// The window settings file: any bytes through WindowSettings::Load, and what
// the load made of them must save to a file that loads to the same record
// (a save of that gives the same bytes).

#include "FuzzSupport.h"
#include "settings/WindowSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return RoundTripSettingsRecord<WindowSettings>(data, size, "Kelvo_Win_Settings.xml");
}
