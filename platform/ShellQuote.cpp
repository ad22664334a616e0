#include "platform/ShellQuote.h"

#include <cctype>
#include <string_view>

namespace {

bool IsPlain(const std::string& word)
{
    if (word.empty())
        return false;
    constexpr std::string_view kPlainMarks = "/._+,-";
    for (char c : word)
        if (!std::isalnum(static_cast<unsigned char>(c)) && kPlainMarks.find(c) == std::string_view::npos)
            return false;
    return true;
}

}  // namespace

std::string ShellQuoted(const std::string& word)
{
    if (IsPlain(word))
        return word;
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}
