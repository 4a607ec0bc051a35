// Resource numbers of Orrin: commands, dialog results, menus, images and strings.
// Every number the program uses lives here and nowhere else.
#pragma once

namespace res {

// Images.
inline constexpr int IDI_MAINFRAME = 128;
inline constexpr int IDB_GRIP = 137;

// Menus.
inline constexpr int IDR_CONTEXT_MENU = 135;
inline constexpr int IDR_TRAY_MENU = 136;
inline constexpr int IDR_CONST_MENU1 = 141;
inline constexpr int IDR_CONST_MENU2 = 142;

// Commands.
inline constexpr int ID_CONST_DELETE = 32771;
inline constexpr int ID_CONST_EDIT = 32772;
inline constexpr int ID_CONST_NEW = 32773;
inline constexpr int ID_SETTINGS = 32775;
inline constexpr int ID_MINIMIZE = 32777;
inline constexpr int ID_RESTORE = 32779;
inline constexpr int ID_DELETE_REGISTRY = 32780;

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

// Strings.
inline constexpr int AFX_IDS_APP_TITLE = 57344;  // product name, last part of the profile key

}  // namespace res
