#pragma once
#include <cstddef>

// How many more bytes this process can allocate now without the system
// refusing the memory or ending the process for it: the least of the memory
// the system can still give without swapping (on Linux, MemAvailable), the
// room left under the limit of the process's control group, and the room
// left under the process's address-space and data limits. With overcommit an
// allocation beyond this may well succeed and the process be killed later, so
// callers refuse work that would need more (Calculator::setMemoryBudget).
// Returns SIZE_MAX when the system tells nothing. Reads a few small files:
// ask before large work, not per small step.
std::size_t availableMemory();

// Hands memory that the program has freed back to the system. The C library
// keeps freed blocks for reuse, and one block still in use above them keeps
// them resident; call after work on a long text, not after every small one.
void returnFreedMemory();
