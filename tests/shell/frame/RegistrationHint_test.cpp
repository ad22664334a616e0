// The stderr lines of a kelvo that cannot locate its worker program.

#include <gtest/gtest.h>

#include "shell/frame/RegistrationHint.h"

namespace {

TEST(RegistrationHint, NamesTheRegisteringCommandOfTheErgastoBesideKelvo)
{
    const struct {
        const char* programFolder;
        const char* command;
    } table[] = {
        {"/work/build/release/bin", " /work/build/release/bin/Ergasto -RegServer\n"},
        {"/home/a b/bin", " '/home/a b/bin/Ergasto' -RegServer\n"},
        {"/x/it's", " '/x/it'\\''s/Ergasto' -RegServer\n"},
        {"", " ./Ergasto -RegServer\n"},
    };
    for (const auto& row : table) {
        const std::string hint = WorkerRegistrationHint(row.programFolder);
        EXPECT_EQ(hint.rfind("kelvo: ", 0), 0u) << hint;
        ASSERT_GE(hint.size(), std::string(row.command).size());
        EXPECT_EQ(hint.substr(hint.size() - std::string(row.command).size()), row.command) << hint;
    }
}

}  // namespace
