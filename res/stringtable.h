#pragma once
#include <QString>

// The string table: the product name (57344, also the last part of the
// profile path and the title of every message box) and the status texts of
// menu commands. An id without a string gives the empty text.
QString loadString(int stringId);
