// The window settings file: any bytes through WindowSettings::Load, and what
// the load made of them must save to a file that loads to the same record
// (a save of that gives the same bytes).

#include "FuzzSupport.h"
#include "settings/WindowSettings.h"

#include <filesystem>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = ScratchFolder() + "/Kelvo_Win_Settings.xml";
    const std::string saved = ScratchFolder() + "/saved.xml";
    WriteScratchFile(input, data, size);
    std::filesystem::remove(saved + ".bad");

    WindowSettings loaded;
    loaded.Load(input.c_str());
    WindowSettings reloaded;
    std::string first;
    try {
        loaded.Save(saved.c_str());
        first = ReadScratchFile(saved);
        reloaded.Load(saved.c_str());
        // Saved over the file it was loaded from: a load that had failed
        // would keep the file as ".bad" first.
        reloaded.Save(saved.c_str());
    } catch (const std::exception& e) {
        PropertyFailed("a save failed", e.what());
    }
    if (ReadScratchFile(saved) != first)
        PropertyFailed("the saved file does not load to the same record", first);
    if (std::filesystem::exists(saved + ".bad"))
        PropertyFailed("the saved file was taken as unreadable", first);
    return 0;
}
