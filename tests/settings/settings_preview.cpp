// Shows the settings dialogs with a few constants, for looking at their
// layout: settings_preview general|constants|edit
#include "engine/calculator.h"
#include "platform/codepage.h"
#include "settings/consteditdlg.h"
#include "settings/constpage.h"
#include "settings/generalpage.h"
#include "settings/hotkeyedit.h"
#include "framework/propertysheet.h"

#include <QApplication>
#include <QString>

namespace {

void addConstant(CConstPage& page, const char* name, double value, const char* utf8Description)
{
    page.m_constants[name] = Variable{value, utf8ToCp932(utf8Description)};
}

int showSheet(int firstPage)
{
    PropertySheet sheet(QStringLiteral("設定"), QStringLiteral("キャンセル"), nullptr, firstPage);
    CGeneralPage generalPage;
    CConstPage constPage;
    sheet.AddPage(&generalPage);
    sheet.AddPage(&constPage);
    generalPage.m_bNoDisplay = 1;
    generalPage.m_hotKey = defaultHotKey();
    generalPage.m_bStartAtLogin = 1;
    addConstant(constPage, "PI", 3.14159265358979323, "円周率");
    addConstant(constPage, "E", 2.71828182845904523, "自然対数の底");
    addConstant(constPage, "C", 299792458, "光速 (m/s)");
    addConstant(constPage, "NA", 6.02214076e23, "アボガドロ定数");
    addConstant(constPage, "x", 1.0 / 3, "");
    return sheet.DoModal();
}

int showEditDialog()
{
    CConstEditDlg dialog(nullptr);
    dialog.m_strName = "PI";
    dialog.m_dValue = 3.14159265358979323;
    dialog.m_strDescription = utf8ToCp932("円周率");
    return dialog.DoModal();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("general");
    if (which == QLatin1String("edit"))
        return showEditDialog();
    return showSheet(which == QLatin1String("constants") ? 1 : 0);
}
