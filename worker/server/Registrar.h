#pragma once
// Registration of the worker program for the current user:
// - the activation file "Ergasto.CalcWorker.service" in
//   $XDG_DATA_HOME/dbus-1/services, starting this program by absolute path;
// - the introspection files of its interfaces in $XDG_DATA_HOME/dbus-1/interfaces
//   (the type library);
// - the class, ProgID, AppID and type-library keys in the classes hive.
// Unregistration removes all of it but the hive's "AppID" key itself.

#include <string>

namespace ipc {
class CClassesHive;
}

namespace ergasto {

struct RegistrationPaths {
    std::string serviceDir;     // .../dbus-1/services
    std::string interfaceDir;   // .../dbus-1/interfaces
    std::string hiveFile;       // .../Vornel/Classes.ini

    static RegistrationPaths ForCurrentUser();
};

class CRegistrar {
public:
    // `programPath`: absolute path of the Ergasto executable.
    CRegistrar(RegistrationPaths paths, std::string programPath);

    // Each returns an empty text on success, else what failed.
    std::string registerServer() const;
    std::string unregisterServer() const;

    // The activation file's text for a program path (quoted for the bus's
    // command-line parser when it holds blanks or quotes).
    static std::string ServiceFileText(const std::string& programPath);

private:
    std::string writeFiles() const;
    std::string removeFiles() const;
    void writeKeys(ipc::CClassesHive& hive) const;
    static void removeKeys(ipc::CClassesHive& hive);

    RegistrationPaths m_paths;
    std::string m_programPath;
};

// Absolute path of the running program (/proc/self/exe).
std::string CurrentProgramPath();

}  // namespace ergasto
