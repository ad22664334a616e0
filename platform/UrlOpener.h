#pragma once
// Opening web pages in the user's browser, as an injectable service: the
// program uses the desktop's handler (platform/qt/UrlOpener.h); tests capture
// the address instead.

#include <string>

class IUrlOpener {
public:
    virtual ~IUrlOpener() = default;
    // True when the desktop accepted the address (the browser could be started).
    virtual bool OpenUrl(const std::string& url) = 0;
};
