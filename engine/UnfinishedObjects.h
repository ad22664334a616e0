#pragma once
// Objects that the archive library builds behind pointers while it reads, and
// that must be freed when the read stops half-way.
//
// The library allocates and constructs an object read through a pointer
// before it reads the object's items, and gives it to its owner (the shared
// pointer) only after the last of them. An error in between leaves the
// object, and everything it already holds, with no owner. So each class read
// through a pointer notes its objects when they are constructed
// (NoteConstructed, from its load_construct_data) and strikes them off once
// their items are read whole (NoteFinished, at the end of its load). The list
// belongs to the archive: when the archive is destroyed while the error
// unwinds, whatever is still on it is destroyed too. After a read without an
// error nothing is destroyed here, whatever the list holds.

#include <exception>
#include <new>
#include <vector>

class CUnfinishedObjects {
public:
    CUnfinishedObjects() = default;
    CUnfinishedObjects(const CUnfinishedObjects&) = delete;
    CUnfinishedObjects& operator=(const CUnfinishedObjects&) = delete;

    ~CUnfinishedObjects()
    {
        if (std::uncaught_exceptions() == 0)
            return;  // a read that did not fail hands everything out
        // Innermost first; none of them owns another (a child is handed to
        // its parent only when it is finished).
        for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it)
            it->destroy(it->object);
    }

    template <class T>
    void Started(T* object)
    {
        m_objects.push_back({object, &Destroy<T>});
    }

    // Strikes off the object of exactly type T at that address (a base
    // class's own load, run for a derived object, finds nothing).
    template <class T>
    void Finished(T* object)
    {
        for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it) {
            if (it->object == object && it->destroy == &Destroy<T>) {
                m_objects.erase(std::next(it).base());
                return;
            }
        }
    }

private:
    struct Entry {
        void* object;
        void (*destroy)(void*);
    };

    template <class T>
    static void Destroy(void* object)
    {
        delete static_cast<T*>(object);
    }

    std::vector<Entry> m_objects;
};

// The archive's list (one per archive, made on first use).
template <class Archive>
CUnfinishedObjects& UnfinishedObjects(Archive& ar)
{
    static int key;
    return ar.template get_helper<CUnfinishedObjects>(&key);
}

// For load_construct_data: constructs the object in the library's memory and
// notes it.
template <class T, class Archive>
void NoteConstructed(Archive& ar, T* object)
{
    ::new (object) T();
    UnfinishedObjects(ar).Started(object);
}

// For the end of a class's load: its object is whole.
template <class T, class Archive>
void NoteFinished(Archive& ar, T* object)
{
    UnfinishedObjects(ar).Finished(object);
}
