#include "platform/readsome.h"

#include <algorithm>
#include <climits>

#include <io.h>

std::optional<std::size_t> readSome(int fd, char* buffer, std::size_t size)
{
    // _read takes an unsigned count and returns an int.
    const unsigned count = static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX));
    const int got = ::_read(fd, buffer, count);
    if (got < 0)
        return std::nullopt;
    return static_cast<std::size_t>(got);
}
