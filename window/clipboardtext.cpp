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
        throw memory_error(memoryErrorMessage);
    }
}

void ClipboardText::ReadFrom(const QMimeData* data)
{
    if (!data || !data->hasText())
        return;
    const std::string text = toCp932(data->text());
    m_text = text.substr(0, text.find('\0'));
}
