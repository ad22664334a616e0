#include "settings/ArchiveSchema.h"

#include <charconv>
#include <climits>
#include <cstdint>
#include <optional>

ArchiveType* ArchiveSchema::Class(std::string name, unsigned version, bool tracked)
{
    ArchiveType& t = m_types.emplace_back();
    t.name = std::move(name);
    t.kind = ArchiveType::Kind::Class;
    t.version = version;
    t.tracked = tracked;
    return &t;
}

const ArchiveType* ArchiveSchema::CheckedString(std::string name, bool (*check)(std::string_view))
{
    ArchiveType& t = m_types.emplace_back();
    t.name = std::move(name);
    t.kind = ArchiveType::Kind::String;
    t.textCheck = check;
    return &t;
}

void ArchiveSchema::AddMember(ArchiveType* cls, std::string name, const ArchiveType* type,
                              unsigned minVersion)
{
    cls->members.push_back({std::move(name), type, minVersion});
}

const ArchiveType* ArchiveSchema::Sequence(const ArchiveType* element)
{
    auto key = std::make_pair(int(ArchiveType::Kind::Sequence), std::make_pair(element, nullptr));
    if (auto it = m_made.find(key); it != m_made.end())
        return it->second;
    ArchiveType& t = m_types.emplace_back();
    t.name = "deque<" + element->name + ">";
    t.kind = ArchiveType::Kind::Sequence;
    t.element = element;
    return m_made[key] = &t;
}

const ArchiveType* ArchiveSchema::Map(const ArchiveType* keyType, const ArchiveType* value)
{
    auto key = std::make_pair(int(ArchiveType::Kind::Map), std::make_pair(keyType, value));
    if (auto it = m_made.find(key); it != m_made.end())
        return it->second;
    ArchiveType* pair = Class("pair<" + keyType->name + "," + value->name + ">");
    AddMember(pair, "first", keyType);
    AddMember(pair, "second", value);
    ArchiveType& t = m_types.emplace_back();
    t.name = "map<" + keyType->name + "," + value->name + ">";
    t.kind = ArchiveType::Kind::Map;
    t.element = pair;
    return m_made[key] = &t;
}

const ArchiveType* ArchiveSchema::SharedPtr(const ArchiveType* pointee)
{
    auto key = std::make_pair(int(ArchiveType::Kind::SharedPtr), std::make_pair(pointee, nullptr));
    if (auto it = m_made.find(key); it != m_made.end())
        return it->second;
    ArchiveType& t = m_types.emplace_back();
    t.name = "shared_ptr<" + pointee->name + ">";
    t.kind = ArchiveType::Kind::SharedPtr;
    t.element = pointee;
    t.version = 1;
    t.minVersion = 1;
    return m_made[key] = &t;
}

void ArchiveSchema::AddTopLevel(std::string name, const ArchiveType* type)
{
    m_topLevel.emplace_back(std::move(name), type);
}

namespace {

constexpr const char* kRootName = "boost_serialization";
constexpr const char* kSignature = "serialization::archive";
// Deeper nesting than any record of the program has; a guard for the walk.
constexpr int kMaxDepth = 64;

struct Fault {
    std::string what;
    std::size_t offset;
};

struct Tag {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    bool isEnd = false;

