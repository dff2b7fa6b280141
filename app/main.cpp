#include "language.h"
#include "maindialog.h"

#include <QApplication>
#include <QFile>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QTranslator translator;
    theTranslator = &translator;
    QApplication::installTranslator(&translator);

    // A missing style sheet leaves the default look; it never stops the start.
    QFile styleSheet(QStringLiteral(":/images/skin.css"));
    if (styleSheet.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(styleSheet.readAll()));

    const int result = [] {
        MainDialog dialog;
        dialog.show();
        return QApplication::exec();
    }();
    theTranslator = nullptr;
    return result;
}
