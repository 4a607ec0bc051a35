#include "platform/singleinstance.h"

#include "platform/runtimedir.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

SingleInstanceLock::~SingleInstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::string SingleInstanceLock::lockFilePath() const
{
    const std::string dir = runtimeDirectory(m_name);
    return dir.empty() ? std::string() : dir + "/" + m_name + ".lock";
}

bool SingleInstanceLock::tryLock()
{
    if (m_fd >= 0)
        return true;
    const std::string path = lockFilePath();
    if (path.empty())
        return true;
    // O_NOFOLLOW: in a shared temporary directory, never follow another
    // user's planted link.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return true;
    // A lock file planted by another user in a shared directory would let
    // that user keep this program from starting: such a file is ignored.
    struct stat status {};
    if (::fstat(fd, &status) != 0 || status.st_uid != ::getuid()) {
        ::close(fd);
        return true;
    }
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const bool heldByOther = errno == EWOULDBLOCK;
        ::close(fd);
        return !heldByOther;
    }
    m_fd = fd;
    return true;
}
