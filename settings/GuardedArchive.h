#pragma once
// Whole archive files through the guarded reader and the atomic writer: the
// way every file of the program is loaded and saved (saved calculations
// arrive by drop, command line and download, so nothing in them is trusted).

#include "settings/ArchiveFile.h"
#include "settings/ArchiveSchema.h"

#include <string>

enum class ArchiveLoadResult {
    Loaded,
    NoFile,      // missing, not a regular file, too large or unreadable
    Refused,     // not an archive of the expected records (checked before reading)
    Failed,      // the library or a record's own check raised an error
};

// Reads path into memory, checks it against schema, then reads it with
// readItems(archive) inside the library's error handling. why, when given,
// receives what was wrong.
template <class ReadItems>
ArchiveLoadResult LoadArchiveFile(const std::string& path, const ArchiveSchema& schema, ReadItems&& readItems,
                                  std::string* why = nullptr)
{
    std::string bytes;
    if (ReadWholeFile(path, bytes, kMaxArchiveFileBytes) != FileReadStatus::Ok) {
        if (why)
            *why = "the file cannot be read";
        return ArchiveLoadResult::NoFile;
    }
    const ArchiveCheckResult check = CheckArchive(bytes, schema);
    if (!check.ok) {
        if (why)
            *why = check.error;
        return ArchiveLoadResult::Refused;
    }
    if (!ReadXmlArchive(bytes, readItems)) {
        if (why)
            *why = "the records could not be read";
        return ArchiveLoadResult::Failed;
    }
    return ArchiveLoadResult::Loaded;
}

// Writes the archive of writeItems(archive) to memory, then replaces path
// atomically. False on any failure, with the previous file left as it was.
template <class WriteItems>
bool SaveArchiveFile(const std::string& path, WriteItems&& writeItems) noexcept
{
    try {
        return WriteFileAtomically(path, WriteXmlArchive(writeItems), kMaxArchiveFileBytes);
    } catch (...) {
        return false;
    }
}
