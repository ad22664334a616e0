#include "shell/frame/CommandMaps.h"

#include <map>

#include "keypad/OperationKeys.h"
#include "resources/CommandIds.h"

namespace {

const std::map<int, char>& CharMap()
{
    static const std::map<int, char> map = [] {
        std::map<int, char> m;
        for (unsigned id = cmd::kDigit0; id <= cmd::kDigit9; ++id)
            m[static_cast<int>(id)] = static_cast<char>('0' + (id - cmd::kDigit0));
        m[cmd::kPoint] = '.';
        m[cmd::kAdd] = '+';
        m[cmd::kSubtract] = '-';
        m[cmd::kSci] = 'e';
        return m;
    }();
    return map;
}

template <class Map>
auto Find(const Map& map, int id) -> std::optional<typename Map::mapped_type>
{
    const auto it = map.find(id);
    if (it == map.end())
        return std::nullopt;
    return it->second;
}

}  // namespace

std::optional<char> CommandChar(int id) { return Find(CharMap(), id); }

std::optional<int> CommandOperator(int id)
{
    const OperationSpec* op = OperationOfCommand(static_cast<unsigned>(id));
    if (!op || op->arity != 2)
        return std::nullopt;
    return op->opType;
}

std::optional<std::string> CommandFunction(int id)
{
    const OperationSpec* op = OperationOfCommand(static_cast<unsigned>(id));
    if (!op || op->arity != 1 || !op->checkedOneArg)
        return std::nullopt;
    return std::string(op->name);
}
