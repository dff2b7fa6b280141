#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalSocket;
class QLockFile;
class QTimer;

// One program per user and display. The first program to start takes a lock
// file and listens on a local socket beside it; a later start hands what it
// was asked to open to that program and ends, so that one window (and so one
// program) owns the phone. Both live in the user's runtime folder.
//
// The lock, not the socket, decides who is first: a socket left behind by a
// program that crashed is removed by the next one to take the lock (a lock
// whose holder is gone is stale and taken over), and two programs starting
// at once cannot both end up listening.
//
// The first program listens and answers on a thread of its own, so that a
// later start is answered at once however busy the window is; the request
// then reaches the window as fileRequested(), queued to the thread that made
// this object.
class CSingleInstance final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSingleInstance)

public:
    enum Role {
        First,       // this program goes on, and listens for later ones
        HandedOver,  // the running program took the request: end this one
        NoAnswer,    // a program runs but did not answer in time
    };

    // name: the lock's and the socket's name in the runtime folder;
    // instanceName() for the program.
    explicit CSingleInstance(const QString &name, QObject *parent = nullptr);
    ~CSingleInstance() override;

    // Becomes the first program, or hands file (an absolute path; empty to
    // only bring the window up) to the running one, waiting at most
    // timeoutMs for its answer. Needs the application object, and no event
    // loop.
    Role start(const QString &file, int timeoutMs = kAnswerTimeoutMs);

    static constexpr int kAnswerTimeoutMs = 8000;

    // After NoAnswer, with the event loop running (a message on screen):
    // keeps trying until the running program answers or ends, then emits
    // settled() with HandedOver or First. A request that reached the
    // running program is never sent twice: it acts on it once it reads it,
    // however late, and its answer is waited for on the same connection.
    void keepTrying(const QString &file);
    void stopTrying();

    // "tonquill", and the display for a program on X11 or Wayland: a program
    // on another display (another seat, a remote session) has a window the
    // user does not see there.
    static QString instanceName();

Q_SIGNALS:
    // A later start asked for this file (empty: only to be shown), with
    // the activation token its desktop gave it (empty without one). Emitted
    // on this object's thread, from its event loop.
    void fileRequested(const QString &file, const QString &activationToken);
    // keepTrying() came to an end: HandedOver or First.
    void settled(CSingleInstance::Role role);

private:
    bool listen();
    // Ends the listening thread, whose server removes its socket file.
    void stopListening();
    bool handOver(const QString &file, int timeoutMs);
    // Drops the request once its connection has closed unanswered.
    void dropClosedRequest();

    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    // Runs the local server and answers later starts on its own thread.
    class Listener;
    std::unique_ptr<Listener> m_listener;
    // The request sent to the running program, until it answers.
    QLocalSocket *m_request = nullptr;
    QTimer *m_retry = nullptr;
};
