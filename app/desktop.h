#pragma once

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

// Diagnostics nobody needs in a terminal (progress lines, timings, where the
// program found its files): off unless QT_LOGGING_RULES turns
// "tonquill.diagnostics" on.
Q_DECLARE_LOGGING_CATEGORY(lcDiagnostics)

// The HTML help page for an interface language, in the "help" folder beside
// the program: "index_<code>.html" when that translation exists, else the
// English "index.html" (which the path names even when it is missing).
QString helpPagePath(const QString &programFolder, const QString &language);

// The file named on the command line as an absolute path (a relative name is
// taken from the working folder, a file: URL as its local file); empty when
// there is none. Qt's own options are already gone from arguments; --help and
// --version print and end the process, an unknown option also ends it.
QString commandLineFile(const QStringList &arguments);

// Writes where the program's encoder, modules and help page are (and
// whether they exist) to the diagnostics category.
void logProgramFiles(const QString &language);
