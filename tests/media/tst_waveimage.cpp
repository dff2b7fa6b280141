#include "waveimage.h"
#include "wavelength.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using Peak = CWaveImage::Peak;

Q_DECLARE_METATYPE(std::vector<Peak>)

namespace {

// ---- fixtures -------------------------------------------------------------

QByteArray le16(quint16 v)
{
    QByteArray b(2, 0);
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, 0);
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le64(qint64 v)
{
    QByteArray b(8, 0);
    qToLittleEndian(v, b.data());
    return b;
}

// The 16 bytes every "fmt " chunk starts with.
QByteArray fmtFields(quint16 format, quint16 channels, quint16 bits)
{
    const quint16 bytes = quint16((bits + 7) / 8);
    return le16(format) + le16(channels) + le32(44100) + le32(44100u * channels * bytes)
           + le16(quint16(channels * bytes)) + le16(bits);
}

// Builds RIFF/WAVE files chunk by chunk, including malformed ones.
class WavBuilder
{
public:
    // declared: the size written in the header when it should lie.
    WavBuilder &chunk(const QByteArray &id, const QByteArray &body, std::optional<quint32> declared = {},
                      bool pad = true)
    {
        m_body += id + le32(declared.value_or(quint32(body.size()))) + body;
        if (pad && (body.size() & 1))
            m_body += '\0';
        return *this;
    }

    // size 16, 18 (extension size 0) or more (extension filling the rest).
    WavBuilder &fmt(quint16 format, quint16 channels, quint16 bits, int size = 16)
    {
        QByteArray body = fmtFields(format, channels, bits);
        if (size >= 18)
            body += le16(quint16(size - 18)) + QByteArray(size - 18, '\x5a');
        else
            body += QByteArray(size - 16, '\x5a');
        return chunk("fmt ", body);
    }

    WavBuilder &data(const QByteArray &samples, std::optional<quint32> declared = {})
    {
        return chunk("data", samples, declared, false);
    }

    QByteArray build(qint64 riffSizeError = 0, const QByteArray &form = "WAVE") const
    {
        const QByteArray rest = form + m_body;
        return "RIFF" + le32(quint32(rest.size() + riffSizeError)) + rest;
    }

    // As a writer leaves it when it cannot go back: both sizes 0xFFFFFFFF.
    QByteArray buildUnfilled() const
    {
        QByteArray file = build();
        file.replace(4, 4, le32(0xffffffffu));
        return file;
    }

    // RF64: the 32-bit sizes at 0xFFFFFFFF and the real ones in "ds64",
    // ahead of every other chunk. dataSize: what ds64 states for the data.
    static QByteArray rf64(const QByteArray &fmtChunk, const QByteArray &samples, qint64 dataSize,
                           qint64 riffSizeError = 0)
    {
        const QByteArray tail = fmtChunk + "data" + le32(0xffffffffu) + samples;
        const qint64 riff = 4 + 8 + 28 + tail.size() + riffSizeError;
        const QByteArray ds64 = "ds64" + le32(28) + le64(riff) + le64(dataSize) + le64(dataSize / 4) + le32(0);
        return "RF64" + le32(0xffffffffu) + "WAVE" + ds64 + tail;
    }

