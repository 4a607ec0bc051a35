#include "platform/runtimedir.h"

#include <cerrno>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

std::string runtimeDirectory(const std::string& name)
{
    const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    if (runtimeDir && *runtimeDir)
        return runtimeDir;
    const char* tmp = std::getenv("TMPDIR");
    const std::string dir = std::string((tmp && *tmp) ? tmp : "/tmp") + "/" + name + "-" + std::to_string(::getuid());
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    // In a shared temporary directory the name may have been taken first by
    // someone else: only a real directory of this user, closed to others, will do.
    struct stat status {};
    if (::lstat(dir.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::getuid()
        || (status.st_mode & 077) != 0)
        return {};
    return dir;
}
