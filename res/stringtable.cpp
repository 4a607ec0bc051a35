#include "stringtable.h"

#include "resource.h"

QString loadString(int stringId)
{
    switch (stringId) {
    case res::AFX_IDS_APP_TITLE:
        return QStringLiteral("Orrin");
    case res::ID_DELETE_REGISTRY:
        return QStringLiteral("レジストリを削除");
    default:
        return QString();
    }
}
