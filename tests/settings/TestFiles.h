#pragma once
// File helpers of the shell tests. Every test process has a fresh
// XDG_CONFIG_HOME of its own (see the test harness).

#include <string>

std::string Fixture(const std::string& name);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// A fresh, empty folder for one test under the configuration folder.
std::string FreshFolder(const std::string& name);
// The settings folder ($XDG_CONFIG_HOME/Vornel/Kelvo), emptied.
std::string FreshSettingsFolder();
