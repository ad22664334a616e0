#include "shell/frame/SingleInstance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

std::string RuntimeFolder()
{
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir) {
        std::error_code error;
        if (std::filesystem::is_directory(dir, error))
            return dir;
    }
    std::error_code error;
    auto folder = std::filesystem::temp_directory_path(error);
    if (error)
        folder = "/tmp";
    folder /= "quillix-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return {};
    ::chmod(folder.c_str(), 0700);
    return folder.string();
}

std::string SingleInstanceLockPath()
{
    const std::string folder = RuntimeFolder();
    return folder.empty() ? std::string() : folder + "/" + kSingleInstanceName + ".lock";
}

std::string SingleInstanceSocketPath()
{
    const std::string folder = RuntimeFolder();
    return folder.empty() ? std::string() : folder + "/" + kSingleInstanceName + ".socket";
}

CSingleInstance::CSingleInstance(std::string lockPath)
{
    if (!lockPath.empty())
        m_lock = std::make_unique<CNamedFileLock>(std::move(lockPath));
}

CSingleInstance::Role CSingleInstance::Claim()
{
    if (!m_lock) {
        m_role = Role::Alone;
        return m_role;
    }
    switch (m_lock->Acquire(std::chrono::milliseconds(0))) {
    case CNamedFileLock::Result::Acquired: m_role = Role::First; break;
    case CNamedFileLock::Result::TimedOut: m_role = Role::Second; break;
    case CNamedFileLock::Result::CannotOpen:
    case CNamedFileLock::Result::Unsupported: m_role = Role::Alone; break;
    }
    return m_role;
}
