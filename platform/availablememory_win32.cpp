#include "platform/availablememory.h"

#include <algorithm>
#include <limits>

#include <malloc.h>
#include <windows.h>
#include <psapi.h>

namespace {

constexpr std::size_t unknown = std::numeric_limits<std::size_t>::max();

std::size_t roomUnder(unsigned long long limit, unsigned long long used)
{
    return used >= limit ? 0 : static_cast<std::size_t>(std::min<unsigned long long>(limit - used, unknown));
}

// Free physical memory (beyond it the system pages), what the commit limit
// still allows, and the process's free address space.
std::size_t systemAvailable()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return unknown;
    return static_cast<std::size_t>(std::min({status.ullAvailPhys, status.ullAvailPageFile, status.ullAvailVirtual}));
}

// A job object may cap the memory the process commits, or that its whole job
// commits; the system refuses allocations beyond either. The job's current
// commit is not told here, only its peak, which is never less.
std::size_t jobRoom()
{
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    if (!QueryInformationJobObject(nullptr, JobObjectExtendedLimitInformation, &limits, sizeof limits, nullptr))
        return unknown;
    const DWORD flags = limits.BasicLimitInformation.LimitFlags;
    std::size_t room = unknown;
    if (flags & JOB_OBJECT_LIMIT_PROCESS_MEMORY) {
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                 sizeof counters))
            room = std::min(room, roomUnder(limits.ProcessMemoryLimit, counters.PrivateUsage));
    }
    if (flags & JOB_OBJECT_LIMIT_JOB_MEMORY)
        room = std::min(room, roomUnder(limits.JobMemoryLimit, limits.PeakJobMemoryUsed));
    return room;
}

}  // namespace

std::size_t availableMemory()
{
    return std::min(systemAvailable(), jobRoom());
}

void returnFreedMemory()
{
    _heapmin();
}
