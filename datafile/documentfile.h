#pragma once
#include "datafile/archive.h"

#include <functional>
#include <string>

// What became of a document file operation; the caller tells the user.
enum class DocumentStatus { Ok, CannotOpen, BadFormat, CannotSave };

// Reads the whole file at `path` and hands it to `serialize` in a loading
// archive. A file that is missing or cannot be read gives CannotOpen; an
// empty file gives Ok without calling `serialize`; an ArchiveError from
// `serialize` gives BadFormat, and whatever `serialize` did before it stays
// done. Other exceptions pass through.
DocumentStatus openDocument(const std::string& path, const std::function<void(Archive&)>& serialize);

// Lets `serialize` fill a storing archive and replaces the file at `path` with
// it atomically: the bytes go to a new temporary file in the same directory,
// which is flushed to disk and then renamed over `path`. On any failure
// (including an ArchiveError from `serialize`) the temporary file is removed,
// the old file is left as it was, and the result is CannotSave. A new file
// gets mode 0666 less the umask; a replaced file keeps its permission bits.
DocumentStatus saveDocument(const std::string& path, const std::function<void(Archive&)>& serialize);
