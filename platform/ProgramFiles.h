#pragma once
// Files that ship with the programs, such as the help page. In a build folder
// they lie beside the program; installed, they lie in the program's data
// folder (<prefix>/share/quillix), which is found from the program's own
// folder by the relative path of the install layout, so an installation that
// was moved as a whole still finds them.

#include <string>

// The installed data folder as seen from a program folder
// ("/usr/bin" -> "/usr/bin/../share/quillix"); empty for an empty folder.
std::string InstalledDataFolder(const std::string& programFolder);

// The path of the regular file `fileName` beside the program, else in the
// installed data folder; empty when neither holds one.
std::string FindProgramFile(const std::string& programFolder, const std::string& fileName);
