#include "win32/settingscommand.h"

#include "res/texts.h"
#include "win32/autostart.h"
#include "win32/hotkeycheck.h"
#include "win32/messagebox.h"
#include "win32/settingssheet.h"
#include "win32/tesselapp.h"
#include "win32/tesselview.h"
#include "win32/widetext.h"

void OnSettings(HWND owner, CTesselView& view)
{
    CTesselApp& app = theApp();
    // The Run value is the state itself: read and written here, stored nowhere else.
    const bool startsAtLogin = isAutostartEnabled();
    GeneralSettings general{app.settings().noDisplay, storedHotKey(app.hotKeyText()), startsAtLogin};
    const HotKeyTry tryHotKey = [&view](const std::optional<WinHotKey>& key) {
        return view.SetHotKey(key) ? std::wstring() : widen(res::text::hotKeyTaken);
    };
    // The view holds no key when another program held the stored one.
    const std::wstring hotKeyState = general.hotKey && !view.hotKey() ? widen(res::text::hotKeyTaken) : std::wstring();
    if (runSettingsSheet(owner, view.calculator(), general, tryHotKey, hotKeyState)) {
        app.settings().noDisplay = general.noDisplay;
        app.setHotKeyText(general.hotKey ? hotKeyToText(*general.hotKey) : std::wstring());
        if (general.startAtLogin != startsAtLogin && !setAutostartEnabled(general.startAtLogin))
            showMessageBox(owner, widen(res::text::cannotSetAutostart));
    }
    view.SaveDataFile();
}
