#include "ipc/ClassesHive.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>

namespace ipc {

namespace {

// The default value's name, as registry exports write it.
constexpr char kDefaultValueName[] = "@";

QString settingsKey(const std::string& key, const std::string& valueName)
{
    return QString::fromStdString(key) + '/' +
           QString::fromStdString(valueName.empty() ? std::string(kDefaultValueName) : valueName);
}

}  // namespace

std::string CClassesHive::DefaultFilePath()
{
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (configHome + QStringLiteral("/Vornel/Classes.ini")).toStdString();
}

CClassesHive::CClassesHive() : CClassesHive(DefaultFilePath()) {}

CClassesHive::CClassesHive(std::string filePath)
    : m_filePath(std::move(filePath)),
      m_settings(new QSettings(QString::fromStdString(m_filePath), QSettings::IniFormat))
{
}

CClassesHive::~CClassesHive()
{
    delete m_settings;
}

void CClassesHive::setValue(const std::string& key, const std::string& valueName, const std::string& text)
{
    m_settings->setValue(settingsKey(key, valueName), QString::fromStdString(text));
}

std::optional<std::string> CClassesHive::value(const std::string& key, const std::string& valueName) const
{
    const QVariant v = m_settings->value(settingsKey(key, valueName));
    if (!v.isValid())
        return std::nullopt;
    return v.toString().toStdString();
}

bool CClassesHive::keyExists(const std::string& key) const
{
    m_settings->beginGroup(QString::fromStdString(key));
    const bool exists = !m_settings->allKeys().isEmpty();
    m_settings->endGroup();
    return exists;
}

void CClassesHive::removeKey(const std::string& key)
{
    m_settings->remove(QString::fromStdString(key));
}

bool CClassesHive::flush()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

std::optional<std::string> ClassIdFromProgId(const CClassesHive& hive, const std::string& progId)
{
    if (progId.empty())
        return std::nullopt;
    auto clsid = hive.value(progId + "/CLSID");
    if (clsid && clsid->empty())
        return std::nullopt;
    return clsid;
}

std::optional<std::string> ClassIdFromProgId(const std::string& progId)
{
    const CClassesHive hive;
    return ClassIdFromProgId(hive, progId);
}

}  // namespace ipc