    const std::string* Attribute(std::string_view key) const
    {
        for (const auto& [k, v] : attributes)
            if (k == key)
                return &v;
        return nullptr;
    }
};

bool IsNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsNameChar(char c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

bool IsAttributeValueChar(char c)
{
    return IsNameChar(c) || c == ':';
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A reader of the XML subset that the library writes: elements with quoted
// attributes, text with the five predefined entities, white space between
// elements. No comments, CDATA, processing instructions or empty-element tags.
class XmlScanner {
public:
    explicit XmlScanner(std::string_view bytes) : m_s(bytes) {}

    std::size_t Offset() const { return m_pos; }
    [[noreturn]] void Fail(std::string what) const { throw Fault{std::move(what), m_pos}; }

    void SkipSpace()
    {
        while (m_pos < m_s.size() && IsSpace(m_s[m_pos]))
            ++m_pos;
    }

    bool AtEnd() const { return m_pos >= m_s.size(); }

    bool StartsWith(std::string_view text) const { return m_s.substr(m_pos).substr(0, text.size()) == text; }

    void Expect(std::string_view text)
    {
        if (!StartsWith(text))
            Fail("expected \"" + std::string(text) + "\"");
        m_pos += text.size();
    }

    // The XML declaration and the optional document type declaration.
    void ReadProlog()
    {
        Expect("<?xml");
        if (m_pos >= m_s.size() || !IsSpace(m_s[m_pos]))
            Fail("bad XML declaration");
        std::vector<std::pair<std::string, std::string>> attributes;
        for (;;) {
            SkipSpace();
            if (StartsWith("?>")) {
                m_pos += 2;
                break;
            }
            attributes.push_back(ReadAttribute());
        }
        if (attributes.empty() || attributes[0].first != "version" || attributes[0].second != "1.0")
            Fail("the XML declaration lacks version 1.0");
        SkipSpace();
        if (StartsWith("<!")) {
            Expect("<!DOCTYPE");
            SkipSpace();
            Expect(kRootName);
            SkipSpace();
            Expect(">");
        }
    }

    // A start or end tag, after optional white space.
    Tag ReadTag()
    {
        SkipSpace();
        if (AtEnd())
            Fail("the file ends before its closing tags");
        if (m_s[m_pos] != '<')
            Fail("expected a tag");
        ++m_pos;
        Tag tag;
        if (m_pos < m_s.size() && m_s[m_pos] == '/') {
            tag.isEnd = true;
            ++m_pos;
        }
        tag.name = ReadName();
        for (;;) {
            const std::size_t before = m_pos;
            SkipSpace();
            if (AtEnd())
                Fail("the file ends inside a tag");
            if (m_s[m_pos] == '>') {
                ++m_pos;
                return tag;
            }
            if (tag.isEnd || before == m_pos)
                Fail("bad tag <" + tag.name + ">");
            auto attribute = ReadAttribute();
            if (tag.Attribute(attribute.first))
                Fail("attribute " + attribute.first + " given twice");
            tag.attributes.push_back(std::move(attribute));
        }
    }

    // The text content of an element, up to its end tag, entities decoded.
    std::string ReadText()
    {
        std::string text;
        while (m_pos < m_s.size() && m_s[m_pos] != '<') {
            const char c = m_s[m_pos];
            if (c != '&') {
                text.push_back(c);
                ++m_pos;
                continue;
            }
            static constexpr std::pair<std::string_view, char> kEntities[] = {
                {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''}};
            bool known = false;
            for (const auto& [entity, ch] : kEntities) {
                if (StartsWith(entity)) {
                    text.push_back(ch);
                    m_pos += entity.size();
                    known = true;
                    break;
                }
            }
            if (!known)
                Fail("unknown entity in text");
        }
        if (AtEnd())
            Fail("the file ends inside a text");
        return text;
    }

private:
    std::string ReadName()
    {
        const std::size_t begin = m_pos;
        if (m_pos >= m_s.size() || !IsNameStart(m_s[m_pos]))
            Fail("expected a name");
        while (m_pos < m_s.size() && IsNameChar(m_s[m_pos]))
            ++m_pos;
        return std::string(m_s.substr(begin, m_pos - begin));
    }

    std::pair<std::string, std::string> ReadAttribute()
    {
        std::string name = ReadName();
        Expect("=\"");
        const std::size_t begin = m_pos;
        while (m_pos < m_s.size() && IsAttributeValueChar(m_s[m_pos]))
            ++m_pos;
        std::string value(m_s.substr(begin, m_pos - begin));
        Expect("\"");
        return {std::move(name), std::move(value)};
    }

    std::string_view m_s;
    std::size_t m_pos = 0;
};

// Decimal text in [lo, hi]: digits, with a leading "-" only where lo is
// negative. The library reads the attributes tracking_level, version and the
// number of an object id without a sign (it refuses "-0" there, half-way
// through an object), and the writer never puts a sign before a count or
// version; a place that cannot hold a negative value therefore takes no sign.
std::optional<std::int64_t> ParseDecimal(std::string_view text, std::int64_t lo, std::int64_t hi)
{
    if (text.empty() || text.size() > 20)
        return std::nullopt;
    std::int64_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+' || (*first == '-' && lo >= 0))
        return std::nullopt;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || value < lo || value > hi)
        return std::nullopt;
    return value;
}

// Walks one file with the schema, keeping the class and object tables the
// library's reader keeps.
class ArchiveWalker {
public:
    ArchiveWalker(std::string_view bytes, ArchiveCheckResult& result) : m_scan(bytes), m_result(result) {}

    void Run(const ArchiveSchema& schema)
    {
        m_scan.ReadProlog();
        const Tag root = m_scan.ReadTag();
        if (root.isEnd || root.name != kRootName)
            m_scan.Fail("the root element is not an archive");
        const std::string* signature = root.Attribute("signature");
        const std::string* version = root.Attribute("version");
        if (!signature || *signature != kSignature || root.attributes.size() != 2)
            m_scan.Fail("the archive signature is missing or wrong");
        const auto libraryVersion =
            version ? ParseDecimal(*version, kMinArchiveVersion, kMaxArchiveVersion) : std::nullopt;
        if (!libraryVersion)
            m_scan.Fail("the archive version is not one this program reads");
        m_libraryVersion = unsigned(*libraryVersion);
        m_result.libraryVersion = m_libraryVersion;

        bool first = true;
        for (const auto& [name, type] : schema.TopLevel()) {
            m_recordMembers = first;
            ReadItem(name, type, 0);
            first = false;
        }
        ExpectEnd(kRootName);
        m_scan.SkipSpace();
        if (!m_scan.AtEnd())
            m_scan.Fail("there is more after the archive's closing tag");
    }

private:
    struct ClassEntry {
        const ArchiveType* type;
        bool initialized = false;
        unsigned fileVersion = 0;
    };
    struct ObjectEntry {
        const ArchiveType* type;
        bool asPointer;
        bool complete = false;  // its body was read (a reference may point to it)
    };

    unsigned Register(const ArchiveType* type)
    {
        for (unsigned i = 0; i < m_classes.size(); ++i)
            if (m_classes[i].type == type)
                return i;
        m_classes.push_back({type});
        return unsigned(m_classes.size() - 1);
    }

    static void CheckOnly(const Tag& tag, std::initializer_list<std::string_view> allowed, XmlScanner& scan)
    {
        for (const auto& [key, value] : tag.attributes) {
            bool ok = false;
            for (auto a : allowed)
                ok = ok || key == a;
            if (!ok)
                scan.Fail("unexpected attribute " + key + " on <" + tag.name + ">");
        }
    }

    // The class information the first object of a class carries.
    void ReadClassInfo(const Tag& tag, ClassEntry& entry, const char* idAttribute, unsigned id)
    {
        const std::string* cid = tag.Attribute(idAttribute);
        const std::string* tracking = tag.Attribute("tracking_level");
        const std::string* version = tag.Attribute("version");
        if (!cid || !tracking || !version)
            m_scan.Fail("<" + tag.name + "> lacks its class information");
        if (ParseDecimal(*cid, 0, INT_MAX) != std::int64_t(id))
            m_scan.Fail("<" + tag.name + "> has a class id out of sequence");
        if (ParseDecimal(*tracking, 0, 1) != std::int64_t(entry.type->tracked ? 1 : 0))
            m_scan.Fail("<" + tag.name + "> has the wrong tracking level");
        const auto v = ParseDecimal(*version, entry.type->minVersion, entry.type->version);
        if (!v)
            m_scan.Fail("<" + tag.name + "> has a class version this program does not read");
        entry.initialized = true;
        entry.fileVersion = unsigned(*v);
    }

    void ExpectEnd(const std::string& name)
    {
        const Tag end = m_scan.ReadTag();
        if (!end.isEnd || end.name != name)
            m_scan.Fail("expected </" + name + ">");
    }

    Tag ExpectStart(const std::string& name)
    {
        Tag tag = m_scan.ReadTag();
        if (tag.isEnd || tag.name != name)
            m_scan.Fail("expected <" + name + ">");
        return tag;
    }

    void ReadItem(const std::string& name, const ArchiveType* type, int depth)
    {
        if (depth > kMaxDepth)
            m_scan.Fail("nesting too deep");
        const Tag tag = ExpectStart(name);
        if (type->IsPrimitive()) {
            if (!tag.attributes.empty())
                m_scan.Fail("unexpected attributes on <" + name + ">");
            CheckValue(type, m_scan.ReadText(), name);
            ExpectEnd(name);
            return;
        }
        // An object by value: registered on first use, class information on
        // its first appearance, an object id of its own when tracked.
        const unsigned id = Register(type);
        ClassEntry& entry = m_classes[id];
        if (!entry.initialized) {
            CheckOnly(tag, {"class_id", "tracking_level", "version", "object_id"}, m_scan);
            ReadClassInfo(tag, entry, "class_id", id);
        } else {
            CheckOnly(tag, {"object_id"}, m_scan);
        }
        if (type->tracked) {
            const std::string* oid = tag.Attribute("object_id");
            if (!oid || *oid != "_" + std::to_string(m_objects.size()))
                m_scan.Fail("<" + name + "> lacks its object id or has one out of sequence");
            m_objects.push_back({type, false});
        } else if (tag.Attribute("object_id")) {
            m_scan.Fail("<" + name + "> has an object id but is not tracked");
        }
        const std::size_t object = m_objects.size();
        ReadBody(type, m_classes[id].fileVersion, depth);
        if (type->tracked)
            m_objects[object - 1].complete = true;
        ExpectEnd(name);
    }

    void ReadBody(const ArchiveType* type, unsigned fileVersion, int depth)
    {
        const bool recordMembers = m_recordMembers;
        m_recordMembers = false;
        switch (type->kind) {
        case ArchiveType::Kind::Class:
            for (const auto& member : type->members) {
                if (member.minVersion > fileVersion)
                    continue;
                ReadItem(member.name, member.type, depth + 1);
                if (recordMembers) {
                    m_result.completeMembers.push_back(member.name);
                    m_result.completeMembersEnd = m_scan.Offset();
                }
            }
            break;
        case ArchiveType::Kind::Sequence:
        case ArchiveType::Kind::Map:
            ReadCollection(type, depth);
            break;
        case ArchiveType::Kind::SharedPtr:
            ReadPointer(type->element, depth + 1);
            break;
        default:
            m_scan.Fail("unexpected type");
        }
    }

    void ReadCollection(const ArchiveType* type, int depth)
    {
        const auto count = ParsePrimitive("count", 0, INT32_MAX);
        if (m_libraryVersion > 3) {
            const ArchiveType* element = type->element;
            const unsigned itemVersion = element->IsPrimitive() ? 0 : element->version;
            if (ParsePrimitive("item_version", 0, INT32_MAX) != itemVersion)
                m_scan.Fail("wrong item version");
        }
        for (std::int64_t i = 0; i < count; ++i)
            ReadItem("item", type->element, depth + 1);
    }

    std::int64_t ParsePrimitive(const std::string& name, std::int64_t lo, std::int64_t hi)
    {
        const Tag tag = ExpectStart(name);
        if (!tag.attributes.empty())
            m_scan.Fail("unexpected attributes on <" + name + ">");
        const auto value = ParseDecimal(m_scan.ReadText(), lo, hi);
        if (!value)
            m_scan.Fail("<" + name + "> is not a number in range");
        ExpectEnd(name);
        return *value;
    }

    // The px element of a shared pointer to pointee.
    void ReadPointer(const ArchiveType* pointee, int depth)
    {
        const Tag tag = ExpectStart("px");
        // The reader registers the pointer's own type before it reads the
        // pointer, as the writer did before it wrote it.
        if (!pointee->abstract)
            Register(pointee);
        const std::string* newId = tag.Attribute("class_id");
        const std::string* refId = tag.Attribute("class_id_reference");
        if ((newId != nullptr) == (refId != nullptr))
            m_scan.Fail("a pointer needs exactly one class id");
        if (newId && *newId == "-1") {
            if (tag.attributes.size() != 1)
                m_scan.Fail("a null pointer with more attributes");
            ExpectEnd("px");
            return;
        }
        const auto cid = ParseDecimal(newId ? *newId : *refId, 0, INT_MAX);
        if (!cid)
            m_scan.Fail("bad class id");
        auto holds = [pointee](const ArchiveType* t) {
            if (t == pointee && !pointee->abstract)
                return true;
            for (const ArchiveType* d : pointee->derived)
                if (d == t)
                    return true;
            return false;
        };
        ClassEntry* entry = nullptr;
        if (std::size_t(*cid) < m_classes.size()) {
            entry = &m_classes[std::size_t(*cid)];
            if (!holds(entry->type))
                m_scan.Fail("a pointer refers to a class of another type");
            if (!entry->initialized) {
                if (!newId)
                    m_scan.Fail("a class reference to a class not yet defined");
                CheckOnly(tag, {"class_id", "tracking_level", "version", "object_id", "object_id_reference"}, m_scan);
                ReadClassInfo(tag, *entry, "class_id", unsigned(*cid));
            } else {
                if (!refId)
                    m_scan.Fail("a class defined twice");
                CheckOnly(tag, {"class_id_reference", "object_id", "object_id_reference"}, m_scan);
            }
        } else {
            // A class first met here: only an exported class behind a
            // polymorphic pointer, numbered next.
            const std::string* className = tag.Attribute("class_name");
            if (!newId || std::size_t(*cid) != m_classes.size() || !className)
                m_scan.Fail("a class id out of sequence");
            const ArchiveType* concrete = nullptr;
            for (const ArchiveType* d : pointee->derived)
                if (d->exportKey == *className)
                    concrete = d;
            if (!concrete)
                m_scan.Fail("an unknown class name " + *className);
            for (const auto& c : m_classes)
                if (c.type == concrete)
                    m_scan.Fail("a class defined twice");
            CheckOnly(tag, {"class_id", "class_name", "tracking_level", "version", "object_id",
                            "object_id_reference"}, m_scan);
            m_classes.push_back({concrete});
            entry = &m_classes.back();
            ReadClassInfo(tag, *entry, "class_id", unsigned(*cid));
        }
        const ArchiveType* type = entry->type;
        const unsigned fileVersion = entry->fileVersion;
        if (type->tracked) {
            const std::string* oid = tag.Attribute("object_id");
            const std::string* oref = tag.Attribute("object_id_reference");
            if ((oid != nullptr) == (oref != nullptr))
                m_scan.Fail("a tracked object needs exactly one object id");
            if (oref) {
                const auto ref = oref->size() > 1 && (*oref)[0] == '_'
                                     ? ParseDecimal(std::string_view(*oref).substr(1), 0, INT_MAX)
                                     : std::nullopt;
                if (!ref || std::size_t(*ref) >= m_objects.size())
                    m_scan.Fail("an object reference to no earlier object");
                const ObjectEntry& target = m_objects[std::size_t(*ref)];
                if (target.type != type || !target.asPointer)
                    m_scan.Fail("an object reference to an object of another kind");
                // The reader hands out an object only once it is whole: a
                // cycle would give a shared pointer to a half-read object.
                if (!target.complete)
                    m_scan.Fail("an object reference to an object still being read");
                ExpectEnd("px");
                return;
            }
            if (*oid != "_" + std::to_string(m_objects.size()))
                m_scan.Fail("an object id out of sequence");
            m_objects.push_back({type, true});
        } else if (tag.Attribute("object_id") || tag.Attribute("object_id_reference")) {
            m_scan.Fail("an object id on an untracked class");
        }
        const std::size_t object = m_objects.size();
        ReadBody(type, fileVersion, depth);
        if (type->tracked)
            m_objects[object - 1].complete = true;
        ExpectEnd("px");
    }

    void CheckValue(const ArchiveType* type, const std::string& text, const std::string& name)
    {
        bool ok = true;
        switch (type->kind) {
        case ArchiveType::Kind::Int: ok = ParseDecimal(text, INT_MIN, INT_MAX).has_value(); break;
        case ArchiveType::Kind::UInt: ok = ParseDecimal(text, 0, UINT_MAX).has_value(); break;
        case ArchiveType::Kind::Bool: ok = text == "0" || text == "1"; break;
        case ArchiveType::Kind::String: ok = !type->textCheck || type->textCheck(text); break;
        default: break;
        }
        if (!ok)
            m_scan.Fail("<" + name + "> does not hold a value of its type");
    }

    XmlScanner m_scan;
    ArchiveCheckResult& m_result;
    unsigned m_libraryVersion = 0;
    bool m_recordMembers = false;
    std::vector<ClassEntry> m_classes;
    std::vector<ObjectEntry> m_objects;
};

}  // namespace

ArchiveCheckResult CheckArchive(std::string_view bytes, const ArchiveSchema& schema)
{
    ArchiveCheckResult result;
    try {
        ArchiveWalker(bytes, result).Run(schema);
        result.ok = true;
    } catch (const Fault& fault) {
        result.error = fault.what + " (at byte " + std::to_string(fault.offset) + ")";
    }
    return result;
}

std::string CutAfterCompleteMembers(std::string_view bytes, const ArchiveCheckResult& result,
                                    const ArchiveSchema& schema)
{
    if (result.completeMembers.empty() || schema.TopLevel().empty())
        return {};
    std::string cut(bytes.substr(0, result.completeMembersEnd));
    cut += "\n</" + schema.TopLevel().front().first + ">\n</" + kRootName + ">\n";
    return cut;
}
