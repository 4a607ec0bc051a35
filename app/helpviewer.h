#pragma once
#include <QString>

// The help file Orrin.chm, which lies beside the program; an installed
// program finds it in its package's data folder instead.

// The help file's path in programDir; empty when programDir is empty. Pure:
// it neither looks at the file system nor at the current directory.
QString helpFilePath(const QString& programDir);

// The help file's path in the package's data folder of an installed tree
// whose programs lie in programDir; empty when programDir is empty. Pure.
QString installedHelpFilePath(const QString& programDir);

// The first of the two paths above that holds a file; empty when neither does.
QString findHelpFile(const QString& programDir);

// The help file of the running program, whatever the current directory is;
// empty when there is none.
QString helpFilePath();

// Shows the help file's default topic with the desktop's handler for CHM
// files (xdg-open), or with xCHM where there is no xdg-open. When the file or
// a viewer is missing, nothing is shown and nothing is reported.
void showHelpTopics();
