#pragma once
#include <string>
#include <windows.h>

// The help file Orrin.chm beside the program, whatever the current directory is.
std::wstring helpFilePath();

// Shows the help file's default topic in the HTML Help viewer, loaded on
// first use. A missing file, or a viewer that cannot be loaded or shows
// nothing, is reported in a message box over owner that names the file.
void showHelpTopics(HWND owner);

// Closes the help windows still open, before the program ends.
void closeHelpWindows();
