#pragma once
#include <optional>
#include <string>
#include <windows.h>

// The font a dialog template in memory (DLGTEMPLATE or DLGTEMPLATEEX) names.
struct DialogFont {
    WORD pointSize = 0;
    std::wstring face;
};

// The template's font; none when it names none (the system font).
std::optional<DialogFont> dialogFont(const void* dialogTemplate);

// Gives a template another font, in place: the property sheet hands its own
// template over before creating itself, and measures its pages in that
// template's font. The face may not be longer than the one the template has
// (the buffer cannot grow); false, and the template unchanged, when it is or
// when the template names no font.
bool setDialogFont(void* dialogTemplate, const DialogFont& font);
