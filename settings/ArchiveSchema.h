#pragma once
// The shape of the records that an XML archive file holds, as the Boost
// Serialization library writes them, and the check of a file against it.
//
// Every load goes through CheckArchive before the library's reader sees the
// bytes. The library's XML reader trusts its input: a missing closing root tag
// ends the process from a destructor, a class id out of sequence fails an
// assertion or indexes past its tables, an object reference to an object of
// another class gives a pointer of the wrong type, and a forged count resizes a
// container without bound. The check walks the file with the schema of the
// records, keeping the same class and object tables as the library's reader,
// and accepts only what the library's writer can produce for these types:
// well-formed tags, the expected item names in order, class ids, tracking
// levels and versions where the writer puts them, counts equal to their items,
// and object and class references that point back to an earlier object or
// class of a type the place may hold. Values of integers and flags must be
// decimal text in range, so that the library's conversions cannot fail.
//
// Why a check in front of the library rather than a reader of our own: the
// library stays the one implementation of the format, for writing and for
// reading (class ids, object tracking, shared pointers and polymorphic
// records are its own), while the check only has to recognise the layout and
// never builds objects. A schema that drifts from the serialize code makes
// files unreadable, which the round-trip tests catch, but it can never make a
// load corrupt memory.

#include <cstddef>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct ArchiveType {
    enum class Kind { Int, UInt, Bool, String, Class, Sequence, Map, SharedPtr };

    struct Member {
        std::string name;
        const ArchiveType* type = nullptr;
        unsigned minVersion = 0;  // present from this class version on
    };

    std::string name;  // for messages
    Kind kind = Kind::Class;
    bool tracked = false;      // objects carry object ids
    unsigned version = 0;      // the class version written; later versions are refused
    unsigned minVersion = 0;   // oldest class version accepted
    bool abstract = false;     // no objects of this very class (polymorphic base)
    std::vector<Member> members;             // Class: items in order
    const ArchiveType* element = nullptr;    // Sequence/Map: item type; SharedPtr: pointee
    std::vector<const ArchiveType*> derived; // polymorphic pointee: the exported classes
    std::string exportKey;                   // exported class: its class name in the file
    bool (*textCheck)(std::string_view) = nullptr;  // String: what the text must be

    bool IsPrimitive() const
    {
        return kind == Kind::Int || kind == Kind::UInt || kind == Kind::Bool || kind == Kind::String;
    }
};

// Builds and owns the types of one kind of file and lists its top-level items.
// One ArchiveType stands for one C++ type: asking twice for the sequence of
// the same element type gives the same object, as the library registers it
// once.
class ArchiveSchema {
public:
    ArchiveSchema() = default;
    ArchiveSchema(const ArchiveSchema&) = delete;
    ArchiveSchema& operator=(const ArchiveSchema&) = delete;

    const ArchiveType* Int() const { return &m_int; }
    const ArchiveType* UInt() const { return &m_uint; }
    const ArchiveType* Bool() const { return &m_bool; }
    const ArchiveType* String() const { return &m_string; }
    // A string whose text must pass check (so that the reader never meets a
    // value it would refuse half-way through an object).
    const ArchiveType* CheckedString(std::string name, bool (*check)(std::string_view));

    // A class; add its members with AddMember in the order of its serialize.
    ArchiveType* Class(std::string name, unsigned version = 0, bool tracked = false);
    static void AddMember(ArchiveType* cls, std::string name, const ArchiveType* type,
                          unsigned minVersion = 0);

    const ArchiveType* Sequence(const ArchiveType* element);  // std::deque
    const ArchiveType* Map(const ArchiveType* key, const ArchiveType* value);  // std::map
    const ArchiveType* SharedPtr(const ArchiveType* pointee);  // std::shared_ptr, class version 1

    void AddTopLevel(std::string name, const ArchiveType* type);
    const std::vector<std::pair<std::string, const ArchiveType*>>& TopLevel() const { return m_topLevel; }

private:
    static ArchiveType Primitive(const char* name, ArchiveType::Kind kind)
    {
        ArchiveType t;
        t.name = name;
        t.kind = kind;
        return t;
    }

    ArchiveType m_int = Primitive("int", ArchiveType::Kind::Int);
    ArchiveType m_uint = Primitive("unsigned int", ArchiveType::Kind::UInt);
    ArchiveType m_bool = Primitive("bool", ArchiveType::Kind::Bool);
    ArchiveType m_string = Primitive("string", ArchiveType::Kind::String);
    std::deque<ArchiveType> m_types;  // stable addresses
    std::map<std::pair<int, std::pair<const ArchiveType*, const ArchiveType*>>, const ArchiveType*> m_made;
    std::vector<std::pair<std::string, const ArchiveType*>> m_topLevel;
};

struct ArchiveCheckResult {
    bool ok = false;
    std::string error;            // what was wrong and where (byte offset)
    unsigned libraryVersion = 0;  // the archive version of the header
    // Members of the first top-level item that were complete before the first
    // fault, and the offset just past the last of them. A settings file cut in
    // the middle can so take over the items read before the cut.
    std::vector<std::string> completeMembers;
    std::size_t completeMembersEnd = 0;
};

// Archive versions accepted: 3 (the oldest layout, without item versions) to
// 18 (the one Boost 1.74 writes).
inline constexpr unsigned kMinArchiveVersion = 3;
inline constexpr unsigned kMaxArchiveVersion = 18;

ArchiveCheckResult CheckArchive(std::string_view bytes, const ArchiveSchema& schema);

// The bytes of a file whose check failed cut after its complete members and
// closed again, so that the library reads those members and then stops with
// an error at the first missing one. Empty when nothing complete was found.
std::string CutAfterCompleteMembers(std::string_view bytes, const ArchiveCheckResult& result,
                                    const ArchiveSchema& schema);
