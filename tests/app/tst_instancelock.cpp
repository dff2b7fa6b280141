// The one-program lock: a lock left by an earlier process that had this
// process's id (Wine gives the same ids again after its server restarts)
// is taken over, not waited for.
#include "singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QTest>

class TestInstanceLock final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lockWithOwnIdIsTakenOver();
};

void TestInstanceLock::lockWithOwnIdIsTakenOver()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QString name = QStringLiteral("tq-test-lock-%1").arg(QCoreApplication::applicationPid());
    const QString path = folder + u'/' + name + QStringLiteral(".lock");

    // What a lock of this process says, left behind as if by a crash.
    QByteArray contents;
    {
        QLockFile lock(path);
        QVERIFY(lock.tryLock(0));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        contents = file.readAll();
    }
    QFile left(path);
    QVERIFY(left.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(left.write(contents), contents.size());
    left.close();

    CSingleInstance instance(name);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(instance.start(QString(), 3000), CSingleInstance::First);
    QVERIFY(clock.elapsed() < 2000);
}

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instancelock.moc"
