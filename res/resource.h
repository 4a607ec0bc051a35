// Resource numbers of Orrin: commands, dialogs, controls, menus, images and strings.
// Every number the program uses lives here and nowhere else.
#pragma once

namespace res {

// Dialog templates.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_TESSEL_FORM = 101;
inline constexpr int IDD_CONST_PAGE = 130;
inline constexpr int IDD_CONST_EDIT = 140;
inline constexpr int IDD_GENERAL_PAGE = 141;

// Frame resources: icon, menu and accelerator table share one number.
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDI_MAINFRAME = 128;
inline constexpr int IDB_GRIP = 137;

// Menus.
inline constexpr int IDR_MAINFRAME_MENU = 128;
inline constexpr int IDR_CONTEXT_MENU = 135;
inline constexpr int IDR_TRAY_MENU = 136;
inline constexpr int IDR_CONST_MENU1 = 141;
inline constexpr int IDR_CONST_MENU2 = 142;

// Accelerator table.
inline constexpr int IDR_ACCELERATOR = 128;

// Controls.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDC_ENTRY_COMBO = 1001;  // entry box on form 101
inline constexpr int IDC_GRIP = 1008;         // grip bitmap on form 101
inline constexpr int IDC_CONST_LIST = 1001;   // list view on page 130
inline constexpr int IDC_CONST_NAME = 1007;   // edits on dialog 140
inline constexpr int IDC_CONST_VALUE = 1008;
inline constexpr int IDC_CONST_DESCRIPTION = 1009;
inline constexpr int IDC_NO_DISPLAY = 1013;  // check box on page 141

// Commands.
inline constexpr int ID_CONST_DELETE = 32771;
inline constexpr int ID_CONST_EDIT = 32772;
inline constexpr int ID_CONST_NEW = 32773;
inline constexpr int ID_SETTINGS = 32775;
inline constexpr int ID_MINIMIZE = 32777;
inline constexpr int ID_RESTORE = 32779;
inline constexpr int ID_DELETE_REGISTRY = 32780;

inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_HELP_FINDER = 57667;
inline constexpr int ID_CONTEXT_HELP = 57669;
inline constexpr int ID_HELP = 57670;
inline constexpr int ID_DEFAULT_HELP = 57671;
inline constexpr int ID_NEXT_PANE = 57680;  // F6
inline constexpr int ID_PREV_PANE = 57681;  // Shift+F6

// Strings.
inline constexpr int AFX_IDS_APP_TITLE = 57344;  // product name, last part of the profile key

// Global hot key identifier (Ctrl+Shift+C).
inline constexpr int IDH_CLIPBOARD_CALC = 100;

}  // namespace res
