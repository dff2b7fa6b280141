// Renders the main window offscreen (or on the current display) and saves it
// as a PNG, cut to the window's outline: pixels outside the mask stay
// transparent, as on screen. Under QT_SCALE_FACTOR=2 the picture has twice
// the pixels, as on a screen scaled to 200 %.
//
//   tonquill_screenshot OUT.png [--language CODE] [INPUT | --manager | --about]
//
// With INPUT the file is loaded first and the picture taken once its
// waveform is drawn; with --manager the picture is of the ringtone manager,
// with --about of the About box. --language switches the interface first
// (a code of the language menu: en, fr, de, ar, ...).
#include "aboutdialog.h"
#include "language.h"
#include "look.h"
#include "maindialog.h"
#include "managedialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace {

// Cut to the window's outline: pixels outside the mask stay transparent.
bool saveShaped(QWidget &window, const char *path)
{
    const QImage picture = window.grab().toImage();
    // At a scale factor above 1 the grab has more pixels than the window:
    // the shot keeps all of them, and the outline is cut in window pixels.
    QImage shot(picture.size(), QImage::Format_ARGB32_Premultiplied);
    shot.setDevicePixelRatio(picture.devicePixelRatio());
    shot.fill(Qt::transparent);
    QPainter painter(&shot);
    QPainterPath outline;
    outline.addRegion(window.mask().isEmpty() ? QRegion(window.rect()) : window.mask());
    painter.setClipPath(outline);
    painter.drawImage(0, 0, picture);
    painter.end();
    if (!shot.save(QString::fromLocal8Bit(path))) {
        std::fprintf(stderr, "Could not write '%s'\n", path);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments();
    QString language;
    if (const qsizetype at = args.indexOf(QStringLiteral("--language")); at > 0 && at + 1 < args.size()) {
        language = args.at(at + 1);
        args.remove(at, 2);
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: %s OUT.png [--language CODE] [INPUT | --manager | --about]\n", argv[0]);
        return 2;
    }
    const QByteArray out = args.at(1).toLocal8Bit();
    const QString what = args.value(2);
    QTranslator translator;
    theTranslator = &translator;
    QApplication::installTranslator(&translator);
    applyApplicationLook(app);

    MainDialog dialog;
    if (!language.isEmpty())
        QxLanguage::instance()->setLanguage(language);
    dialog.show();
    if (what == QLatin1String("--manager") || what == QLatin1String("--about")) {
        std::unique_ptr<QDialog> box;
        if (what == QLatin1String("--manager"))
            box = std::make_unique<ManageDialog>(&dialog);
        else
            box = std::make_unique<AboutDialog>(&dialog);
        box->show();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        return saveShaped(*box, out.constData()) ? 0 : 1;
    }
    // Let the language change and the first layout settle.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    if (!what.isEmpty()) {
        dialog.loadInputFile(what);
        auto *generate = dialog.findChild<QPushButton *>(QStringLiteral("btnGenerate"));
        QElapsedTimer waited;
        waited.start();
        while (generate && !generate->isEnabled() && waited.elapsed() < 30000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        QApplication::processEvents();
    }

    return saveShaped(dialog, out.constData()) ? 0 : 1;
}
