#include "TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

std::string Fixture(const std::string& name)
{
    return std::string(QUILLIX_SHELL_FIXTURES) + "/" + name;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

static std::string ConfigHome()
{
    const char* home = std::getenv("XDG_CONFIG_HOME");
    if (!home || !*home)
        throw std::runtime_error("the tests need XDG_CONFIG_HOME (run them through the harness)");
    return home;
}

std::string FreshFolder(const std::string& name)
{
    const fs::path folder = fs::path(ConfigHome()) / "test-files" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string();
}

std::string FreshSettingsFolder()
{
    const fs::path folder = fs::path(ConfigHome()) / "Vornel" / "Kelvo";
    fs::remove_all(folder);
    return folder.string();
}
