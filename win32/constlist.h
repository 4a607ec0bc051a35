#pragma once
#include <string>
#include <windows.h>

// The constants page's list view: rows of three code page 932 texts (name,
// value text, description) kept in ascending order of their name's bytes, as
// on every platform; the list's own sorting would compare by locale and
// ignore case.
class CConstList {
public:
    void Attach(HWND list) { m_hWnd = list; }
    HWND hwnd() const { return m_hWnd; }

    void InsertColumn(const std::wstring& heading, int width);
    // Inserts a row at the end of the rows of an equal name; returns its index.
    int InsertItem(const std::string& name);
    // A new name moves the row to its sorted place unless it still sorts
    // between its neighbours.
    void SetItemText(int row, int column, const std::string& text);
    std::string GetItemText(int row, int column) const;
    int GetItemCount() const;
    void DeleteItem(int row);
    bool IsItemSelected(int row) const;
    void SelectItem(int row);
    // The row at a point of the list's client area, or -1.
    int HitTest(POINT clientPoint) const;

private:
    int sortedPosition(const std::string& name) const;
    bool isInOrder(int row) const;
    void setCell(int row, int column, const std::string& text);

    HWND m_hWnd = nullptr;
};
