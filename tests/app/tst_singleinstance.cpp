// One program per user and display, in one process: CSingleInstance objects
// (or a stand-in that holds the lock but does not answer) play the running
// program and a later start.
#include "singleinstance.h"

#include <QDataStream>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <future>

class TestSingleInstance final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void busyProgramGetsTheFileOnce_data();
    void busyProgramGetsTheFileOnce();
    void frozenWindowStillAnswers();

private:
    QTemporaryDir m_runtime;
};

void TestSingleInstance::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    QVERIFY(QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void TestSingleInstance::busyProgramGetsTheFileOnce_data()
{
    QTest::addColumn<bool>("keepsWaiting");
    QTest::newRow("the later start waits on") << true;
    // Its user stopped waiting: the file must not open afterwards.
    QTest::newRow("the later start gave up") << false;
}

void TestSingleInstance::busyProgramGetsTheFileOnce()
{
    // A running program that cannot answer yet, as one whose process is
    // stopped: it holds the lock, and its socket takes connections that
    // nothing reads until the test plays its part.
    QFETCH(bool, keepsWaiting);
#ifdef Q_OS_WIN
    // The stand-in's lock names this very process, and a Windows lock can be
    // removed while held: the later start takes it for one left by an
    // earlier process whose id came back, and takes it over.
    QSKIP("the stand-in holding the lock must be another process on Windows");
#endif
    const QString name = QStringLiteral("tq-test-%1").arg(QTest::currentDataTag()).replace(u' ', u'-');
    QLockFile lock(m_runtime.filePath(name + QStringLiteral(".lock")));
    lock.setStaleLockTime(0);
    QVERIFY(lock.tryLock(0));
    QLocalServer stuck;
    QVERIFY(stuck.listen(m_runtime.filePath(name + QStringLiteral(".socket"))));

    auto later = std::make_unique<CSingleInstance>(name);
    QCOMPARE(later->start(QStringLiteral("/music/song.mp3"), 300), CSingleInstance::NoAnswer);
    QVERIFY(stuck.waitForNewConnection(1000));
    QLocalSocket *request = stuck.nextPendingConnection();
    QVERIFY(request);
    if (!keepsWaiting) {
        // Its user stopped waiting: the request's connection is closed, so
        // the running program drops it unread rather than open the file.
        later.reset();
        QTRY_COMPARE(request->state(), QLocalSocket::UnconnectedState);
        return;
    }
    // The request already on its way is waited for, not sent again.
    QSignalSpy settled(later.get(), &CSingleInstance::settled);
    later->keepTrying(QStringLiteral("/music/song.mp3"));
    QTest::qWait(600);
    QVERIFY(!stuck.hasPendingConnections());
    QDataStream in(request);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    QString file;
    in >> magic >> file;
    QCOMPARE(file, QStringLiteral("/music/song.mp3"));
    QVERIFY(request->putChar('\x01') && request->flush());
    QTRY_COMPARE(settled.count(), 1);
    QCOMPARE(settled.first().first().value<CSingleInstance::Role>(), CSingleInstance::HandedOver);
    QVERIFY(!stuck.hasPendingConnections());
}

void TestSingleInstance::frozenWindowStillAnswers()
{
    // The running program's thread is held (a long read, a modal wait) while
    // a later start, on a thread of its own here, hands a file over: the
    // answer must not wait for that thread.
    const QString name = QStringLiteral("tq-test-frozen");
    CSingleInstance running(name);
    QCOMPARE(running.start(QString()), CSingleInstance::First);
    QSignalSpy requests(&running, &CSingleInstance::fileRequested);

    auto later = std::async(std::launch::async, [&name] {
        CSingleInstance instance(name);
        return instance.start(QStringLiteral("/music/frozen.mp3"), 20000);
    });
    // Frozen, with no event processed, for as long as it takes the later
    // start to be answered (never, if only this thread could answer).
    bool answered = false;
    for (int i = 0; i < 100 && !answered; ++i)
        answered = later.wait_for(std::chrono::milliseconds(50)) == std::future_status::ready;
    QVERIFY2(answered, "the later start got no answer while this thread was busy");
    QCOMPARE(later.get(), CSingleInstance::HandedOver);
    QCOMPARE(requests.count(), 0);
    // Once free, the file comes, once.
    QTRY_COMPARE(requests.count(), 1);
    QCOMPARE(requests.first().first().toString(), QStringLiteral("/music/frozen.mp3"));
    QTest::qWait(300);
    QCOMPARE(requests.count(), 1);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
