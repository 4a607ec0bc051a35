#include "window/clipboardport.h"

#include "platform/availablememory.h"
#include "platform/hotkeyclipboard.h"
#include "framework/messagebox.h"
#include "framework/textcodec.h"
#include "window/clipboardtext.h"

#include <QMimeData>
#include <memory>
#include <utility>

QtClipboardPort::QtClipboardPort(HotKeyClipboard& clipboard, ClipboardText& text) : m_clipboard(clipboard), m_text(text)
{}

std::optional<std::string> QtClipboardPort::readText()
{
    if (!m_clipboard.fetch())
        return std::nullopt;
    m_text.ReadFrom(m_clipboard.mimeData());
    return std::move(m_text.m_text);
}

void QtClipboardPort::writeText(const std::string& text)
{
    auto source = std::make_unique<QMimeData>();
    m_text.m_text = text;
    m_text.WriteTo(source.get());
    m_clipboard.write(std::move(source));
}

void QtClipboardPort::tellUser(const std::string& message)
{
    // What the failed work held is given back first, so that the box has the
    // memory to show itself.
    returnFreedMemory();
    showMessageBox(nullptr, fromCp932(message));
}
