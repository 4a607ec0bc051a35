#include "win32/tesselview.h"

#include "core/clipboardcalculation.h"
#include "core/historyline.h"
#include "datafile/documentfile.h"
#include "datafile/variablesarchive.h"
#include "platform/availablememory.h"
#include "res/resource.h"
#include "res/texts.h"
#include "win32/clipboardport.h"
#include "win32/hotkeycheck.h"
#include "win32/messagebox.h"
#include "win32/popupmenu.h"
#include "win32/registryprofile.h"
#include "win32/resourceids.h"
#include "win32/settingscommand.h"
#include "win32/tesselapp.h"
#include "win32/widetext.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

// Registered before any window exists, as the message map needs it.
const UINT calcSetAns = RegisterWindowMessageW(L"CalcSetAns");

constexpr int hotKeyId = 100;
// The history lines the dropped list shows at most before it scrolls.
constexpr int historyLinesShown = 30;
constexpr char dataFileName[] = "Orrin.dat";

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

POINT pointOf(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

HWND mainWindow()
{
    return theApp().mainWindow();
}

}  // namespace

UINT calcSetAnsMessage()
{
    return calcSetAns;
}

bool CTesselView::Create(HINSTANCE instance, HWND frame)
{
    // A text too large for the memory the machine can give is refused with
    // memory_error before the system would end the program for it.
    m_calculator.setMemoryBudget(availableMemory);
    m_hWnd = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_TESSEL_FORM), frame, DialogProc,
                                reinterpret_cast<LPARAM>(this));
    if (!m_hWnd)
        return false;
    // The template is a form's, without WS_VISIBLE: its window shows it.
    ShowWindow(m_hWnd, SW_SHOW);
    return true;
}

INT_PTR CALLBACK CTesselView::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* view = reinterpret_cast<CTesselView*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        view->m_hWnd = window;
        view->OnInitialUpdate();
        return FALSE;
    }
    auto* view = reinterpret_cast<CTesselView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return view ? view->OnMessage(message, wParam, lParam) : FALSE;
}

void CTesselView::OnInitialUpdate()
{
    m_entryBox.Attach(GetDlgItem(m_hWnd, IDC_ENTRY), m_hWnd);
    m_hGrip = GetDlgItem(m_hWnd, IDC_GRIP);
    m_hUndoTarget = m_entryBox.editField();
    SendMessageW(m_entryBox.hwnd(), CB_SETMINVISIBLE, historyLinesShown, 0);
    UpdateData(false);
    registerStoredHotKey();
}

INT_PTR CTesselView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == calcSetAns) {
        OnCalcSetAns(static_cast<int>(wParam));
        return TRUE;
    }
    switch (message) {
    case CEntryComboBox::droppedMessage:
        m_entryBox.OnDropped();
        return TRUE;
    case WM_SIZE:
        OnSize();
        return TRUE;
    case WM_COMMAND:
        if (lParam) {
            if (reinterpret_cast<HWND>(lParam) == m_entryBox.hwnd())
                OnNotify(HIWORD(wParam));
            return TRUE;
        }
        return OnCommand(LOWORD(wParam));
    case WM_HOTKEY:
        OnHotKey();
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(pointOf(lParam));
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(pointOf(lParam), wParam);
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(pointOf(lParam));
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(pointOf(lParam));
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(pointOf(lParam));
        break;
    case WM_DESTROY:
        SetHotKey(std::nullopt);
        if (m_hGripBitmap)
            DeleteObject(m_hGripBitmap);
        break;
    default:
        break;
    }
    // The mouse messages go on to the default processing as well.
    return FALSE;
}

void CTesselView::OnNotify(int notification)
{
    switch (notification) {
    case CBN_EDITCHANGE:
        m_entryBox.OnEditChange();
        OnEditChange();
        break;
    case CBN_DROPDOWN:
        m_entryBox.OnDropDown();
        break;
    case CBN_SELCHANGE:
        m_entryBox.OnSelChange();
        break;
    default:
        break;
    }
}

bool CTesselView::PreTranslateMessage(const MSG& message)
{
    return m_entryBox.PreTranslateMessage(message);
}

