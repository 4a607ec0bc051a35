#include "procstats.h"

#include <dirent.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::uint64_t statusField(const std::string& path, const std::string& field)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            std::istringstream value(line.substr(field.size() + 1));
            std::uint64_t number = 0;
            value >> number;
            return number;
        }
    }
    return 0;
}

// schedstat counts in nanoseconds; stat only in clock ticks of 10 ms.
std::uint64_t threadCpuNanoseconds(const std::string& taskDir)
{
    std::ifstream schedstat(taskDir + "/schedstat");
    std::uint64_t runNs = 0;
    if (schedstat >> runNs)
        return runNs;
    std::ifstream stat(taskDir + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string skip;
    for (int field = 3; field < 14; ++field)
        fields >> skip;
    std::uint64_t utime = 0;
    std::uint64_t stime = 0;
    fields >> utime >> stime;
    return (utime + stime) * (1000000000ull / static_cast<std::uint64_t>(sysconf(_SC_CLK_TCK)));
}

}  // namespace

std::uint64_t residentKiB(pid_t pid)
{
    return statusField("/proc/" + std::to_string(pid) + "/status", "VmRSS");
}

std::uint64_t privateKiB(pid_t pid)
{
    return statusField("/proc/" + std::to_string(pid) + "/status", "RssAnon");
}

ProcessUsage processUsage(pid_t pid)
{
    ProcessUsage usage;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir)
        return usage;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string taskDir = tasks + "/" + entry->d_name;
        const std::uint64_t voluntary = statusField(taskDir + "/status", "voluntary_ctxt_switches");
        usage.cpuNanoseconds += threadCpuNanoseconds(taskDir);
        usage.voluntarySwitches += voluntary;
        usage.contextSwitches += voluntary + statusField(taskDir + "/status", "nonvoluntary_ctxt_switches");
    }
    closedir(dir);
    return usage;
}