    QByteArray fmtOnly() const { return m_body; }

private:
    QByteArray m_body;
};

// Deterministic full-range noise, so every column has its own extremes.
QByteArray noise16(int values, quint32 seed = 1)
{
    QByteArray out;
    out.reserve(values * 2);
    for (int i = 0; i < values; ++i) {
        seed = seed * 1664525u + 1013904223u;
        out += le16(quint16(seed >> 16));
    }
    return out;
}

QByteArray noise8(int values, quint32 seed = 7)
{
    QByteArray out;
    for (int i = 0; i < values; ++i) {
        seed = seed * 1664525u + 1013904223u;
        out += char(seed >> 24);
    }
    return out;
}

// The column extremes the plain way: one division per sample value, every
// channel, updates by "below the minimum, else above the maximum".
std::vector<Peak> referencePeaks(const QByteArray &present, int bytesPerSample, quint64 sampleCount, int width)
{
    std::vector<Peak> table(static_cast<size_t>(width));
    const quint32 values = quint32(present.size() / bytesPerSample);
    for (quint32 p = 0; p < values; ++p) {
        const qint16 v = bytesPerSample == 2
                             ? qFromLittleEndian<qint16>(present.constData() + 2 * p)
                             : qint16((quint8(present.at(p)) - 128) * 256);
        const int c = int(double(p) * width / sampleCount);
        if (v < table[c].min)
            table[c].min = v;
        else if (v > table[c].max)
            table[c].max = v;
    }
    return table;
}

// Everything the reader writes to the debug channel during one call.
class MessageCapture
{
public:
    MessageCapture()
    {
        s_lines.clear();
        m_previous = qInstallMessageHandler(&MessageCapture::handle);
    }
    ~MessageCapture() { qInstallMessageHandler(m_previous); }
    QStringList lines() const { return s_lines; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (type == QtDebugMsg)
            s_lines << text;
    }
    static inline QStringList s_lines;
    QtMessageHandler m_previous;
};

// A stream that cannot seek, so chunks are skipped by reading.
class SequentialStream final : public QIODevice
{
public:
    explicit SequentialStream(const QByteArray &data)
        : m_data(data)
    {
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_data.size() - m_offset + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char *out, qint64 max) override
    {
        const qint64 n = std::min<qint64>(max, m_data.size() - m_offset);
        if (out) // QIODevice::skip() reads into nothing
            memcpy(out, m_data.constData() + m_offset, size_t(n));
        m_offset += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_offset = 0;
};

struct Accepted
{
    QByteArray file;
    QByteArray present; // the sample bytes that really follow the data header
    int bytesPerSample;
    int channels;
    quint64 sampleCount;
    int width;
};

} // namespace

Q_DECLARE_METATYPE(Accepted)

bool operator==(const Peak &a, const Peak &b)
{
    return a.max == b.max && a.min == b.min;
}

namespace QTest {
template <>
char *toString(const std::vector<Peak> &table)
{
    QByteArray text;
    for (size_t i = 0; i < table.size() && i < 12; ++i)
        text += QByteArray::number(table[i].min) + '/' + QByteArray::number(table[i].max) + ' ';
    return qstrdup(text.constData());
}
} // namespace QTest

class TestWaveImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void columnStartMatchesFormula_data();
    void columnStartMatchesFormula();
    void columnStartOnLongFiles();
    void sizesFromWhatTheFileHolds_data();
    void sizesFromWhatTheFileHolds();
    void lengthAgreesWithThePicture_data();
    void lengthAgreesWithThePicture();
    void rows();
    void accepted_data();
    void accepted();
    void rejected_data();
    void rejected();
    void silenceIsFlatAtMid();
    void drawing();
    void readsFromFile();
    void readsFromSequentialStream();
    void refusesWhatIsNotARegularFile_data();
    void refusesWhatIsNotARegularFile();
    void regressionInputs();
};

void TestWaveImage::columnStartMatchesFormula_data()
{
    QTest::addColumn<int>("maxWidth");
    QTest::addColumn<quint32>("maxCount");
    QTest::newRow("small") << 40 << quint32(300);
    QTest::newRow("wide") << 700 << quint32(97);
}

void TestWaveImage::columnStartMatchesFormula()
{
    QFETCH(int, maxWidth);
    QFETCH(quint32, maxCount);
    for (int width = 1; width <= maxWidth; ++width) {
        for (quint32 count = 1; count <= maxCount; ++count) {
            quint32 p = 0;
            for (int column = 0; column <= width; ++column) {
                // Naive: the first p whose column is at least `column`.
                while (p < count && waveColumn(p, width, count) < column)
                    ++p;
                if (waveColumnStart(column, width, count) != p)
                    QFAIL(qPrintable(QStringLiteral("width %1 count %2 column %3").arg(width).arg(count).arg(column)));
            }
        }
    }
}

