#include "linkopener.h"

#include "desktop.h"
#include "identity.h"
#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

bool CLinkOpener::open(QWidget *parent, const QUrl &url)
{
    if (openWithDesktop(url))
        return true;
    const QString helpPage = QDir::toNativeSeparators(
        helpFilePath(QCoreApplication::applicationDirPath(), QxLanguage::instance()->currentLanguage()));
    QMessageBox::information(parent, QString::fromLatin1(Identity::kProductName), failureText(url, helpPage),
                             QMessageBox::Ok);
    return false;
}

QString CLinkOpener::failureText(const QUrl &url, const QString &helpPage)
{
    if (url.isLocalFile())
        return tr("No web browser could be started to show the help page. You can open it yourself: %1")
            .arg(helpPage);
    return tr("No web browser could be started to open %1. The help page is at: %2")
        .arg(url.toString(), helpPage);
}
