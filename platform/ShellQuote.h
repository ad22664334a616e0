#pragma once
// A word as a POSIX shell reads it back (the bus's Exec lines and a command
// that a user copies from a message follow the same rules): left as it is when
// it holds only letters, digits and "/._+,-", else in single quotes.

#include <string>

std::string ShellQuoted(const std::string& word);
