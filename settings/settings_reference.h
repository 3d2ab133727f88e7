#pragma once
// The documentation's list of settings, made from the settings table so
// that it cannot drift from what the program reads and writes.

#include <string>

namespace korvo {

// A Markdown table of every settings-file key: the values it takes, its
// default and what it means, in the order a settings file writes them.
std::string SettingsReference();

}  // namespace korvo
