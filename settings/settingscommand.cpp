#include "settings/settingscommand.h"

#include "settings/constpage.h"
#include "settings/generalpage.h"
#include "framework/propertysheet.h"
#include "res/resource.h"
#include "res/texts.h"

bool runSettingsSheet(QWidget* parent, Calculator<double>& calculator, bool& noDisplay)
{
    // The sheet first, so that the pages go before it when the scope ends.
    PropertySheet sheet(QString::fromUtf8(res::text::settingsCaption), parent, 0);
    CGeneralPage generalPage;
    CConstPage constPage;
    sheet.AddPage(&generalPage);
    sheet.AddPage(&constPage);

    constPage.m_constants = calculator.variables;
    generalPage.m_bNoDisplay = noDisplay ? 1 : 0;

    if (sheet.DoModal() != res::IDOK)
        return false;

    calculator.variables.clear();
    for (const auto& [name, variable] : constPage.m_constants)
        calculator.setVariable(name, variable);
    noDisplay = generalPage.m_bNoDisplay != 0;
    return true;
}
