// Runs the built encoder program on fixtures made by Debian's ffmpeg and
// checks what it writes: the cut, the gain, the fade, the conversions, the
// containers and the progress lines.
#include "encodertestutil.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace enctest;

namespace {

// The tone of second k of the time-telling fixture.
double toneAt(double seconds) { return 200.0 + 100.0 * std::floor(seconds); }

constexpr double AacFrame = 1024.0 / 44100.0;
const QStringList JobTail = {"-vn", "-ab", "192K", "-ac", "2", "-ar", "44100"};

} // namespace

class TestEncoderAudio final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void clipStartsAndLasts_data();
    void clipStartsAndLasts();
    void gain_data();
    void gain();
    void unityGainIsBitExact();
    void boostIsLimited_data();
    void boostIsLimited();
    void monoFillsBothChannelsAtFullLevel_data();
    void monoFillsBothChannelsAtFullLevel();
    void fadeIn_data();
    void fadeIn();
    void fadeOut_data();
    void fadeOut();
    void convertsToStereo44100_data();
    void convertsToStereo44100();
    void ringtoneContainer_data();
    void ringtoneContainer();
    void waveSizesMatchFile();
    void progressLines();
    void replacesExistingOutput();
    void nonAsciiNames();
    void longNames_data();
    void longNames();

private:
    QString fixture(const QString &name) const { return m_dir.filePath(name); }
    QString output(const QString &name) const { return m_dir.filePath(QStringLiteral("out/") + name); }
    Run encode(const QStringList &before, const QString &input, const QStringList &after, const QString &out);

    QTemporaryDir m_dir;
};

Run TestEncoderAudio::encode(const QStringList &before, const QString &input, const QStringList &after,
                             const QString &out)
{
    return runEncoder(before + QStringList{"-y", "-i", input} + after + JobTail + QStringList{out});
}

void TestEncoderAudio::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("out")));
    QVERIFY2(QFile::exists(encoderPath()), qPrintable(encoderPath()));
    // Eight seconds whose tone rises by 100 Hz every second.
    const QString tone = QStringLiteral("aevalsrc=0.5*sin(2*PI*t*(200+100*floor(t))):s=44100:d=8");
    QVERIFY(reference({"-f", "lavfi", "-i", tone, "-ac", "2", "-c:a", "pcm_s16le", fixture("tone.wav")}));
    QVERIFY(reference({"-i", fixture("tone.wav"), "-c:a", "libmp3lame", "-b:a", "192k", fixture("tone.mp3")}));
    QVERIFY(reference({"-i", fixture("tone.wav"), "-c:a", "aac", "-b:a", "192k", fixture("tone.m4a")}));
    QVERIFY(reference({"-i", fixture("tone.wav"), "-c:a", "flac", fixture("tone.flac")}));

    const QString sine = QStringLiteral("sine=f=440:r=44100:d=3");
    QVERIFY(reference({"-f", "lavfi", "-i", sine, "-af", "volume=0.1", "-ac", "2", "-c:a", "pcm_s16le",
                       fixture("quiet.wav")}));
    QVERIFY(reference({"-f", "lavfi", "-i", sine, "-af", "volume=7", "-ac", "2", "-c:a", "pcm_s16le",
                       fixture("loud.wav")}));
    QVERIFY(reference({"-f", "lavfi", "-i", "aevalsrc=sin(2*PI*440*t)|sin(2*PI*440*t):s=44100:d=3", "-c:a",
                       "pcm_s16le", fixture("full.wav")}));
    QVERIFY(reference({"-f", "lavfi", "-i", "sine=f=440:r=22050:d=2", "-c:a", "pcm_s16le", fixture("mono.wav")}));
    for (const char *colour : {"pink", "white"}) {
        QVERIFY(reference({"-f", "lavfi", "-i", QStringLiteral("anoisesrc=c=%1:a=0.5:r=44100:d=3:s=7").arg(colour),
                           "-ac", "2", "-c:a", "pcm_s16le", fixture(QStringLiteral("%1.wav").arg(colour))}));
    }
    QVERIFY(reference({"-f", "lavfi", "-i", "sine=f=440:r=44100:d=2", "-af", "pan=5.1|c0=c0|c1=c0|c2=c0|c3=c0|c4=c0|c5=c0",
                       "-c:a", "pcm_s16le", fixture("surround.wav")}));
    QVERIFY(reference({"-f", "lavfi", "-i", "sine=f=440:r=48000:d=2", "-ac", "2", "-c:a", "libmp3lame",
                       fixture("rate48k.mp3")}));
    QVERIFY(reference({"-f", "lavfi", "-i", "sine=f=440:r=11025:d=2", "-ac", "2", "-c:a", "pcm_u8",
                       fixture("eightbit.wav")}));
    QVERIFY(reference({"-f", "lavfi", "-i", "testsrc=d=2:s=160x120:r=25", "-f", "lavfi", "-i",
                       "sine=f=440:r=48000:d=2", "-c:v", "mpeg4", "-c:a", "aac", "-shortest", fixture("movie.mp4")}));
}