void TestWaveImage::columnStartOnLongFiles()
{
    // 60 minutes of 44.1 kHz stereo and the 32-bit limit, on widget widths.
    for (const quint32 count : {158760000u, 2646000u, 4294967295u, 4294967291u, 1000003u}) {
        for (const int width : {1, 530, 600, 1921, 65536, 1000003}) {
            for (int column = 0; column <= width; column += (width > 5000 ? 97 : 1)) {
                const quint64 s = waveColumnStart(column, width, count);
                QVERIFY(s == count || waveColumn(s, width, count) >= column);
                QVERIFY(s == 0 || waveColumn(s - 1, width, count) < column);
            }
            QCOMPARE(waveColumnStart(width, width, count), quint64(count));
        }
    }
    // Past 2^32 values (13.5 hours of stereo and more): no wrap-around.
    for (const quint64 count : {quint64(1) << 32, (quint64(1) << 33) + 7, quint64(5) << 40}) {
        for (const int width : {530, 1921}) {
            for (int column = 0; column <= width; column += 13) {
                const quint64 s = waveColumnStart(column, width, count);
                QVERIFY(s == count || waveColumn(s, width, count) >= column);
                QVERIFY(s == 0 || waveColumn(s - 1, width, count) < column);
                QVERIFY(qAbs(double(s) - double(column) * double(count) / width) < 2.0);
            }
        }
    }
}

void TestWaveImage::sizesFromWhatTheFileHolds_data()
{
    QTest::addColumn<quint32>("riffSize");
    QTest::addColumn<qint64>("riff64");
    QTest::addColumn<quint32>("dataSize");
    QTest::addColumn<qint64>("data64");
    QTest::addColumn<qint64>("fileSize");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<qint64>("dataBytes");

    const qint64 header = 44; // data starts here
    const qint64 big = (qint64(1) << 32) + 123456; // bytes of sound past 4 GiB
    QTest::newRow("plain") << quint32(36 + 1000) << qint64(-1) << quint32(1000) << qint64(-1) << header + 1000
                           << true << qint64(1000);
    QTest::newRow("truncated file") << quint32(36 + 1000) << qint64(-1) << quint32(1000) << qint64(-1)
                                    << header + 600 << false << qint64(600);
    QTest::newRow("data size past the end") << quint32(36 + 600) << qint64(-1) << 0xfffffff0u << qint64(-1)
                                            << header + 600 << true << qint64(600);
    QTest::newRow("unfilled past 4 GiB") << 0xffffffffu << qint64(-1) << 0xffffffffu << qint64(-1) << header + big
                                         << true << big;
    QTest::newRow("wrapped past 4 GiB") << quint32(36 + big) << qint64(-1) << quint32(big) << qint64(-1)
                                        << header + big << true << big;
    QTest::newRow("wrapped twice") << quint32(36 + big) << qint64(-1) << quint32(big) << qint64(-1)
                                   << header + big + (qint64(1) << 32) << true << big + (qint64(1) << 32);
    QTest::newRow("small size in a large file") << quint32(36 + 1000) << qint64(-1) << quint32(1000) << qint64(-1)
                                                << header + 1000 + (qint64(1) << 31) << false << qint64(1000);
    QTest::newRow("RF64") << 0xffffffffu << qint64(36 + 36 + big) << 0xffffffffu << big << header + 36 + big << true
                          << big;
    QTest::newRow("RF64 cut short") << 0xffffffffu << qint64(36 + 36 + big) << 0xffffffffu << big
                                    << header + 36 + big - 100 << false << big - 100;
}

void TestWaveImage::sizesFromWhatTheFileHolds()
{
    QFETCH(quint32, riffSize);
    QFETCH(qint64, riff64);
    QFETCH(quint32, dataSize);
    QFETCH(qint64, data64);
    QFETCH(qint64, fileSize);
    QFETCH(bool, fits);
    QFETCH(qint64, dataBytes);
    QCOMPARE(wavRiffSizeFits(riffSize, riff64, fileSize), fits);
    const qint64 dataStart = riff64 >= 0 ? 44 + 36 : 44;
    QCOMPARE(wavDataBytes(dataSize, data64, fileSize - dataStart), dataBytes);
}

