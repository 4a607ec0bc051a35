#pragma once
#include <string>
#include <utility>

// A per-user marker that a program runs: an exclusive flock() on the file
// "<name>.lock" in the runtime directory (see runtimeDirectory). The lock belongs to the open
// file, so it disappears with the process however that ends, and a crash never
// blocks the next start.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(std::string name) : m_name(std::move(name)) {}
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when this process now holds the lock; false when another process
    // holds it. A lock file that cannot be opened at all counts as held by
    // nobody (the program runs rather than refuse to start).
    bool tryLock();

    // The path used; exposed for tests.
    std::string lockFilePath() const;

private:
    std::string m_name;
    int m_fd = -1;
};
