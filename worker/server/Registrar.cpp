#include "worker/server/Registrar.h"

#include "ipc/BusNames.h"
#include "ipc/ClassesHive.h"
#include "ipc/InterfaceXml.h"
#include "platform/ShellQuote.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

namespace ergasto {

namespace {

constexpr char kFriendlyName[] = "CCalcWorker Object";
constexpr char kTypeLibHelpString[] = "Ergasto 1.0 Type Library";

std::string writeTextFile(const std::string& path, const std::string& text)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit())
        return "cannot write " + path + ": " + file.errorString().toStdString();
    return {};
}

std::string removeFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (file.exists() && !file.remove())
        return "cannot remove " + path + ": " + file.errorString().toStdString();
    return {};
}

std::string classKey()
{
    return std::string("CLSID/") + ipc::kClsid;
}

std::string typeLibKey()
{
    return std::string("TypeLib/") + ipc::kLibid;
}

}  // namespace

RegistrationPaths RegistrationPaths::ForCurrentUser()
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return RegistrationPaths{(dataHome + QStringLiteral("/dbus-1/services")).toStdString(),
                             (dataHome + QStringLiteral("/dbus-1/interfaces")).toStdString(),
                             ipc::CClassesHive::DefaultFilePath()};
}

CRegistrar::CRegistrar(RegistrationPaths paths, std::string programPath)
    : m_paths(std::move(paths)), m_programPath(std::move(programPath))
{
}

std::string CRegistrar::ServiceFileText(const std::string& programPath)
{
    return std::string("[D-BUS Service]\nName=") + ipc::kWorkerServiceName + "\nExec=" +
           ShellQuoted(programPath) + "\n";
}

std::string CRegistrar::registerServer() const
{
    if (auto error = writeFiles(); !error.empty())
        return error;
    ipc::CClassesHive hive(m_paths.hiveFile);
    writeKeys(hive);
    if (!hive.flush())
        return "cannot write " + m_paths.hiveFile;
    return {};
}

std::string CRegistrar::unregisterServer() const
{
    ipc::CClassesHive hive(m_paths.hiveFile);
    removeKeys(hive);
    const bool flushed = hive.flush();
    if (auto error = removeFiles(); !error.empty())
        return error;
    return flushed ? std::string() : "cannot write " + m_paths.hiveFile;
}

std::string CRegistrar::writeFiles() const
{
    for (const auto& dir : {m_paths.serviceDir, m_paths.interfaceDir})
        if (!QDir().mkpath(QString::fromStdString(dir)))
            return "cannot create " + dir;
    if (auto error = writeTextFile(m_paths.serviceDir + "/" + ipc::kWorkerServiceFileName,
                                   ServiceFileText(m_programPath));
        !error.empty())
        return error;
    for (const auto& file : ipc::InterfaceXmlFiles()) {
        if (auto error = writeTextFile(m_paths.interfaceDir + "/" + std::string(file.fileName),
                                       std::string(file.text));
            !error.empty())
            return error;
    }
    return {};
}

std::string CRegistrar::removeFiles() const
{
    std::string firstError = removeFile(m_paths.serviceDir + "/" + ipc::kWorkerServiceFileName);
    for (const auto& file : ipc::InterfaceXmlFiles()) {
        auto error = removeFile(m_paths.interfaceDir + "/" + std::string(file.fileName));
        if (firstError.empty())
            firstError = error;
    }
    return firstError;
}

void CRegistrar::writeKeys(ipc::CClassesHive& hive) const
{
    // Application id.
    hive.setValue(std::string("AppID/") + ipc::kAppId, {}, "Ergasto");
    hive.setValue("AppID/Ergasto.EXE", "AppID", ipc::kAppId);

    // ProgIDs.
    const std::string versioned = ipc::kWorkerVersionedProgId;
    const std::string independent = ipc::kWorkerProgId;
    hive.setValue(versioned, {}, kFriendlyName);
    hive.setValue(versioned + "/CLSID", {}, ipc::kClsid);
    hive.setValue(independent, {}, kFriendlyName);
    hive.setValue(independent + "/CLSID", {}, ipc::kClsid);
    hive.setValue(independent + "/CurVer", {}, versioned);

    // Class.
    const std::string cls = classKey();
    hive.setValue(cls, {}, kFriendlyName);
    hive.setValue(cls, "AppID", ipc::kAppId);
    hive.setValue(cls + "/ProgID", {}, versioned);
    hive.setValue(cls + "/VersionIndependentProgID", {}, independent);
    hive.setValue(cls + "/Programmable", {}, "");
    hive.setValue(cls + "/LocalServer32", {}, m_programPath);
    hive.setValue(cls + "/LocalServer32", "ThreadingModel", "apartment");
    hive.setValue(cls + "/TypeLib", {}, ipc::kLibid);

    // Type library: the introspection files stand for it.
    const std::string lib = typeLibKey() + "/1.0";
    hive.setValue(lib, {}, kTypeLibHelpString);
    hive.setValue(lib + "/409/dbus", {}, m_paths.interfaceDir);
    hive.setValue(lib + "/FLAGS", {}, "0");
    hive.setValue(lib + "/HELPDIR", {}, m_paths.interfaceDir);
    const std::pair<const char*, const char*> interfaces[] = {{ipc::kCalcWorkerIid, "ICalcWorker"},
                                                              {ipc::kCallbackIid, "ICalcCompleteCallback"}};
    for (const auto& [iid, name] : interfaces) {
        const std::string key = std::string("Interface/") + iid;
        hive.setValue(key, {}, name);
        hive.setValue(key + "/TypeLib", {}, ipc::kLibid);
        hive.setValue(key + "/TypeLib", "Version", "1.0");
    }
}

void CRegistrar::removeKeys(ipc::CClassesHive& hive)
{
    hive.removeKey(classKey());
    hive.removeKey(ipc::kWorkerVersionedProgId);
    hive.removeKey(ipc::kWorkerProgId);
    hive.removeKey(typeLibKey());
    hive.removeKey(std::string("Interface/") + ipc::kCalcWorkerIid);
    hive.removeKey(std::string("Interface/") + ipc::kCallbackIid);
    // The "AppID" key itself stays; only this program's entries go.
    hive.removeKey(std::string("AppID/") + ipc::kAppId);
    hive.removeKey("AppID/Ergasto.EXE");
}

std::string CurrentProgramPath()
{
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

}  // namespace ergasto