void TestWaveImage::lengthAgreesWithThePicture_data()
{
    QTest::addColumn<QByteArray>("file");

    const QByteArray stereo = noise16(2 * 44100, 17);
    const QByteArray fmtChunk = WavBuilder().fmt(1, 2, 16).fmtOnly();
    QTest::newRow("plain") << WavBuilder().fmt(1, 2, 16).data(stereo).build();
    QTest::newRow("data size past the end") << WavBuilder().fmt(1, 2, 16).data(stereo, 0x7ffffff0u).build();
    QTest::newRow("data size 0xFFFFFFFF") << WavBuilder().fmt(1, 2, 16).data(stereo, 0xffffffffu).build();
    QTest::newRow("both sizes 0xFFFFFFFF") << WavBuilder().fmt(1, 2, 16).data(stereo, 0xffffffffu).buildUnfilled();
    QTest::newRow("RIFF size wrong") << WavBuilder().fmt(1, 2, 16).data(stereo).build(4096);
    QTest::newRow("RF64") << WavBuilder::rf64(fmtChunk, stereo, stereo.size());
    QTest::newRow("RF64 size wrong") << WavBuilder::rf64(fmtChunk, stereo, stereo.size(), 1 << 20);
    QTest::newRow("mono") << WavBuilder().fmt(1, 1, 16).data(stereo).build();
}

void TestWaveImage::lengthAgreesWithThePicture()
{
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.wav"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();

    QFile in(path);
    CWaveImage builder(530, 50);
    MessageCapture messages;
    const bool drawn = builder.read(&in);
    const double length = waveLengthSeconds(path);
    if (!drawn) {
        QCOMPARE(length, 0.0);
        return;
    }
    QVERIFY(length > 0.0);
    // Every column to the right edge holds sound: nothing squeezed.
    QVERIFY(builder.peaks().back().max > 0);
    const int channels = qFromLittleEndian<quint16>(file.constData() + (file.startsWith("RF64") ? 58 : 22));
    QCOMPARE(length, double(builder.sampleCount() / channels) / 44100);
}

void TestWaveImage::rows()
{
    for (const int height : {1, 2, 49, 50, 51, 100, 1080, 4001}) {
        QCOMPARE(waveRow(32767, height), 0);
        QCOMPARE(waveRow(0, height), height / 2);
        QVERIFY(qAbs(waveRow(-32768, height) - height) <= 1);
    }
    QCOMPARE(waveRow(16384, 50), 25 - 12);
    QCOMPARE(waveRow(-16384, 50), 25 + 12);
}

