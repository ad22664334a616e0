#pragma once
// The Help menu's help page and update check. Qt-free: the help window and the
// browser are reached through interfaces.

#include <string>

class IUrlOpener;
class IUserPrompts;

// File name of the help page, beside the program or in its installed data
// folder (platform/ProgramFiles.h).
inline constexpr const char* kHelpFileName = "quillix-help.html";

// The update-check page: the maker's site, "/quillix/check_for_updates.php",
// with the program's version under the query key "version".
std::string UpdateCheckUrl();

// The help page's path for a program folder; empty when it is not there.
std::string HelpFilePath(const std::string& programFolder);

class IHelpViewer {
public:
    virtual ~IHelpViewer() = default;
    // Shows the page of that path (an existing file).
    virtual void ShowHelpFile(const std::string& path) = 0;
};

// 32917 (F1): shows the program's help page, or tells the user that it could
// not be launched.
void ShowHelpContents(const std::string& programFolder, IHelpViewer& viewer, IUserPrompts& prompts);

// 32916: opens the update-check page in the browser; nothing is reported.
void CheckForUpdates(IUrlOpener& urlOpener);
