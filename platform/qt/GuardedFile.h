#pragma once
// Whole files read and written safely, for every file the program keeps: a
// path is read only when it names a regular file (links followed) below a
// size cap, opened without blocking and checked again once open, so that a
// pipe, a device or a folder in its place is never read or waited on; a file
// is written by replacing it atomically (the target of a link, in the
// target's folder, so the link stays), so that a crash or a full disk never
// leaves it empty or partial, and a path that names anything but a regular
// file is never replaced.

#include <cstddef>
#include <string>

enum class FileReadStatus {
    Ok,
    Missing,     // no such file (a dangling link too)
    NotRegular,  // a folder, device, pipe, ...
    TooLarge,
    Unreadable,  // exists but cannot be opened or read
};

FileReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes);

// Writes bytes to a temporary file beside path (beside the file a link at path
// leads to), flushes it and renames it over that file. Returns false on any
// failure, leaving the file as it was: more than maxBytes, or a path that
// names something other than a regular file, fails before anything is
// written.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::size_t maxBytes);

// Keeps the bytes of the regular file at path under path + ".bad" (replacing
// an older one), before a save replaces them: a copy of the file a link at
// path leads to, never a second name for the link. Returns false when the
// bytes could not be kept or path names no regular file.
bool KeepBadFile(const std::string& path);
