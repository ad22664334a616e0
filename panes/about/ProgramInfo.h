#pragma once
// The program's name, version and web addresses, shared by the about box,
// the tray icon and the update check.

inline constexpr const char* kProductName = "Vornel Quillix";
inline constexpr const char* kProductWord = "quillix";
inline constexpr const char* kQuillixVersion = "1.2.2.0";
inline constexpr const char* kMakerName = "Vornel";

// The maker's web site (no trailing slash).
inline constexpr const char* kMakerWebSite = "https://www.vornel.example";
