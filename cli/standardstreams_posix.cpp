#include "cli/standardstreams.h"

// POSIX streams never translate.
void useBinaryStandardStreams() {}
