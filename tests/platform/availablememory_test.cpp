#include "platform/availablememory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>

#include <sys/resource.h>

namespace {

constexpr std::size_t megabyte = 1 << 20;

// A field of /proc/self/status in bytes ("VmSize:    1234 kB").
std::size_t statusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string key;
    std::size_t kilobytes = 0;
    for (std::string unit; status >> key;) {
        if (key == field + ":" && status >> kilobytes >> unit)
            return kilobytes * 1024;
        std::getline(status, unit);
    }
    return 0;
}

struct LimitCase {
    const char* name;
    int resource;
    const char* usedField;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const LimitCase& row, std::ostream* out)
{
    *out << row.name;
}

// With the limit set 64 MB above what the process uses, the answer is that
// room, give or take what the C library maps meanwhile. Run in a child.
int roomUnderNewLimit(const LimitCase& limitCase)
{
    const rlim_t limit = statusBytes(limitCase.usedField) + 64 * megabyte;
    const rlimit wanted{limit, limit};
    if (setrlimit(limitCase.resource, &wanted) != 0)
        return 2;
    const std::size_t room = availableMemory();
    return room <= 64 * megabyte && room >= 48 * megabyte ? 0 : 1;
}

class AvailableMemory : public ::testing::TestWithParam<LimitCase> {};
TEST_P(AvailableMemory, IsTheRoomUnderTheProcessLimit)
{
    EXPECT_EXIT(std::_Exit(roomUnderNewLimit(GetParam())), ::testing::ExitedWithCode(0), "");
}
INSTANTIATE_TEST_SUITE_P(Cli, AvailableMemory,
                         ::testing::Values(LimitCase{"address_space", RLIMIT_AS, "VmSize"},
                                           LimitCase{"data", RLIMIT_DATA, "VmData"}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
