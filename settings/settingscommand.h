#pragma once
#include "engine/calculator.h"

#include <QKeySequence>

class GlobalHotKey;
class QWidget;

// The options of the page "基本設定".
struct GeneralSettings {
    bool noDisplay = false;  // the window starts hidden
    QKeySequence hotKey;     // empty: none
    bool startAtLogin = false;
};

// The settings command: the modal sheet "設定" with the pages "基本設定" and
// "変数", working on copies of the calculator's variables store and of the
// general options. With OK the store is replaced by the page's constants (in
// their order) and `general` takes the page's values; returns true. With
// Cancel nothing changes; returns false. A hot key changed on the page is
// given to `hotKey` (when there is one) as soon as the page is left, so that
// a key another program holds is reported there; Cancel gives the old key
// back. The caller saves the data file afterwards in both cases.
bool runSettingsSheet(QWidget* parent, Calculator<double>& calculator, GeneralSettings& general,
                      GlobalHotKey* hotKey = nullptr);