void TestWaveImage::accepted_data()
{
    QTest::addColumn<Accepted>("c");

    const QByteArray stereo = noise16(2 * 5003);
    auto add16 = [&](const char *name, const QByteArray &file, const QByteArray &samples, int channels, int width) {
        QTest::newRow(name) << Accepted{file, samples, 2, channels, quint64(samples.size() / 2), width};
    };

    add16("canonical 16-bit stereo", WavBuilder().fmt(1, 2, 16).data(stereo).build(), stereo, 2, 530);
    add16("16-bit mono", WavBuilder().fmt(1, 1, 16).data(stereo).build(), stereo, 1, 37);
    add16("fmt of 18 bytes", WavBuilder().fmt(1, 2, 16, 18).data(stereo).build(), stereo, 2, 530);
    add16("fmt of 40 bytes", WavBuilder().fmt(1, 2, 16, 40).data(stereo).build(), stereo, 2, 530);
    add16("fmt of odd size", WavBuilder().fmt(1, 2, 16, 17).data(stereo).build(), stereo, 2, 530);
    add16("fmt of 20 bytes", WavBuilder().fmt(1, 2, 16, 20).data(stereo).build(), stereo, 2, 530);
    add16("LIST JUNK bext PAD before data",
          WavBuilder()
              .chunk("JUNK", QByteArray(28, 0))
              .fmt(1, 2, 16)
              .chunk("LIST", "INFOISFT\x0e\0\0\0Lavf59.27.100\0", {})
              .chunk("bext", QByteArray(602, 'b'))
              .chunk("PAD ", QByteArray(4000, 0))
              .data(stereo)
              .build(),
          stereo, 2, 530);
    add16("odd-sized chunks padded",
          WavBuilder().chunk("LIST", "abcde").fmt(1, 2, 16).chunk("JUNK", "x").data(stereo).build(), stereo, 2, 530);
    add16("chunk after data ignored",
          WavBuilder().fmt(1, 2, 16).data(stereo).chunk("LIST", QByteArray(100, 'l')).build(), stereo, 2, 530);
    add16("fmt of 18 bytes with an extension size",
          WavBuilder().chunk("fmt ", fmtFields(1, 2, 16) + le16(22)).chunk("LIST", "abcd").data(stereo).build(),
          stereo, 2, 530);
    add16("12 bits in 2-byte samples", WavBuilder().fmt(1, 2, 12).data(stereo).build(), stereo, 2, 530);
    add16("three channels", WavBuilder().fmt(1, 3, 16).data(stereo).build(), stereo, 3, 64);
    add16("four channels", WavBuilder().fmt(1, 4, 16).data(stereo).build(), stereo, 4, 530);
    add16("width of one", WavBuilder().fmt(1, 2, 16).data(stereo).build(), stereo, 2, 1);

    const QByteArray few = noise16(301, 3);
    add16("width larger than sample count", WavBuilder().fmt(1, 1, 16).data(few).build(), few, 1, 1000);

    const QByteArray block = noise16(262144, 5);
    add16("one block", WavBuilder().fmt(1, 2, 16).data(block).build(), block, 2, 530);
    const QByteArray blockPlus = noise16(262145, 9);
    add16("one block plus one sample", WavBuilder().fmt(1, 1, 16).data(blockPlus).build(), blockPlus, 1, 530);
    const QByteArray blocks = noise16(3 * 262144 + 1001, 11);
    add16("several blocks stereo", WavBuilder().fmt(1, 2, 16).data(blocks).build(), blocks, 2, 613);
    // 2^18 values per block: the blocks cut frames of six channels apart.
    add16("several blocks six channels", WavBuilder().fmt(1, 6, 16).data(blocks).build(), blocks, 6, 613);

    // A trailing odd byte of 16-bit data is no sample.
    const QByteArray odd = stereo.left(2001);
    QTest::newRow("odd data size") << Accepted{WavBuilder().fmt(1, 2, 16).data(odd).build(), odd, 2, 2, 1000, 100};

    // The data header promises more than the file holds (RIFF size matches
    // the file): what is there spans the whole width, as the length the
    // window takes from the same file counts only that.
    QTest::newRow("truncated data")
        << Accepted{WavBuilder().fmt(1, 2, 16).data(stereo.left(5000), 20000).build(), stereo.left(5000), 2, 2,
                    2500, 100};
    QTest::newRow("data size past the end")
        << Accepted{WavBuilder().fmt(1, 1, 16).data(few, 0xfffffff0u).build(), few, 2, 1, 301, 50};
    // Sizes the writer could not fill (the stream passed 4 GiB, or it could
    // not seek back): the data runs to the end of the file.
    QTest::newRow("unfilled sizes")
        << Accepted{WavBuilder().fmt(1, 2, 16).data(stereo, 0xffffffffu).buildUnfilled(), stereo, 2, 2,
                    quint64(stereo.size() / 2), 530};
    const QByteArray fmtChunk = WavBuilder().fmt(1, 2, 16).fmtOnly();
    QTest::newRow("RF64") << Accepted{WavBuilder::rf64(fmtChunk, stereo, stereo.size()), stereo, 2, 2,
                                      quint64(stereo.size() / 2), 530};
    QTest::newRow("RF64 stating less data")
        << Accepted{WavBuilder::rf64(fmtChunk, stereo, 4000), stereo.left(4000), 2, 2, 2000, 530};
    // A stereo recording with sound on the right only is not drawn flat.
    QByteArray rightOnly = stereo;
    for (int i = 0; i < rightOnly.size(); i += 4)
        rightOnly[i] = rightOnly[i + 1] = 0;
    add16("sound on the right only", WavBuilder().fmt(1, 2, 16).data(rightOnly).build(), rightOnly, 2, 530);

    const QByteArray bytes = noise8(7001);
    QTest::newRow("8-bit mono") << Accepted{WavBuilder().fmt(1, 1, 8).data(bytes).build(), bytes, 1, 1, 7001, 530};
    QTest::newRow("8-bit stereo") << Accepted{WavBuilder().fmt(1, 2, 8).data(bytes).build(), bytes, 1, 2, 7001, 77};
    QTest::newRow("8-bit five channels")
        << Accepted{WavBuilder().fmt(1, 5, 8).data(bytes).build(), bytes, 1, 5, 7001, 77};
}

