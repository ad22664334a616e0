#include "shell/ArchiveFile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes)
{
    bytes.clear();
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
    const std::string bad = path + ".bad";
    ::unlink(bad.c_str());
    // A second name for the same file needs no reading (the file may be
    // unreadable to us); a copy serves where links are not supported.
    if (::link(path.c_str(), bad.c_str()) == 0)
        return true;
    if (QFile::copy(QFile::decodeName(path.c_str()), QFile::decodeName(bad.c_str())))
        return true;
    return std::rename(path.c_str(), bad.c_str()) == 0;
}
