// The clip suggestion against songs whose structure we made ourselves, and
// against sound with no chorus at all (pink noise, speech).
#include "clipsuggest.h"
#include "songgen.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

class TestClipSuggest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chromaOfTones_data();
    void chromaOfTones();
    void blocksOfAnySize();
    void chorusOfGeneratedSongs();
    void noChorus_data();
    void noChorus();
    void speech();
    void startsOnTheBeat_data();
    void startsOnTheBeat();
    void startsOnAWord_data();
    void startsOnAWord();
    void clipLength_data();
    void clipLength();
    void waveFileMatchesSamples_data();
    void waveFileMatchesSamples();
    void threadsReadLikeOne_data();
    void threadsReadLikeOne();
    void unreadableWave_data();
    void unreadableWave();
    void cancelled();
};

namespace {

double nearestChorus(const GeneratedSong &song, double t)
{
    double best = 1e9;
    for (double c : song.chorusStarts())
        best = std::min(best, std::abs(c - t));
    return best;
}

// Mean level in dB over the second that follows t.
double levelAfter(const std::vector<float> &samples, double rate, double t)
{
    const size_t first = std::min(samples.size(), size_t(t * rate));
    const size_t end = std::min(samples.size(), first + size_t(rate));
    double e = 0.0;
    for (size_t i = first; i < end; ++i)
        e += double(samples[i]) * samples[i];
    return 10.0 * std::log10(std::max(e / double(std::max<size_t>(1, end - first)), 1e-12));
}

} // namespace

void TestClipSuggest::chromaOfTones_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("hz");
    QTest::addColumn<int>("pitchClass");
    QTest::newRow("A4 at 44.1 kHz") << 44100.0 << 440.0 << 9;
    QTest::newRow("C4 at 22.05 kHz") << 22050.0 << 261.63 << 0;
    QTest::newRow("G3 at 48 kHz") << 48000.0 << 196.0 << 7;
    QTest::newRow("F#5 at 11.025 kHz") << 11025.0 << 739.99 << 6;
    QTest::newRow("B6 at 32 kHz") << 32000.0 << 1975.5 << 11;
}

void TestClipSuggest::chromaOfTones()
{
    QFETCH(double, rate);
    QFETCH(double, hz);
    QFETCH(int, pitchClass);
    std::vector<float> samples(size_t(3 * rate));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(0.3 * std::sin(2 * M_PI * hz * double(i) / rate));
    const ClipFeatures f = clipFeatures(samples.data(), samples.size(), rate);
    QVERIFY(f.chroma.size() >= 4);
    QVERIFY(std::abs(f.seconds() - 3.0) < 0.1);
    for (const auto &profile : f.chroma) {
        const auto peak = std::max_element(profile.begin(), profile.end());
        QCOMPARE(int(peak - profile.begin()), pitchClass);
        // Next to it, the neighbours are far below.
        QVERIFY(profile[size_t((pitchClass + 1) % 12)] < *peak / 4);
        QVERIFY(profile[size_t((pitchClass + 11) % 12)] < *peak / 4);
    }
    // A sine of amplitude 0.3 has a mean square of 0.045.
    QVERIFY(std::abs(f.energy[f.energy.size() / 2] - 0.045f) < 0.005f);
}

void TestClipSuggest::blocksOfAnySize()
{
    // The stream of features must not depend on how the samples come.
    SongOptions options;
    options.sampleRate = 44100.0;
    const GeneratedSong song = generateSong(3, options);
    const ClipFeatures whole = clipFeatures(song.samples.data(), song.samples.size(), 44100.0);
    CClipAnalyzer analyzer(44100.0);
    size_t step = 1;
    for (size_t i = 0; i < song.samples.size(); step = step * 7 % 1031 + 1) {
        const size_t n = std::min(step, song.samples.size() - i);
        analyzer.add(song.samples.data() + i, n);
        i += n;
    }
    const ClipFeatures pieces = analyzer.finish();
    QCOMPARE(pieces.energy.size(), whole.energy.size());
    QCOMPARE(pieces.chroma.size(), whole.chroma.size());
    for (size_t i = 0; i < whole.energy.size(); ++i)
        QVERIFY(std::abs(pieces.energy[i] - whole.energy[i]) <= 1e-4f * whole.energy[i] + 1e-9f);
    for (size_t i = 0; i < whole.chroma.size(); ++i)
        for (size_t k = 0; k < 12; ++k)
            QVERIFY(std::abs(pieces.chroma[i][k] - whole.chroma[i][k]) <= 1e-3f * whole.chroma[i][k] + 1e-6f);
}