void TestWaveImage::accepted()
{
    QFETCH(Accepted, c);

    QBuffer buffer;
    buffer.setData(c.file);
    CWaveImage builder(c.width, 50);
    MessageCapture messages;
    QVERIFY(builder.read(&buffer));
    QCOMPARE(messages.lines(), QStringList());

    QCOMPARE(builder.image().size(), QSize(c.width, 50));
    QCOMPARE(builder.image().format(), QImage::Format_ARGB32);
    QCOMPARE(builder.sampleCount(), c.sampleCount);
    QCOMPARE(builder.position(), quint64(c.present.size() / c.bytesPerSample));
    QCOMPARE(builder.peaks(), referencePeaks(c.present, c.bytesPerSample, c.sampleCount, c.width));
    // Every row holds full-range noise: a flat table means the samples were lost.
    QVERIFY(std::any_of(builder.peaks().begin(), builder.peaks().end(), [](const Peak &p) { return p.max > 0; }));
    QVERIFY(!buffer.isOpen());
}

void TestWaveImage::rejected_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("message");

    const QByteArray samples = noise16(200);
    const QByteArray good = WavBuilder().fmt(1, 2, 16).data(samples).build();
    auto add = [](const char *name, const QByteArray &file, const QString &message, int width = 100) {
        QTest::newRow(name) << file << width << message;
    };

    add("empty stream", QByteArray(), "Error: file header is not RIFF");
    add("not RIFF", "RIFX" + good.mid(4), "Error: file header is not RIFF");
    const QString sizes = QStringLiteral("Error: the RIFF header gives a file of %1 bytes, but the file has %2 bytes");
    add("RIFF size too big", WavBuilder().fmt(1, 2, 16).data(samples).build(6), sizes.arg(good.size() + 6).arg(good.size()));
    add("RIFF size too small", WavBuilder().fmt(1, 2, 16).data(samples).build(-3),
        sizes.arg(good.size() - 3).arg(good.size()));
    add("header cut short", good.left(6), "Error: the stream ends inside the RIFF header (6 bytes)");
    const QByteArray fmtChunk = WavBuilder().fmt(1, 2, 16).fmtOnly();
    const QByteArray rf64 = WavBuilder::rf64(fmtChunk, samples, samples.size(), 10);
    add("RF64 size too big", rf64, sizes.arg(rf64.size() + 10).arg(rf64.size()));
    QByteArray noDs64 = WavBuilder().fmt(1, 2, 16).data(samples).build();
    noDs64.replace(0, 4, "RF64");
    add("RF64 without ds64", noDs64, "Error: RF64 file without a valid ds64 chunk");
    add("not WAVE", WavBuilder().fmt(1, 2, 16).data(samples).build(0, "AVI "),
        QStringLiteral("Error: uint32ChunkId = %1").arg(0x20495641u));
    add("float samples", WavBuilder().fmt(3, 2, 32).data(samples).build(), "Not PCM format!");
    add("extensible format", WavBuilder().fmt(0xfffe, 2, 16, 40).data(samples).build(), "Not PCM format!");
    add("data before fmt", WavBuilder().data(samples).fmt(1, 2, 16).build(), "No format chunk before data chunk!");
    add("no bits per sample", WavBuilder().fmt(1, 2, 0).data(samples).build(), "Wrong bits per sample!");
    add("4 bits per sample", WavBuilder().fmt(1, 2, 4).data(samples).build(), "Wrong bits per sample!");
    add("7 bits per sample", WavBuilder().fmt(1, 1, 7).data(samples).build(), "Wrong bits per sample!");
    add("no channels", WavBuilder().fmt(1, 0, 16).data(samples).build(), "uint16Channels = 0");
    add("24-bit", WavBuilder().fmt(1, 2, 24).data(samples).build(), "uint16BytesPerSample = 3");
    add("32-bit", WavBuilder().fmt(1, 2, 32).data(samples).build(), "uint16BytesPerSample = 4");
    add("no whole sample", WavBuilder().fmt(1, 2, 16).data("x").build(), "uint32SampleCount = 0");
    add("no data chunk", WavBuilder().fmt(1, 2, 16).chunk("LIST", "abcd").build(), "No data chunk!");
    add("chunk size past the end", WavBuilder().fmt(1, 2, 16).chunk("LIST", "abcd", 0xfffffff0u).data(samples).build(),
        "No data chunk!");
    add("fmt cut short", WavBuilder().chunk("fmt ", le16(1) + le16(2), 16, false).build(), "No data chunk!");
    const QByteArray pcmFields = fmtFields(1, 2, 16);
    add("fmt extension past the end", WavBuilder().chunk("fmt ", pcmFields, 60).build(), "No data chunk!");
    add("fmt extension size past the end", WavBuilder().chunk("fmt ", pcmFields + le16(500), 18).build(),
        "No data chunk!");
    add("zero width", good, "Error: image size = 0 x 50", 0);
    add("negative width", good, "Error: image size = -5 x 50", -5);
    add("absurd width", good, "Error: image size = 2000000000 x 50", 2000000000);
}

