// A waveform job whose WAV passes 4 GiB: just under 6 h 47 min of audio,
// the length of a long lecture or radio show. It writes and reads 4.3 GB, so
// it carries the CTest label "long": the normal run takes it once, the
// sanitized runs leave it out (they would only repeat the same disk work
// many times slower). The fixture is FLAC made at test time from silence
// with a tone at its very end; FLAC stores that in a few megabytes.
#include "encodertestutil.h"
#include "waveimage.h"
#include "wavelength.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace enctest;

class TestEncoderLongFile final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void waveformPastFourGigabytes();
};

void TestEncoderLongFile::waveformPastFourGigabytes()
{
    // 4 GiB of 44.1 kHz 16-bit stereo is 24347.9 s; 24400 s pass it by 9 MB.
    constexpr int kSeconds = 24400;
    constexpr int kToneSeconds = 10;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString input = dir.filePath(QStringLiteral("lecture.flac"));
    const QString output = dir.filePath(QStringLiteral("lecture.wav"));

    QElapsedTimer timer;
    timer.start();
    // 8 kHz mono keeps the fixture quick to make; the job resamples it to
    // 44.1 kHz stereo as it does every input.
    QVERIFY(reference({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-t"),
                       QString::number(kSeconds - kToneSeconds), QStringLiteral("-i"),
                       QStringLiteral("anullsrc=r=8000:cl=mono"), QStringLiteral("-f"), QStringLiteral("lavfi"),
                       QStringLiteral("-i"), QStringLiteral("sine=f=440:r=8000:d=%1").arg(kToneSeconds),
                       QStringLiteral("-filter_complex"), QStringLiteral("[0][1]concat=n=2:v=0:a=1"),
                       QStringLiteral("-c:a"), QStringLiteral("flac"), QStringLiteral("-sample_fmt"),
                       QStringLiteral("s16"), input}));
    const qint64 fixtureMs = timer.restart();

    // Longer than runEncoder() waits: a minute or more of disk writing.
    QProcess encoder;
    encoder.setProcessChannelMode(QProcess::MergedChannels);
    encoder.start(encoderPath(), {QStringLiteral("-y"), QStringLiteral("-i"), input, QStringLiteral("-vn"),
                                  QStringLiteral("-ab"), QStringLiteral("192K"), QStringLiteral("-ac"),
                                  QStringLiteral("2"), QStringLiteral("-ar"), QStringLiteral("44100"), output});
    QVERIFY(encoder.waitForFinished(600000));
    const qint64 encodeMs = timer.restart();
    const QByteArray said = encoder.readAll().right(2000);
    QCOMPARE(encoder.exitStatus(), QProcess::NormalExit);
    QVERIFY2(encoder.exitCode() == 0, said.constData());

    const qint64 size = QFileInfo(output).size();
    QVERIFY(size > (qint64(1) << 32));
    QFile wave(output);
    QVERIFY(wave.open(QIODevice::ReadOnly));
    QCOMPARE(wave.read(4), QByteArray("RF64"));
    wave.close();

    // The window takes its length from the WAV: the whole file, not the
    // 24347.9 s a 32-bit header holds.
    QVERIFY(qAbs(waveLengthSeconds(output) - kSeconds) < 0.001);

    // The picture covers the whole length: the tone of the last seconds is
    // in the last column.
    CWaveImage builder(530, 50);
    QFile reading(output);
    QVERIFY(builder.read(&reading));
    const qint64 drawMs = timer.restart();
    QCOMPARE(builder.sampleCount(), quint64(kSeconds) * 44100 * 2);
    QCOMPARE(builder.position(), builder.sampleCount());
    // lavfi's sine has an amplitude of 1/8.
    QVERIFY(builder.peaks().back().max > 3000);
    QCOMPARE(builder.peaks().front().max, qint16(0));

    qInfo("WAV of %lld bytes: fixture %lld ms, encoder %lld ms, waveform %lld ms", size, fixtureMs, encodeMs,
          drawMs);
    // The 4.3 GB go now, not when the suite ends.
    QVERIFY(QFile::remove(output));
}

QTEST_GUILESS_MAIN(TestEncoderLongFile)
#include "tst_encoder_longfile.moc"