void TestClipSuggest::chorusOfGeneratedSongs()
{
    constexpr int kSongs = 30;
    int hits = 0;
    for (int seed = 1; seed <= kSongs; ++seed) {
        SongOptions options;
        options.voice = seed % 3 != 0;
        options.leadingSilence = seed % 4 == 0 ? 3.0 : 0.0;
        const GeneratedSong song = generateSong(std::uint32_t(seed), options);
        const auto found = suggestClips(clipFeatures(song.samples.data(), song.samples.size(), song.sampleRate), 30.0);
        QVERIFY2(!found.empty(), qPrintable(QStringLiteral("song %1").arg(seed)));
        const ClipSuggestion &first = found.front();
        const double off = nearestChorus(song, first.start);
        QString starts;
        for (double c : song.chorusStarts())
            starts += QString::number(c, 'f', 1) + QLatin1Char(' ');
        if (off <= 1.0 && first.kind == ClipSuggestion::Chorus) {
            ++hits;
            // On the beat (the song's grid starts with its intro).
            const double beat = 60.0 / song.bpm;
            const double fromGrid = std::fmod(first.start - song.parts.front().start + beat / 2, beat) - beat / 2;
            QVERIFY2(std::abs(fromGrid) <= 0.06,
                     qPrintable(QStringLiteral("song %1: %2 s is %3 s off the beat").arg(seed).arg(first.start).arg(fromGrid)));
        }
        else
            qInfo("song %d (%.0f BPM): suggested %.2f s (%s), choruses at %s", seed, song.bpm, first.start,
                  first.kind == ClipSuggestion::Chorus ? "chorus" : "loudest", qPrintable(starts));
        // Never in silence, whatever was chosen.
        QVERIFY2(first.start >= options.leadingSilence - 0.05, qPrintable(QString::number(first.start)));
        QVERIFY(levelAfter(song.samples, song.sampleRate, first.start) > -30.0);
        QCOMPARE(first.end - first.start, 30.0);
    }
    qInfo("first suggestion on a chorus start in %d of %d songs", hits, kSongs);
    QVERIFY2(hits * 10 >= kSongs * 9, qPrintable(QStringLiteral("%1 of %2").arg(hits).arg(kSongs)));
}

void TestClipSuggest::noChorus_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("pink noise") << 0;
    QTest::newRow("pink noise with a loud stretch") << 1;
}

void TestClipSuggest::noChorus()
{
    QFETCH(int, kind);
    constexpr double rate = 22050.0;
    std::vector<float> samples = pinkNoise(5, 90.0, rate);
    if (kind == 1) {
        // 20 s from 50 s on twice as loud: that is the stretch to take.
        for (size_t i = size_t(50 * rate); i < size_t(70 * rate); ++i)
            samples[i] *= 2.0f;
    }
    const auto found = suggestClips(clipFeatures(samples.data(), samples.size(), rate), 20.0);
    QVERIFY(!found.empty());
    for (const ClipSuggestion &s : found)
        QCOMPARE(s.kind, ClipSuggestion::LoudestStretch);
    if (kind == 1)
        QVERIFY2(std::abs(found.front().start - 50.0) <= 0.5, qPrintable(QString::number(found.front().start)));
}

void TestClipSuggest::speech()
{
    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    if (espeak.isEmpty())
        QSKIP("espeak-ng is not installed: no speech to test with");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString wav = dir.filePath(QStringLiteral("speech.wav"));
    const QString text = QStringLiteral(
        "The quick brown fox jumps over the lazy dog. A ringtone is a short clip of sound that a phone plays "
        "when somebody calls. Most people choose the part of a song they like best, and that is usually the "
        "chorus, but a recording of somebody talking has no chorus at all. It has sentences, pauses and "
        "breaths, and the loudest stretch of it is as good a ringtone as any other part.");
    QProcess process;
    process.start(espeak, {QStringLiteral("-w"), wav, text});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    const auto found = suggestClipsFromWave(wav, 10.0);
    QVERIFY(!found.empty());
    QCOMPARE(found.front().kind, ClipSuggestion::LoudestStretch);
    QVERIFY(found.front().start >= 0.0);
    QVERIFY(found.front().end - found.front().start <= 10.0 + 1e-9);
}

