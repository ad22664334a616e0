#include "shell/frame/CommandMaps.h"

#include <map>

#include "port/CalcTypes.h"
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

const std::map<int, int>& OperatorMap()
{
    static const std::map<int, int> map{
        {cmd::kDivide, OpDivide},   {cmd::kMultiply, OpMultiply}, {cmd::kSubtract, OpSubtract},
        {cmd::kAdd, OpAdd},         {cmd::kPower, OpPower},       {cmd::kNCr, OpNCr},
        {cmd::kNPr, OpNPr},         {cmd::kIntegerDivide, OpIntegerDivide},
        {cmd::kModulo, OpModulo},
    };
    return map;
}

const std::map<int, std::string>& FunctionMap()
{
    static const std::map<int, std::string> map{
        {cmd::kSqrt, "sqrt"},     {cmd::kCbrt, "cbrt"},   {cmd::kSin, "sin"},
        {cmd::kAsin, "asin"},     {cmd::kSinh, "sinh"},   {cmd::kAsinh, "asinh"},
        {cmd::kCos, "cos"},       {cmd::kAcos, "acos"},   {cmd::kCosh, "cosh"},
        {cmd::kAcosh, "acosh"},   {cmd::kTan, "tan"},     {cmd::kAtan, "atan"},
        {cmd::kTanh, "tanh"},     {cmd::kAtanh, "atanh"}, {cmd::kLn, "ln"},
        {cmd::kLog, "log"},       {cmd::kSquare, "square"}, {cmd::kCube, "cube"},
        {cmd::kReciprocal, "reciprocal"}, {cmd::kFactorial, "factorial"},
        {cmd::kInt, "int"},       {cmd::kRound, "rnd"},
    };
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
std::optional<int> CommandOperator(int id) { return Find(OperatorMap(), id); }
std::optional<std::string> CommandFunction(int id) { return Find(FunctionMap(), id); }
