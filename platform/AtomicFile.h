#pragma once

#include <string>
#include <string_view>

namespace platform {

// Replaces the file at `path` with `contents` so that a crash at any moment leaves either the old file
// or the new one: the bytes go to a temporary file beside it, which is flushed and renamed over it.
// False when nothing was replaced; no temporary file is left behind.
bool ReplaceFileContents(const std::string& path, std::string_view contents);

} // namespace platform
