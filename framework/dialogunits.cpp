#include "framework/dialogunits.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

namespace {

// Windows' MulDiv: the exact quotient rounded half away from zero.
int mulDiv(int number, int numerator, int denominator)
{
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

QFont dialogTemplateFont()
{
    QFont font = QApplication::font();
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DialogBaseUnits dialogBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // Half the advance of the 52 letters over 26, rounded: the mean advance.
    return DialogBaseUnits{(letters / 26 + 1) / 2, metrics.ascent() + metrics.descent()};
}

int dialogUnitsToPixelsX(int x, const DialogBaseUnits& units)
{
    return mulDiv(x, units.width, 4);
}

int dialogUnitsToPixelsY(int y, const DialogBaseUnits& units)
{
    return mulDiv(y, units.height, 8);
}

QRect dialogUnitsToPixels(const QRect& rectangle, const DialogBaseUnits& units)
{
    // Position and size are converted each on its own, as Windows does when it
    // creates a dialog's controls, so the pixels match its dialogs exactly.
    return QRect(dialogUnitsToPixelsX(rectangle.x(), units), dialogUnitsToPixelsY(rectangle.y(), units),
                 dialogUnitsToPixelsX(rectangle.width(), units), dialogUnitsToPixelsY(rectangle.height(), units));
}

DialogTemplate::DialogTemplate(QWidget* dialog, int width, int height)
{
    dialog->setFont(dialogTemplateFont());
    m_units = dialogBaseUnits(dialog->font());
    dialog->setFixedSize(dialogUnitsToPixels(QRect(0, 0, width, height), m_units).size());
}

void DialogTemplate::place(QWidget* control, int x, int y, int width, int height) const
{
    control->setGeometry(dialogUnitsToPixels(QRect(x, y, width, height), m_units));
}
