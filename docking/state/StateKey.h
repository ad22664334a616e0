#pragma once
// The store of the window state: an INI file ("Vornel/Calculator.ini" in the
// user's configuration folder) whose groups are keys and whose entries are
// values. Integers are read with a conversion check; binary values are byte
// arrays of an exact size, any other size or type counting as missing.
//
// The file goes through the guarded file layer (platform/qt/GuardedFile.h):
// its bytes are read once, without blocking, and only from a regular file;
// the INI parser and writer work on a private copy of them, and a store
// replaces the file atomically (through a link, which stays). A path that
// names anything but a regular file is neither read nor replaced. A file
// that is not a layout file (not INI, or holding more than the root key)
// holds nothing, and its bytes are kept beside it as "<name>.bad" before
// the first store over it; so is one that the writer, with the store's
// values added, would make unreadable. What a store writes always loads.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

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
    // Reads the file; filePath: empty for the user's file.
    explicit CStateFile(const QString& filePath = {});
    ~CStateFile();
    CStateFile(const CStateFile&) = delete;
    CStateFile& operator=(const CStateFile&) = delete;

    static QString DefaultFilePath();
    // The file was read as a layout file (a missing file reads fine, empty).
    bool Readable() const { return m_content == Content::Layout || m_content == Content::None; }
    // Why a file that is there gave nothing, as a sentence for the user;
    // empty when it was read or is missing.
    const std::string& ReadProblem() const { return m_readProblem; }
    // The root key ("WinSettings"); nothing stored under it when it does not exist.
    CStateKey Root() { return CStateKey(*this, QStringLiteral("WinSettings")); }
    bool RootExists() const;
    // Ends a store: writes the file (the values of a layout file that were
    // not written again stay; a file that was no layout file, or whose other
    // values the writer would write back in a form its reader refuses, is
    // started afresh, its bytes first kept as "<name>.bad"). False when it
    // could not be written, with why in StoreProblem(); the file is left as it
    // was then.
    bool Sync();
    const std::string& StoreProblem() const { return m_storeProblem; }

    // Every write of a store goes through here.
    void Write(const QString& key, const QVariant& value);
    QSettings& Settings() const { return *m_settings; }

private:
    enum class Content {
        None,        // no file
        Layout,      // a layout file, read
        Foreign,     // bytes that are not a layout file: kept, then replaced
        Unreadable,  // a regular file whose bytes cannot be had: kept, then replaced
        Refused,     // not a regular file: neither read nor replaced
        Unparsed,    // no room to parse it: left alone
    };
    void SetContent(Content content, const char* problem);
    std::unique_ptr<QSettings> ParseCopy(const std::string& bytes, QString& copyPath);
    static void Release(std::unique_ptr<QSettings>& settings, QString& copyPath);
    static bool HoldsALayout(const QSettings& settings);
    void StartAfresh();
    enum class Serialised { Layout, NoLayout, Failed };
    Serialised Serialise(std::string& bytes);

    QString m_path;
    Content m_content = Content::None;
    std::string m_readProblem;
    std::string m_storeProblem;
    QTemporaryDir m_scratch;  // the parser's copies
    int m_copies = 0;
    QString m_copyPath;       // the copy that m_settings reads and writes
    std::unique_ptr<QSettings> m_settings;
    std::map<QString, QVariant> m_written;  // what this store wrote
};

// Names of children: "0x" and the id as unsigned 32-bit lower-case hex.
QString IdName(int id);

}  // namespace sstate
