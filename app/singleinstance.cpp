#include "singleinstance.h"

#include "aside.h"
#include "desktop.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <future>
#include <thread>

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

// The first program's server: listens, reads each request and answers it on
// a thread of its own, then hands the file to `owner` as a queued call. The
// server, its sockets and their timers all live and die on that thread.
class CSingleInstance::Listener final
{
    Q_DISABLE_COPY_MOVE(Listener)

public:
    Listener(CSingleInstance *owner, QString socketPath, bool ownsSocket)
        : m_owner(owner)
        , m_socketPath(std::move(socketPath))
        , m_ownsSocket(ownsSocket)
    {
    }
    ~Listener() { stop(); }

    // Starts the thread and waits until it listens (or could not).
    bool start()
    {
        std::promise<bool> ready;
        std::future<bool> listening = ready.get_future();
        // The promise is shared: a std::function must be copyable.
        auto shared = std::make_shared<std::promise<bool>>(std::move(ready));
        m_thread.start([this, shared] { run(*shared); });
        return listening.get();
    }

    // Ends the thread once it has finished what it is doing; its server
    // then removes its socket file.
    void stop()
    {
        if (!m_thread.joinable())
            return;
        // Set before the thread said it was ready, and alive until it quits.
        if (m_loop)
            QMetaObject::invokeMethod(m_loop, [loop = m_loop] { loop->quit(); }, Qt::QueuedConnection);
        m_thread.join();
        m_loop = nullptr;
    }

private:
    void run(std::promise<bool> &ready)
    {
        // Made first: it gives this thread the event dispatcher that the
        // server's socket notifiers need.
        QEventLoop loop;
        QLocalServer server;
        m_server = &server;
        // The runtime folder is the user's alone; a socket elsewhere (a name
        // in the shared temporary folder) is closed to others by its own mode.
        if (!m_socketPath.startsWith(u'/'))
            server.setSocketOptions(QLocalServer::UserAccessOption);
        QObject::connect(&server, &QLocalServer::newConnection, &server, [this] { onNewConnection(); });
        // Whoever made a socket here is gone (the lock is ours): a crashed
        // program's socket would make listen() fail.
        if (m_ownsSocket)
            QLocalServer::removeServer(m_socketPath);
        const bool listening = server.listen(m_socketPath);
        if (listening)
            qCDebug(lcDiagnostics).noquote() << "listening on" << server.fullServerName();
        else
            qCDebug(lcDiagnostics).noquote() << "Could not listen on" << m_socketPath << server.errorString();
        m_loop = listening ? &loop : nullptr;
        ready.set_value(listening);
        if (listening)
            loop.exec();
        // Closing the server (at the end of this scope) removes its socket
        // file; the owner still holds the lock.
    }

private:
    void onNewConnection()
    {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            // Bounded: a request that does not fit never completes and is
            // dropped by the timer.
            socket->setReadBufferSize(kLargestRequest);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] { readRequest(socket); });
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QTimer::singleShot(kRequestTimeoutMs, socket, [socket] {
                socket->abort();
                socket->deleteLater();
            });
            readRequest(socket);
        }
    }

    void readRequest(QLocalSocket *socket)
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
        // A start that stopped waiting has closed its end: the answer cannot
        // be written, and what it asked for is no longer wanted.
        const bool answered = socket->flush() && socket->state() == QLocalSocket::ConnectedState;
        socket->disconnectFromServer();
        if (!answered) {
            qCDebug(lcDiagnostics).noquote() << "a later start stopped waiting before its request was read";
            return;
        }
        // Queued to the owner's thread, and so from its event loop: the
        // receiver may open dialogs, which must not run inside a socket's
        // notification. The owner waits for this thread before it goes.
        QMetaObject::invokeMethod(
            m_owner, [owner = m_owner, file, activationToken] { Q_EMIT owner->fileRequested(file, activationToken); },
            Qt::QueuedConnection);
    }

    CSingleInstance *const m_owner;
    const QString m_socketPath;
    const bool m_ownsSocket;
    CAsideThread m_thread;
    QEventLoop *m_loop = nullptr;     // the thread's, while it listens
    QLocalServer *m_server = nullptr; // the thread's alone
};

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
    stopListening();
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
            delete m_request;
            m_request = nullptr;
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
    if (m_listener)
        return true;
    auto listener = std::make_unique<Listener>(this, m_socketPath, bool(m_lock));
    const bool listening = listener->start();
    m_listener = std::move(listener);
    // Once the event loop has ended nobody would act on a request, while the
    // window may take seconds to go (a job's encoder is stopped, the phone
    // let go): a start meanwhile finds no socket and waits for the lock
    // instead.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] { stopListening(); });
    return listening;
}

void CSingleInstance::stopListening()
{
    if (!m_listener)
        return;
    m_listener.reset();
}

bool CSingleInstance::handOver(const QString &file, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    const auto left = [&] { return std::max(1, timeoutMs - int(clock.elapsed())); };
    if (!m_request) {
        auto socket = std::make_unique<QLocalSocket>(this);
        socket->connectToServer(m_socketPath);
        if (!socket->waitForConnected(left()))
            return false;
        socket->write(requestFor(file));
        m_request = socket.release();
    }
    while (m_request->bytesToWrite() > 0) {
        if (!m_request->waitForBytesWritten(left())) {
            dropClosedRequest();
            return false;
        }
    }
    while (m_request->bytesAvailable() < 1) {
        if (!m_request->waitForReadyRead(left())) {
            dropClosedRequest();
            return false;
        }
    }
    char answer = 0;
    const bool accepted = m_request->getChar(&answer) && answer == kAccepted;
    delete m_request;
    m_request = nullptr;
    return accepted;
}

void CSingleInstance::dropClosedRequest()
{
    // The program went away (or is ending) without an answer: the next try
    // takes its lock or finds the one after it. An open one may yet answer.
    if (m_request->state() == QLocalSocket::ConnectedState)
        return;
    delete m_request;
    m_request = nullptr;
}

void CSingleInstance::keepTrying(const QString &file)
{
    // Short tries from the event loop: the message stays responsive, and an
    // open request is only looked at again, not sent anew.
    constexpr int kTryMs = 20;
    constexpr int kTryEveryMs = 250;
    if (!m_retry) {
        m_retry = new QTimer(this);
        m_retry->setInterval(kTryEveryMs);
    }
    m_retry->disconnect();
    connect(m_retry, &QTimer::timeout, this, [this, file] {
        const Role role = start(file, kTryMs);
        if (role == NoAnswer)
            return;
        m_retry->stop();
        Q_EMIT settled(role);
    });
    m_retry->start();
}

void CSingleInstance::stopTrying()
{
    if (m_retry)
        m_retry->stop();
}
