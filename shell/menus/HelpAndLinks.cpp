#include "shell/menus/HelpAndLinks.h"

#include "panes/about/ProgramInfo.h"
#include "platform/ProgramFiles.h"
#include "platform/UrlOpener.h"
#include "shell/menus/UserPrompts.h"

std::string UpdateCheckUrl()
{
    return std::string(kMakerWebSite) + "/quillix/check_for_updates.php?version=" + kQuillixVersion;
}

std::string HelpFilePath(const std::string& programFolder) { return FindProgramFile(programFolder, kHelpFileName); }

void ShowHelpContents(const std::string& programFolder, IHelpViewer& viewer, IUserPrompts& prompts)
{
    const std::string path = HelpFilePath(programFolder);
    if (path.empty()) {
        prompts.ShowError("Could not launch help file!", "Error");
        return;
    }
    viewer.ShowHelpFile(path);
}

void CheckForUpdates(IUrlOpener& urlOpener) { urlOpener.OpenUrl(UpdateCheckUrl()); }
