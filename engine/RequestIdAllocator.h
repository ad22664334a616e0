#pragma once
// Hands out worker request ids that are unique over the engine's life: a
// counter that skips ids still in use (requests whose report may still come,
// such as cancelled ones) and wraps to 0 after the largest int.

#include <mutex>
#include <set>

class CRequestIdAllocator {
public:
    int Allocate();
    // The request's report arrived (or the request was never sent): its id may
    // be handed out again once the counter comes round.
    void Release(int id);
    bool IsInUse(int id) const;

private:
    mutable std::mutex m_lock;
    std::set<int> m_inUse;
    int m_next = 0;
};
