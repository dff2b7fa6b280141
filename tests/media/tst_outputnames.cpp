// Naming and placing the window's output files, and the decoded length of the
// waveform's WAV file.
#include "outputnames.h"
#include "wavelength.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// A RIFF/WAVE file with the given chunks after the header.
QByteArray wave(quint32 rate, quint16 blockAlign, const QByteArray &beforeData, quint32 claimedData,
                qsizetype realData)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(0);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(2) << rate << rate * blockAlign << blockAlign << quint16(16);
    out.writeRawData(beforeData.constData(), int(beforeData.size()));
    out.writeRawData("data", 4);
    out << claimedData;
    bytes.append(QByteArray(realData, '\0'));
    qToLittleEndian(quint32(bytes.size() - 8), bytes.data() + 4);
    return bytes;
}

} // namespace

class TestOutputNames final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fittedBaseName_data();
    void fittedBaseName();
    void namesAreNumberedWhenTaken();
    void ringtoneNameFallsBackToTheInput_data();
    void ringtoneNameFallsBackToTheInput();
    void makeFolder();
    void waveLength_data();
    void waveLength();
};

void TestOutputNames::fittedBaseName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<int>("bytes");

    QTest::newRow("short") << "Morning" << "m4r" << 7;
    // 255 - "(999)" - "." - "m4r" leaves 246 bytes.
    QTest::newRow("exactly the room") << QString(246, QLatin1Char('a')) << "m4r" << 246;
    QTest::newRow("one byte over") << QString(247, QLatin1Char('a')) << "m4r" << 246;
    // Two-byte characters are never split.
    QTest::newRow("two-byte characters") << QString(125, QChar(0x00e9)) << "m4r" << 246;
    QTest::newRow("two-byte characters, odd room") << QString(125, QChar(0x00e9)) << "aiff" << 244;
    // A character outside the BMP is one surrogate pair of four bytes.
    QTest::newRow("four-byte characters") << QString::fromUtf8("\xf0\x9f\x8e\xb5").repeated(70) << "m4a" << 244;
}

void TestOutputNames::fittedBaseName()
{
    QFETCH(QString, name);
    QFETCH(QString, suffix);
    QFETCH(int, bytes);
    const QString fitted = OutputNames::fittedBaseName(name, suffix);
    QCOMPARE(fitted.toUtf8().size(), bytes);
    QVERIFY(name.startsWith(fitted));
    QVERIFY(!fitted.isEmpty() && !fitted.back().isHighSurrogate());
}

void TestOutputNames::namesAreNumberedWhenTaken()
{
    QTemporaryDir dir;
    const QString input = QStringLiteral("/music/Song.mp3");
    QCOMPARE(OutputNames::encodedFile(dir.path(), input), dir.filePath(QStringLiteral("Song.m4a")));
    touch(dir.filePath(QStringLiteral("Song.m4a")));
    QCOMPARE(OutputNames::encodedFile(dir.path(), input), dir.filePath(QStringLiteral("Song(1).m4a")));

    const QString encoded = dir.filePath(QStringLiteral("Song.m4a"));
    QCOMPARE(OutputNames::ringtoneFile(encoded, QStringLiteral("Ring")), dir.filePath(QStringLiteral("Ring.m4r")));
    touch(dir.filePath(QStringLiteral("Ring.m4r")));
    touch(dir.filePath(QStringLiteral("Ring(1).m4r")));
    QCOMPARE(OutputNames::ringtoneFile(encoded, QStringLiteral("Ring")),
             dir.filePath(QStringLiteral("Ring(2).m4r")));

    // A long name keeps room for its number.
    const QString longName(250, QLatin1Char('x'));
    const QString first = OutputNames::ringtoneFile(encoded, longName);
    touch(first);
    const QString second = OutputNames::ringtoneFile(encoded, longName);
    QVERIFY(first != second);
    touch(second);
    QVERIFY(QFile::exists(second));
}

void TestOutputNames::ringtoneNameFallsBackToTheInput_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("name");
    const QString song = QStringLiteral("/music/Song.mp3");
    QTest::newRow("typed") << " My:Tone? " << song << "MyTone";
    QTest::newRow("only removed characters") << " :?* " << song << "Song";
    QTest::newRow("slashes") << "AC/DC" << song << "ACDC";
    QTest::newRow("dots in the middle and at the end") << "Mr. Blue Sky..." << song << "Mr. Blue Sky...";
    // Neither a hidden "...m4r" nor a ringtone called "..".
    QTest::newRow("slashes and dots") << "///.." << song << "Song";
    QTest::newRow("one dot") << "." << song << "Song";
    QTest::newRow("dots and blanks") << " . . " << song << "Song";
    QTest::newRow("leading dots") << "..hidden" << song << "hidden";
    QTest::newRow("hidden input") << "" << "/music/.secret.mp3" << "secret";
    QTest::newRow("input of dots") << "..." << "/music/..mp3" << "Ringtone";
}

void TestOutputNames::ringtoneNameFallsBackToTheInput()
{
    QFETCH(QString, typed);
    QFETCH(QString, input);
    QFETCH(QString, name);
    QCOMPARE(OutputNames::ringtoneName(typed, input), name);
}

void TestOutputNames::makeFolder()
{
    QTemporaryDir dir;
    QVERIFY(OutputNames::makeFolder(dir.filePath(QStringLiteral("a/b/c"))));
    QVERIFY(OutputNames::makeFolder(dir.filePath(QStringLiteral("a/b/c"))));
    touch(dir.filePath(QStringLiteral("plain")));
    QVERIFY(!OutputNames::makeFolder(dir.filePath(QStringLiteral("plain/sub"))));
    QVERIFY(!OutputNames::makeFolder(QString()));
}

void TestOutputNames::waveLength_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("seconds");

    QTest::newRow("two seconds") << wave(44100, 4, {}, 44100 * 8, 44100 * 8) << 2.0;
    // A cut file: the header claims 45 s, 6 s are there.
    QTest::newRow("claims more than it holds") << wave(44100, 4, {}, 44100 * 4 * 45, 44100 * 4 * 6) << 6.0;
    // An odd-sized chunk before the data is padded to an even size.
    QTest::newRow("odd chunk before the data")
        << wave(8000, 2, QByteArray("LIST\x03\x00\x00\x00" "abc\x00", 12), 16000, 16000) << 1.0;
    QTest::newRow("no data chunk") << wave(44100, 4, {}, 0, 0).left(36) << 0.0;
    QTest::newRow("not a wave") << QByteArray("ID3\x04 not a wave file at all") << 0.0;
    QTest::newRow("no rate") << wave(0, 4, {}, 400, 400) << 0.0;
}

void TestOutputNames::waveLength()
{
    QFETCH(QByteArray, bytes);
    QFETCH(double, seconds);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.wav"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QCOMPARE(waveLengthSeconds(path), seconds);
}

QTEST_GUILESS_MAIN(TestOutputNames)
#include "tst_outputnames.moc"
