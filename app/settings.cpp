#include "settings.h"

#include "buildconfig.h"
#include "desktop.h"
#include "identity.h"
#include "language.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {
const QString kGroup = QStringLiteral("Setting");
}

QString readSetting(const QString &key, const QString &defaultValue)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                       QLatin1String(Identity::kOrganization),
                       QLatin1String(Identity::kApplication));
    settings.beginGroup(kGroup);
    return settings.value(key, defaultValue).toString();
}

void writeSetting(const QString &key, const QString &value)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                       QLatin1String(Identity::kOrganization),
                       QLatin1String(Identity::kApplication));
    settings.beginGroup(kGroup);
    settings.setValue(key, value);
}

QString documentsFolder()
{
    QString folder;
#ifdef Q_OS_WIN
    // The shell keeps the user's real documents folder (which may be moved
    // to another drive) in the registry.
    QSettings shell(QSettings::NativeFormat, QSettings::UserScope,
                    QStringLiteral("Microsoft"), QStringLiteral("Windows"));
    shell.beginGroup(QStringLiteral("CurrentVersion/Explorer/Shell Folders"));
    folder = shell.value(QStringLiteral("Personal"), QString()).toString();
#else
    folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
#endif
    if (folder.isEmpty())
        return QDir::homePath();
    return folder;
}

QString outputFolderIn(const QString &documents)
{
    QString folder = documents;
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    folder += QLatin1String(Identity::kProductName);
    return QDir::toNativeSeparators(folder);
}

QString defaultOutputFolder()
{
    return outputFolderIn(documentsFolder());
}

QString homePageUrlFor(const QString &languageCode)
{
    // The Spanish site only where there is one; the build sets both.
    const QString spanish = QStringLiteral(TONQUILL_HOME_URL_ES);
    if (languageCode == QLatin1String("es") && !spanish.isEmpty())
        return spanish;
    return QStringLiteral(TONQUILL_HOME_URL);
}

QString homePageUrl()
{
    return homePageUrlFor(QxLanguage::instance()->currentLanguage());
}

QString productPageUrl()
{
    const QString home = homePageUrl();
    // Until the product has a site, its help page stands in for it.
    if (home.isEmpty())
        return helpSectionUrl(QxLanguage::instance()->currentLanguage(), QStringLiteral("about")).toString();
    return QStringLiteral("%1/%2.html").arg(home, QLatin1String(Identity::kProductSlug));
}

QString supportPageUrl()
{
    const QString home = homePageUrl();
    if (home.isEmpty())
        return helpSectionUrl(QxLanguage::instance()->currentLanguage(), QStringLiteral("troubleshooting"))
            .toString();
    return QStringLiteral("%1/support.html").arg(home);
}
