#pragma once

#include "Settings.h"

#include <string>
#include <string_view>

// The config.xml format: one line, no declaration, values inserted without escaping, 8-bit text.
namespace SettingsFile {

inline constexpr size_t kMaxFileSize = 1024;

// The file's bytes for `settings`.
std::string Write(const Settings& settings);

// Reads what it can of `bytes` into `settings`: a malformed document changes nothing; an unusable
// number stops the reading there, keeping the fields read before it. Missing elements leave their
// fields as they are.
void Read(std::string_view bytes, Settings& settings);

// Reads the file at `path` into `settings`; a missing file or one over 1024 bytes changes nothing.
void Load(const std::string& path, Settings& settings);

// Replaces the file at `path` (atomically: the old file stays whole until the new one is complete).
bool Save(const std::string& path, const Settings& settings);

} // namespace SettingsFile
