#pragma once

#include <string>

namespace platform {

// Registers `program` to be started with `argument` when the user logs in: an XDG autostart entry
// ~/.config/autostart/<name>.desktop (below $XDG_CONFIG_HOME when set), rewritten every time.
// False when the entry could not be written.
bool RegisterAutoStart(const std::string& name, const std::string& program, const std::string& argument);

// The entry's text.
std::string AutoStartEntry(const std::string& program, const std::string& argument);

// Where the entry for `name` lives.
std::string AutoStartPath(const std::string& name);

} // namespace platform
