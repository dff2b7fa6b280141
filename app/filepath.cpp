#include "filepath.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

CFilePath::CFilePath(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')),
                                     path.lastIndexOf(QLatin1Char('\\')));
    if (slash == -1) {
        setFileName(path);
    } else {
        m_folder = path.left(slash);
        setFileName(path.mid(slash + 1));
    }
}

void CFilePath::setFileName(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        m_baseName = name.left(dot);
        m_suffix = name.mid(dot + 1);
    } else {
        // No dot, or a leading one only (".hidden"): all base name, and the
        // suffix keeps whatever it was.
        m_baseName = name;
    }
}

QString CFilePath::fileName() const
{
    return m_baseName + QLatin1Char('.') + m_suffix;
}

QString CFilePath::fullPath() const
{
    return m_folder + QLatin1Char('/') + fileName();
}

int CFilePath::makeUnique()
{
    const QString stem = m_baseName;
    int i = 0;
    // A link whose target is gone still takes its name: the rename into
    // place would refuse it, leaving the ringtone unnamed.
    const auto taken = [](const QString &path) {
        const QFileInfo info(path);
        return info.exists() || info.isSymLink();
    };
    while (taken(fullPath())) {
        ++i;
        m_baseName = stem + QStringLiteral("(%1)").arg(i);
    }
    return i;
}

QString sanitizeFileName(const QString &name)
{
    static const QRegularExpression forbidden(QStringLiteral("[/*?:<>|\"\\\\]"));
    QString result = name;
    result.remove(forbidden);
    return result.trimmed();
}

QString fileDialogFilter(const QString &filter)
{
#ifdef Q_OS_WIN
    return filter;
#else
    QString result;
    result.reserve(filter.size());
    int depth = 0;
    for (const QChar c : filter) {
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')') && depth > 0)
            --depth;
        result += depth > 0 && c == QLatin1Char(';') ? QLatin1Char(' ') : c;
    }
    static const QRegularExpression anyFile(QStringLiteral("(^|[( ])\\*\\.\\*(?=[ )]|$)"));
    result.replace(anyFile, QStringLiteral("\\1*"));
    return result;
#endif
}