void TestClipSuggest::startsOnTheBeat_data()
{
    QTest::addColumn<double>("bpm");
    QTest::addColumn<double>("offset");
    QTest::newRow("70 BPM") << 70.0 << 0.31;
    QTest::newRow("96 BPM") << 96.0 << 0.17;
    QTest::newRow("123 BPM") << 123.0 << 0.05;
    QTest::newRow("160 BPM") << 160.0 << 0.29;
}

void TestClipSuggest::startsOnTheBeat()
{
    // A beat that swells to its loudest at 30 s and fades: the loudest
    // stretch lies anywhere around the middle, and must begin on a beat.
    QFETCH(double, bpm);
    QFETCH(double, offset);
    constexpr double rate = 22050.0;
    constexpr double seconds = 60.0;
    std::vector<float> samples(size_t(seconds * rate));
    const double beat = 60.0 / bpm;
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / rate;
        const double swell = 1.0 - std::abs(t - 30.0) / 40.0;
        const double sinceBeat = t < offset ? 1e9 : std::fmod(t - offset, beat);
        const double kick = std::exp(-sinceBeat * 20.0) * std::sin(2 * M_PI * 60.0 * sinceBeat);
        const double chord = 0.1 * (std::sin(2 * M_PI * 220.0 * t) + std::sin(2 * M_PI * 277.2 * t));
        samples[i] = float(0.5 * swell * (kick + chord));
    }
    const auto found = suggestClips(clipFeatures(samples.data(), samples.size(), rate), 10.0);
    // A loop repeats from end to end, so there may be "choruses" too: every
    // suggestion must begin on a beat.
    const ClipSuggestion *loudest = nullptr;
    for (const ClipSuggestion &s : found) {
        const double fromGrid = std::fmod(s.start - offset + beat / 2, beat) - beat / 2;
        QVERIFY2(std::abs(fromGrid) <= 0.06, qPrintable(QStringLiteral("%1 s is %2 s off the beat").arg(s.start).arg(fromGrid)));
        if (s.kind == ClipSuggestion::LoudestStretch)
            loudest = &s;
    }
    QVERIFY(loudest);
    QVERIFY2(std::abs(loudest->start - 25.0) <= 1.0, qPrintable(QString::number(loudest->start)));
}

void TestClipSuggest::startsOnAWord_data()
{
    QTest::addColumn<uint>("seed");
    for (uint seed = 1; seed <= 16; ++seed)
        QTest::addRow("speech %u", seed) << seed;
}

void TestClipSuggest::startsOnAWord()
{
    // The loudest stretch of talk begins somewhere in the middle of a word;
    // the clip must begin at a word's start or in a pause instead.
    QFETCH(uint, seed);
    const GeneratedSpeech speech = generateSpeech(seed, 60.0, 20.0 + seed, 40.0 + seed);
    const auto found = suggestClips(clipFeatures(speech.samples.data(), speech.samples.size(), speech.sampleRate), 10.0);
    QVERIFY(!found.empty());
    const ClipSuggestion &first = found.front();
    QCOMPARE(first.kind, ClipSuggestion::LoudestStretch);
    QVERIFY2(first.start >= 20.0 + seed - 1.0 && first.start <= 30.0 + seed + 0.5, qPrintable(QString::number(first.start)));
    for (const auto &[from, to] : speech.words)
        QVERIFY2(first.start <= from + 0.06 || first.start >= to - 0.03,
                 qPrintable(QStringLiteral("starts at %1, inside the word %2-%3").arg(first.start).arg(from).arg(to)));
}

void TestClipSuggest::clipLength_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("asked");
    QTest::addColumn<double>("expected");
    QTest::newRow("as asked") << 60.0 << 25.0 << 25.0;
    QTest::newRow("at most forty seconds") << 120.0 << 90.0 << 40.0;
    QTest::newRow("file shorter than the clip") << 12.0 << 30.0 << 12.0;
    QTest::newRow("file shorter than forty") << 30.0 << 40.0 << 30.0;
}

void TestClipSuggest::clipLength()
{
    QFETCH(double, seconds);
    QFETCH(double, asked);
    QFETCH(double, expected);
    constexpr double rate = 22050.0;
    const std::vector<float> samples = pinkNoise(9, seconds, rate);
    const ClipFeatures features = clipFeatures(samples.data(), samples.size(), rate);
    const auto found = suggestClips(features, asked);
    QVERIFY(!found.empty());
    for (const ClipSuggestion &s : found) {
        QVERIFY(s.start >= 0.0);
        QVERIFY2(s.end <= features.seconds() + 1e-9, qPrintable(QString::number(s.end)));
        QVERIFY2(std::abs((s.end - s.start) - std::min(expected, features.seconds())) < 1e-6,
                 qPrintable(QString::number(s.end - s.start)));
    }
}

