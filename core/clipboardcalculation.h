#pragma once
#include "engine/calculator.h"

#include <cstddef>
#include <optional>
#include <string>

// The clipboard as the hot key's calculation sees it, in the program's 8-bit
// text (code page 932); each front end converts to its clipboard's format.
class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;

    // The clipboard's text, up to its first NUL; a clipboard holding no text
    // reads as the empty text. Nothing when the clipboard cannot be read now: then nothing is
    // written either. May throw memory_error or std::bad_alloc.
    virtual std::optional<std::string> readText() = 0;
    // Makes text the clipboard's only contents. When no memory can be had it
    // throws memory_error or std::bad_alloc before the clipboard changes.
    virtual void writeText(const std::string& text) = 0;
    // Shows the user a message (a message box, say).
    virtual void tellUser(const std::string& message) = 0;
};

struct ClipboardCalculation {
    // Whether the outcome replaced the clipboard's contents.
    bool written = false;
    // Bytes of the text read: a large one leaves memory to give back.
    std::size_t textSize = 0;
};

// The hot key's calculation: evaluates the clipboard's text whole (nothing
// is cut at the separator, nor is an empty text skipped) in decimal, and puts the result, or the engine's error message
// alone, on the clipboard in its place. When memory runs short, for the text,
// its evaluation or the outcome, the clipboard keeps its contents and the
// user is told "メモリエラー。" instead of the program ending.
ClipboardCalculation calculateClipboard(Calculator<double>& calculator, ClipboardPort& clipboard);
