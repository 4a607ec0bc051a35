#include "res/stringtable.h"

#include "res/strings.h"

QString loadString(int stringId)
{
    for (const res::StringEntry& entry : res::stringTable) {
        if (entry.id == stringId)
            return QString::fromUtf8(entry.text);
    }
    return QString();
}
