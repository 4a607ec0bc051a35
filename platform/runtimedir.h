#pragma once
#include <string>

// Where the program keeps its per-user run-time files (the single-instance
// lock, the request channel's socket): $XDG_RUNTIME_DIR, or else the directory
// "<name>-<uid>" of the user's own in the temporary directory ($TMPDIR or
// /tmp), made with mode 0700. Empty when that directory is a link, belongs to
// someone else or is open to others.
std::string runtimeDirectory(const std::string& name);
