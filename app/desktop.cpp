#include "desktop.h"

#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

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

QString commandLineFile(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Printed before any interface language is loaded: English.
    parser.setApplicationDescription(
        QStringLiteral("Turns a stretch of any audio or video file into an iPhone ringtone."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The audio or video file to open."),
                                 QStringLiteral("[file]"));
    if (QCoreApplication::applicationVersion().isEmpty())
        QCoreApplication::setApplicationVersion(versionText());
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
                            folder + QStringLiteral("/help.chm"), folder + QStringLiteral("/tonquill_usbphone.dll")};
#else
    const QStringList files{folder + QStringLiteral("/ffmpeg"), folder + QStringLiteral("/libtonquill_player.so"),
                            helpPagePath(folder, language), folder + QStringLiteral("/libtonquill_usbphone.so")};
#endif
    const char *const kinds[] = {"encoder", "player module", "help page", "phone module"};
    for (int i = 0; i < files.size(); ++i)
        qCDebug(lcDiagnostics).noquote() << kinds[i] << QDir::toNativeSeparators(files[i])
                                         << (QFileInfo::exists(files[i]) ? "found" : "missing");
}
