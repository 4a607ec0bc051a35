#include "win32/tesselview.h"

#include "core/historyline.h"
#include "datafile/documentfile.h"
#include "datafile/variablesarchive.h"
#include "res/texts.h"
#include "win32/messagebox.h"
#include "win32/resourceids.h"
#include "win32/widetext.h"

#include <windowsx.h>

namespace {

// Registered before any window exists, as the message map needs it.
const UINT calcSetAns = RegisterWindowMessageW(L"CalcSetAns");

constexpr char dataFileName[] = "Orrin.dat";
// The band at the left of the view that holds the grip, and the grip's size.
constexpr int gripWidth = 19;

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void reportFileStatus(HWND owner, DocumentStatus status)
{
    const char* text = nullptr;
    switch (status) {
    case DocumentStatus::Ok:
        return;
    case DocumentStatus::CannotOpen:
        text = res::text::cannotOpenFile;
        break;
    case DocumentStatus::BadFormat:
        text = res::text::badFileFormat;
        break;
    case DocumentStatus::CannotSave:
        text = res::text::cannotSaveFile;
        break;
    }
    showMessageBox(owner, withArgument(text, widen(dataFileName)));
}

}  // namespace

UINT calcSetAnsMessage()
{
    return calcSetAns;
}

bool CTesselView::Create(HINSTANCE instance, HWND frame)
{
    m_hWnd = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_TESSEL_FORM), frame, DialogProc,
                                reinterpret_cast<LPARAM>(this));
    return m_hWnd != nullptr;
}

INT_PTR CALLBACK CTesselView::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* view = reinterpret_cast<CTesselView*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        view->m_hWnd = window;
        view->m_hEntryBox = GetDlgItem(window, IDC_ENTRY);
        view->m_hGrip = GetDlgItem(window, IDC_GRIP);
        return FALSE;
    }
    auto* view = reinterpret_cast<CTesselView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return view ? view->OnMessage(message, wParam, lParam) : FALSE;
}

INT_PTR CTesselView::OnMessage(UINT message, WPARAM wParam, LPARAM)
{
    if (message == calcSetAns) {
        OnCalcSetAns(static_cast<int>(wParam));
        return TRUE;
    }
    switch (message) {
    case WM_SIZE:
        OnSize();
        return TRUE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam));
    default:
        return FALSE;
    }
}

bool CTesselView::PreTranslateMessage(const MSG& message)
{
    if (message.message != WM_KEYDOWN)
        return false;
    if (message.hwnd != m_hEntryBox && GetParent(message.hwnd) != m_hEntryBox)
        return false;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (message.wParam == VK_RETURN) {
        PostMessageW(m_hWnd, calcSetAns, 0, 0);
        return true;
    }
    if (message.wParam == 'H' && ctrl && shift) {
        PostMessageW(m_hWnd, calcSetAns, 1, 0);
        return true;
    }
    return false;
}

bool CTesselView::OnCommand(int)
{
    return false;
}

std::string CTesselView::entryText() const
{
    return toCp932(windowText(m_hEntryBox));
}

void CTesselView::OnCalcSetAns(int mode)
{
    m_strEntry = entryText();
    const std::optional<std::string> line = evaluateEntry(m_calculator, m_strEntry, mode);
    if (!line)
        return;
    m_strEntry = *line;
    const std::wstring shown = fromCp932(m_strEntry);
    SendMessageW(m_hEntryBox, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    SendMessageW(m_hEntryBox, CB_SETCURSEL, 0, 0);
    SendMessageW(m_hEntryBox, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void CTesselView::OnSize()
{
    if (!m_hEntryBox)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    MoveWindow(m_hEntryBox, gripWidth, 0, client.right - gripWidth, client.bottom, TRUE);
    MoveWindow(m_hGrip, 0, 0, gripWidth, gripWidth, TRUE);
}

void CTesselView::LoadDataFile()
{
    reportFileStatus(m_hWnd, openDocument(dataFileName, [this](Archive& archive) {
                         serializeVariables(archive, m_calculator);
                     }));
}

void CTesselView::SaveDataFile()
{
    reportFileStatus(m_hWnd, saveDocument(dataFileName, [this](Archive& archive) {
                         serializeVariables(archive, m_calculator);
                     }));
}
