#include "outputnames.h"

#include "filepath.h"

#include <QDir>
#include <QFileInfo>

namespace OutputNames {

namespace {

// Room left for the "(n)" that makeUnique may append.
constexpr int kNumberRoom = 5;

QString uniquePath(const QString &folder, const QString &baseName, const QString &suffix)
{
    CFilePath path;
    path.setDir(folder);
    path.setBaseName(fittedBaseName(baseName, suffix));
    path.setSuffix(suffix);
    path.makeUnique();
    return path.fullPath();
}

} // namespace

QString fittedBaseName(const QString &baseName, const QString &suffix)
{
    const qsizetype room = kNameLimit - kNumberRoom - 1 - suffix.toUtf8().size();
    if (baseName.toUtf8().size() <= room)
        return baseName;
    QString cut;
    qsizetype bytes = 0;
    // Whole code points only, so a surrogate pair is never split.
    for (qsizetype i = 0; i < baseName.size();) {
        const qsizetype step = baseName.at(i).isHighSurrogate() && i + 1 < baseName.size() ? 2 : 1;
        const QString piece = baseName.mid(i, step);
        bytes += piece.toUtf8().size();
        if (bytes > room)
            break;
        cut += piece;
        i += step;
    }
    return cut;
}

QString encodedFile(const QString &folder, const QString &inputPath)
{
    return uniquePath(folder, CFilePath(inputPath).baseName(), QStringLiteral("m4a"));
}

QString waveFile(const QString &folder, const QString &inputPath)
{
    return uniquePath(folder, CFilePath(inputPath).baseName(), QStringLiteral("wav"));
}

namespace {

// Leading dots would hide the file (and a name of dots alone, "." or "..",
// is no name at all); blanks between them would stay in front.
QString withoutLeadingDots(const QString &name)
{
    qsizetype start = 0;
    while (start < name.size() && (name.at(start) == QLatin1Char('.') || name.at(start).isSpace()))
        ++start;
    return name.mid(start).trimmed();
}

} // namespace

QString ringtoneName(const QString &typedName, const QString &inputPath)
{
    QString name = withoutLeadingDots(sanitizeFileName(typedName));
    if (name.isEmpty())
        name = withoutLeadingDots(CFilePath(inputPath).baseName());
    // An input called "..mp3" leaves nothing either.
    return name.isEmpty() ? QStringLiteral("Ringtone") : name;
}

QString ringtoneFile(const QString &encodedPath, const QString &name)
{
    return uniquePath(CFilePath(encodedPath).dir(), name, QStringLiteral("m4r"));
}

bool makeFolder(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    QDir().mkpath(folder);
    return QFileInfo(folder).isDir();
}

} // namespace OutputNames
