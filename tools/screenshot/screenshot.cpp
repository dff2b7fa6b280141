// Renders the main window offscreen (or on the current display) and saves it
// as a PNG, cut to the window's outline: pixels outside the mask stay
// transparent, as on screen.
//
//   tonquill_screenshot OUT.png [INPUT]
//   tonquill_screenshot OUT.png --manager
//
// With INPUT the file is loaded first and the picture taken once its
// waveform is drawn; with --manager the picture is of the ringtone manager.
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

namespace {

// Cut to the window's outline: pixels outside the mask stay transparent.
bool saveShaped(QWidget &window, const char *path)
{
    const QImage picture = window.grab().toImage();
    QImage shot(picture.size(), QImage::Format_ARGB32_Premultiplied);
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
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.png [INPUT]\n", argv[0]);
        return 2;
    }
    QTranslator translator;
    theTranslator = &translator;
    QApplication::installTranslator(&translator);
    applyApplicationLook(app);

    MainDialog dialog;
    dialog.show();
    if (argc > 2 && QString::fromLatin1(argv[2]) == QLatin1String("--manager")) {
        ManageDialog manager(&dialog);
        manager.show();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        return saveShaped(manager, argv[1]) ? 0 : 1;
    }
    // Let the language change and the first layout settle.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    if (argc > 2) {
        dialog.loadInputFile(QString::fromLocal8Bit(argv[2]));
        auto *generate = dialog.findChild<QPushButton *>(QStringLiteral("btnGenerate"));
        QElapsedTimer waited;
        waited.start();
        while (generate && !generate->isEnabled() && waited.elapsed() < 30000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        QApplication::processEvents();
    }

    return saveShaped(dialog, argv[1]) ? 0 : 1;
}
