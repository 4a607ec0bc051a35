#include "win32/settingscommand.h"

#include "core/hotkeyrule.h"
#include "res/texts.h"
#include "win32/autostart.h"
#include "win32/messagebox.h"
#include "win32/settingssheet.h"
#include "win32/tesselapp.h"
#include "win32/tesselview.h"
#include "win32/widetext.h"

namespace {

// The key the application means to hold, as the view reads it at start: a
// stored text that names no key is the default key, a blank one no key at all.
std::optional<WinHotKey> currentHotKey(const std::wstring& text)
{
    if (const std::optional<WinHotKey> key = hotKeyFromText(text))
        return key;
    if (isNoHotKeyText(narrow(text)))
        return std::nullopt;
    return hotKeyFromText(widen(defaultHotKeyText));
}

}  // namespace

void OnSettings(HWND owner, CTesselView& view)
{
    CTesselApp& app = theApp();
    // The Run value is the state itself: read and written here, stored nowhere else.
    const bool startsAtLogin = isAutostartEnabled();
    GeneralSettings general{app.settings().noDisplay, currentHotKey(app.hotKeyText()), startsAtLogin};
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
