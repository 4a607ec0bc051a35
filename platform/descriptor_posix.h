#pragma once
#include "platform/readsome.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// A file descriptor, closed when the scope ends, whatever way it ends.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { close(); }
    Descriptor(Descriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Gives the descriptor up without closing it.
    int release() { return std::exchange(m_fd, -1); }
    // False when closing reports an error (a write that failed late).
    bool close();

private:
    int m_fd;
};

enum class ReadEnd {
    Complete,    // the writer closed its end
    TooLong,     // more than maxBytes came
    TimedOut,    // the deadline passed first
    WouldBlock,  // a non-blocking descriptor without a deadline has nothing more yet
    Failed,      // an error, or a directory
};

// Reads fd to its end, appending to data. With a deadline, waits for each
// piece until then at most; without one, a blocking descriptor is waited for
// as long as it takes.
ReadEnd readAll(int fd, std::string& data, std::size_t maxBytes,
                std::optional<std::chrono::steady_clock::time_point> deadline = std::nullopt);

// Writes all of bytes, going on after signals; false on an error (errno tells).
bool writeAll(int fd, std::string_view bytes);

// Reads and drops what a non-blocking descriptor holds now: the bytes of a
// wake-up pipe, whose count does not matter.
void drain(int fd);
