#include "window/clipboardtext.h"

#include "framework/textcodec.h"
#include "engine/myexception.h"

#include <QMimeData>
#include <new>

void ClipboardText::WriteTo(QMimeData* source)
{
    try {
        source->setText(fromCp932(m_text));
    } catch (const std::bad_alloc&) {
        throw memory_error("\x83\x81\x83\x82\x83\x8A\x83\x47\x83\x89\x81\x5B\x81\x42");  // メモリエラー。
    }
}

void ClipboardText::ReadFrom(const QMimeData* data)
{
    if (!data || !data->hasText())
        return;
    const std::string text = toCp932(data->text());
    m_text = text.substr(0, text.find('\0'));
}
