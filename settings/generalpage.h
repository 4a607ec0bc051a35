#pragma once
#include "framework/propertysheet.h"

class QCheckBox;

// The sheet's first page, "基本設定": whether the main window starts hidden.
class CGeneralPage : public PropertyPage {
public:
    CGeneralPage();

    // 1 when the window is to start hidden, else 0.
    int m_bNoDisplay = 0;

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    QCheckBox* m_noDisplayCheck;
};
