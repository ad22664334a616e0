#pragma once
// What the fuzz targets share: a scratch folder of their own for the files
// they write (the configuration folder, where the settings files' locks live,
// is pointed into it too, so that a run never touches the user's settings),
// and the stop that names the property that failed.

#include <cstddef>
#include <cstdint>
#include <string>

// The scratch folder (in /dev/shm where there is one), made on first use and
// removed at exit.
const std::string& ScratchFolder();

void WriteScratchFile(const std::string& path, const std::uint8_t* data, std::size_t size);
std::string ReadScratchFile(const std::string& path);

// Reports what failed on stderr and aborts (a crash to the fuzzer).
[[noreturn]] void PropertyFailed(const char* what, const std::string& detail = {});