void TestEncoderAudio::clipStartsAndLasts_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("length");

    QTest::newRow("wav to m4a") << "tone.wav" << "clip1.m4a" << 2.5 << 3.0;
    QTest::newRow("mp3 to m4a") << "tone.mp3" << "clip2.m4a" << 3.3 << 2.4;
    QTest::newRow("m4a to m4r") << "tone.m4a" << "clip3.m4r" << 1.62 << 4.0;
    QTest::newRow("flac to wav") << "tone.flac" << "clip4.wav" << 4.9 << 1.8;
    QTest::newRow("mp3 to wav") << "tone.mp3" << "clip5.wav" << 0.25 << 1.5;
    QTest::newRow("length from the start") << "tone.wav" << "clip6.m4a" << 0.0 << 2.6;
}

void TestEncoderAudio::clipStartsAndLasts()
{
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(double, start);
    QFETCH(double, length);

    const QStringList before = {"-ss", QString::number(start), "-t", QString::number(length)};
    const Run run = encode(before, fixture(input), {"-vol", "256", "-fadein", "0"}, this->output(output));
    QCOMPARE(run.exitCode, 0);
    const Pcm pcm = output.endsWith(QLatin1String(".wav")) ? readWav(this->output(output))
                                                           : decodeWithReference(this->output(output));
    QVERIFY(pcm.isValid());
    QVERIFY2(std::abs(pcm.seconds() - length) <= AacFrame, qPrintable(QString::number(pcm.seconds())));

    // The tone tells the time: the clip's first and last tones, and the
    // first change of tone, which comes at the next whole input second.
    QVERIFY2(std::abs(pcm.frequencyAt(0.005) - toneAt(start)) < 5.0, qPrintable(QString::number(pcm.frequencyAt(0.005))));
    const double lastTone = pcm.frequencyAt(length - 0.045);
    QVERIFY2(std::abs(lastTone - toneAt(start + length - 0.045)) < 5.0, qPrintable(QString::number(lastTone)));
    const double change = std::floor(start) + 1.0 - start;
    const double found = pcm.firstTimeAt(toneAt(start + change));
    QVERIFY2(std::abs(found - change) < 0.006,
             qPrintable(QStringLiteral("tone changes at %1 s instead of %2 s").arg(found).arg(change)));
}

void TestEncoderAudio::gain_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("volume");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("tolerance");

    QTest::newRow("double to wav") << "gain1.wav" << 512 << 2.0 << 0.002;
    QTest::newRow("half to wav") << "gain2.wav" << 128 << 0.5 << 0.002;
    QTest::newRow("one and a half to wav") << "gain3.wav" << 384 << 1.5 << 0.002;
    QTest::newRow("double to m4a") << "gain4.m4a" << 512 << 2.0 << 0.03;
    QTest::newRow("silence") << "gain5.wav" << 0 << 0.0 << 0.0;
}

