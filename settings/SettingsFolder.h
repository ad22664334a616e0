#pragma once
// The per-user folder of the settings files: the user's configuration folder
// ($XDG_CONFIG_HOME, by default ~/.config), then "Vornel", then "Kelvo".

#include <string>

// Stores the folder path and returns true, or empties it and returns false.
// Creates the configuration folder and "Vornel" when missing; "Kelvo" is
// created by the first save.
bool SettingsFolder(std::string& folder);

// The "Vornel" folder, created when missing, where the lock files of the
// settings files live. Empty when it cannot be had.
std::string VendorFolder();
