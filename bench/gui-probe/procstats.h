#pragma once
#include <sys/types.h>

#include <cstdint>

// What /proc says about a running process, summed over all of its threads.
struct ProcessUsage {
    std::uint64_t cpuNanoseconds = 0;     // user and system time
    std::uint64_t contextSwitches = 0;    // voluntary and involuntary: each one a wake-up or a preemption
    std::uint64_t voluntarySwitches = 0;  // the process went to sleep: the number of wake-ups
};

// Resident set size in KiB (VmRSS), or 0 when the process is gone.
std::uint64_t residentKiB(pid_t pid);
// Its private part in KiB (RssAnon: the heap and stacks, no mapped files).
std::uint64_t privateKiB(pid_t pid);

ProcessUsage processUsage(pid_t pid);
