#include "desktop.h"
#include "language.h"
#include "look.h"
#include "maindialog.h"
#include "singleinstance.h"
#include "termination.h"

#include <QApplication>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <cstdio>

namespace {

// Shows the window above the others, restored if it was minimised, with
// the dialog the user is in (if any) on top.
void bringToFront(QWidget &window)
{
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != &window) {
        modal->raise();
        modal->activateWindow();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // Before any thread: each inherits the signal mask and dispositions.
    ignoreBrokenPipes();
    avoidSessionBusAutolaunch();
    // Reading the font configuration overlaps with connecting to the
    // display. Only without options: --help, --version and a wrong option
    // end the process with exit() below, which must find no thread of ours
    // running. (A command line without options never ends there, and the
    // font thread touches nothing of Qt's.)
    const bool plainCommandLine = std::none_of(argv + 1, argv + argc, [](const char *arg) { return arg[0] == '-'; });
    if (plainCommandLine)
        startFontWarmUp();
    else
        reachStartingConsole();
    QApplication app(argc, argv);
    // --help, --version and an unknown option end the process right here
    // (exit()); no thread of ours may be running then, or it would be torn
    // down under it (the picture thread inside Qt's plugin loader).
    const QString file = commandLineFile(QApplication::arguments());

    // One window owns the phone: a second start hands its file over.
    CSingleInstance instance(CSingleInstance::instanceName());
    switch (instance.start(file)) {
    case CSingleInstance::First:
        break;
    case CSingleInstance::HandedOver:
        finishFontWarmUp();
        return 0;
    case CSingleInstance::NoAnswer:
        finishFontWarmUp();
        std::fprintf(stderr, "Tonquill is already running but does not answer.\n");
        return 1;
    }
    quitOnTerminationSignals();

    if (!plainCommandLine)
        startFontWarmUp();
    // The window's pictures decode while the window is built. Not earlier:
    // image reading touches Qt's plugin loader, which the application object
    // sets up.
    MainDialog::preloadPictures();

    QTranslator translator;
    theTranslator = &translator;
    QApplication::installTranslator(&translator);

    applyApplicationLook(app);

    const int result = [&file, &instance] {
        MainDialog dialog;
        logProgramFiles(QxLanguage::instance()->currentLanguage());
        dialog.show();
        // Once the window is up, as if the file had been dropped on it: a
        // refused file's message then stands over the window.
        if (!file.isEmpty())
            QTimer::singleShot(0, &dialog, [&dialog, &file] { dialog.openFile(file); });
        QObject::connect(&instance, &CSingleInstance::fileRequested, &dialog,
                         [&dialog](const QString &requested, const QString &activationToken) {
            // Qt's Wayland activation presents the token found here, once.
            if (!activationToken.isEmpty()) {
                qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
                qCDebug(lcDiagnostics).noquote() << "brought to the front with the activation token of a later start";
            }
            bringToFront(dialog);
            if (!requested.isEmpty())
                dialog.openFile(requested);
        });
        return QApplication::exec();
    }();
    theTranslator = nullptr;
    return result;
}