void TestEncoderAudio::gain()
{
    QFETCH(QString, output);
    QFETCH(int, volume);
    QFETCH(double, ratio);
    QFETCH(double, tolerance);

    const Run run = encode({}, fixture("quiet.wav"), {"-vol", QString::number(volume)}, this->output(output));
    QCOMPARE(run.exitCode, 0);
    const Pcm in = readWav(fixture("quiet.wav"));
    const Pcm out = output.endsWith(QLatin1String(".wav")) ? readWav(this->output(output))
                                                           : decodeWithReference(this->output(output));
    QVERIFY(out.isValid());
    const double measured = out.rms(0.5, 2.5) / in.rms(0.5, 2.5);
    QVERIFY2(std::abs(measured - ratio) <= tolerance, qPrintable(QString::number(measured)));
}

void TestEncoderAudio::unityGainIsBitExact()
{
    const Run run = encode({}, fixture("tone.wav"), {"-vol", "256", "-fadein", "0"}, output("unity.wav"));
    QCOMPARE(run.exitCode, 0);
    const Pcm in = readWav(fixture("tone.wav"));
    const Pcm out = readWav(output("unity.wav"));
    QCOMPARE(out.samples.size(), in.samples.size());
    QVERIFY(out.samples == in.samples);
}

void TestEncoderAudio::boostIsLimited_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("volume");
    QTest::addColumn<bool>("limited");
    QTest::addColumn<QString>("suffix");
    // The least loudness kept, as a factor of the input's RMS (capped at 0.6
    // of full scale): limited, not turned down.
    QTest::addColumn<double>("louder");

    QTest::newRow("full scale at 5x") << "full.wav" << 1280 << true << "wav" << 1.5;
    QTest::newRow("7/8 of full scale at 2x") << "loud.wav" << 512 << true << "wav" << 1.5;
    QTest::newRow("below full scale after 5x: untouched") << "quiet.wav" << 1280 << false << "wav" << 1.5;
    // AAC overshoots what it is given; the decoded ringtone must not clip.
    QTest::newRow("pink noise at 4x, ringtone") << "pink.wav" << 1024 << true << "m4a" << 1.5;
    QTest::newRow("pink noise at 5x, ringtone") << "pink.wav" << 1280 << true << "m4a" << 1.5;
    // Limited white noise is what AAC at 192 kbit/s renders worst (several
    // dB over): kept clean, it can only stay about as loud as it came.
    QTest::newRow("white noise at 4x, ringtone") << "white.wav" << 1024 << true << "m4a" << 0.9;
    QTest::newRow("full scale at 5x, ringtone") << "full.wav" << 1280 << true << "m4a" << 1.5;
}

void TestEncoderAudio::boostIsLimited()
{
    QFETCH(QString, input);
    QFETCH(int, volume);
    QFETCH(bool, limited);
    QFETCH(QString, suffix);
    QFETCH(double, louder);

    const QString out = output("limited-" + QFileInfo(input).completeBaseName() + "." + suffix);
    const Run run = encode({}, fixture(input), {"-vol", QString::number(volume)}, out);
    QCOMPARE(run.exitCode, 0);
    // A ringtone made again, lower, must not show its progress twice: each
    // time is told once (these short inputs are done before the first
    // report falls due, so only the end is told).
    double shown = -1;
    for (const QString &line : run.errorLines()) {
        const qsizetype at = line.indexOf(QLatin1String("time="));
        if (at < 0)
            continue;
        const double time = line.mid(at + 5).section(QLatin1Char(' '), 0, 0).toDouble();
        QVERIFY2(time > shown, qPrintable(line));
        shown = time;
    }
    const Pcm in = readWav(fixture(input));
    // A ringtone is judged as the phone plays it: decoded.
    const Pcm pcm = suffix == QLatin1String("wav") ? readWav(out) : decodeWithReference(out);
    if (suffix == QLatin1String("wav"))
        QCOMPARE(pcm.samples.size(), in.samples.size());
    int peak = 0;
    for (int i = 0; i < pcm.samples.size(); ++i) {
        peak = std::max(peak, std::abs(int(pcm.samples[i])));
        if (!limited) {
            const int expected = int(std::lround(in.samples[i] * volume / 256.0));
            QVERIFY2(std::abs(pcm.samples[i] - expected) <= 1, qPrintable(QString::number(i)));
        }
    }
    // Nothing reaches the rails: the limiter's ceiling is 0.99 of full scale,
    // and for AAC low enough that the codec's overshoot stays below full
    // scale too.
    QVERIFY2(peak <= (suffix == QLatin1String("wav") ? 32440 : 32766), qPrintable(QString::number(peak)));
    if (limited) {
        // Still loud: limited, not turned down.
        const double loud = std::min(0.6 * 32768, louder * in.rms(0.5, 2.5));
        QVERIFY2(pcm.rms(0.5, 2.5) > loud, qPrintable(QString::number(pcm.rms(0.5, 2.5))));
    }
}

