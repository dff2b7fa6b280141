#include "singleinstance.h"

#include "desktop.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

namespace {

// "TQO1": a request of this program, first version.
constexpr quint32 kRequestMagic = 0x54514F31;
constexpr char kAccepted = '\x01';
// A request is a path; anything longer is not one of ours.
constexpr qint64 kLargestRequest = 64 * 1024;
// A client that connects and sends nothing is dropped after this.
constexpr int kRequestTimeoutMs = 5000;
constexpr int kRetryPauseMs = 50;
// sockaddr_un's path holds 108 bytes with its terminating zero.
constexpr qsizetype kLongestSocketPath = 100;

QString sanitizedPart(QString text)
{
    for (QChar &c : text) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'_')
            c = u'_';
    }
    return text.left(40);
}

QString runtimeFolder()
{
    // XDG_RUNTIME_DIR: the user's own, mode 0700, emptied at log-out. Qt makes
    // a private one under the temporary folder where it is not set.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

// The file, then the activation token the desktop gave this start: on
// Wayland only a window presenting it may take the focus from the user's
// work, and this start ends without a window. (A program of the first
// version reads the file and ignores what follows.)
QByteArray requestFor(const QString &file)
{
    QByteArray request;
    QDataStream out(&request, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kRequestMagic << file << qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    return request;
}

} // namespace

CSingleInstance::CSingleInstance(const QString &name, QObject *parent)
    : QObject(parent)
{
    const QString folder = runtimeFolder();
    m_lockPath = folder + u'/' + name + QStringLiteral(".lock");
    m_socketPath = folder + u'/' + name + QStringLiteral(".socket");
#ifdef Q_OS_WIN
    // A name in the pipe namespace, which every user shares.
    m_socketPath = name + u'-'
                   + QString::fromLatin1(QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
#else
    // Too long for a socket address: a name of its own in the temporary
    // folder, still one per user and folder.
    if (QFile::encodeName(m_socketPath).size() > kLongestSocketPath)
        m_socketPath = name + u'-'
                       + QString::fromLatin1(QCryptographicHash::hash(QFile::encodeName(m_socketPath),
                                                                      QCryptographicHash::Sha1)
                                                 .toHex()
                                                 .left(16));
#endif
}

CSingleInstance::~CSingleInstance()
{
    // Closing the server removes its socket file: that must happen while the
    // lock is still held, or it could remove the socket of a program that
    // took the lock in between.
    delete m_server;
    m_server = nullptr;
    m_lock.reset();
}

QString CSingleInstance::instanceName()
{
    QString display;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        display = qEnvironmentVariable("DISPLAY");
        // ":0" and ":0.0" are one display.
        const qsizetype colon = display.lastIndexOf(u':');
        const qsizetype dot = display.indexOf(u'.', colon + 1);
        if (colon >= 0 && dot > colon)
            display.truncate(dot);
    } else if (platform.startsWith(QLatin1String("wayland"))) {
        display = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    }
    return display.isEmpty() ? QStringLiteral("tonquill") : QStringLiteral("tonquill-") + sanitizedPart(display);
}

CSingleInstance::Role CSingleInstance::start(const QString &file, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // Held for the program's whole run: never stale by age, only when its
    // holder is gone.
    m_lock->setStaleLockTime(0);
    for (;;) {
        if (m_lock->tryLock(0)) {
            listen();
            return First;
        }
        // A lock naming this very process was left by an earlier one that
        // had the same process id: Wine hands out the same ids again after
        // its server restarts, and Windows reuses them too. Nobody holds it.
        qint64 holder = 0;
        if (m_lock->error() == QLockFile::LockFailedError && m_lock->getLockInfo(&holder, nullptr, nullptr)
            && holder == QCoreApplication::applicationPid() && m_lock->removeStaleLockFile())
            continue;
        if (m_lock->error() != QLockFile::LockFailedError) {
            // The lock cannot be made at all (a runtime folder that cannot be
            // written): a program that answers still gets the file, else this
            // one goes on by itself.
            qCDebug(lcDiagnostics).noquote() << "Could not take the lock" << m_lockPath;
            m_lock.reset();
            if (handOver(file, std::min(timeoutMs, 1000)))
                return HandedOver;
            listen();
            return First;
        }
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0)
            return NoAnswer;
        // The holder may be starting (not listening yet) or ending (no
        // longer listening): try again until it answers or lets go.
        if (handOver(file, left))
            return HandedOver;
        QThread::msleep(kRetryPauseMs);
    }
}

bool CSingleInstance::listen()
{
    m_server = new QLocalServer;
    // The runtime folder is the user's alone; a socket elsewhere (a name in
    // the shared temporary folder) is closed to others by its own mode.
    if (!m_socketPath.startsWith(u'/'))
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::onNewConnection);
    // Once the event loop has ended nobody would answer, while the window
    // may take seconds to go (a job's encoder is stopped, the phone let
    // go): a start meanwhile finds no socket and waits for the lock instead.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
        delete m_server;
        m_server = nullptr;
    });
    // Whoever made a socket here is gone (the lock is ours): a crashed
    // program's socket would make listen() fail.
    if (m_lock)
        QLocalServer::removeServer(m_socketPath);
    if (!m_server->listen(m_socketPath)) {
        qCDebug(lcDiagnostics).noquote() << "Could not listen on" << m_socketPath << m_server->errorString();
        return false;
    }
    qCDebug(lcDiagnostics).noquote() << "listening on" << m_server->fullServerName();
    return true;
}

bool CSingleInstance::handOver(const QString &file, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    const auto left = [&] { return std::max(1, timeoutMs - int(clock.elapsed())); };
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(left()))
        return false;
    socket.write(requestFor(file));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(left()))
            return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(left()))
            return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == kAccepted;
}

void CSingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        // Bounded: a request that does not fit never completes and is
        // dropped by the timer.
        socket->setReadBufferSize(kLargestRequest);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kRequestTimeoutMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        readRequest(socket);
    }
}

void CSingleInstance::readRequest(QLocalSocket *socket)
{
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_6_0);
    in.startTransaction();
    quint32 magic = 0;
    QString file;
    QString activationToken;
    in >> magic >> file >> activationToken;
    if (!in.commitTransaction()) {
        if (in.status() == QDataStream::ReadCorruptData)
            socket->abort();
        return; // the rest is still on its way
    }
    if (magic != kRequestMagic) {
        socket->abort();
        return;
    }
    socket->putChar(kAccepted);
    socket->flush();
    socket->disconnectFromServer();
    // Later, from the event loop: the receiver may open dialogs, which must
    // not run inside this socket's notification.
    QMetaObject::invokeMethod(
        this, [this, file, activationToken] { Q_EMIT fileRequested(file, activationToken); },
        Qt::QueuedConnection);
}
