#pragma once
// The procedure both settings files share: the named lock, the path in the
// settings folder, the guarded read and the atomic write, and keeping a file
// that could not be read before the first save over it.

#include <chrono>
#include <string>
#include <vector>

class ArchiveSchema;

struct SettingsFileSpec {
    const char* fileName;           // in the settings folder
    const char* lockName;           // lock file in the "Vornel" folder
    const char* saveFailed;         // lock not had, or the file not written
    const char* noFolder;           // settings folder not available
    const char* cannotCreateFolder; // settings folder cannot be created
    const char* noPath;             // path too long
};

inline constexpr std::chrono::milliseconds kSettingsLockWait{3000};

struct SettingsFileContent {
    enum class Status {
        NoFile,      // nothing to read (first start), or no path could be had
        Read,        // bytes hold the file
        Unreadable,  // the file exists but cannot be read
    };
    Status status = Status::NoFile;
    bool lockMissed = false;  // read without the lock (another holder, or no lock file)
    std::string path;
    std::string bytes;
};

// Reads the file at path, or the settings-folder file that spec names when path
// is null, under the lock. Never throws. A missing settings folder gives
// NoFile: there is no fallback to a file in the current folder.
SettingsFileContent ReadSettingsFile(const SettingsFileSpec& spec, const char* path) noexcept;

// What a settings record does while it is loaded: it reads into a staging
// copy of itself and takes over all of it, or after a fault the items that
// its defaults keep and that were complete before the fault.
class ISettingsRecordLoad {
public:
    virtual ~ISettingsRecordLoad() = default;
    virtual const ArchiveSchema& Schema() const = 0;
    // Reads checked bytes into the staging copy; false on any library error.
    virtual bool ReadStaging(const std::string& bytes) = 0;
    virtual void AdoptStaging() = 0;
    virtual void AdoptKeptItems(const std::vector<std::string>& completeItems) = 0;
    virtual void SetDefaults() = 0;
    virtual void Sanitize() = 0;
};

// The whole load of a settings record: lock, guarded read, check, staging,
// take-over and value checks. Never throws; whatever goes wrong gives the
// defaults, and a file that exists but cannot be read is noted in
// unreadableFile for the next save.
void LoadSettingsRecord(const SettingsFileSpec& spec, const char* path, ISettingsRecordLoad& record,
                        std::string& unreadableFile) noexcept;

// Writes bytes to path, or to the settings-folder file that spec names, under
// the lock. When unreadableFile names the target, the old file is first kept
// as "<name>.bad" and unreadableFile is emptied. Throws std::runtime_error
// with the messages that spec holds; on failure the previous file is unchanged.
void SaveSettingsFile(const SettingsFileSpec& spec, const char* path, const std::string& bytes,
                      std::string& unreadableFile);