void TestClipSuggest::waveFileMatchesSamples_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("bits");
    QTest::newRow("44.1 kHz 16-bit stereo (the waveform job's)") << 44100 << 2 << 16;
    QTest::newRow("48 kHz 16-bit mono") << 48000 << 1 << 16;
    QTest::newRow("22.05 kHz 8-bit stereo") << 22050 << 2 << 8;
    QTest::newRow("11.025 kHz 8-bit mono") << 11025 << 1 << 8;
}

void TestClipSuggest::waveFileMatchesSamples()
{
    // The reader's path (brought down to mono and to the analysis rate as
    // it reads) finds what the samples themselves give.
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, bits);
    SongOptions options;
    options.sampleRate = rate;
    const GeneratedSong song = generateSong(1234, options);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString wav = dir.filePath(QStringLiteral("song.wav"));
    QVERIFY(writeWave(wav, song.samples, rate, channels, bits));
    const auto fromFile = suggestClipsFromWave(wav, 20.0);
    const auto fromSamples = suggestClips(clipFeatures(song.samples.data(), song.samples.size(), rate), 20.0);
    QVERIFY(!fromFile.empty());
    QCOMPARE(fromFile.size(), fromSamples.size());
    for (size_t i = 0; i < fromFile.size(); ++i) {
        QCOMPARE(fromFile[i].kind, fromSamples[i].kind);
        QVERIFY(std::abs(fromFile[i].start - fromSamples[i].start) < 0.1);
    }
    QVERIFY2(nearestChorus(song, fromFile.front().start) <= 1.0, qPrintable(QString::number(fromFile.front().start)));
}

void TestClipSuggest::threadsReadLikeOne_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::newRow("44.1 kHz stereo") << 44100 << 2;
    QTest::newRow("48 kHz mono") << 48000 << 1;
    QTest::newRow("32 kHz stereo") << 32000 << 2;
}

void TestClipSuggest::threadsReadLikeOne()
{
    // A long file is read in stretches side by side; joined, they must be
    // exactly what one reader gives.
    QFETCH(int, rate);
    QFETCH(int, channels);
    SongOptions options;
    options.sampleRate = rate;
    const GeneratedSong song = generateSong(21, options);
    QVERIFY(song.seconds() > 90.0);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString wav = dir.filePath(QStringLiteral("song.wav"));
    QVERIFY(writeWave(wav, song.samples, rate, channels));
    const ClipFeatures one = clipFeaturesFromWave(wav, nullptr, 1);
    QVERIFY(std::abs(one.seconds() - song.seconds()) < 0.05);
    for (unsigned threads : {2u, 3u, 8u}) {
        const ClipFeatures many = clipFeaturesFromWave(wav, nullptr, threads);
        QCOMPARE(many.energy, one.energy);
        QCOMPARE(many.chroma.size(), one.chroma.size());
        QVERIFY(many.chroma == one.chroma);
    }
}

void TestClipSuggest::unreadableWave_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a WAV") << QByteArray("ID3\x04\0\0\0\0\0\0", 10);
    QByteArray floatWav("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x03\0\x01\0\x44\xac\0\0\x10\xb1\x02\0\x04\0\x20\0data\0\0\0\0", 44);
    QTest::newRow("float samples") << floatWav;
    QTest::newRow("no data chunk") << floatWav.left(36);
}

void TestClipSuggest::unreadableWave()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("bad.wav"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QVERIFY(suggestClipsFromWave(path, 20.0).empty());
    QVERIFY(suggestClipsFromWave(dir.filePath(QStringLiteral("missing.wav")), 20.0).empty());
}

void TestClipSuggest::cancelled()
{
    const GeneratedSong song = generateSong(77);
    const ClipFeatures features = clipFeatures(song.samples.data(), song.samples.size(), song.sampleRate);
    std::atomic_bool cancel = true;
    QVERIFY(suggestClips(features, 20.0, &cancel).empty());
    cancel = false;
    QVERIFY(!suggestClips(features, 20.0, &cancel).empty());
}

QTEST_GUILESS_MAIN(TestClipSuggest)
#include "tst_clipsuggest.moc"
