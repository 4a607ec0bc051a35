#include "win32/runninginstance.h"

#include "win32/mainframe.h"

#include <vector>
#include <windows.h>

namespace {

// The TOKEN_USER record of a process; empty when it cannot be read.
std::vector<BYTE> tokenUser(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (!GetTokenInformation(token, TokenUser, user.data(), size, &size))
        user.clear();
    CloseHandle(token);
    return user;
}

bool isSameUser(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return false;
    std::vector<BYTE> theirs = tokenUser(process);
    CloseHandle(process);
    std::vector<BYTE> ours = tokenUser(GetCurrentProcess());
    return !theirs.empty() && !ours.empty()
        && EqualSid(reinterpret_cast<TOKEN_USER*>(theirs.data())->User.Sid,
                    reinterpret_cast<TOKEN_USER*>(ours.data())->User.Sid);
}

}  // namespace

bool showRunningInstance()
{
    for (HWND frame = nullptr; (frame = FindWindowExW(nullptr, frame, CMainFrame::className, nullptr));) {
        DWORD processId = 0;
        GetWindowThreadProcessId(frame, &processId);
        if (!isSameUser(processId))
            continue;
        // This start is the user's doing, so the foreground is ours to pass on.
        AllowSetForegroundWindow(processId);
        PostMessageW(frame, CMainFrame::showRequestMessage(), 0, 0);
        return true;
    }
    return false;
}
