#include "language.h"
#include "look.h"
#include "maindialog.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    startFontWarmUp();
    QApplication app(argc, argv);
    // The window's pictures decode while the window is built. Not earlier:
    // image reading touches Qt's plugin loader, which the application object
    // sets up.
    MainDialog::preloadPictures();

    QTranslator translator;
    theTranslator = &translator;
    QApplication::installTranslator(&translator);

    applyApplicationLook(app);

    const int result = [] {
        MainDialog dialog;
        dialog.show();
        return QApplication::exec();
    }();
    theTranslator = nullptr;
    return result;
}
