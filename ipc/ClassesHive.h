#pragma once
// The per-user classes hive of the registry, kept as an INI file
// ($XDG_CONFIG_HOME/Vornel/Classes.ini). A key is a path of names joined by
// "/" ("CLSID/{35AC...}/LocalServer32"); each key holds named text values and
// one unnamed default value. Keys exist while they hold a value; a key that
// must exist without data (such as "Programmable") holds an empty default.

#include <optional>
#include <string>

class QSettings;

namespace ipc {

class CClassesHive {
public:
    // The user's hive; `filePath` overrides the location (for tools and tests).
    CClassesHive();
    explicit CClassesHive(std::string filePath);
    ~CClassesHive();
    CClassesHive(const CClassesHive&) = delete;
    CClassesHive& operator=(const CClassesHive&) = delete;

    static std::string DefaultFilePath();
    const std::string& filePath() const { return m_filePath; }

    // An empty `valueName` is the key's default value.
    void setValue(const std::string& key, const std::string& valueName, const std::string& text);
    std::optional<std::string> value(const std::string& key, const std::string& valueName = {}) const;
    bool keyExists(const std::string& key) const;
    // Removes the key with all its values and sub-keys.
    void removeKey(const std::string& key);

    // Writes pending changes; false when the file cannot be written.
    bool flush();

private:
    std::string m_filePath;
    QSettings* m_settings;
};

// The class id registered for a ProgID ("Ergasto.CalcWorker" -> "{35AC...}"),
// or nothing when the ProgID is not registered.
std::optional<std::string> ClassIdFromProgId(const std::string& progId);
std::optional<std::string> ClassIdFromProgId(const CClassesHive& hive, const std::string& progId);

}  // namespace ipc
