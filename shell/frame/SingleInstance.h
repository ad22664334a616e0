#pragma once
// One running calculator per user: the first start holds a lock file in the
// per-user runtime folder for its whole life and listens on a local socket
// beside it; a later start finds the lock held and hands its file over
// through that socket. The kernel drops the lock when its holder dies, so a
// crashed first instance never blocks the next start.

#include <memory>
#include <string>

#include "platform/NamedFileLock.h"

inline constexpr const char* kSingleInstanceName = "0wi9akp_SksiieKsiasjalu0_383";

// $XDG_RUNTIME_DIR when it is set and a folder; otherwise a folder of the
// user's own (mode 0700) under the temporary folder. Empty when none can be had.
std::string RuntimeFolder();
std::string SingleInstanceLockPath();
std::string SingleInstanceSocketPath();

class CSingleInstance {
public:
    enum class Role {
        First,   // this process holds the lock
        Second,  // another process holds it
        Alone,   // no lock can be had here: run without the single-instance rule
    };

    explicit CSingleInstance(std::string lockPath = SingleInstanceLockPath());
    // Tries the lock at once; the result stays for the object's life.
    Role Claim();
    Role GetRole() const { return m_role; }

private:
    std::unique_ptr<CNamedFileLock> m_lock;
    Role m_role = Role::Alone;
};
