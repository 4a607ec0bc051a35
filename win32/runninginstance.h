#pragma once

// A second start of the program: it asks the running instance of the same
// user to show its strip (and lets it take the foreground). False when no
// such instance has a strip yet; another user's instance is left alone.
bool showRunningInstance();
