#include "platform/descriptor_posix.h"

#include <cerrno>

#include <poll.h>
#include <unistd.h>

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = other.release();
    }
    return *this;
}

bool Descriptor::close()
{
    if (m_fd < 0)
        return true;
    return ::close(std::exchange(m_fd, -1)) == 0;
}

std::optional<std::size_t> readSome(int fd, char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            return std::nullopt;
    }
}

namespace {

using Clock = std::chrono::steady_clock;

// Whether fd has something to read before the deadline.
ReadEnd awaitReadable(int fd, Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return ReadEnd::TimedOut;
        pollfd readable{fd, POLLIN, 0};
        const int ready = ::poll(&readable, 1, static_cast<int>(left));
        if (ready > 0)
            return ReadEnd::Complete;
        if (ready == 0)
            return ReadEnd::TimedOut;
        if (errno != EINTR)
            return ReadEnd::Failed;
    }
}

}  // namespace

ReadEnd readAll(int fd, std::string& data, std::size_t maxBytes, std::optional<Clock::time_point> deadline)
{
    char buffer[1 << 14];
    for (;;) {
        if (deadline) {
            if (const ReadEnd waited = awaitReadable(fd, *deadline); waited != ReadEnd::Complete)
                return waited;
        }
        const std::optional<std::size_t> got = readSome(fd, buffer, sizeof buffer);
        if (!got) {
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                return ReadEnd::Failed;
            if (!deadline)
                return ReadEnd::WouldBlock;
            continue;
        }
        if (*got == 0)
            return ReadEnd::Complete;
        data.append(buffer, *got);
        if (data.size() > maxBytes)
            return ReadEnd::TooLong;
    }
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void drain(int fd)
{
    char bytes[64];
    while (readSome(fd, bytes, sizeof bytes).value_or(0) > 0) {
    }
}
