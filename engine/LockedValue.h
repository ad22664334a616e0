#pragma once
// A value shared between threads, read and written only under its own lock.

#include <mutex>

template <class T>
class CLockedValue {
public:
    explicit CLockedValue(T value = T{}) : m_value(value) {}
    T Get() const {
        std::lock_guard lock(m_lock);
        return m_value;
    }
    void Set(T value) {
        std::lock_guard lock(m_lock);
        m_value = value;
    }

private:
    mutable std::mutex m_lock;
    T m_value;
};
