#pragma once
// The program's command line is one path of a saved calculation: the
// arguments joined by spaces, taken as typed when such a file exists, else
// with every double quote removed when that file exists; otherwise nothing.

#include <functional>
#include <string>
#include <vector>

// Whether a file of that name exists (default: the file system).
using FileExistsTest = std::function<bool(const std::string&)>;

std::string JoinArguments(const std::vector<std::string>& args);
std::string RemoveDoubleQuotes(std::string text);

// The start-up file path, made absolute against the current folder; empty when
// no argument names an existing file.
std::string StartupFilePath(const std::vector<std::string>& args, const FileExistsTest& exists = {});
