#pragma once
#include "datafile/archive.h"
#include "engine/calculator.h"

// Writes or reads the calculator's variables store in the layout of the data
// file: a 32-bit count, then per entry the name (counted string), the value
// (8 bytes) and the description (counted string), in the store's order.
//
// Loading clears the store first and reads the count as a signed number; a
// count of zero or below loads nothing. A later record with the same name
// replaces the earlier one, and bytes after the last record are ignored.
// When the data ends inside a record ArchiveError is thrown and the records
// read before it stay in the store. Storing throws ArchiveError when the
// store has more entries than 32 bits can count.
void serializeVariables(Archive& archive, Calculator<double>& calculator);
