#pragma once

#include <QCommandLineOption>
#include <QLoggingCategory>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QUrl>

class QCommandLineParser;

// Diagnostics nobody needs in a terminal (progress lines, timings, where the
// program found its files): off unless QT_LOGGING_RULES turns
// "tonquill.diagnostics" on.
Q_DECLARE_LOGGING_CATEGORY(lcDiagnostics)

// The HTML help page for an interface language, in the "help" folder beside
// the program: "index_<code>.html" when that translation exists, else the
// English "index.html" (which the path names even when it is missing).
QString helpPagePath(const QString &programFolder, const QString &language);

// The program's command line, for --help and for reading it: the window's
// file and the options of --ringtone, which makes ringtones without a window.
void describeCommandLine(QCommandLineParser &parser);
// The options --ringtone takes (--ringtone itself among them).
QList<QCommandLineOption> ringtoneOptions();

// --help and --version among arguments (a QCoreApplication's, which needs
// no display): prints the help or the version and ends the process with
// exit code 0; otherwise returns.
void printHelpOrVersion(const QStringList &arguments);

// The compiled help beside the program (Windows): "help_<code>.chm" when
// that translation exists, else the English "help.chm".
QString compiledHelpPath(const QString &programFolder, const QString &language);
// What Help opens on this platform: the compiled help on Windows, the HTML
// page elsewhere.
QString helpFilePath(const QString &programFolder, const QString &language);

// Windows: a GUI program started from a console has none of its own; with
// options to answer (--help, --version, a wrong one), its output goes to the
// console it was started from, unless it was redirected. Nothing elsewhere.
void reachStartingConsole();

// The file named on the command line as an absolute path (a relative name is
// taken from the working folder, a file: URL as its local file); empty when
// there is none. Qt's own options are already gone from arguments; --help and
// --version print and end the process, an unknown option also ends it.
QString commandLineFile(const QStringList &arguments);

// Writes where the program's encoder, modules and help page are (and
// whether they exist) to the diagnostics category.
void logProgramFiles(const QString &language);

// Whether the desktop has something that opens the address: on Linux,
// xdg-open must be there and, where xdg-mime can tell, a handler must be set
// for the address's scheme (a web page) or type (a local HTML page).
// Elsewhere the platform's own opener decides.
bool desktopHasHandlerFor(const QUrl &url);
// Opens the address with the desktop's handler; false when nothing could.
bool openWithDesktop(const QUrl &url);

// The help page's section: "#about" or "#troubleshooting" of the page in the
// interface language, beside the program.
QUrl helpSectionUrl(const QString &language, const QString &section);

// The nearest folder at or above path that exists (the home folder when
// none does): a file dialog given a missing folder takes its last name for
// a file name.
QString nearestExistingFolder(const QString &path);

// Where a remembered window position ("x,y") puts a window of the given
// size: the position when at least a grabbable part of the window (its top
// 40 rows, 100 columns wide) lies on one of the screens, else nothing.
bool restoredWindowPosition(const QString &saved, const QSize &size, const QList<QRect> &screens,
                            QPoint *position);
QString savedWindowPosition(const QPoint &position);

// With no session bus, libdbus forks a helper to launch one the first time
// anything asks for it (Qt's accessibility bridge does, at start): a
// process and a line on the terminal for nothing. Call before the
// application object is made.
void avoidSessionBusAutolaunch();