void TestWaveImage::rejected()
{
    QFETCH(QByteArray, file);
    QFETCH(int, width);
    QFETCH(QString, message);

    QBuffer buffer;
    buffer.setData(file);
    MessageCapture messages;
    QVERIFY(CreateWaveImage(&buffer, width, 50).isNull());
    QCOMPARE(messages.lines(), QStringList{message});
}

void TestWaveImage::silenceIsFlatAtMid()
{
    QBuffer buffer;
    buffer.setData(WavBuilder().fmt(1, 2, 16).data(QByteArray(4 * 44100, 0)).build());
    const QImage image = CreateWaveImage(&buffer, 20, 50);
    QCOMPARE(image.size(), QSize(20, 50));
    for (int x = 0; x < 20; ++x) {
        QCOMPARE(qAlpha(image.pixel(x, 25)), 255);
        for (int y = 0; y < 50; ++y) {
            if (y < 23 || y > 26)
                QCOMPARE(image.pixel(x, y), 0u);
        }
    }
}

void TestWaveImage::drawing()
{
    // Eight columns of 100 mono values: columns 2 to 5 full scale, the rest
    // silent. The outline runs along the top and bottom rows there, so the
    // middle of the band is pure yellow.
    QByteArray samples;
    for (int p = 0; p < 800; ++p) {
        const bool loud = p >= 200 && p < 600;
        samples += le16(loud ? quint16(p & 1 ? 0x8000 : 0x7fff) : 0);
    }
    QBuffer buffer;
    buffer.setData(WavBuilder().fmt(1, 1, 16).data(samples).build());
    const QImage image = CreateWaveImage(&buffer, 8, 50);
    QCOMPARE(image.format(), QImage::Format_ARGB32);
    for (int y = 5; y <= 45; y += 5)
        QCOMPARE(image.pixel(3, y), qRgb(255, 255, 0));
    QCOMPARE(image.pixel(4, 25), qRgb(255, 255, 0));
    QCOMPARE(image.pixel(7, 5), 0u);
    QCOMPARE(image.pixel(0, 45), 0u);
    // The outline is dark where it runs along the top of the loud columns.
    const QRgb top = image.pixel(3, 0);
    QCOMPARE(qAlpha(top), 255);
    QVERIFY(qRed(top) < 200);
}

