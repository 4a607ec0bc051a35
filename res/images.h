#pragma once
#include <QIcon>
#include <QPixmap>

// The program's images by resource number: icon 128 (the program icon, in
// 16, 32 and 48 pixels) and bitmap 137 (the 19 x 19 grip). An unknown number
// gives a null image.
QIcon loadIcon(int iconId);
QPixmap loadBitmap(int bitmapId);
