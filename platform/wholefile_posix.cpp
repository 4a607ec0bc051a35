#include "platform/wholefile.h"

#include "platform/descriptor_posix.h"

#include <cerrno>
#include <filesystem>
#include <limits>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string directoryOf(const std::string& path)
{
    const std::string parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? "." : parent;
}

// A fresh file beside `path`, created exclusively so that no other file is
// ever overwritten; open() applies the umask to 0666 as for any new file.
struct TemporaryFile {
    std::string path;
    int fd = -1;
};

TemporaryFile createTemporaryBeside(const std::string& path)
{
    static constexpr std::string_view letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = path + ".";
        for (int i = 0; i < 8; ++i)
            candidate.push_back(letters[pick(generator)]);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return {candidate, fd};
        if (errno != EEXIST)
            break;
    }
    return {};
}

bool keepPermissionsOf(const std::string& oldPath, int fd)
{
    struct stat old {};
    if (::stat(oldPath.c_str(), &old) != 0)
        return errno == ENOENT;  // a new file: the umask already decided
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// Makes the rename itself durable. The new file is already complete under its
// final name when this runs, so a failure here is not a failed save.
void syncDirectory(const std::string& directory)
{
    Descriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

bool replaceAtomically(const std::string& path, std::string_view bytes)
{
    const TemporaryFile temporary = createTemporaryBeside(path);
    if (temporary.fd < 0)
        return false;
    Descriptor file(temporary.fd);
    const bool written = keepPermissionsOf(path, file.get()) && writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (!file.close() || !written || ::rename(temporary.path.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.path.c_str());
        return false;
    }
    syncDirectory(directoryOf(path));
    return true;
}

// A data file kept elsewhere through a symbolic link is replaced where it
// lies, so that the link survives the save.
std::string followLink(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)))
        return path;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target.string();
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path)
{
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid())
        return std::nullopt;
    std::string contents;
    if (readAll(file.get(), contents, std::numeric_limits<std::size_t>::max()) != ReadEnd::Complete)
        return std::nullopt;  // a directory, or an I/O error
    return contents;
}

bool replaceWholeFile(const std::string& path, std::string_view bytes)
{
    return replaceAtomically(followLink(path), bytes);
}
