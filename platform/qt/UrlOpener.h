#pragma once
// The desktop's web-page handler behind IUrlOpener.

#include "platform/UrlOpener.h"

// The desktop's handler (QDesktopServices::openUrl). Stateless; lives for
// the whole program.
IUrlOpener& DesktopUrlOpener();
