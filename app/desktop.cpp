#include "desktop.h"

#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <cstdio>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

Q_LOGGING_CATEGORY(lcDiagnostics, "tonquill.diagnostics", QtInfoMsg)

QString helpPagePath(const QString &programFolder, const QString &language)
{
    const QString folder = programFolder + QStringLiteral("/help/");
    if (!language.isEmpty()) {
        const QString translated = folder + QStringLiteral("index_%1.html").arg(language);
        if (QFileInfo::exists(translated))
            return translated;
    }
    return folder + QStringLiteral("index.html");
}

QList<QCommandLineOption> ringtoneOptions()
{
    const QString time = QStringLiteral("time");
    const QString seconds = QStringLiteral("seconds");
    return {
        {QStringLiteral("ringtone"),
         QStringLiteral("Make a ringtone of each file without a window (no display needed), then end.")},
        {{QStringLiteral("o"), QStringLiteral("output")},
         QStringLiteral("With --ringtone: the ringtone's file, or a folder (ending in / or existing) for it. "
                        "Default: the window's output folder, the file's own name."),
         QStringLiteral("out")},
        {QStringLiteral("start"), QStringLiteral("Where the clip starts: 83.5, 1:23.5 or 0:01:23.500. Default 0."),
         time},
        {QStringLiteral("end"), QStringLiteral("Where the clip ends, as --start. Default: 10 s after the start."),
         time},
        {QStringLiteral("length"), QStringLiteral("The clip's length, in place of --end."), seconds},
        {QStringLiteral("fade-in"), QStringLiteral("Fade-in, whole seconds 0 to 10. Default 0."), seconds},
        {QStringLiteral("fade-out"), QStringLiteral("Fade-out, whole seconds 0 to 10. Default 0."), seconds},
        {QStringLiteral("volume"),
         QStringLiteral("Volume factor 0 to 5 (1.5, 1.5x or 150%); above 1 a limiter keeps peaks from clipping. "
                        "Default 1."),
         QStringLiteral("factor")},
        {QStringLiteral("suggest"),
         QStringLiteral("Let Tonquill choose the clip (the chorus, or the loudest stretch) and print it on "
                        "standard output: \"FILE: start=SECONDS end=SECONDS\".")},
        {QStringLiteral("to-phone"),
         QStringLiteral("Also put each ringtone on the connected iPhone (waits up to 10 s for it).")},
    };
}

void describeCommandLine(QCommandLineParser &parser)
{
    // Printed before any interface language is loaded: English.
    parser.setApplicationDescription(QStringLiteral(
        "Turns a stretch of any audio or video file into an iPhone ringtone.\n"
        "\n"
        "Without a window, --ringtone makes one ringtone of each file given, for example\n"
        "  tonquill --ringtone song.mp3 --start 1:02.5 --length 30 --fade-out 2 -o ~/Ringtones/\n"
        "  tonquill --ringtone --suggest --to-phone *.mp3\n"
        "Exit codes: 0 every ringtone made (and on the phone), 1 another failure, 2 a wrong\n"
        "command line, 3 a file that is no media file, 4 times that do not fit, 5 a full disk,\n"
        "6 no iPhone connected. With several files, the code of the first that failed."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions(ringtoneOptions());
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The audio or video file to open (with --ringtone: the files)."),
                                 QStringLiteral("[file...]"));
    if (QCoreApplication::applicationVersion().isEmpty())
        QCoreApplication::setApplicationVersion(versionText());
}

void printHelpOrVersion(const QStringList &arguments)
{
    // Whole words only: Qt's own options are still on the command line, and
    // the parser would read "-reverse" or "-stylesheet" as letters holding
    // -v or -h.
    bool help = false;
    bool version = false;
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        help = help || argument == QLatin1String("--help") || argument == QLatin1String("-h")
               || argument == QLatin1String("-?");
        version = version || argument == QLatin1String("--version") || argument == QLatin1String("-v");
    }
    if (!help && !version)
        return;
    QCommandLineParser parser;
    describeCommandLine(parser);
    if (help)
        parser.showHelp();
    parser.showVersion();
}

QString compiledHelpPath(const QString &programFolder, const QString &language)
{
    if (!language.isEmpty()) {
        const QString translated = programFolder + QStringLiteral("/help_%1.chm").arg(language);
        if (QFileInfo::exists(translated))
            return translated;
    }
    return programFolder + QStringLiteral("/help.chm");
}

QString helpFilePath(const QString &programFolder, const QString &language)
{
#ifdef Q_OS_WIN
    return compiledHelpPath(programFolder, language);
#else
    return helpPagePath(programFolder, language);
#endif
}