void TestEncoderAudio::monoFillsBothChannelsAtFullLevel_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("volume");
    QTest::addColumn<double>("tolerance");

    QTest::newRow("wav") << "monolevel1.wav" << 256 << 0.005;
    QTest::newRow("m4a") << "monolevel2.m4a" << 256 << 0.03;
    QTest::newRow("wav, volume slider at 101") << "monolevel3.wav" << 266 << 0.005;
}

void TestEncoderAudio::monoFillsBothChannelsAtFullLevel()
{
    QFETCH(QString, output);
    QFETCH(int, volume);
    QFETCH(double, tolerance);

    const Run run = encode({}, fixture("mono.wav"), {"-vol", QString::number(volume)}, this->output(output));
    QCOMPARE(run.exitCode, 0);
    const Pcm in = readWav(fixture("mono.wav"));
    const Pcm out = output.endsWith(QLatin1String(".wav")) ? readWav(this->output(output))
                                                           : decodeWithReference(this->output(output));
    QCOMPARE(out.channels, 2);
    const double measured = out.rms(0.5, 1.5) / in.rms(0.5, 1.5);
    QVERIFY2(std::abs(measured - volume / 256.0) <= tolerance, qPrintable(QString::number(measured)));
    if (!output.endsWith(QLatin1String(".wav")))
        return; // AAC codes the two sides apart
    for (qint64 i = 0; i < out.frames(); ++i)
        QCOMPARE(out.samples[2 * i + 1], out.samples[2 * i]);
}

void TestEncoderAudio::fadeIn_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("fade");

    QTest::newRow("wav from the start") << "fade1.wav" << QStringList{} << 2;
    QTest::newRow("m4a from a later start") << "fade2.m4a" << QStringList{"-ss", "1.25", "-t", "3"} << 1;
    QTest::newRow("none") << "fade3.wav" << QStringList{} << 0;
}

void TestEncoderAudio::fadeIn()
{
    QFETCH(QString, output);
    QFETCH(QStringList, before);
    QFETCH(int, fade);

    const Run run = encode(before, fixture("tone.wav"), {"-vol", "256", "-fadein", QString::number(fade)},
                           this->output(output));
    QCOMPARE(run.exitCode, 0);
    const Pcm out = output.endsWith(QLatin1String(".wav")) ? readWav(this->output(output))
                                                           : decodeWithReference(this->output(output));
    QVERIFY(out.isValid());
    const double first = out.rms(0.0, 0.1);
    const double after = out.rms(fade + 0.05, fade + 1.0);
    const double full = readWav(fixture("tone.wav")).rms(0.0, 8.0);
    QVERIFY2(std::abs(after - full) < full * 0.03, qPrintable(QString::number(after)));
    if (fade == 0) {
        QVERIFY(std::abs(first - full) < full * 0.03);
    } else {
        // A linear ramp averages 1/20 of the gain over its first tenth of a
        // second when it lasts one second, 1/40 over two.
        QVERIFY2(first < after * 0.1, qPrintable(QString::number(first / after)));
        const double middle = out.rms(fade / 2.0 - 0.05, fade / 2.0 + 0.05);
        QVERIFY2(std::abs(middle / after - 0.5) < 0.05, qPrintable(QString::number(middle / after)));
    }
}

