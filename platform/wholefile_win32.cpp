#include "platform/wholefile.h"

#include <algorithm>
#include <random>

#include <windows.h>

namespace {

// Closes the handle when the scope ends, whatever way it ends.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }

    // Returns false when closing reports an error (a write that failed late).
    bool close()
    {
        if (!valid())
            return true;
        const BOOL closed = CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        return closed != 0;
    }

private:
    HANDLE m_handle;
};

// The program's paths are UTF-8; the system's wide calls take UTF-16. A path
// that is not valid UTF-8 names no file.
std::wstring widePath(const std::string& path)
{
    if (path.empty())
        return {};
    const int size = static_cast<int>(path.size());
    const int count = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
    if (count <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(), count);
    return wide;
}

bool writeAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// A fresh file beside `path`, created exclusively so that no other file is
// ever overwritten; it takes the folder's inherited permissions.
struct TemporaryFile {
    std::wstring path;
    HANDLE handle = INVALID_HANDLE_VALUE;
};

TemporaryFile createTemporaryBeside(const std::wstring& path)
{
    static constexpr std::wstring_view letters = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = path + L".";
        for (int i = 0; i < 8; ++i)
            candidate.push_back(letters[pick(generator)]);
        const HANDLE handle = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE)
            return {candidate, handle};
        if (GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    return {};
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path)
{
    const std::wstring wide = widePath(path);
    if (wide.empty())
        return std::nullopt;
    FileHandle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return std::nullopt;
    std::string contents;
    char chunk[1 << 16];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr))
            return std::nullopt;
        if (got == 0)
            return contents;
        contents.append(chunk, got);
    }
}

// MoveFileExW replaces an existing file, where rename() on Windows refuses;
// write-through returns only once the move is on disk.
bool replaceWholeFile(const std::string& path, std::string_view bytes)
{
    const std::wstring wide = widePath(path);
    if (wide.empty())
        return false;
    const TemporaryFile temporary = createTemporaryBeside(wide);
    FileHandle file(temporary.handle);
    if (!file.valid())
        return false;
    const bool written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    if (!file.close() || !written
        || !MoveFileExW(temporary.path.c_str(), wide.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.path.c_str());
        return false;
    }
    return true;
}
