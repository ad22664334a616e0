#pragma once
// Captures the addresses the program would open in the browser.

#include <string>
#include <vector>

#include "platform/UrlOpener.h"

struct CFakeUrlOpener : IUrlOpener {
    bool succeeds = true;  // what the desktop answers
    std::vector<std::string> urls;
    bool OpenUrl(const std::string& url) override
    {
        urls.push_back(url);
        return succeeds;
    }
};
