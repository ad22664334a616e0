#pragma once
// Reading and writing archive files safely: a file is read only when it is a
// regular file below a size cap, wholly into memory; a file is written by
// replacing it atomically, so that a crash or a full disk never leaves it
// empty or partial. The archive itself is written to and read from memory.

#include <boost/archive/xml_iarchive.hpp>
#include <boost/archive/xml_oarchive.hpp>

#include <cstddef>
#include <sstream>
#include <string>

// The largest archive file read or written. A history of thousands of numbers
// of 512 digits is a few megabytes; the writer refuses anything larger, so
// that every file the program writes can be read back.
inline constexpr std::size_t kMaxArchiveFileBytes = 64u * 1024 * 1024;

enum class FileReadStatus {
    Ok,
    Missing,     // no such file
    NotRegular,  // a folder, device, pipe, ...
    TooLarge,
    Unreadable,  // exists but cannot be opened or read
};

FileReadStatus ReadWholeFile(const std::string& path, std::string& bytes,
                             std::size_t maxBytes = kMaxArchiveFileBytes);

// Writes bytes to a temporary file beside path, flushes it and renames it over
// path. Returns false on any failure, leaving path as it was; more than
// maxBytes is a failure found before anything is written.
bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                         std::size_t maxBytes = kMaxArchiveFileBytes);

// Keeps the bytes of the file at path under path + ".bad" (replacing an older
// one), before a save replaces them: a copy of the file a link at path leads
// to, never a second name for the link. Returns false when the bytes could
// not be kept.
bool KeepBadFile(const std::string& path);

// The archive written by writeItems(archive), as text.
template <class WriteItems>
std::string WriteXmlArchive(WriteItems&& writeItems)
{
    std::ostringstream out;
    {
        boost::archive::xml_oarchive archive(out);
        writeItems(archive);
    }
    return out.str();
}

// Reads a checked archive (see CheckArchive) with readItems(archive). Returns
// false when the library raised any error. The archive is destroyed while an
// exception unwinds, so its closing-tag check never runs on a failed read.
template <class ReadItems>
bool ReadXmlArchive(const std::string& checkedBytes, ReadItems&& readItems) noexcept
{
    try {
        std::istringstream in(checkedBytes);
        boost::archive::xml_iarchive archive(in);
        readItems(archive);
        return true;
    } catch (...) {
        return false;
    }
}
