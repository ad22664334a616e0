#pragma once
// A named lock shared by the processes of one user: flock on a lock file. The
// kernel drops the lock when its holder dies, so a crashed program never blocks
// the next one. Released when the object goes.

#include <chrono>
#include <string>

class CNamedFileLock {
public:
    enum class Result {
        Acquired,     // this object holds the lock
        TimedOut,     // another holder kept it for the whole wait
        CannotOpen,   // the lock file cannot be opened or created
        Unsupported,  // the file system refuses locks: go on without one
    };

    explicit CNamedFileLock(std::string lockFilePath);
    ~CNamedFileLock();
    CNamedFileLock(const CNamedFileLock&) = delete;
    CNamedFileLock& operator=(const CNamedFileLock&) = delete;

    // Tries at once, then polls until the time-out has passed.
    Result Acquire(std::chrono::milliseconds timeout);
    // Releases the lock and closes the file (also done by the destructor).
    void Release();
    bool Held() const { return m_held; }

private:
    std::string m_path;
    int m_fd = -1;
    bool m_held = false;
};
