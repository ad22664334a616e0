#include "platform/qt/GuardedFile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What path names once links are followed: a regular file, nothing, or
// something else (a status to give back).
FileReadStatus Examine(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? FileReadStatus::Missing : FileReadStatus::Unreadable;
    return S_ISREG(st.st_mode) ? FileReadStatus::Ok : FileReadStatus::NotRegular;
}

// Copies the bytes of the regular file at from (links followed) into a new
// file at to. False, with nothing left at to, when from is not a readable
// regular file or the copy cannot be written whole.
bool CopyFileBytes(const std::string& from, const std::string& to)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (in < 0)
        return false;
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return false;
    }
    // A new file of our own: an existing name (or a link planted there) is
    // not written through.
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        for (ssize_t done = 0; ok && done < n;) {
            const ssize_t w = ::write(out, buffer + done, std::size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            ok = w > 0;
            done += w > 0 ? w : 0;
        }
        if (!ok)
            break;
    }
    ok = ::fsync(out) == 0 && ok;
    ok = ::close(out) == 0 && ok;
    ::close(in);
    if (!ok)
        ::unlink(to.c_str());
    return ok;
}

}  // namespace

FileReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes)
{
    bytes.clear();
    // A device is not even opened (an open may act on it); what is opened is
    // checked again, as the name may have changed in between.
    if (const FileReadStatus before = Examine(path); before != FileReadStatus::Ok)
        return before;
    // Non-blocking, so that a pipe put in the file's place cannot hang the read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? FileReadStatus::Missing : FileReadStatus::Unreadable;
    struct stat st {};
    FileReadStatus status = FileReadStatus::Ok;
    if (::fstat(fd, &st) != 0) {
        status = FileReadStatus::Unreadable;
    } else if (!S_ISREG(st.st_mode)) {
        status = FileReadStatus::NotRegular;
    } else if (std::size_t(st.st_size) > maxBytes) {
        status = FileReadStatus::TooLarge;
    } else {
        bytes.reserve(std::size_t(st.st_size));
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                status = FileReadStatus::Unreadable;
                break;
            }
            if (n == 0)
                break;
            if (bytes.size() + std::size_t(n) > maxBytes) {  // grew while being read
                status = FileReadStatus::TooLarge;
                break;
            }
            bytes.append(buffer, std::size_t(n));
        }
    }
    ::close(fd);
    if (status != FileReadStatus::Ok)
        bytes.clear();
    return status;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::size_t maxBytes)
{
    if (bytes.size() > maxBytes)  // could not be read back
        return false;
    // A pipe, device or folder is left alone, wherever a link leads.
    if (Examine(path) == FileReadStatus::NotRegular)
        return false;
    QSaveFile file(QFile::decodeName(path.c_str()));
    // Unbuffered: a buffered QSaveFile flushes only while committing, and a
    // short write there (a full disk, a file size limit) is not seen by the
    // commit, which would then put a cut file in place of the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) ||
        file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool KeepBadFile(const std::string& path)
{
    if (Examine(path) != FileReadStatus::Ok)
        return false;
    const std::string bad = path + ".bad";
    ::unlink(bad.c_str());
    // The bytes, wherever a link leads: the save that follows writes through
    // a link, so a second name for the link itself would keep nothing.
    if (CopyFileBytes(path, bad))
        return true;
    // A file we may not read: a second name for the file the path leads to
    // keeps its bytes, as the save replaces that file rather than writing
    // into it.
    if (::linkat(AT_FDCWD, path.c_str(), AT_FDCWD, bad.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    // Last, moving the file itself aside; not a link, which the save must
    // keep in place.
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode))
        return std::rename(path.c_str(), bad.c_str()) == 0;
    return false;
}
