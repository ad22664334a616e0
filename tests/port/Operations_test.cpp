#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "port/ErgastoException.h"
#include "port/Operations.h"

namespace {

// Each operator has the worker's routine, each function the engine's, and an
// operator's name in the engine's table goes with its routine there.
TEST(OperationTable, EveryOperationHasItsRoutines)
{
    for (const OperationSpec& op : Operations()) {
        const std::string name(op.name);
        if (op.arity == 2) {
            EXPECT_NE(op.checkedTwoArg, nullptr) << name;
            EXPECT_EQ(op.engineName.empty(), op.twoArg == nullptr) << name;
        } else {
            EXPECT_NE(op.oneArg, nullptr) << name;
        }
    }
    EXPECT_EQ(BinaryOperators().size() + Functions().size(), Operations().size());
}

// The table names each check's code, the worker's routine raises it: for every
// operation with a check, arguments it refuses raise ErgastoException with the
// table's code. ("/" is refused before its routine runs, by request execution.)
TEST(OperationTable, WorkerRoutinesRaiseTheirChecksCodes)
{
    const std::map<std::string_view, std::pair<const char*, const char*>> refused = {
        {"sqrt", {"-4", nullptr}},    {"ln", {"0", nullptr}},         {"log", {"-1", nullptr}},
        {"asin", {"2", nullptr}},     {"acos", {"-2", nullptr}},      {"reciprocal", {"0", nullptr}},
        {"factorial", {"2.5", nullptr}}, {"idiv", {"7", "0"}},         {"mod", {"7", "2.5"}},
        {"ncr", {"2", "3"}},          {"npr", {"3", "4"}},
    };
    for (const OperationSpec& op : Operations()) {
        if (op.check.code == ErrNone || op.opType == OpDivide)
            continue;
        const std::string name(op.name);
        const auto it = refused.find(op.name);
        ASSERT_NE(it, refused.end()) << name << ": no refused arguments in this test";
        const auto [left, right] = it->second;
        try {
            if (op.arity == 1)
                op.checkedOneArg(Number::from_text(left), 35);
            else
                op.checkedTwoArg(Number::from_text(left), Number::from_text(right), 35);
            ADD_FAILURE() << name << " did not refuse " << left;
        } catch (const ErgastoException& e) {
            EXPECT_EQ(e.GetErrorCode(), op.check.code) << name;
        }
    }
}

}  // namespace
