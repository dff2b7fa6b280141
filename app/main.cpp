#include "desktop.h"
#include "language.h"
#include "look.h"
#include "maindialog.h"

#include <QApplication>
#include <QTimer>
#include <QTranslator>

int main(int argc, char *argv[])
{
    startFontWarmUp();
    avoidSessionBusAutolaunch();
    QApplication app(argc, argv);
    // The window's pictures decode while the window is built. Not earlier:
    // image reading touches Qt's plugin loader, which the application object
    // sets up.
    MainDialog::preloadPictures();
    const QString file = commandLineFile(QApplication::arguments());

    QTranslator translator;
    theTranslator = &translator;
    QApplication::installTranslator(&translator);

    applyApplicationLook(app);

    const int result = [&file] {
        MainDialog dialog;
        logProgramFiles(QxLanguage::instance()->currentLanguage());
        dialog.show();
        // Once the window is up, as if the file had been dropped on it: a
        // refused file's message then stands over the window.
        if (!file.isEmpty())
            QTimer::singleShot(0, &dialog, [&dialog, &file] { dialog.openFile(file); });
        return QApplication::exec();
    }();
    theTranslator = nullptr;
    return result;
}
