#pragma once
#include <cstddef>
#include <optional>

// One read of what has arrived on the file descriptor fd, tried again when a
// signal interrupts it: the bytes read, 0 at the end, nullopt on an error
// (errno tells which, EAGAIN included).
std::optional<std::size_t> readSome(int fd, char* buffer, std::size_t size);
