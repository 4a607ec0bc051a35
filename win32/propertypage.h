#pragma once
#include <windows.h>
#include <prsht.h>

// A page of a property sheet built on a dialog template of the program's
// resources; the sheet creates its window when the page is first shown.
// Derived pages handle the page's messages; the sheet's notifications arrive
// as OnKillActive (leaving the page: false keeps the user on it) and OnApply
// (OK, for every page that has been shown).
class CPropertyPage {
public:
    explicit CPropertyPage(int templateId) : m_nTemplateId(templateId) {}
    virtual ~CPropertyPage() = default;
    CPropertyPage(const CPropertyPage&) = delete;
    CPropertyPage& operator=(const CPropertyPage&) = delete;

    // The page's entry for PROPSHEETHEADERW::ppsp.
    PROPSHEETPAGEW sheetPage(HINSTANCE instance);
    HWND hwnd() const { return m_hWnd; }
    // Whether the sheet was closed with OK after the page had been shown.
    bool applied() const { return m_bApplied; }

protected:
    virtual bool OnInitDialog() { return true; }
    virtual bool OnCommand(int /*command*/) { return false; }
    // A notification from a control of the page; true when it was handled.
    virtual bool OnNotify(const NMHDR& /*header*/) { return false; }
    virtual bool OnKillActive() { return true; }
    virtual void OnApply() {}
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnSheetNotify(const NMHDR& header);

    int m_nTemplateId;
    bool m_bApplied = false;
};
