#pragma once
#include <optional>
#include <string>
#include <string_view>

// Whole files as bytes, exactly as stored (no line-end or end-of-file
// translation), named by UTF-8 paths.

// The whole file, or nothing when it is missing or cannot be read (a
// directory, an I/O error).
std::optional<std::string> readWholeFile(const std::string& path);

// Replaces the file at `path` with `bytes` atomically: the bytes go to a new
// temporary file in the same directory, which is flushed to disk and then
// moved over `path`. On failure the temporary file is removed, the old file
// is left as it was, and the result is false. A file reached through a
// symbolic link is replaced where it lies, and a replaced file keeps its
// permissions, where the system has them.
bool replaceWholeFile(const std::string& path, std::string_view bytes);
