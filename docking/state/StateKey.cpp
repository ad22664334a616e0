#include "docking/state/StateKey.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

namespace sstate {

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
      m_settings(std::make_unique<QSettings>(m_path, QSettings::IniFormat))
{
}

void CStateFile::StartAfreshIfUnreadable()
{
    if (Readable())
        return;
    m_settings.reset();
    QFile::remove(m_path);
    m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
}

CStateFile::~CStateFile() = default;

bool CStateFile::Readable() const { return m_settings->status() != QSettings::FormatError; }

bool CStateFile::RootExists() const
{
    return Readable() && m_settings->childGroups().contains(QStringLiteral("WinSettings"));
}

bool CStateFile::Sync()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

}  // namespace sstate
