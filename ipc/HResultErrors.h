#pragma once
// Result codes on the bus: S_OK is a normal reply; a failure is an error reply
// named "Ergasto.Error.<code>" for the codes a worker call can return.
// E_POINTER never travels: out parameters are carried by the reply, so the
// pointer a C++ caller passes is checked on the caller's side of the proxy.

#include "port/ICalcWorker.h"

#include <QString>

#include <string_view>

namespace ipc {

inline constexpr char kErrorPrefix[] = "Ergasto.Error.";

// "Ergasto.Error.E_INVALIDARG" etc.; any other failure code is sent as E_FAIL.
QString ErrorNameForHResult(HRESULT hr);
// A short text to go with the error name.
QString ErrorMessageForHResult(HRESULT hr);
// The code of an error reply: the four worker errors by name, anything else
// (no reply, unknown object, a bus error) E_FAIL.
HRESULT HResultFromErrorName(std::string_view errorName);

}  // namespace ipc