void TestWaveImage::readsFromFile()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("tone.wav")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray samples = noise16(2 * 44100);
    file.write(WavBuilder().fmt(1, 2, 16).chunk("LIST", "odd").data(samples).build());
    file.close();

    QFile input(file.fileName());
    CWaveImage builder(600, 40);
    QVERIFY(builder.read(&input));
    QVERIFY(!input.isOpen());
    QCOMPARE(builder.peaks(), referencePeaks(samples, 2, quint64(samples.size() / 2), 600));

    QFile missing(dir.filePath(QStringLiteral("absent.wav")));
    MessageCapture messages;
    QVERIFY(CreateWaveImage(&missing, 600, 40).isNull());
    QCOMPARE(messages.lines().size(), 1);
}

void TestWaveImage::readsFromSequentialStream()
{
    const QByteArray samples = noise16(4000, 13);
    SequentialStream stream(WavBuilder().fmt(1, 2, 16, 40).chunk("LIST", QByteArray(5000, 'l')).data(samples).build());
    CWaveImage builder(90, 30);
    QVERIFY(builder.read(&stream));
    QCOMPARE(builder.peaks(), referencePeaks(samples, 2, 4000, 90));

    SequentialStream cut(WavBuilder().fmt(1, 2, 16).chunk("LIST", "abcd", 100000).data(samples).build());
    MessageCapture messages;
    QVERIFY(CreateWaveImage(&cut, 90, 30).isNull());
    QCOMPARE(messages.lines(), QStringList{"No data chunk!"});
}

void TestWaveImage::refusesWhatIsNotARegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory") << "directory";
#ifdef Q_OS_UNIX
    QTest::newRow("fifo") << "fifo";
    QTest::newRow("character device") << "device";
#endif
}

void TestWaveImage::refusesWhatIsNotARegularFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.path();
#ifdef Q_OS_UNIX
    if (kind == QLatin1String("fifo")) {
        path = dir.filePath(QStringLiteral("pipe.wav"));
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        path = QStringLiteral("/dev/zero");
    }
#endif

    // Should the reader open the FIFO anyway, a writer comes along after a
    // while and leaves at once, so the test fails instead of hanging.
    std::atomic<bool> done = false;
    std::thread unblocker([&] {
#ifdef Q_OS_UNIX
        const QByteArray name = QFile::encodeName(path);
        for (int waited = 0; !done && kind == QLatin1String("fifo"); waited += 20) {
            if (waited >= 3000) {
                if (const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                    ::close(fd);
                    break;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
#endif
    });

    QFile file(path);
    MessageCapture messages;
    QElapsedTimer timer;
    timer.start();
    const QImage image = CreateWaveImage(&file, 100, 50);
    // The window's length check takes the same path right before.
    const double length = waveLengthSeconds(path);
    const qint64 elapsed = timer.elapsed();
    done = true;
    unblocker.join();
    QCOMPARE(length, 0.0);
    QVERIFY2(elapsed < 2000, qPrintable(QString::number(elapsed)));
    QVERIFY(image.isNull());
    QCOMPARE(messages.lines(), QStringList{QStringLiteral("Error: not a regular file: %1").arg(path)});
    QVERIFY(!file.isOpen());
}

void TestWaveImage::regressionInputs()
{
    // Inputs that once upset the reader: each must end in an image or a
    // diagnostic, never a crash or a hang.
    const QDir dir(QStringLiteral(TQ_MEDIA_TEST_DATA));
    const QStringList names = dir.entryList({QStringLiteral("*.wav")}, QDir::Files);
    if (names.isEmpty())
        QSKIP("no regression inputs");
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        for (const QSize size : {QSize(530, 50), QSize(3, 5)}) {
            QBuffer buffer;
            buffer.setData(bytes);
            SequentialStream stream(bytes);
            for (QIODevice *device : {static_cast<QIODevice *>(&buffer), static_cast<QIODevice *>(&stream)}) {
                MessageCapture messages;
                const QImage image = CreateWaveImage(device, size.width(), size.height());
                QVERIFY2(!image.isNull() || !messages.lines().isEmpty(), qPrintable(name));
            }
        }
    }
}

QTEST_MAIN(TestWaveImage)
#include "tst_waveimage.moc"
