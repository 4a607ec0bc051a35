#pragma once
#include <optional>
#include <string>
#include <string_view>

// The whole contents of the file at path; nullopt when it cannot be read (it
// is missing, a directory, or reading failed).
std::optional<std::string> readWholeFile(const std::string& path);

// Replaces the file at path with bytes so that a reader finds either the old
// file whole or the new one: a fresh file beside it, written, synced and
// renamed over it, with the old file's permissions. A path that is a symbolic
// link is replaced where the link points, so that the link survives. False
// when that failed; the old file is then untouched.
bool replaceWholeFile(const std::string& path, std::string_view bytes);
