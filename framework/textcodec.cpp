#include "framework/textcodec.h"

#include "platform/codepage.h"

QString fromCp932(std::string_view cp932)
{
    return QString::fromStdString(cp932ToUtf8(cp932));
}

std::string toCp932(const QString& text)
{
    return utf8ToCp932(text.toStdString());
}
