// One program per user and display, in one process: two CSingleInstance
// objects play the running program and a later start. The running one's
// event loop stands still while the later one waits, as a busy window does.
#include "singleinstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestSingleInstance final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void busyProgramGetsTheFileOnce_data();
    void busyProgramGetsTheFileOnce();

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
    QFETCH(bool, keepsWaiting);
    const QString name = QStringLiteral("tq-test-%1").arg(QTest::currentDataTag()).replace(u' ', u'-');
    CSingleInstance running(name);
    QCOMPARE(running.start(QString()), CSingleInstance::First);
    QSignalSpy requests(&running, &CSingleInstance::fileRequested);

    auto later = std::make_unique<CSingleInstance>(name);
    QCOMPARE(later->start(QStringLiteral("/music/song.mp3"), 300), CSingleInstance::NoAnswer);
    if (!keepsWaiting) {
        later.reset();
        QTest::qWait(500);
        QCOMPARE(requests.count(), 0);
        return;
    }
    // The request already on its way is waited for, not sent again.
    QSignalSpy settled(later.get(), &CSingleInstance::settled);
    later->keepTrying(QStringLiteral("/music/song.mp3"));
    QTRY_COMPARE(settled.count(), 1);
    QCOMPARE(settled.first().first().value<CSingleInstance::Role>(), CSingleInstance::HandedOver);
    QTRY_COMPARE(requests.count(), 1);
    QCOMPARE(requests.first().first().toString(), QStringLiteral("/music/song.mp3"));
    QTest::qWait(600);
    QCOMPARE(requests.count(), 1);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
