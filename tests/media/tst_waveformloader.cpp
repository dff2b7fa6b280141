#include "tonefile.h"
#include "waveformloader.h"
#include "wavepeaks.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(CWaveformLoader::Result)

class TestWaveformLoader final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void loads_data();
    void loads();
    void newerLoadSupersedes();
    void droppedLoadNeverReports_data();
    void droppedLoadNeverReports();

private:
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

void TestWaveformLoader::initTestCase()
{
    qRegisterMetaType<CWaveformLoader::Result>();
    QVERIFY(dir.isValid());
}

void TestWaveformLoader::loads_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: a 3-second tone
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<double>("seconds");
    QTest::newRow("tone") << QByteArray() << true << 3.0;
    // Still reported, so that the window clears the previous picture.
    QTest::newRow("not a WAV") << QByteArray("RIFX and nothing else") << false << 0.0;
}

void TestWaveformLoader::loads()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, drawn);
    QFETCH(double, seconds);
    const QString wav = path("loads.wav");
    if (content.isEmpty()) {
        QVERIFY(writeTone(wav, 3.0));
    } else {
        QFile file(wav);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    CWaveformLoader loader;
    QSignalSpy loaded(&loader, &CWaveformLoader::loaded);
    loader.load(wav, 200, 50);
    QVERIFY(loader.isLoading());
    QVERIFY(loaded.wait(20000));
    QVERIFY(!loader.isLoading());
    const auto result = loaded.at(0).at(0).value<CWaveformLoader::Result>();
    QCOMPARE(result.image.isNull(), !drawn);
    if (drawn)
        QCOMPARE(result.image.size(), QSize(200, 50));
    QCOMPARE(bool(result.peaks), drawn);
    if (drawn)
        QCOMPARE(qRound(result.peaks->seconds() * 100), 300);
    QCOMPARE(result.seconds, seconds);
    // The worker removes the file once it has read it.
    QVERIFY(!QFile::exists(wav));
}

void TestWaveformLoader::newerLoadSupersedes()
{
    // The older file is long enough to be still in reading when the newer
    // one is asked for; whichever ends first, only the newer reports.
    const QString older = path("older.wav"), newer = path("newer.wav");
    QVERIFY(writeTone(older, 300.0));
    QVERIFY(writeTone(newer, 2.0));
    CWaveformLoader loader;
    QSignalSpy loaded(&loader, &CWaveformLoader::loaded);
    loader.load(older, 400, 60);
    loader.load(newer, 400, 60);
    QVERIFY(loaded.wait(20000));
    // Whatever the older worker posted is in the queue by now.
    loader.stop();
    QTest::qWait(50);
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(loaded.at(0).at(0).value<CWaveformLoader::Result>().seconds, 2.0);
    QVERIFY(!QFile::exists(older));
    QVERIFY(!QFile::exists(newer));
}

void TestWaveformLoader::droppedLoadNeverReports_data()
{
    QTest::addColumn<bool>("destroy");
    QTest::newRow("cancelled") << false;
    QTest::newRow("loader destroyed") << true;
}

void TestWaveformLoader::droppedLoadNeverReports()
{
    QFETCH(bool, destroy);
    const QString wav = path("dropped.wav");
    QVERIFY(writeTone(wav, 300.0));
    auto loader = std::make_unique<CWaveformLoader>();
    int reports = 0;
    connect(loader.get(), &CWaveformLoader::loaded, this, [&reports] { ++reports; });
    loader->load(wav, 400, 60);
    if (destroy) {
        // Waits for the worker, which must not post to a loader that is gone.
        loader.reset();
    } else {
        loader->cancel();
        QVERIFY(!loader->isLoading());
        loader->stop();
    }
    QTest::qWait(50);
    QCOMPARE(reports, 0);
    QVERIFY(!QFile::exists(wav));
}

QTEST_GUILESS_MAIN(TestWaveformLoader)
#include "tst_waveformloader.moc"
