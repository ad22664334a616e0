#include "shell/menus/HelpAndLinks.h"

#include <filesystem>
#include <system_error>

#include "panes/about/ProgramInfo.h"
#include "platform/UrlOpener.h"
#include "shell/menus/UserPrompts.h"

std::string UpdateCheckUrl()
{
    return std::string(kMakerWebSite) + "/quillix/check_for_updates.php?version=" + kQuillixVersion;
}

std::string HelpFilePath(const std::string& programFolder)
{
    if (programFolder.empty())
        return {};
    return (std::filesystem::path(programFolder) / kHelpFileName).string();
}

void ShowHelpContents(const std::string& programFolder, IHelpViewer& viewer, IUserPrompts& prompts)
{
    const std::string path = HelpFilePath(programFolder);
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        prompts.ShowError("Could not launch help file!", "Error");
        return;
    }
    viewer.ShowHelpFile(path);
}

void CheckForUpdates(IUrlOpener& urlOpener) { urlOpener.OpenUrl(UpdateCheckUrl()); }
