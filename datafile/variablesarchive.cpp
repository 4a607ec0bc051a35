#include "datafile/variablesarchive.h"

#include <cstdint>
#include <limits>

void serializeVariables(Archive& archive, Calculator<double>& calculator)
{
    if (archive.isStoring()) {
        const VariableMap& variables = calculator.variables;
        if (variables.size() > std::numeric_limits<std::uint32_t>::max())
            throw ArchiveError("too many variables for the data file");
        archive.writeUInt32(static_cast<std::uint32_t>(variables.size()));
        for (const auto& [name, variable] : variables) {
            archive.writeString(name);
            archive.writeDouble(variable.value);
            archive.writeString(variable.description);
        }
        return;
    }
    // The count comes from the file and is not trusted: nothing is reserved
    // for it, and every record consumes at least ten bytes, so a huge count
    // with a short file ends at the end of the data.
    calculator.variables.clear();
    const std::int32_t count = archive.readInt32();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string name = archive.readString();
        Variable variable;
        variable.value = archive.readDouble();
        variable.description = archive.readString();
        calculator.setVariable(name, variable);
    }
}
