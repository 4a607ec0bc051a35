#pragma once
#include "framework/dialogresult.h"
#include "framework/dataexchange.h"
#include "framework/dialogunits.h"

#include <QDialog>
#include <QString>
#include <QWidget>
#include <vector>

class QTabWidget;

// One page of a PropertySheet, laid out from its template. The sheet runs
// OnInitDialog the first time the page's tab is selected; when the user
// leaves the page or presses OK on it, it stores the controls into the fields
// (a failed validation keeps the user on the page); on OK it calls OnOK for
// every page that has been shown.
class PropertyPage : public QWidget, public DataExchangeHost {
public:
    ~PropertyPage() override;

    const QString& title() const { return m_title; }

protected:
    // width and height: the template's size in dialog units.
    PropertyPage(const QString& title, int width, int height);

    const DialogTemplate& dialogTemplate() const { return m_template; }

    // Default: fills the controls from the fields; returns true.
    virtual bool OnInitDialog();
    virtual void OnOK() {}

    void DoDataExchange(DataExchange&) override {}

private:
    friend class PropertySheet;

    QString m_title;
    DialogTemplate m_template;
    bool m_created = false;
    class PropertySheet* m_sheet = nullptr;
};

// The platform's modal tabbed sheet: the pages under their tabs, OK and
// Cancel. There is no Apply button, because no page ever applies anything
// before the sheet closes. DoModal returns IDOK or IDCANCEL. The
// pages belong to the caller: a page destroyed first leaves the sheet, and a
// sheet destroyed first lets its pages go without deleting them.
class PropertySheet : public QDialog {
public:
    PropertySheet(const QString& caption, const QString& cancelText, QWidget* parent = nullptr, int selectPage = 0);
    ~PropertySheet() override;

    void AddPage(PropertyPage* page);
    int DoModal();

protected:
    void accept() override;
    void reject() override;

private:
    friend class PropertyPage;

    void removePage(PropertyPage* page);
    void onTabChanged(int index);
    void activate(int index);
    PropertyPage* page(int index) const;

    QTabWidget* m_tabs;
    std::vector<PropertyPage*> m_pages;
    int m_selectPage;
    int m_active = -1;
};
