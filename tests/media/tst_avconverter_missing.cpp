// Runs where no encoder program lies beside the test: the job must still end.
#include "avconverter.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

class TestAVConverterMissing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingEncoderEndsTheJob();
};

void TestAVConverterMissing::missingEncoderEndsTheJob()
{
    QVERIFY(!QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg")));
    QVERIFY(!QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg.exe")));

    CAVConverter job;
    QSignalSpy spy(&job, &CAVConverter::finished);
    for (int run = 1; run <= 2; ++run) {
        job.reset();
        job.setInputFile(QStringLiteral("a.mp3"));
        job.setOutputFile(QStringLiteral("a.m4a"));
        job.start(CAVConverter::JobEncodeRingtone);
        // Never from inside start(): the caller is still setting up.
        QCOMPARE(spy.count(), run - 1);
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), run, 10000);
        QVERIFY(!job.succeeded());
        QCOMPARE(job.jobType(), int(CAVConverter::JobEncodeRingtone));
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), run);
    }
}

QTEST_GUILESS_MAIN(TestAVConverterMissing)
#include "tst_avconverter_missing.moc"
