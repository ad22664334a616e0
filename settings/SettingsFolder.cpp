#include "settings/SettingsFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <climits>

std::string VendorFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty() || !QDir().mkpath(base))
        return {};
    const QString vendor = base + QStringLiteral("/Vornel");
    if (!QDir().mkpath(vendor))
        return {};
    return QFile::encodeName(vendor).toStdString();
}

bool SettingsFolder(std::string& folder)
{
    folder.clear();
    const std::string vendor = VendorFolder();
    if (vendor.empty())
        return false;
    std::string path = vendor + "/Kelvo";
    if (path.size() >= PATH_MAX)
        return false;
    folder = std::move(path);
    return true;
}
