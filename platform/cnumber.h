#pragma once

// strtod in the C locale, whatever locale the program runs in: Qt sets the C
// library's locale from the environment, where the decimal separator may be a
// comma, and the program's number texts always use the point. Sets errno as
// strtod does.
double strtodC(const char* text, char** end = nullptr);
