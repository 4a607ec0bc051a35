#pragma once
#include "engine/calculator.h"

class QWidget;

// The settings command: the modal sheet "設定" with the pages "基本設定" and
// "変数", working on copies of the calculator's variables store and of the
// start-hidden option. With OK the store is replaced by the page's constants
// (in their order) and noDisplay takes the page's value; returns true. With
// Cancel nothing changes; returns false. The caller saves the data file
// afterwards in both cases.
bool runSettingsSheet(QWidget* parent, Calculator<double>& calculator, bool& noDisplay);
