#include "datafile/documentfile.h"

#include "platform/wholefile.h"

#include <optional>
#include <utility>

DocumentStatus openDocument(const std::string& path, const std::function<void(Archive&)>& serialize)
{
    std::optional<std::string> contents = readWholeFile(path);
    if (!contents)
        return DocumentStatus::CannotOpen;
    if (contents->empty())
        return DocumentStatus::Ok;
    Archive archive = Archive::forLoading(std::move(*contents));
    try {
        serialize(archive);
    } catch (const ArchiveError&) {
        return DocumentStatus::BadFormat;
    }
    return DocumentStatus::Ok;
}

DocumentStatus saveDocument(const std::string& path, const std::function<void(Archive&)>& serialize)
{
    Archive archive = Archive::forStoring();
    try {
        serialize(archive);
    } catch (const ArchiveError&) {
        return DocumentStatus::CannotSave;
    }
    return replaceWholeFile(path, archive.bytes()) ? DocumentStatus::Ok : DocumentStatus::CannotSave;
}
