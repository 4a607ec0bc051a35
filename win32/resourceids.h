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
