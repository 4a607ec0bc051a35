// Feeds arbitrary bytes to the data file reader as if they were a data file,
// then checks that whatever loaded stores and reloads to the same entries,
// bit for bit, and that the stored form reads back completely.
#include "datafile/archive.h"
#include "datafile/variablesarchive.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool sameEntries(const VariableMap& left, const VariableMap& right)
{
    if (left.size() != right.size())
        return false;
    for (auto l = left.begin(), r = right.begin(); l != left.end(); ++l, ++r) {
        if (l->first != r->first || l->second.description != r->second.description
            || std::bit_cast<std::uint64_t>(l->second.value) != std::bit_cast<std::uint64_t>(r->second.value))
            return false;
    }
    return true;
}

std::string store(Calculator<double>& calculator)
{
    Archive archive = Archive::forStoring();
    serializeVariables(archive, calculator);
    return archive.bytes();
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Loading clears the store, so the calculators can live across inputs.
    static Calculator<double> loaded;
    static Calculator<double> reloaded;

    Archive input = Archive::forLoading(std::string(reinterpret_cast<const char*>(data), size));
    try {
        serializeVariables(input, loaded);
    } catch (const ArchiveError&) {
        // A cut-off file keeps the records read before the cut.
    }
    check(input.remaining() <= size);

    const std::string stored = store(loaded);
    Archive again = Archive::forLoading(stored);
    serializeVariables(again, reloaded);
    check(again.remaining() == 0);
    check(sameEntries(loaded.variables, reloaded.variables));
    check(store(reloaded) == stored);
    return 0;
}
