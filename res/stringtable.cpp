#include "res/stringtable.h"

#include "res/resource.h"

QString loadString(int stringId)
{
    switch (stringId) {
    case res::AFX_IDS_APP_TITLE:
        return QStringLiteral("Orrin");
    case res::ID_DELETE_REGISTRY:
        return QStringLiteral("レジストリを削除");
    case res::ID_CONST_DELETE:
        return QStringLiteral("定数を削除");
    case res::ID_CONST_EDIT:
        return QStringLiteral("定数を編集");
    case res::ID_CONST_NEW:
        return QStringLiteral("定数を作成");
    default:
        return QString();
    }
}
