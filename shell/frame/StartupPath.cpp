#include "shell/frame/StartupPath.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

bool FileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

std::string Absolute(const std::string& path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace

std::string JoinArguments(const std::vector<std::string>& args)
{
    std::string joined;
    for (const auto& arg : args) {
        if (!joined.empty())
            joined += ' ';
        joined += arg;
    }
    return joined;
}

std::string RemoveDoubleQuotes(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

std::string StartupFilePath(const std::vector<std::string>& args, const FileExistsTest& exists)
{
    const FileExistsTest& test = exists ? exists : FileExistsTest(FileExists);
    const std::string typed = JoinArguments(args);
    if (typed.empty())
        return {};
    if (test(typed))
        return Absolute(typed);
    const std::string unquoted = RemoveDoubleQuotes(typed);
    if (!unquoted.empty() && test(unquoted))
        return Absolute(unquoted);
    return {};
}
