#pragma once

#include <string>

namespace platform {

// A path for `name` in the user's private runtime folder (for lock and pid files).
std::string RuntimeFilePath(const std::string& name);

// Writes `contents` to a file that only the user can read (mode 0600, in a folder only the user can
// enter); returns its path, or nothing when it could not be written.
std::string WritePrivateFile(const std::string& name, const std::string& contents);

// Removes a file; nothing happens when it is not there.
void RemoveFile(const std::string& path);

} // namespace platform
