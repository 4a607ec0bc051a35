#pragma once
#include <string>
#include <windows.h>

// The constant edit dialog "変数" (template 140): a constant's name, value
// and description. The fields are read before DoModal and after it ends with
// IDOK; names and descriptions are code page 932 text. Any value opens,
// infinities and NaN as "inf", "-inf" and "nan"; the value text is checked
// when OK is pressed, and OK is enabled only while there is a name.
class CConstEditDlg {
public:
    explicit CConstEditDlg(HWND parent) : m_hParent(parent) {}

    INT_PTR DoModal();

    std::string m_strDescription;
    std::string m_strName;
    double m_dValue = 0;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam);
    void OnInitDialog();
    void OnChangeName();
    void OnOK();
    HWND control(int id) const { return GetDlgItem(m_hWnd, id); }

    HWND m_hParent;
    HWND m_hWnd = nullptr;
};
