#include "platform/availablememory.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <limits>
#include <string>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr std::size_t unknown = std::numeric_limits<std::size_t>::max();

std::size_t roomUnder(std::size_t limit, std::size_t used)
{
    return used >= limit ? 0 : limit - used;
}

// MemAvailable: what can be allocated without swapping, page cache included.
std::size_t systemAvailable()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::size_t kilobytes = 0;
    std::string unit;
    while (meminfo >> key >> kilobytes >> unit) {
        if (key == "MemAvailable:")
            return kilobytes * 1024;
    }
    return unknown;
}

// Reads a control-group file holding one number; "max", and the huge number
// of version 1, mean no limit.
std::size_t readCgroupValue(const std::string& path)
{
    std::ifstream file(path);
    std::string text;
    if (!(file >> text) || text == "max")
        return unknown;
    unsigned long long value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc())
        return unknown;
    return value >= (1ULL << 62) ? unknown : static_cast<std::size_t>(value);
}

// The room under the memory limit of a group and of each group above it: the
// kernel ends a process whose group goes over its limit.
std::size_t groupRoom(const std::string& mount, std::string group, const char* limitFile, const char* usageFile)
{
    std::size_t room = unknown;
    for (;;) {
        const std::string directory = mount + (group == "/" ? std::string() : group) + "/";
        const std::size_t limit = readCgroupValue(directory + limitFile);
        if (limit != unknown)
            room = std::min(room, roomUnder(limit, readCgroupValue(directory + usageFile)));
        const std::size_t slash = group.find_last_of('/');
        if (group == "/" || slash == std::string::npos)
            return room;
        group = slash == 0 ? "/" : group.substr(0, slash);
    }
}

// Lines of /proc/self/cgroup: "0::PATH" for version 2, "N:CONTROLLERS:PATH"
// with "memory" among the controllers for version 1.
std::size_t cgroupRoom()
{
    std::ifstream cgroups("/proc/self/cgroup");
    std::size_t room = unknown;
    for (std::string line; std::getline(cgroups, line);) {
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            continue;
        // Built by appending: g++ 12 at -O3 warns falsely (-Wrestrict) on "," + std::string.
        std::string controllers(1, ',');
        controllers.append(line, first + 1, second - first - 1).push_back(',');
        const std::string group = line.substr(second + 1);
        if (line.rfind("0::", 0) == 0)
            room = std::min(room, groupRoom("/sys/fs/cgroup", group, "memory.max", "memory.current"));
        else if (controllers.find(",memory,") != std::string::npos)
            room = std::min(
                room, groupRoom("/sys/fs/cgroup/memory", group, "memory.limit_in_bytes", "memory.usage_in_bytes"));
    }
    return room;
}

// The address-space and data limits against the process's mapped size and
// data size (statm: pages of the whole mapping and of data plus stack).
std::size_t resourceLimitRoom()
{
    std::size_t mappedPages = 0;
    std::size_t dataPages = 0;
    std::size_t skipped = 0;  // resident, shared, text and library pages
    std::ifstream statm("/proc/self/statm");
    if (!(statm >> mappedPages >> skipped >> skipped >> skipped >> skipped >> dataPages))
        return unknown;
    const auto pageSize = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    std::size_t room = unknown;
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        room = std::min(room, roomUnder(limit.rlim_cur, mappedPages * pageSize));
    if (getrlimit(RLIMIT_DATA, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        room = std::min(room, roomUnder(limit.rlim_cur, dataPages * pageSize));
    return room;
}

}  // namespace

std::size_t availableMemory()
{
    return std::min({systemAvailable(), cgroupRoom(), resourceLimitRoom()});
}

void returnFreedMemory()
{
    // Also releases the free pages between blocks in use, not only the top.
    malloc_trim(0);
}
