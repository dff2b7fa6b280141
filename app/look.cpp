#include "look.h"

#include "picture.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QPixmap>

#include <future>

#ifdef TONQUILL_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {
[[maybe_unused]] std::future<void> &fontConfigReady()
{
    static std::future<void> ready;
    return ready;
}
}

void startFontWarmUp()
{
#ifdef TONQUILL_HAVE_FONTCONFIG
    // Parsing the configuration and reading the font cache is the larger part
    // of the first text layout. Qt's font database asks for the same current
    // configuration (FcInit), so it finds this one ready.
    if (!fontConfigReady().valid())
        fontConfigReady() = std::async(std::launch::async, [] { FcInit(); });
#endif
}

void finishFontWarmUp()
{
#ifdef TONQUILL_HAVE_FONTCONFIG
    if (fontConfigReady().valid())
        fontConfigReady().wait();
#endif
}

QString withoutEmptyImages(QString styleSheet)
{
    // "url()" hides a picture (the menu button's arrow), but Qt opens the empty
    // file name on every start and warns about it; a transparent picture hides
    // it just the same.
    return styleSheet.replace(QLatin1String("url()"), QLatin1String("url(:/images/transparent.png)"));
}

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

#ifndef Q_OS_WIN
    // Loading the font configuration and the first font takes as long as
    // building the whole form; a second thread starts on it while the style
    // sheet is parsed and the window is built (the font database locks itself).
    // Not on Windows: its font engines belong to the GUI thread, and a
    // second thread measuring text there crashes in Qt.
    static std::future<void> fontsReady;
    fontsReady = std::async(std::launch::async, [font = QApplication::font()] {
        if (fontConfigReady().valid())
            fontConfigReady().wait();
        QFont bold = font;
        bold.setPointSize(10);
        bold.setWeight(QFont::Bold);
        (void)QFontMetrics(font).horizontalAdvance(QStringLiteral("00:00:00.000"));
        (void)QFontMetrics(bold).horizontalAdvance(QStringLiteral("Start Time:"));
    });
    // The font database must outlive the warm-up, even on a very quick exit.
    qAddPostRoutine([] {
        if (fontsReady.valid())
            fontsReady.wait();
    });
#endif

    QIcon icon;
    for (const char16_t *name : {u"tonquill-48", u"tonquill"}) {
        const QImage picture = readPicture(name);
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    QApplication::setWindowIcon(icon);

    QFile styleSheet(QStringLiteral(":/images/skin.css"));
    if (styleSheet.open(QIODevice::ReadOnly))
        app.setStyleSheet(withoutEmptyImages(QString::fromUtf8(styleSheet.readAll())));
}