bool CTesselView::OnCommand(int command)
{
    switch (command) {
    case res::ID_EDIT_COPY:
        OnEditCopy();
        return true;
    case res::ID_EDIT_CUT:
        OnEditCut();
        return true;
    case res::ID_EDIT_PASTE:
        OnEditPaste();
        return true;
    case res::ID_EDIT_UNDO:
        OnEditUndo();
        return true;
    case res::ID_MINIMIZE:
        OnMinimize();
        return true;
    case res::ID_RESTORE:
        OnRestore();
        return true;
    case res::ID_SETTINGS:
        OnSettings(mainWindow(), *this);
        return true;
    case res::ID_DELETE_REGISTRY:
        OnDeleteRegistry();
        return true;
    case res::ID_APP_ABOUT:
    case res::ID_APP_EXIT:
    case res::ID_HELP_FINDER:
        // The context menu reaches only the view; these make the
        // application's own commands work from it as well.
        return theApp().OnCommand(command);
    default:
        return false;
    }
}

bool CTesselView::UpdateData(bool saveAndValidate)
{
    const HWND box = m_entryBox.hwnd();
    if (!saveAndValidate) {
        const std::wstring entry = fromCp932(m_strEntry);
        if (SendMessageW(box, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()))
            == CB_ERR)
            SetWindowTextW(box, entry.c_str());
        return true;
    }
    m_strEntry = toCp932(m_entryBox.text());
    if (m_strEntry.size() <= maxEntryLength)
        return true;
    showMessageBox(mainWindow(), withArgument(res::text::entryTooLong, std::to_wstring(maxEntryLength)));
    SetFocus(box);
    return false;
}

