#include "desktop.h"
#include "identity.h"
#include "language.h"
#include "look.h"
#include "maindialog.h"
#include "ringtonecommand.h"
#include "settings.h"
#include "singleinstance.h"
#include "termination.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <vector>

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

// A start whose file the running program has not taken yet: says so on the
// screen (the terminal is rarely seen) and keeps trying while the message
// is up. First or HandedOver once it settles; NoAnswer when the user stops
// waiting.
CSingleInstance::Role waitWithTheUser(CSingleInstance &instance, const QString &file)
{
    QxLanguage::instance()->setLanguage(readSetting(QStringLiteral("UiLanguage"), QString()));
    QMessageBox box(QMessageBox::Information, QString::fromLatin1(Identity::kProductName),
                    QCoreApplication::translate("main",
                                                "Tonquill is already running but does not answer yet; it may be "
                                                "busy. This message closes by itself once it answers. Press OK "
                                                "to stop waiting."),
                    QMessageBox::Ok);
    CSingleInstance::Role role = CSingleInstance::NoAnswer;
    QObject::connect(&instance, &CSingleInstance::settled, &box, [&role, &box](CSingleInstance::Role settled) {
        role = settled;
        box.done(QMessageBox::Ok);
    });
    // Where nobody can see the message (offscreen), nobody can close it.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        QTimer::singleShot(60000, &box, [&box] { box.done(QMessageBox::Ok); });
    instance.keepTrying(file);
    qCDebug(lcDiagnostics) << "waiting for the running program, with a message on the screen";
    box.exec();
    instance.stopTrying();
    return role;
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
    if (plainCommandLine) {
        startFontWarmUp();
    } else {
        reachStartingConsole();
        // The application object connects to the display and aborts without
        // one; help and version are printed before it, wherever the program
        // runs. The parser needs an application object: a core one, gone
        // before the real one is made.
        int coreArgc = argc;
        std::vector<char *> coreArgv(argv, argv + argc + 1);
        QCoreApplication core(coreArgc, coreArgv.data());
        printHelpOrVersion(QCoreApplication::arguments());
        // Ringtones without a window need no display either.
        if (RingtoneCommand::wanted(QCoreApplication::arguments()))
            return RingtoneCommand::run(QCoreApplication::arguments());
    }
    QApplication app(argc, argv);
    // An unknown option ends the process right here (exit()); no thread of
    // ours may be running then, or it would be torn down under it (the
    // picture thread inside Qt's plugin loader).
    const QString file = commandLineFile(QApplication::arguments());

    QTranslator translator;
    theTranslator = &translator;
    QApplication::installTranslator(&translator);

    // One window owns the phone: a second start hands its file over.
    CSingleInstance instance(CSingleInstance::instanceName());
    CSingleInstance::Role role = instance.start(file);
    bool lookApplied = false;
    if (role == CSingleInstance::NoAnswer) {
        std::fprintf(stderr, "Tonquill is already running but does not answer yet; waiting for it.\n");
        startFontWarmUp();
        applyApplicationLook(app);
        lookApplied = true;
        role = waitWithTheUser(instance, file);
    }
    switch (role) {
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

    if (!lookApplied)
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
            if (!requested.isEmpty()) {
                qCDebug(lcDiagnostics).noquote() << "a later start asked to open" << requested;
                dialog.openFile(requested);
            }
        });
        return QApplication::exec();
    }();
    theTranslator = nullptr;
    return result;
}
