#include "engine/RequestIdAllocator.h"

#include <limits>

int CRequestIdAllocator::Allocate() {
    std::lock_guard lock(m_lock);
    for (;;) {
        const int id = m_next;
        m_next = (m_next == std::numeric_limits<int>::max()) ? 0 : m_next + 1;
        if (m_inUse.insert(id).second)
            return id;
    }
}

void CRequestIdAllocator::Release(int id) {
    std::lock_guard lock(m_lock);
    m_inUse.erase(id);
}

bool CRequestIdAllocator::IsInUse(int id) const {
    std::lock_guard lock(m_lock);
    return m_inUse.contains(id);
}
