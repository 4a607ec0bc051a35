#include "platform/standardstreams.h"

// POSIX streams never translate.
void useBinaryStandardStreams()
{}
