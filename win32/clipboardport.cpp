#include "win32/clipboardport.h"

#include "engine/myexception.h"
#include "platform/availablememory.h"
#include "win32/messagebox.h"
#include "win32/widetext.h"

#include <cstring>
#include <cwchar>

namespace {

constexpr int openAttempts = 20;
constexpr DWORD openRetryMilliseconds = 10;

std::wstring lockedText(HANDLE data)
{
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (!text)
        return {};
    const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    std::wstring copy(text, wcsnlen(text, capacity));
    GlobalUnlock(data);
    return copy;
}

// A block the clipboard can own: the text and its terminating NUL.
HGLOBAL globalText(const std::wstring& text)
{
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* target = block ? GlobalLock(block) : nullptr;
    if (!target) {
        GlobalFree(block);
        throw memory_error(memoryErrorMessage);
    }
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(block);
    return block;
}

}  // namespace

bool CWinClipboardPort::open() const
{
    for (int attempt = 0; attempt < openAttempts; ++attempt) {
        if (OpenClipboard(m_hOwner))
            return true;
        Sleep(openRetryMilliseconds);
    }
    return false;
}

std::optional<std::string> CWinClipboardPort::readText()
{
    if (!open())
        return std::nullopt;
    // The system offers text of the other text formats as Unicode too.
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::wstring text;
    try {
        text = data ? lockedText(data) : std::wstring();
    } catch (...) {
        CloseClipboard();
        throw;
    }
    CloseClipboard();
    return toCp932(text);
}

void CWinClipboardPort::writeText(const std::string& text)
{
    HGLOBAL block = globalText(fromCp932(text));
    if (!open()) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, block))
        GlobalFree(block);
    CloseClipboard();
}

void CWinClipboardPort::tellUser(const std::string& message)
{
    // What the failed work held is given back first, so that the box has the
    // memory to show itself.
    returnFreedMemory();
    showMessageBox(nullptr, fromCp932(message));
}