void TestEncoderAudio::fadeOut_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("fade");

    QTest::newRow("ringtone") << "fadeout1.m4r" << 2;
    QTest::newRow("wav") << "fadeout2.wav" << 1;
}

void TestEncoderAudio::fadeOut()
{
    // A clip of 1.5 .. 5.5 s: full level until the fade, silence by its end.
    QFETCH(QString, output);
    QFETCH(int, fade);

    const Run run = encode({"-ss", "1.5", "-t", "4"}, fixture("tone.wav"),
                           {"-vol", "256", "-fadein", "0", "-fadeout", QString::number(fade)}, this->output(output));
    QCOMPARE(run.exitCode, 0);
    const Pcm out = output.endsWith(QLatin1String(".wav")) ? readWav(this->output(output))
                                                           : decodeWithReference(this->output(output));
    QVERIFY(out.isValid());
    QVERIFY2(std::abs(out.frames() / 44100.0 - 4.0) < 0.03, qPrintable(QString::number(out.frames())));
    const double before = out.rms(3.9 - fade, 4.0 - fade);
    const double full = readWav(fixture("tone.wav")).rms(0.0, 8.0);
    QVERIFY2(std::abs(before - full) < full * 0.05, qPrintable(QString::number(before / full)));
    // A linear ramp down to 0 keeps 0.1 / sqrt(3) of the level over its last
    // 100 ms when it lasts one second, half that over two.
    const double last = out.rms(3.9, 4.0);
    QVERIFY2(last < before * 0.075 / fade, qPrintable(QString::number(last / before)));
    const double middle = out.rms(4.0 - fade / 2.0 - 0.05, 4.0 - fade / 2.0 + 0.05);
    QVERIFY2(std::abs(middle / before - 0.5) < 0.06, qPrintable(QString::number(middle / before)));
}

void TestEncoderAudio::convertsToStereo44100_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<double>("seconds");

    for (const char *suffix : {"wav", "m4a"}) {
        const QString s = QString::fromLatin1(suffix);
        QTest::addRow("mono 22050 Hz to %s", suffix) << "mono.wav" << "mono." + s << 2.0;
        QTest::addRow("5.1 to %s", suffix) << "surround.wav" << "surround." + s << 2.0;
        QTest::addRow("48 kHz mp3 to %s", suffix) << "rate48k.mp3" << "rate48k." + s << 2.0;
        QTest::addRow("8-bit to %s", suffix) << "eightbit.wav" << "eightbit." + s << 2.0;
        QTest::addRow("movie with video to %s", suffix) << "movie.mp4" << "movie." + s << 2.0;
    }
}

void TestEncoderAudio::convertsToStereo44100()
{
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(double, seconds);

    const Run run = encode({}, fixture(input), {}, this->output(output));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(probe(this->output(output), "format=nb_streams"), QStringLiteral("1"));
    QCOMPARE(probe(this->output(output), "stream=channels"), QStringLiteral("2"));
    QCOMPARE(probe(this->output(output), "stream=sample_rate"), QStringLiteral("44100"));
    const Pcm pcm = output.endsWith(QLatin1String(".wav")) ? readWav(this->output(output))
                                                           : decodeWithReference(this->output(output));
    QVERIFY(pcm.isValid());
    QVERIFY2(std::abs(pcm.seconds() - seconds) < 0.05, qPrintable(QString::number(pcm.seconds())));
    QVERIFY2(std::abs(pcm.frequencyAt(1.0, 0.1) - 440.0) < 5.0, qPrintable(QString::number(pcm.frequencyAt(1.0))));
}

void TestEncoderAudio::ringtoneContainer_data()
{
    QTest::addColumn<QString>("output");
    QTest::newRow("m4a") << "ring.m4a";
    QTest::newRow("m4r") << "ring.m4r";
}

