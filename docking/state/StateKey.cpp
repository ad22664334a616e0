#include "docking/state/StateKey.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include "platform/qt/GuardedFile.h"

namespace sstate {

namespace {

// A stored layout is a few kilobytes; anything far larger is not one.
constexpr std::size_t kMaxStateFileBytes = 1024 * 1024;

std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

std::string Quoted(const QString& path) { return '"' + path.toStdString() + '"'; }

}  // namespace

QString IdName(int id) { return QStringLiteral("0x") + QString::number(static_cast<std::uint32_t>(id), 16); }

CStateKey CStateKey::Sub(const QString& name) const { return CStateKey(*m_file, Entry(name)); }

bool CStateKey::HasSub(const QString& name) const
{
    if (!m_file->Readable())
        return false;
    QSettings& s = m_file->Settings();
    s.beginGroup(m_path);
    const bool found = s.childGroups().contains(name);
    s.endGroup();
    return found;
}

std::optional<std::int64_t> CStateKey::ReadInt(const QString& name) const
{
    if (!m_file->Readable())
        return std::nullopt;
    const QVariant v = m_file->Settings().value(Entry(name));
    if (!v.isValid() || v.typeId() == QMetaType::QByteArray || v.typeId() == QMetaType::QStringList)
        return std::nullopt;
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    if (!ok || n < INT32_MIN || n > UINT32_MAX)
        return std::nullopt;
    return static_cast<std::int64_t>(n);
}

std::optional<Bytes> CStateKey::ReadBinary(const QString& name, std::size_t size) const
{
    if (!m_file->Readable())
        return std::nullopt;
    const QVariant v = m_file->Settings().value(Entry(name));
    if (v.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray bytes = v.toByteArray();
    if (static_cast<std::size_t>(bytes.size()) != size)
        return std::nullopt;
    return Bytes(bytes.begin(), bytes.end());
}

void CStateKey::WriteInt(const QString& name, std::int64_t value)
{
    m_file->Write(Entry(name), static_cast<qlonglong>(value));
}

void CStateKey::WriteBinary(const QString& name, const Bytes& bytes)
{
    m_file->Write(Entry(name),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

QString CStateFile::DefaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Vornel/Calculator.ini");
}

CStateFile::CStateFile(const QString& filePath)
    : m_path(filePath.isEmpty() ? DefaultFilePath() : filePath),
      m_scratch(QDir::tempPath() + QStringLiteral("/kelvo-layout-XXXXXX"))
{
    std::string bytes;
    switch (ReadWholeFile(NativePath(m_path), bytes, kMaxStateFileBytes)) {
    case FileReadStatus::Ok:
        m_settings = ParseCopy(bytes, m_copyPath);
        if (!m_settings)
            SetContent(Content::Unparsed, "cannot be read: there is no room for a temporary copy");
        else if (!HoldsALayout(*m_settings))
            SetContent(Content::Foreign, "is not a window layout");
        else
            m_content = Content::Layout;
        break;
    case FileReadStatus::Missing:
        break;
    case FileReadStatus::NotRegular:
        SetContent(Content::Refused, "is not a regular file");
        break;
    case FileReadStatus::TooLarge:
        SetContent(Content::Foreign, "is too large for a window layout");
        break;
    case FileReadStatus::Unreadable:
        SetContent(Content::Unreadable, "cannot be read");
        break;
    }
    if (m_content != Content::Layout)
        StartAfresh();
}

CStateFile::~CStateFile() { Release(m_settings, m_copyPath); }

void CStateFile::SetContent(Content content, const char* problem)
{
    m_content = content;
    m_readProblem = "the window layout file " + Quoted(m_path) + " " + problem + "; the default layout is used";
    if (content == Content::Foreign)
        m_readProblem += ", and the file is kept as " + Quoted(m_path + ".bad") + " at the next save";
}

// A parser over a copy of bytes in the scratch folder, under a name not used
// before (the parser keeps what it read under a name); null when there is no
// room for the copy.
std::unique_ptr<QSettings> CStateFile::ParseCopy(const std::string& bytes, QString& copyPath)
{
    copyPath.clear();
    if (!m_scratch.isValid())
        return nullptr;
    const QString path = m_scratch.filePath(QString::number(++m_copies) + QStringLiteral(".ini"));
    if (!WriteFileAtomically(NativePath(path), bytes, kMaxStateFileBytes))
        return nullptr;
    copyPath = path;
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

// Lets go of a parser and its copy. The copy goes first, so that the parser,
// seeing it gone, drops what it read instead of keeping it for the name for
// the rest of the run.
void CStateFile::Release(std::unique_ptr<QSettings>& settings, QString& copyPath)
{
    if (settings && !copyPath.isEmpty() && QFile::remove(copyPath))
        settings->sync();
    settings.reset();
    copyPath.clear();
}

// INI without a format error that holds nothing but the root key.
bool CStateFile::HoldsALayout(const QSettings& settings)
{
    const QStringList groups = settings.childGroups();
    return settings.status() == QSettings::NoError && settings.childKeys().isEmpty() &&
           (groups.isEmpty() || groups == QStringList{QStringLiteral("WinSettings")});
}

// An empty store with what this store has written so far. Without a scratch
// folder the values stay in memory and the store fails.
void CStateFile::StartAfresh()
{
    Release(m_settings, m_copyPath);
    m_settings = ParseCopy({}, m_copyPath);
    if (!m_settings)
        m_settings = std::make_unique<QSettings>(QString(), QSettings::IniFormat);
    for (const auto& [key, value] : m_written)
        m_settings->setValue(key, value);
}

void CStateFile::Write(const QString& key, const QVariant& value)
{
    m_settings->setValue(key, value);
    m_written[key] = value;
}

bool CStateFile::RootExists() const
{
    return Readable() && m_settings->childGroups().contains(QStringLiteral("WinSettings"));
}

// The bytes the writer makes of the store, read back by a parser of their own.
CStateFile::Serialised CStateFile::Serialise(std::string& bytes)
{
    if (m_copyPath.isEmpty())
        return Serialised::Failed;
    m_settings->sync();
    const FileReadStatus copied = ReadWholeFile(NativePath(m_copyPath), bytes, kMaxStateFileBytes);
    if (m_settings->status() != QSettings::NoError ||
        (copied != FileReadStatus::Ok && copied != FileReadStatus::Missing))
        return Serialised::Failed;
    QString checkPath;
    std::unique_ptr<QSettings> check = ParseCopy(bytes, checkPath);
    const Serialised result =
        !check ? Serialised::Failed : HoldsALayout(*check) ? Serialised::Layout : Serialised::NoLayout;
    Release(check, checkPath);
    return result;
}

bool CStateFile::Sync()
{
    m_storeProblem.clear();
    std::string bytes;
    Serialised serialised = Serialised::Failed;
    if (m_content != Content::Refused && m_content != Content::Unparsed)
        serialised = Serialise(bytes);
    if (serialised == Serialised::NoLayout) {
        // The file held something that the writer writes back in a form its
        // reader refuses (a name of a user's making): it is kept, and
        // replaced by what this store wrote.
        m_content = Content::Foreign;
        StartAfresh();
        serialised = Serialise(bytes);
    }
    bool ok = serialised == Serialised::Layout;
    const bool keep = m_content == Content::Foreign || m_content == Content::Unreadable;
    const std::string target = NativePath(m_path);
    ok = ok && QDir().mkpath(QFileInfo(m_path).absolutePath());
    // The bytes of a file that was no layout, unless it has gone since.
    if (ok && keep && QFileInfo::exists(m_path))
        ok = KeepBadFile(target);
    if (ok)
        ok = WriteFileAtomically(target, bytes, kMaxStateFileBytes);
    if (ok) {
        m_content = Content::Layout;
        return true;
    }
    m_storeProblem = m_content == Content::Refused
                         ? "Could not save the window layout: " + Quoted(m_path) + " is not a regular file"
                         : "Could not save the window layout to " + Quoted(m_path);
    return false;
}

}  // namespace sstate
