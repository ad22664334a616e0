#pragma once
// Every value of a window layout file, read and written through the store
// (the tests and the fuzz target of the layout file share this): integers and
// byte arrays by their key path from the file's top.

#include <map>
#include <optional>
#include <string>

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>

#include "docking/state/StateKey.h"

namespace statefile {

struct Value {
    std::optional<std::int64_t> number;  // else bytes
    QByteArray bytes;
    bool operator==(const Value& other) const { return number == other.number && bytes == other.bytes; }
};
using Values = std::map<QString, Value>;

// The key's group and the value's name.
inline std::pair<QString, QString> Split(const QString& key)
{
    const qsizetype at = key.lastIndexOf('/');
    return {key.left(at), key.mid(at + 1)};
}

// The values the store reads from the file: the integers and the byte arrays
// (of any size); anything else is left out.
inline Values ReadValues(sstate::CStateFile& file)
{
    Values values;
    if (!file.Readable())
        return values;
    for (const QString& key : file.Settings().allKeys()) {
        if (!key.contains('/'))
            continue;
        const auto [group, name] = Split(key);
        const sstate::CStateKey at(file, group);
        const QVariant raw = file.Settings().value(key);
        if (raw.typeId() == QMetaType::QByteArray) {
            const QByteArray bytes = raw.toByteArray();
            if (const auto read = at.ReadBinary(name, std::size_t(bytes.size())))
                values[key] = Value{std::nullopt, QByteArray(reinterpret_cast<const char*>(read->data()),
                                                             qsizetype(read->size()))};
        } else if (const auto number = at.ReadInt(name)) {
            values[key] = Value{number, {}};
        }
    }
    return values;
}

inline void WriteValues(sstate::CStateFile& file, const Values& values)
{
    for (const auto& [key, value] : values) {
        const auto [group, name] = Split(key);
        sstate::CStateKey at(file, group);
        if (value.number)
            at.WriteInt(name, *value.number);
        else
            at.WriteBinary(name, sstate::Bytes(value.bytes.begin(), value.bytes.end()));
    }
}

// Stores values into the file at path as the window state's store does; the
// store's answer, with why it failed in problem.
inline bool StoreValues(const QString& path, const Values& values, std::string* problem = nullptr)
{
    sstate::CStateFile file(path);
    WriteValues(file, values);
    const bool stored = file.Sync();
    if (problem)
        *problem = file.StoreProblem();
    return stored;
}

}  // namespace statefile
