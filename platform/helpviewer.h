#pragma once
#include <QString>

#include <functional>

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

enum class HelpFailure {
    FileMissing,  // the detail names the paths searched, separated by 、
    NoViewer,     // the detail is the file's path
};
using HelpFailureReport = std::function<void(HelpFailure failure, const QString& detail)>;

// Shows the help file's default topic: with xdg-open when the desktop names an
// application for CHM files, else (or when xdg-open fails) with xCHM. report
// hears when the file is missing or nothing could show it; xdg-open's failure
// may be reported a while later.
void showHelpTopics(const HelpFailureReport& report = {});
