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
    m_file->Settings().setValue(Entry(name), static_cast<qlonglong>(value));
}

void CStateKey::WriteBinary(const QString& name, const Bytes& bytes)
{
    m_file->Settings().setValue(
        Entry(name), QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
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
        Parse(bytes);
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

CStateFile::~CStateFile() = default;

void CStateFile::SetContent(Content content, const char* problem)
{
    m_content = content;
    m_readProblem = "the window layout file " + Quoted(m_path) + " " + problem + "; the default layout is used";
    if (content == Content::Foreign)
        m_readProblem += ", and the file is kept as " + Quoted(m_path + ".bad") + " at the next save";
}

// The parser reads a copy of the bytes in the scratch folder.
void CStateFile::Parse(const std::string& bytes)
{
    const QString copy = m_scratch.isValid() ? m_scratch.filePath(QStringLiteral("read.ini")) : QString();
    if (copy.isEmpty() || !WriteFileAtomically(NativePath(copy), bytes, kMaxStateFileBytes)) {
        SetContent(Content::Unparsed, "cannot be read: there is no room for a temporary copy");
        return;
    }
    auto settings = std::make_unique<QSettings>(copy, QSettings::IniFormat);
    const QStringList groups = settings->childGroups();
    if (settings->status() != QSettings::NoError || !settings->childKeys().isEmpty() ||
        !(groups.isEmpty() || groups == QStringList{QStringLiteral("WinSettings")})) {
        SetContent(Content::Foreign, "is not a window layout");
        return;
    }
    m_content = Content::Layout;
    m_copyPath = copy;
    m_settings = std::move(settings);
}

// An empty store in a copy of its own (under a name of its own: the parser
// keeps what it read under a name). Without a scratch folder the values stay
// in memory and the store fails.
void CStateFile::StartAfresh()
{
    m_copyPath = m_scratch.isValid() ? m_scratch.filePath(QStringLiteral("fresh.ini")) : QString();
    m_settings = std::make_unique<QSettings>(m_copyPath, QSettings::IniFormat);
}

bool CStateFile::RootExists() const
{
    return Readable() && m_settings->childGroups().contains(QStringLiteral("WinSettings"));
}

bool CStateFile::Sync()
{
    m_storeProblem.clear();
    const std::string target = NativePath(m_path);
    std::string bytes;
    bool ok = m_content != Content::Refused && m_content != Content::Unparsed && !m_copyPath.isEmpty();
    if (ok) {
        m_settings->sync();
        const FileReadStatus copied = ReadWholeFile(NativePath(m_copyPath), bytes, kMaxStateFileBytes);
        ok = m_settings->status() == QSettings::NoError &&
             (copied == FileReadStatus::Ok || copied == FileReadStatus::Missing) &&
             QDir().mkpath(QFileInfo(m_path).absolutePath());
    }
    // The bytes of a file that was no layout, unless it has gone since.
    const bool keep = m_content == Content::Foreign || m_content == Content::Unreadable;
    if (ok && keep && QFileInfo::exists(m_path))
        ok = KeepBadFile(target);
    if (ok)
        ok = WriteFileAtomically(target, bytes, kMaxStateFileBytes);
    if (ok) {
        if (keep)
            m_content = Content::Layout;
        return true;
    }
    m_storeProblem = m_content == Content::Refused
                         ? "Could not save the window layout: " + Quoted(m_path) + " is not a regular file"
                         : "Could not save the window layout to " + Quoted(m_path);
    return false;
}

}  // namespace sstate
