#pragma once
#include <QString>

// The help file Orrin.chm, which lies beside the program.

// The help file's path in programDir; empty when programDir is empty. Pure:
// it neither looks at the file system nor at the current directory.
QString helpFilePath(const QString& programDir);

// The help file's path beside the running program, whatever the current
// directory is.
QString helpFilePath();

// Shows the help file's default topic with the desktop's handler for CHM
// files (xdg-open), or with xCHM where there is no xdg-open. When the file or
// a viewer is missing, nothing is shown and nothing is reported.
void showHelpTopics();
