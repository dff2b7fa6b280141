#include "look.h"

#include <QApplication>
#include <QFile>
#include <QFont>

void applyApplicationLook(QApplication &app)
{
#ifndef Q_OS_WIN
    // The fixed-size form was laid out for the narrow sans-serif fonts of
    // Windows; the usual Linux default (DejaVu Sans) is about a fifth wider
    // and cuts off the time editors. Liberation Sans has Arial's metrics; if
    // it is not installed, fontconfig falls back to the default as before.
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), font.family()});
    QApplication::setFont(font);
#endif

    QFile styleSheet(QStringLiteral(":/images/skin.css"));
    if (styleSheet.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(styleSheet.readAll()));
}