void TestEncoderAudio::ringtoneContainer()
{
    QFETCH(QString, output);
    const Run run = encode({"-ss", "1", "-t", "2"}, fixture("movie.mp4"), {"-vol", "384", "-fadein", "1"},
                           this->output(output));
    QCOMPARE(run.exitCode, 0);
    const QString path = this->output(output);
    QCOMPARE(probe(path, "format_tags=major_brand"), QStringLiteral("M4A"));
    QVERIFY(probe(path, "format=format_name").contains(QLatin1String("mp4")));
    QCOMPARE(probe(path, "stream=codec_name"), QStringLiteral("aac"));
    QCOMPARE(probe(path, "stream=profile"), QStringLiteral("LC"));
    const int bitRate = probe(path, "stream=bit_rate").toInt();
    QVERIFY2(bitRate > 150000 && bitRate < 230000, qPrintable(QString::number(bitRate)));
}

void TestEncoderAudio::waveSizesMatchFile()
{
    const Run run = encode({"-ss", "0.5", "-t", "1.7"}, fixture("tone.mp3"), {"-vol", "300", "-fadein", "1"},
                           output("sizes.wav"));
    QCOMPARE(run.exitCode, 0);
    const Pcm pcm = readWav(output("sizes.wav"));
    QVERIFY(pcm.isValid());
    QCOMPARE(qint64(pcm.riffSize) + 8, pcm.fileSize);
    QCOMPARE(qint64(pcm.dataSize), qint64(pcm.samples.size()) * 2);
    QCOMPARE(pcm.bitsPerSample, 16);
}

void TestEncoderAudio::progressLines()
{
    const Run run = encode({"-ss", "0.5"}, fixture("tone.wav"), {"-vol", "256", "-fadein", "0"},
                           output("progress.m4a"));
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.standardOutput.isEmpty());
    const QStringList lines = run.errorLines();
    QVERIFY(!lines.isEmpty());
    // Only our own lines: libav's log stays silent.
    static const QRegularExpression form(QStringLiteral("^size= *\\d+kB time=(\\d+\\.\\d+) bitrate=.*$"));
    double last = -1.0;
    for (const QString &line : lines) {
        const QRegularExpressionMatch match = form.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        QVERIFY(match.captured(1).toDouble() >= last);
        last = match.captured(1).toDouble();
    }
    QCOMPARE(last, 7.5);
}

void TestEncoderAudio::replacesExistingOutput()
{
    QFile old(output("again.wav"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    const Run run = encode({"-t", "1"}, fixture("tone.wav"), {}, output("again.wav"));
    QCOMPARE(run.exitCode, 0);
    const Pcm pcm = readWav(output("again.wav"));
    QCOMPARE(pcm.frames(), qint64(44100));
    QCOMPARE(QDir(m_dir.filePath("out")).entryList({"again.wav*"}, QDir::Files), QStringList{"again.wav"});
}

void TestEncoderAudio::nonAsciiNames()
{
    const QString input = fixture(QStringLiteral("Tön ü 音.wav"));
    QVERIFY(QFile::copy(fixture("tone.wav"), input));
    const QString ring = output(QStringLiteral("Klingel ä 音.m4r"));
    const Run run = encode({"-ss", "1", "-t", "1"}, input, {}, ring);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(QFile::exists(ring));
    QCOMPARE(probe(ring, "format_tags=major_brand"), QStringLiteral("M4A"));
}

void TestEncoderAudio::longNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("240 bytes") << QString(236, QLatin1Char('r')) + ".m4r";
    QTest::newRow("255 bytes") << QString(251, QLatin1Char('r')) + ".m4r";
    QTest::newRow("254 bytes of two-byte characters") << QString(125, QChar(0xE4)) + ".m4a";
}

void TestEncoderAudio::longNames()
{
    QFETCH(QString, name);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString ring = folder.filePath(name);
    const Run run = encode({"-ss", "1", "-t", "1"}, fixture("tone.wav"), {}, ring);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{name});
}

QTEST_GUILESS_MAIN(TestEncoderAudio)
#include "tst_encoder_audio.moc"