void CTesselView::OnCalcSetAns(int mode)
{
    // A text over the limit has been warned about and is evaluated all the same.
    UpdateData(true);
    std::optional<std::string> line = evaluateEntry(m_calculator, m_strEntry, mode);
    if (!line)
        return;
    m_strEntry = std::move(*line);
    const std::wstring shown = fromCp932(m_strEntry);
    SendMessageW(m_entryBox.hwnd(), CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    UpdateData(false);
    SendMessageW(m_entryBox.hwnd(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    if (m_strEntry.size() >= largeTextSize)
        returnFreedMemory();
}

void CTesselView::OnHotKey()
{
    CWinClipboardPort clipboard(m_hWnd);
    const ClipboardCalculation done = calculateClipboard(m_calculator, clipboard);
    if (done.textSize >= largeTextSize)
        returnFreedMemory();
}

void CTesselView::registerStoredHotKey()
{
    if (const std::optional<WinHotKey> key = storedHotKey(theApp().hotKeyText()))
        SetHotKey(key);
}

bool CTesselView::SetHotKey(std::optional<WinHotKey> key)
{
    if (m_hotKey)
        UnregisterHotKey(m_hWnd, hotKeyId);
    m_hotKey.reset();
    // Held down, the key would evaluate the clipboard's result again and again.
    m_bHotKeyTaken = key && !RegisterHotKey(m_hWnd, hotKeyId, key->modifiers | MOD_NOREPEAT, key->virtualKey);
    if (key && !m_bHotKeyTaken)
        m_hotKey = key;
    return !m_bHotKeyTaken;
}

void CTesselView::OnEditChange()
{
    UpdateData(true);
}

void CTesselView::OnEditCopy()
{
    SendMessageW(m_entryBox.hwnd(), WM_COPY, 0, 0);
}

void CTesselView::OnEditCut()
{
    SendMessageW(m_entryBox.hwnd(), WM_CUT, 0, 0);
}

void CTesselView::OnEditPaste()
{
    SendMessageW(m_entryBox.hwnd(), WM_PASTE, 0, 0);
}

void CTesselView::OnEditUndo()
{
    if (m_hUndoTarget)
        PostMessageW(m_hUndoTarget, WM_UNDO, 0, 0);
}

void CTesselView::OnMinimize()
{
    ShowWindow(mainWindow(), SW_HIDE);
}

void CTesselView::OnRestore()
{
    // Shown means ready for typing, as a window shown by the system is active.
    ShowWindow(mainWindow(), SW_SHOW);
    SetForegroundWindow(mainWindow());
    SetFocus(m_entryBox.hwnd());
}

void CTesselView::OnDeleteRegistry()
{
    if (showMessageBox(m_hWnd, widen(res::text::confirmDeleteRegistry), MessageButtons::OkCancel) != IDOK)
        return;
    theApp().SetSaveSettings(false);
    deleteStoredSettings();
}

int CTesselView::gripSize() const
{
    return MulDiv(gripWidth, static_cast<int>(GetDpiForWindow(m_hWnd)), USER_DEFAULT_SCREEN_DPI);
}

void CTesselView::loadGripBitmap(int size)
{
    if (size == m_nGripBitmapSize)
        return;
    auto* bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(res::IDB_GRIP),
                                                   IMAGE_BITMAP, size, size, LR_DEFAULTCOLOR));
    if (!bitmap)
        return;
    // The one replaced is the template's or an earlier one of ours: the
    // control frees neither.
    const LRESULT previous = SendMessageW(m_hGrip, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    if (previous)
        DeleteObject(reinterpret_cast<HBITMAP>(previous));
    m_hGripBitmap = bitmap;
    m_nGripBitmapSize = size;
}

void CTesselView::OnSize()
{
    if (!m_entryBox.hwnd())
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int grip = gripSize();
    // The height of a drop-down box counts its list as well.
    const auto itemHeight = static_cast<int>(SendMessageW(m_entryBox.hwnd(), CB_GETITEMHEIGHT, 0, 0));
    const int listHeight = historyLinesShown * itemHeight
        + 2 * GetSystemMetricsForDpi(SM_CYBORDER, GetDpiForWindow(m_hWnd));
    MoveWindow(m_entryBox.hwnd(), grip, 0, client.right - grip, client.bottom + listHeight, TRUE);
    loadGripBitmap(grip);
    MoveWindow(m_hGrip, 0, 0, grip, grip, TRUE);
}

void CTesselView::OnLButtonDown(POINT point)
{
    m_ptDrag = point;
    SetCapture(m_hWnd);
    if (point.x >= gripSize())
        return;
    m_bDrag = true;
    RECT frame{};
    GetWindowRect(mainWindow(), &frame);
    POINT screen = point;
    ClientToScreen(m_hWnd, &screen);
    m_ptDragInFrame = POINT{screen.x - frame.left, screen.y - frame.top};
}

void CTesselView::OnMouseMove(POINT, WPARAM flags)
{
    if (!(flags & MK_LBUTTON) || !m_bDrag)
        return;
    // Placed from the pointer's screen position so that the point pressed
    // stays under it: a window system that moves windows late would report
    // positions within the view against where the window was before.
    const DWORD position = GetMessagePos();
    RECT frame{};
    GetWindowRect(mainWindow(), &frame);
    MoveWindow(mainWindow(), GET_X_LPARAM(position) - m_ptDragInFrame.x, GET_Y_LPARAM(position) - m_ptDragInFrame.y,
               frame.right - frame.left, frame.bottom - frame.top, TRUE);
}

void CTesselView::OnLButtonUp(POINT point)
{
    m_ptDrag = point;
    m_bDrag = false;
    ReleaseCapture();
}

void CTesselView::OnLButtonDblClk(POINT point)
{
    if (point.x < gripSize())
        OnMinimize();
}

void CTesselView::OnRButtonDown(POINT point)
{
    if (point.x <= 0 || point.x >= gripSize())
        return;
    // Placed from the window's corner offset by the click within the view.
    RECT frame{};
    GetWindowRect(mainWindow(), &frame);
    trackPopupMenu(res::IDR_CONTEXT_MENU, res::ID_MINIMIZE, {frame.left + point.x, frame.top + point.y}, m_hWnd);
}

void CTesselView::LoadDataFile()
{
    reportFileStatus(
        m_hWnd, openDocument(dataFileName, [this](Archive& archive) { serializeVariables(archive, m_calculator); }));
}

void CTesselView::SaveDataFile()
{
    reportFileStatus(
        m_hWnd, saveDocument(dataFileName, [this](Archive& archive) { serializeVariables(archive, m_calculator); }));
}
