#pragma once
#include <QFont>
#include <QRect>

class QWidget;

// Dialogs are drawn in dialog units, as their templates give them: a
// horizontal unit is a quarter of the dialog font's average character width,
// a vertical unit an eighth of the font's character height. The pixels follow
// from the font, so a dialog keeps its proportions whatever the font's size.

// Average character width and character height of a font, in pixels.
struct DialogBaseUnits {
    int width = 0;
    int height = 0;
};

// The templates' font: the application's font.
QFont dialogTemplateFont();

// The width is the mean advance of the 52 Latin letters, rounded; the
// height is the font's ascent plus descent.
DialogBaseUnits dialogBaseUnits(const QFont& font);

// Dialog units to pixels, rounded to the nearest pixel (halves away from zero).
int dialogUnitsToPixelsX(int x, const DialogBaseUnits& units);
int dialogUnitsToPixelsY(int y, const DialogBaseUnits& units);
QRect dialogUnitsToPixels(const QRect& rectangle, const DialogBaseUnits& units);

// Lays out one dialog (or property page) from its template: gives it the
// template font and the template's client size, and places its controls at
// their template rectangles. Controls must be children of the dialog.
class DialogTemplate {
public:
    // width and height: the template's size in dialog units.
    DialogTemplate(QWidget* dialog, int width, int height);

    // Moves and sizes the control to the rectangle given in dialog units.
    void place(QWidget* control, int x, int y, int width, int height) const;

private:
    DialogBaseUnits m_units;
};
