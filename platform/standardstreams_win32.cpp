#include "platform/standardstreams.h"

#include <cstdio>

#include <fcntl.h>
#include <io.h>

// Text mode would write "\r\n" for each "\n" and end the input at a 0x1A byte.
void useBinaryStandardStreams()
{
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
