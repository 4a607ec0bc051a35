#pragma once
#include <cstdio>

// The command-line calculator: evaluates each argument, or each line of
// `in` when there is none, with one engine, and prints one line per
// expression to `out`: the result, or the error message in UTF-8 (also the
// memory error for a line too large for the memory the process may have).
// Returns the exit status: 0 when every expression evaluated, 1 when any
// failed, 2 for a usage error, an unreadable data file, or input that cannot
// be read or output that cannot be written (message on `err`). `in` is read
// through its file descriptor, as lines arrive; the answers to the lines read
// so far are flushed to `out` before more input is awaited.
int runOrrinCalc(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err);
