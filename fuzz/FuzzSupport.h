#pragma once
// What the fuzz targets share: a scratch folder of their own for the files
// they write (the configuration folder, where the settings files' locks live,
// is pointed into it too, so that a run never touches the user's settings),
// and the stop that names the property that failed.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

// The scratch folder (in /dev/shm where there is one), made on first use and
// removed at exit.
const std::string& ScratchFolder();

void WriteScratchFile(const std::string& path, const std::uint8_t* data, std::size_t size);
std::string ReadScratchFile(const std::string& path);
void RemoveScratchFile(const std::string& path);
bool ScratchFileExists(const std::string& path);

// Reports what failed on stderr and aborts (a crash to the fuzzer).
[[noreturn]] void PropertyFailed(const char* what, const std::string& detail = {});

// The round trip of a settings record (ConfigOptions, WindowSettings): any
// bytes through Record::Load under `fileName`, and what the load made of them
// must save to a file that loads to the same record (a save of that gives the
// same bytes) and is never taken as unreadable.
template <class Record>
int RoundTripSettingsRecord(const std::uint8_t* data, std::size_t size, const char* fileName)
{
    const std::string input = ScratchFolder() + "/" + fileName;
    const std::string saved = ScratchFolder() + "/saved.xml";
    WriteScratchFile(input, data, size);
    RemoveScratchFile(saved + ".bad");

    Record loaded;
    loaded.Load(input.c_str());
    Record reloaded;
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
    if (ScratchFileExists(saved + ".bad"))
        PropertyFailed("the saved file was taken as unreadable", first);
    return 0;
}
