#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        // In memory where there is a memory file system: every save ends in
        // an fsync, which a disk would make the slowest part of a run.
        const char* tmp = std::getenv("TMPDIR");
        std::string base = tmp && *tmp ? tmp : "/tmp";
        if (::access("/dev/shm", W_OK) == 0)
            base = "/dev/shm";
        std::string pattern = base + "/quillix-fuzz.XXXXXX";
        if (!::mkdtemp(pattern.data()))
            PropertyFailed("no scratch folder");
        fs::create_directories(pattern + "/config");
        // Before anything asks where the settings live.
        ::setenv("XDG_CONFIG_HOME", (pattern + "/config").c_str(), 1);
        static std::string removed = pattern;
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(removed, ec);
        });
        return pattern;
    }();
    return folder;
}

void WriteScratchFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    if (!out)
        PropertyFailed("cannot write the scratch file", path);
}

std::string ReadScratchFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        PropertyFailed("cannot read the scratch file", path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void RemoveScratchFile(const std::string& path)
{
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

bool ScratchFileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

void PropertyFailed(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "property failed: %s\n%s\n", what, detail.c_str());
    std::abort();
}
