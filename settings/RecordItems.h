#pragma once
// The stored items of a settings record, listed once, in file order. The list
// drives the record's Boost serialize, the schema its files are checked
// against, its defaults, the copy to and from its staging copy, the take-over
// of the items a damaged file held whole, and the value checks after a load.
// The record's .cpp holds its list:
//
//   constexpr RecordItems kItems{
//       Kept("m_historyItems", &ConfigOptions::m_historyItems),
//       Item("m_angleSetting", &ConfigOptions::m_angleSetting, 0, InRange{0, 2}),
//       Item("m_digitGrouping", &ConfigOptions::m_digitGrouping, 2, InRange{0, 2}).Since(3),
//   };
//
// An item is its name in the file (which stays when a member is renamed), its
// member, and a default with the check of the values a file may give it: a
// value that fails the check gets the default. A kept item has no default:
// the defaults leave it as it is, and after a damaged file it takes the value
// the file held whole. The check of a kept text (a function of a string_view)
// is made on the file before it is read: a file where it fails is refused.
// Since(v): the item is in files of class version v and later.

#include <algorithm>
#include <atomic>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include <boost/serialization/nvp.hpp>

#include "settings/ArchiveSchema.h"

// The value an item holds; an atomic member goes through its plain value.
template <class T>
struct ItemValueOf {
    using type = T;
};
template <class T>
struct ItemValueOf<std::atomic<T>> {
    using type = T;
};
template <class T>
using ItemValue = typename ItemValueOf<T>::type;

struct NoDefault {};

struct AnyValue {
    template <class T>
    constexpr bool operator()(const T&) const
    {
        return true;
    }
};

struct InRange {
    int lo;
    int hi;
    constexpr bool operator()(int value) const { return value >= lo && value <= hi; }
};

template <class Record, class Member, class Default, class Check>
struct RecordItem {
    using Type = Member;
    using CheckType = Check;
    static constexpr bool kKept = std::is_same_v<Default, NoDefault>;

    const char* name;
    Member Record::*member;
    Default defaultValue;
    Check check;
    unsigned since = 0;

    constexpr RecordItem Since(unsigned version) const
    {
        RecordItem item = *this;
        item.since = version;
        return item;
    }
};

template <class Record, class Member, class Check = AnyValue>
constexpr auto Kept(const char* name, Member Record::*member, Check textCheck = {})
{
    return RecordItem<Record, Member, NoDefault, Check>{name, member, {}, textCheck};
}

template <class Record, class Member, class Check = AnyValue>
constexpr auto Item(const char* name, Member Record::*member, ItemValue<Member> defaultValue, Check check = {})
{
    return RecordItem<Record, Member, ItemValue<Member>, Check>{name, member, defaultValue, check};
}

// The schema type of a member type, as the library writes it.
inline const ArchiveType* SchemaTypeOf(ArchiveSchema& s, std::type_identity<int>) { return s.Int(); }
inline const ArchiveType* SchemaTypeOf(ArchiveSchema& s, std::type_identity<unsigned>) { return s.UInt(); }
inline const ArchiveType* SchemaTypeOf(ArchiveSchema& s, std::type_identity<bool>) { return s.Bool(); }
inline const ArchiveType* SchemaTypeOf(ArchiveSchema& s, std::type_identity<std::string>) { return s.String(); }
template <class T>
const ArchiveType* SchemaTypeOf(ArchiveSchema& s, std::type_identity<std::deque<T>>)
{
    return s.Sequence(SchemaTypeOf(s, std::type_identity<T>{}));
}
template <class K, class V>
const ArchiveType* SchemaTypeOf(ArchiveSchema& s, std::type_identity<std::map<K, V>>)
{
    return s.Map(SchemaTypeOf(s, std::type_identity<K>{}), SchemaTypeOf(s, std::type_identity<V>{}));
}

template <class... Items>
class RecordItems {
public:
    constexpr explicit RecordItems(Items... items) : m_items(items...) {}

    // Boost Serialization: the items a file of class version `version` holds.
    template <class Archive, class Record>
    void Serialize(Archive& ar, Record& record, unsigned version) const
    {
        Each([&](const auto& item) {
            if (version >= item.since)
                SerializeValue(ar, item.name, record.*item.member);
        });
    }

    // A new schema whose one top-level item rootItem is the record, a class
    // of that name and version.
    ArchiveSchema* NewSchema(const char* rootItem, const char* className, unsigned version) const
    {
        auto* schema = new ArchiveSchema;
        ArchiveType* record = schema->Class(className, version);
        Each([&](const auto& item) {
            using I = std::decay_t<decltype(item)>;
            const ArchiveType* type = nullptr;
            if constexpr (I::kKept && !std::is_same_v<typename I::CheckType, AnyValue>)
                type = schema->CheckedString(item.name, item.check);
            else
                type = SchemaTypeOf(*schema, std::type_identity<ItemValue<typename I::Type>>{});
            ArchiveSchema::AddMember(record, item.name, type, item.since);
        });
        schema->AddTopLevel(rootItem, record);
        return schema;
    }

    template <class Record>
    void SetDefaults(Record& record) const
    {
        Each([&](const auto& item) {
            if constexpr (!std::decay_t<decltype(item)>::kKept)
                record.*item.member = item.defaultValue;
        });
    }

    // Every item; what is not an item (the record's file state) stays.
    template <class Record>
    void Copy(Record& to, const Record& from) const
    {
        Each([&](const auto& item) { to.*item.member = ValueOf(from.*item.member); });
    }

    // The kept items that completeItems names, from staging.
    template <class Record>
    void TakeOverKept(Record& record, Record& staging, const std::vector<std::string>& completeItems) const
    {
        Each([&](const auto& item) {
            if constexpr (std::decay_t<decltype(item)>::kKept)
                if (std::find(completeItems.begin(), completeItems.end(), item.name) != completeItems.end())
                    record.*item.member = std::move(staging.*item.member);
        });
    }

    // Gives its default to each item whose value fails its check.
    template <class Record>
    void CheckValues(Record& record) const
    {
        Each([&](const auto& item) {
            if constexpr (!std::decay_t<decltype(item)>::kKept)
                if (!item.check(ValueOf(record.*item.member)))
                    record.*item.member = item.defaultValue;
        });
    }

private:
    template <class F>
    void Each(F&& f) const
    {
        std::apply([&](const auto&... item) { (f(item), ...); }, m_items);
    }

    template <class T>
    static const T& ValueOf(const T& value)
    {
        return value;
    }
    template <class T>
    static T ValueOf(const std::atomic<T>& value)
    {
        return value.load();
    }

    template <class Archive, class T>
    static void SerializeValue(Archive& ar, const char* name, T& value)
    {
        ar & boost::serialization::make_nvp(name, value);
    }
    // The atomic goes through a plain value, which keeps the item's type.
    template <class Archive, class T>
    static void SerializeValue(Archive& ar, const char* name, std::atomic<T>& value)
    {
        T plain = value.load();
        ar & boost::serialization::make_nvp(name, plain);
        if constexpr (Archive::is_loading::value)
            value.store(plain);
    }

    std::tuple<Items...> m_items;
};
