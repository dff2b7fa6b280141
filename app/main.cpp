#include "language.h"
#include "look.h"
#include "maindialog.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

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
