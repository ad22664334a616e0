#include "settings/SettingsFile.h"

#include "platform/NamedFileLock.h"
#include "settings/ArchiveFile.h"
#include "settings/ArchiveSchema.h"
#include "settings/SettingsFolder.h"

#include <QDir>
#include <QFile>

#include <climits>
#include <optional>
#include <stdexcept>

namespace {

std::string LockPath(const SettingsFileSpec& spec)
{
    const std::string vendor = VendorFolder();
    return vendor.empty() ? std::string() : vendor + "/" + spec.lockName;
}

// Takes the lock; false when it cannot be had within the wait. A file system
// that refuses locks counts as had: there is nothing to wait for.
bool TakeLock(std::optional<CNamedFileLock>& lock, const SettingsFileSpec& spec)
{
    const std::string lockPath = LockPath(spec);
    if (lockPath.empty())
        return false;
    lock.emplace(lockPath);
    switch (lock->Acquire(kSettingsLockWait)) {
    case CNamedFileLock::Result::Acquired:
    case CNamedFileLock::Result::Unsupported:
        return true;
    case CNamedFileLock::Result::TimedOut:
    case CNamedFileLock::Result::CannotOpen:
        break;
    }
    lock.reset();
    return false;
}

bool FilePathInFolder(const std::string& folder, const char* fileName, std::string& path)
{
    std::string joined = folder + "/" + fileName;
    if (joined.size() >= PATH_MAX)
        return false;
    path = std::move(joined);
    return true;
}

}  // namespace

SettingsFileContent ReadSettingsFile(const SettingsFileSpec& spec, const char* path) noexcept
{
    SettingsFileContent content;
    try {
        std::optional<CNamedFileLock> lock;
        content.lockMissed = !TakeLock(lock, spec);
        if (path) {
            content.path = path;
        } else {
            std::string folder;
            if (!SettingsFolder(folder) || !FilePathInFolder(folder, spec.fileName, content.path))
                return content;
        }
        switch (ReadWholeFile(content.path, content.bytes, kMaxArchiveFileBytes)) {
        case FileReadStatus::Ok: content.status = SettingsFileContent::Status::Read; break;
        case FileReadStatus::Missing: content.status = SettingsFileContent::Status::NoFile; break;
        default: content.status = SettingsFileContent::Status::Unreadable; break;
        }
    } catch (...) {
        content.status = SettingsFileContent::Status::NoFile;
        content.bytes.clear();
    }
    return content;
}

void SaveSettingsFile(const SettingsFileSpec& spec, const char* path, const std::string& bytes,
                      std::string& unreadableFile)
{
    std::optional<CNamedFileLock> lock;
    if (!TakeLock(lock, spec))
        throw std::runtime_error(spec.saveFailed);
    std::string target;
    if (path) {
        target = path;
    } else {
        std::string folder;
        if (!SettingsFolder(folder))
            throw std::runtime_error(spec.noFolder);
        if (!QDir().mkpath(QFile::decodeName(folder.c_str())))
            throw std::runtime_error(spec.cannotCreateFolder);
        if (!FilePathInFolder(folder, spec.fileName, target))
            throw std::runtime_error(spec.noPath);
    }
    if (!unreadableFile.empty() && unreadableFile == target) {
        if (QFile::exists(QFile::decodeName(target.c_str())) && !KeepBadFile(target))
            throw std::runtime_error(spec.saveFailed);
        unreadableFile.clear();
    }
    if (!WriteFileAtomically(target, bytes, kMaxArchiveFileBytes))
        throw std::runtime_error(spec.saveFailed);
}

void LoadSettingsRecord(const SettingsFileSpec& spec, const char* path, ISettingsRecordLoad& record,
                        std::string& unreadableFile) noexcept
{
    try {
        const SettingsFileContent content = ReadSettingsFile(spec, path);
        if (content.lockMissed)
            record.SetDefaults();
        if (content.status != SettingsFileContent::Status::Read) {
            if (content.status == SettingsFileContent::Status::Unreadable)
                unreadableFile = content.path;
            record.SetDefaults();
            return;
        }
        const ArchiveCheckResult check = CheckArchive(content.bytes, record.Schema());
        if (check.ok && record.ReadStaging(content.bytes)) {
            record.AdoptStaging();
            record.Sanitize();
            return;
        }
        unreadableFile = content.path;
        if (!check.ok) {
            // The library reads the items complete before the fault, then
            // stops with an error at the first missing one.
            const std::string cut = CutAfterCompleteMembers(content.bytes, check, record.Schema());
            if (!cut.empty()) {
                record.ReadStaging(cut);
                record.AdoptKeptItems(check.completeMembers);
            }
        }
        record.SetDefaults();
        record.Sanitize();
    } catch (...) {
        record.SetDefaults();
    }
}
