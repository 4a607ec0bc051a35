#include "settings/settingscommand.h"

#include "platform/globalhotkey.h"
#include "framework/propertysheet.h"
#include "res/resource.h"
#include "res/texts.h"
#include "settings/constpage.h"
#include "settings/generalpage.h"
#include "settings/hotkeyedit.h"

bool runSettingsSheet(QWidget* parent, Calculator<double>& calculator, GeneralSettings& general, GlobalHotKey* hotKey)
{
    // The sheet first, so that the pages go before it when the scope ends.
    PropertySheet sheet(QString::fromUtf8(res::text::settingsCaption), QString::fromUtf8(res::text::cancel), parent, 0);
    CGeneralPage generalPage;
    CConstPage constPage;
    sheet.AddPage(&generalPage);
    sheet.AddPage(&constPage);

    constPage.m_constants = calculator.variables;
    generalPage.m_bNoDisplay = general.noDisplay ? 1 : 0;
    generalPage.m_hotKey = general.hotKey;
    generalPage.m_bStartAtLogin = general.startAtLogin ? 1 : 0;
    if (hotKey) {
        generalPage.m_strHotKeyState = hotKeyStateText(*hotKey);
        generalPage.m_tryHotKey = [hotKey](const QKeySequence& key) {
            hotKey->setKey(key);
            return hotKeyStateText(*hotKey);
        };
        // A desktop portal answers later, perhaps after asking the user.
        QObject::connect(hotKey, &GlobalHotKey::stateChanged, &generalPage,
                         [&generalPage, hotKey] { generalPage.showHotKeyState(hotKeyStateText(*hotKey)); });
    }

    if (sheet.DoModal() != IDOK) {
        if (hotKey && hotKey->key() != general.hotKey)
            hotKey->setKey(general.hotKey);
        return false;
    }

    calculator.variables.clear();
    for (const auto& [name, variable] : constPage.m_constants)
        calculator.setVariable(name, variable);
    general.noDisplay = generalPage.m_bNoDisplay != 0;
    general.hotKey = generalPage.m_hotKey;
    general.startAtLogin = generalPage.m_bStartAtLogin != 0;
    return true;
}
