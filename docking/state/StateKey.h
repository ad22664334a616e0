#pragma once
// The store of the window state: an INI file ("Vornel/Calculator.ini" in the
// user's configuration folder) whose groups are keys and whose entries are
// values. Integers are read with a conversion check; binary values are byte
// arrays of an exact size, any other size or type counting as missing. A file
// that cannot be read as INI holds nothing.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <QString>

#include "docking/core/WindowStateRecords.h"

class QSettings;

namespace sstate {

class CStateFile;

// One key: a group path inside the file. Cheap to copy; lives no longer than its file.
class CStateKey {
public:
    CStateKey(CStateFile& file, QString path) : m_file(&file), m_path(std::move(path)) {}

    const QString& Path() const { return m_path; }
    CStateKey Sub(const QString& name) const;
    // The sub-key holds at least one value (directly or below).
    bool HasSub(const QString& name) const;

    std::optional<std::int64_t> ReadInt(const QString& name) const;
    // Exactly `size` bytes stored as binary; anything else is nothing.
    std::optional<Bytes> ReadBinary(const QString& name, std::size_t size) const;
    void WriteInt(const QString& name, std::int64_t value);
    void WriteBinary(const QString& name, const Bytes& bytes);

private:
    QString Entry(const QString& name) const { return m_path + '/' + name; }
    CStateFile* m_file;
    QString m_path;
};

class CStateFile {
public:
    // filePath: empty for the user's file.
    explicit CStateFile(const QString& filePath = {});
    ~CStateFile();
    CStateFile(const CStateFile&) = delete;
    CStateFile& operator=(const CStateFile&) = delete;

    static QString DefaultFilePath();
    // The file was read without a format error (a missing file reads fine, empty).
    bool Readable() const;
    // The root key ("WinSettings"); nothing stored under it when it does not exist.
    CStateKey Root() { return CStateKey(*this, QStringLiteral("WinSettings")); }
    bool RootExists() const;
    // Before a store: a file that cannot be read is started afresh.
    void StartAfreshIfUnreadable();
    // Ends a store: writes the file; false when it could not be written.
    bool Sync();

    QSettings& Settings() const { return *m_settings; }

private:
    QString m_path;
    std::unique_ptr<QSettings> m_settings;
};

// Names of children: "0x" and the id as unsigned 32-bit lower-case hex.
QString IdName(int id);

}  // namespace sstate
