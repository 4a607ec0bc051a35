#include "res/images.h"

#include "res/resource.h"

QIcon loadIcon(int iconId)
{
    QIcon icon;
    if (iconId == res::IDI_MAINFRAME) {
        icon.addFile(QStringLiteral(":/res/orrin-16.png"), QSize(16, 16));
        icon.addFile(QStringLiteral(":/res/orrin-32.png"), QSize(32, 32));
        icon.addFile(QStringLiteral(":/res/orrin-48.png"), QSize(48, 48));
    }
    return icon;
}

QPixmap loadBitmap(int bitmapId)
{
    if (bitmapId == res::IDB_GRIP)
        return QPixmap(QStringLiteral(":/res/grip.png"));
    return QPixmap();
}