void reachStartingConsole()
{
#ifdef Q_OS_WIN
    // Redirected (to a file, a pipe, QProcess): the C runtime already writes
    // there.
    const auto redirected = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
    };
    if (redirected(STD_OUTPUT_HANDLE) || redirected(STD_ERROR_HANDLE))
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return; // started from the desktop: Qt shows its message in a box
    // The streams were set up at start without a console: open them again
    // on the one now attached.
    if (std::freopen("CONOUT$", "w", stdout))
        std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (std::freopen("CONOUT$", "w", stderr))
        std::setvbuf(stderr, nullptr, _IONBF, 0);
#endif
}

QString commandLineFile(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.process(arguments);

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty() || files.first().isEmpty())
        return {};
    const QString &given = files.first();
    if (given.startsWith(QLatin1String("file:")))
        return QUrl(given).toLocalFile();
    return QFileInfo(given).absoluteFilePath();
}

void logProgramFiles(const QString &language)
{
    if (!lcDiagnostics().isDebugEnabled())
        return;
    const QString folder = QCoreApplication::applicationDirPath();
#ifdef Q_OS_WIN
    const QStringList files{folder + QStringLiteral("/ffmpeg.exe"), folder + QStringLiteral("/tonquill_player.dll"),
                            helpFilePath(folder, language), folder + QStringLiteral("/tonquill_usbphone.dll")};
#else
    const QStringList files{folder + QStringLiteral("/ffmpeg"), folder + QStringLiteral("/libtonquill_player.so"),
                            helpFilePath(folder, language), folder + QStringLiteral("/libtonquill_usbphone.so")};
#endif
    const char *const kinds[] = {"encoder", "player module", "help page", "phone module"};
    for (int i = 0; i < files.size(); ++i)
        qCDebug(lcDiagnostics).noquote() << kinds[i] << QDir::toNativeSeparators(files[i])
                                         << (QFileInfo::exists(files[i]) ? "found" : "missing");
}

bool desktopHasHandlerFor(const QUrl &url)
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return false;
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (mime.isEmpty())
        return true;
    const QString kind = url.isLocalFile() ? QStringLiteral("text/html")
                                           : QStringLiteral("x-scheme-handler/") + url.scheme();
    QProcess query;
    query.start(mime, {QStringLiteral("query"), QStringLiteral("default"), kind});
    // A shell script reading a few small files; a stuck one is taken as a
    // yes rather than hold the window.
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return true;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
#else
    Q_UNUSED(url);
    return true;
#endif
}

bool openWithDesktop(const QUrl &url)
{
    if (!url.isValid() || !desktopHasHandlerFor(url))
        return false;
    return QDesktopServices::openUrl(url);
}

QUrl helpSectionUrl(const QString &language, const QString &section)
{
    QUrl url = QUrl::fromLocalFile(helpPagePath(QCoreApplication::applicationDirPath(), language));
    url.setFragment(section);
    return url;
}

QString nearestExistingFolder(const QString &path)
{
    QString folder = QDir::cleanPath(QDir::fromNativeSeparators(path));
    while (!folder.isEmpty()) {
        const QFileInfo info(folder);
        if (info.isDir())
            return folder;
        const QString parent = info.path();
        if (parent == folder)
            break;
        folder = parent;
    }
    return QDir::homePath();
}

bool restoredWindowPosition(const QString &saved, const QSize &size, const QList<QRect> &screens,
                            QPoint *position)
{
    const QStringList parts = saved.split(QLatin1Char(','));
    if (parts.size() != 2)
        return false;
    bool okX = false;
    bool okY = false;
    const int x = parts[0].trimmed().toInt(&okX);
    const int y = parts[1].trimmed().toInt(&okY);
    if (!okX || !okY)
        return false;
    // The top rows are where the user grabs a frameless window; enough of
    // them must be on a screen that is still there.
    const QRect top(QPoint(x, y), QSize(std::max(1, size.width()), 40));
    for (const QRect &screen : screens) {
        const QRect shown = screen.intersected(top);
        if (shown.width() >= std::min(100, top.width()) && shown.height() >= 20) {
            if (position)
                *position = QPoint(x, y);
            return true;
        }
    }
    return false;
}

QString savedWindowPosition(const QPoint &position)
{
    return QStringLiteral("%1,%2").arg(position.x()).arg(position.y());
}

void avoidSessionBusAutolaunch()
{
#ifdef Q_OS_UNIX
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        return;
    // The user's bus of a systemd login session, which libdbus finds by
    // itself.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(QString::fromLocal8Bit(runtime) + QStringLiteral("/bus")).exists())
        return;
    // An address that fails at once, without a fork.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tonquill-no-session-bus");
#endif
}
