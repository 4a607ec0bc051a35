#include "framework/textcodec.h"

#include "framework/codepage.h"

QString fromCp932(std::string_view cp932)
{
    const std::string utf8 = cp932ToUtf8(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toCp932(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return utf8ToCp932(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}
