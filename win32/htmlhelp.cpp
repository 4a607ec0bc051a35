#include "win32/htmlhelp.h"

#include "res/texts.h"
#include "win32/messagebox.h"
#include "win32/programfile.h"
#include "win32/widetext.h"

namespace {

constexpr wchar_t helpFileName[] = L"Orrin.chm";
constexpr UINT displayTopic = 0x0000;  // HH_DISPLAY_TOPIC
constexpr UINT closeAll = 0x0012;      // HH_CLOSE_ALL

using HtmlHelpEntry = HWND(WINAPI*)(HWND owner, const wchar_t* file, UINT command, DWORD_PTR data);

HtmlHelpEntry loadedEntry = nullptr;

// The viewer's entry, loaded once it is first asked for; null while it cannot be loaded.
HtmlHelpEntry htmlHelpEntry()
{
    if (loadedEntry)
        return loadedEntry;
    // From the system folder only: a copy planted beside the program or in
    // the current directory is never run.
    HMODULE viewer = LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!viewer)
        return nullptr;
    FARPROC entry = GetProcAddress(viewer, "HtmlHelpW");
    if (!entry) {
        FreeLibrary(viewer);
        return nullptr;
    }
    loadedEntry = reinterpret_cast<HtmlHelpEntry>(reinterpret_cast<void (*)()>(entry));
    return loadedEntry;
}

bool isFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring helpFilePath()
{
    return besideProgram(helpFileName);
}

void showHelpTopics(HWND owner)
{
    const std::wstring path = helpFilePath();
    if (!isFile(path)) {
        showMessageBox(owner, withArgument(res::text::helpFileMissing, path));
        return;
    }
    HtmlHelpEntry entry = htmlHelpEntry();
    // The viewer's window, or none when it could not show the file.
    if (!entry || !entry(nullptr, path.c_str(), displayTopic, 0))
        showMessageBox(owner, withArgument(res::text::cannotShowHelp, path));
}

void closeHelpWindows()
{
    if (loadedEntry)
        loadedEntry(nullptr, nullptr, closeAll, 0);
}
