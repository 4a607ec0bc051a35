#include "window/clipboardtext.h"

#include "framework/textcodec.h"
#include "engine/myexception.h"

#include <QMimeData>
#include <algorithm>
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
    // Converted in place: the text may be as large as the clipboard.
    m_text = toCp932(data->text());
    m_text.resize(std::min(m_text.size(), m_text.find('\0')));
}
