#pragma once
// Archive files are read and written whole through the guarded file layer
// (platform/qt/GuardedFile.h) below a size cap; the archive itself is written
// to and read from memory.

#include <boost/archive/xml_iarchive.hpp>
#include <boost/archive/xml_oarchive.hpp>

#include <cstddef>
#include <sstream>
#include <string>

#include "platform/qt/GuardedFile.h"

// The largest archive file read or written. A history of thousands of numbers
// of 512 digits is a few megabytes; the writer refuses anything larger, so
// that every file the program writes can be read back.
inline constexpr std::size_t kMaxArchiveFileBytes = 64u * 1024 * 1024;

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
