// Starts a GUI program under the current X display and reports, on one line:
// the time from starting it to its first top-level window being mapped, its
// resident memory 2 s after the start, the CPU time and wake-ups of all its
// threads over an idle, unfocused period, and optionally the latency of the
// clipboard hot key. Used by bench/measure-gui.sh.
#include "procstats.h"
#include "xprobe.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Milliseconds = std::chrono::duration<double, std::milli>;

struct Options {
    double idleSeconds = 10;
    int presses = 0;
    std::string expression = "1+2";
    std::string expected = "3";
    std::vector<char*> program;
};

void usage()
{
    std::cerr << "usage: gui_probe [--idle SECONDS] [--hot-key PRESSES] -- PROGRAM [ARG...]\n"
                 "       gui_probe --wait-owner SELECTION\n";
    std::exit(2);
}

Options parse(int argc, char* argv[])
{
    Options options;
    int index = 1;
    for (; index < argc && std::strcmp(argv[index], "--") != 0; ++index) {
        if (std::strcmp(argv[index], "--idle") == 0 && index + 1 < argc)
            options.idleSeconds = std::stod(argv[++index]);
        else if (std::strcmp(argv[index], "--hot-key") == 0 && index + 1 < argc)
            options.presses = std::stoi(argv[++index]);
        else
            usage();
    }
    for (++index; index < argc; ++index)
        options.program.push_back(argv[index]);
    if (options.program.empty())
        usage();
    options.program.push_back(nullptr);
    return options;
}

pid_t start(std::vector<char*>& program)
{
    pid_t pid = 0;
    if (posix_spawnp(&pid, program[0], nullptr, nullptr, program.data(), environ) != 0)
        throw std::runtime_error(std::string("cannot start ") + program[0]);
    return pid;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

int measure(const Options& options)
{
    XProbe probe;
    probe.leaveFocusOnRoot();
    probe.watchTopLevelMaps();

    std::vector<char*> program = options.program;
    const Clock::time_point started = Clock::now();
    const pid_t pid = start(program);
    const auto mapped = probe.waitForMap(pid, started + std::chrono::seconds(10));
    if (!mapped) {
        stop(pid);
        std::cerr << "gui_probe: no window of " << program[0] << " was mapped within 10 s\n";
        return 1;
    }
    std::printf("map_ms=%.2f", Milliseconds(*mapped - started).count());
    // A program may take the focus as it shows its window (orrin does, so
    // that the user can type at once); the idle figures are for a program
    // that sits unfocused, so the focus is taken back once it has settled.
    std::this_thread::sleep_until(started + std::chrono::seconds(1));
    probe.leaveFocusOnRoot();

    std::this_thread::sleep_until(started + std::chrono::seconds(2));
    const ProcessUsage before = processUsage(pid);
    std::printf(" rss_kib=%llu private_kib=%llu", static_cast<unsigned long long>(residentKiB(pid)),
                static_cast<unsigned long long>(privateKiB(pid)));
    std::this_thread::sleep_until(
        started + std::chrono::seconds(2)
        + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(options.idleSeconds)));
    const ProcessUsage after = processUsage(pid);
    std::printf(" idle_cpu_ms=%.3f idle_wakeups=%llu idle_switches=%llu",
                static_cast<double>(after.cpuNanoseconds - before.cpuNanoseconds) / 1e6,
                static_cast<unsigned long long>(after.voluntarySwitches - before.voluntarySwitches),
                static_cast<unsigned long long>(after.contextSwitches - before.contextSwitches));

    for (int press = 0; press < options.presses; ++press) {
        const auto latency = probe.hotKeyLatency(options.expression, options.expected, std::chrono::seconds(5));
        if (latency)
            std::printf(" hotkey_ms=%.2f", Milliseconds(*latency).count());
        else
            std::printf(" hotkey_ms=none");
    }
    std::printf("\n");
    std::fflush(stdout);
    stop(pid);
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    try {
        if (argc == 3 && std::strcmp(argv[1], "--wait-owner") == 0)
            return XProbe().waitForOwner(argv[2], Clock::now() + std::chrono::seconds(10)) ? 0 : 1;
        return measure(parse(argc, argv));
    } catch (const std::exception& error) {
        std::cerr << "gui_probe: " << error.what() << '\n';
        return 1;
    }
}
