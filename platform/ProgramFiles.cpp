#include "platform/ProgramFiles.h"

#include <filesystem>
#include <system_error>

#ifndef QUILLIX_DATA_FROM_PROGRAM
#error "QUILLIX_DATA_FROM_PROGRAM: the data folder relative to the program folder (set by the build)"
#endif

std::string InstalledDataFolder(const std::string& programFolder)
{
    if (programFolder.empty())
        return {};
    return (std::filesystem::path(programFolder) / QUILLIX_DATA_FROM_PROGRAM).string();
}

std::string FindProgramFile(const std::string& programFolder, const std::string& fileName)
{
    if (programFolder.empty() || fileName.empty())
        return {};
    for (const std::string& folder : {programFolder, InstalledDataFolder(programFolder)}) {
        const auto path = std::filesystem::path(folder) / fileName;
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error))
            return path.string();
    }
    return {};
}
