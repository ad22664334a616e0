#include "ipc/HResultErrors.h"

#include <array>

namespace ipc {

namespace {

struct NamedCode {
    HRESULT code;
    const char* name;
    const char* message;
};

constexpr std::array<NamedCode, 4> kCodes{{
    {E_INVALIDARG, "E_INVALIDARG", "One or more arguments are invalid"},
    {E_OUTOFMEMORY, "E_OUTOFMEMORY", "Not enough memory to accept the request"},
    {E_POINTER, "E_POINTER", "Invalid pointer"},
    {E_FAIL, "E_FAIL", "Unspecified failure"},
}};

const NamedCode& lookup(HRESULT hr)
{
    for (const auto& c : kCodes)
        if (c.code == hr)
            return c;
    return kCodes.back();   // E_FAIL
}

}  // namespace

QString ErrorNameForHResult(HRESULT hr)
{
    return QLatin1String(kErrorPrefix) + QLatin1String(lookup(hr).name);
}

QString ErrorMessageForHResult(HRESULT hr)
{
    return QLatin1String(lookup(hr).message);
}

HRESULT HResultFromErrorName(std::string_view errorName)
{
    const std::string_view prefix = kErrorPrefix;
    if (errorName.substr(0, prefix.size()) != prefix)
        return E_FAIL;
    for (const auto& c : kCodes)
        if (errorName.substr(prefix.size()) == c.name)
            return c.code;
    return E_FAIL;
}

}  // namespace ipc
