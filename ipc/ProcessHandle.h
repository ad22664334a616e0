#pragma once
// A handle on another process by its id, on a pidfd, so that a process that
// is not our child (the bus starts the worker) can be waited for without
// polling and without the races of reused ids. Process ids of 0 or below are
// refused: they name process groups or every process, never one worker.

#include <chrono>
#include <optional>

namespace ipc {

class CProcessHandle {
public:
    enum class WaitResult { Exited, TimedOut, Failed };

    // Opens the process; nothing when pid <= 0 or the process is already gone
    // (or cannot be opened).
    static std::optional<CProcessHandle> Open(int pid);

    CProcessHandle(CProcessHandle&& other) noexcept;
    CProcessHandle& operator=(CProcessHandle&& other) noexcept;
    CProcessHandle(const CProcessHandle&) = delete;
    CProcessHandle& operator=(const CProcessHandle&) = delete;
    ~CProcessHandle();

    int pid() const { return m_pid; }
    // Readable once the process has ended; for event loops and poll().
    int fd() const { return m_fd; }

    bool hasExited() const;
    WaitResult waitForExit(std::chrono::milliseconds timeout) const;

private:
    CProcessHandle(int pid, int fd) : m_pid(pid), m_fd(fd) {}
    int m_pid = 0;
    int m_fd = -1;
};

// Waits up to `timeout` for the process `pid` to end: Exited also when it has
// already gone, Failed for pid <= 0.
CProcessHandle::WaitResult WaitForProcessExit(int pid, std::chrono::milliseconds timeout);

}  // namespace ipc
