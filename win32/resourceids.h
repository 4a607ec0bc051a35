/* Numbers of the Windows resources that res/resource.h does not hold: the
   dialog templates and their controls. Plain #defines, read by windres and
   by the C++ code alike. */
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_TESSEL_FORM 101

#define IDR_MAINFRAME 128

#define IDC_ENTRY 1001
#define IDC_GRIP 1008

/* Commands of the frame's accelerators that nothing handles: one pane only. */
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681

/* The settings sheet's pages and the constant edit dialog. */
#define IDD_CONST_PAGE 130
#define IDD_CONST_EDIT 140
#define IDD_GENERAL_PAGE 141

#define IDC_CONST_LIST 1001
#define IDC_CONST_NAME 1007
#define IDC_CONST_VALUE 1008
#define IDC_CONST_DESCRIPTION 1009
#define IDC_NO_DISPLAY 1013
#define IDC_START_AT_LOGIN 1014
#define IDC_HOTKEY 1015
#define IDC_HOTKEY_STATE 1016
