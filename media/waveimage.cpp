#include "waveimage.h"

#include "extremes.h"
#include "wavelength.h"
#include "wavepeaks.h"

#include <QDataStream>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QPainter>
#include <QPen>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr quint32 fourCC(char a, char b, char c, char d)
{
    return quint32(quint8(a)) | quint32(quint8(b)) << 8 | quint32(quint8(c)) << 16
           | quint32(quint8(d)) << 24;
}

constexpr quint32 IdRiff = fourCC('R', 'I', 'F', 'F');
constexpr quint32 IdRf64 = fourCC('R', 'F', '6', '4');
constexpr quint32 IdDs64 = fourCC('d', 's', '6', '4');
constexpr quint32 IdWave = fourCC('W', 'A', 'V', 'E');
constexpr quint32 IdFmt = fourCC('f', 'm', 't', ' ');
constexpr quint32 IdData = fourCC('d', 'a', 't', 'a');

// 8-bit PCM is unsigned around 128; the table and the drawing work on the
// signed 16-bit scale.
qint16 widen8(quint8 v)
{
    return qint16((int(v) - 128) * 256);
}

} // namespace

quint64 waveColumnStart(int column, int width, quint64 sampleCount)
{
    if (column <= 0 || width <= 0 || sampleCount == 0)
        return 0;
    if (column >= width)
        return sampleCount;
    // The rational boundary, then nudged onto what the double formula really
    // gives. Exact in integers while the product fits; beyond (a stream of
    // unknown length) the double estimate is a few steps off at most.
    quint64 p = 0;
    if (sampleCount <= (quint64(1) << 40))
        p = (quint64(column) * sampleCount + quint64(width) - 1) / quint64(width);
    else
        p = quint64(double(column) * double(sampleCount) / width);
    p = std::min<quint64>(p, sampleCount);
    while (p > 0 && waveColumn(p - 1, width, sampleCount) >= column)
        --p;
    while (p < sampleCount && waveColumn(p, width, sampleCount) < column)
        ++p;
    return p;
}

int waveRow(int value, int height)
{
    const float scale = float(height * (1.0 / 65534));
    return height / 2 - int(float(value) * scale);
}

CWaveImage::CWaveImage(int width, int height)
    : width(width)
    , height(height)
{
}

bool CWaveImage::read(QIODevice *device)
{
    if (!device)
        return false;
    if (width <= 0 || height <= 0 || qint64(width) * height > MaxPixels) {
        qDebug("Error: image size = %d x %d", width, height);
        return false;
    }
    m_device = device;
    // Opening a FIFO for reading waits for a writer, and reading a device
    // file may never end: only regular files (or links to them) are read.
    if (const auto *file = qobject_cast<QFile *>(device); file && !file->isOpen()) {
        const QFileInfo info(file->fileName());
        if (info.exists() && !info.isFile()) {
            qDebug("Error: not a regular file: %s", qPrintable(file->fileName()));
            return false;
        }
    }
    if (!device->isOpen() && !device->open(QIODevice::ReadOnly)) {
        qDebug("Error: cannot open the WAV stream (%s)", qPrintable(device->errorString()));
        return false;
    }
    if (!device->isReadable())
        return false;

    QDataStream stream(device);
    stream.setByteOrder(QDataStream::LittleEndian);
    if (!readHeader(stream))
        return false;

    for (;;) {
        quint32 chunkId = 0;
        quint32 chunkSize = 0;
        stream >> chunkId >> chunkSize;
        if (stream.status() != QDataStream::Ok) {
            qDebug("No data chunk!");
            return false;
        }
        if (chunkId == IdFmt) {
            if (!readFormatChunk(stream, chunkSize))
                return false;
        } else if (chunkId == IdData) {
            return readDataChunk(chunkSize);
        } else if (!skipBytes(qint64(chunkSize) + (chunkSize & 1))) {
            // A size that runs past the end of the stream: nothing after it
            // can be trusted, and seeking there would only fail later.
            qDebug("No data chunk!");
            return false;
        }
    }
}

bool CWaveImage::readHeader(QDataStream &stream)
{
    quint32 riffId = 0;
    quint32 riffSize = 0;
    quint32 formType = 0;

    // Taken before reading: a sequential device reports what is still to
    // come, not the whole stream.
    const qint64 streamSize = m_device->size();
    stream >> riffId;
    if (riffId != IdRiff && riffId != IdRf64) {
        qDebug("Error: file header is not RIFF");
        return false;
    }
    uint32FileSize = quint32(streamSize);
    stream >> riffSize;
    if (stream.status() != QDataStream::Ok) {
        qDebug("Error: the stream ends inside the RIFF header (%lld bytes)", streamSize);
        return false;
    }
    stream >> formType;
    if (formType != IdWave) {
        qDebug("Error: uint32ChunkId = %u", formType);
        return false;
    }
    // RF64 keeps its real sizes in a "ds64" chunk, which must come first.
    if (riffId == IdRf64 && !readDs64Chunk(stream))
        return false;
    if (!wavRiffSizeFits(riffSize, m_riff64, m_device->isSequential() ? -1 : streamSize)) {
        qDebug("Error: the RIFF header gives a file of %lld bytes, but the file has %lld bytes",
               wavStatedFileSize(riffSize, m_riff64), streamSize);
        return false;
    }
    return true;
}

bool CWaveImage::readDs64Chunk(QDataStream &stream)
{
    quint32 chunkId = 0;
    quint32 chunkSize = 0;
    qint64 riff64 = -1;
    qint64 data64 = -1;
    stream >> chunkId >> chunkSize >> riff64 >> data64;
    if (stream.status() != QDataStream::Ok || chunkId != IdDs64 || chunkSize < 16 || riff64 < 0 || data64 < 0) {
        qDebug("Error: RF64 file without a valid ds64 chunk");
        return false;
    }
    m_riff64 = riff64;
    m_data64 = data64;
    // The sample count and the table of other chunk sizes are not needed.
    if (!skipBytes(qint64(chunkSize) - 16 + (chunkSize & 1))) {
        qDebug("Error: RF64 file without a valid ds64 chunk");
        return false;
    }
    return true;
}

bool CWaveImage::readFormatChunk(QDataStream &stream, quint32 chunkSize)
{
    stream >> uint16AudioFormat;
    if (stream.status() != QDataStream::Ok) {
        qDebug("No data chunk!");
        return false;
    }
    if (uint16AudioFormat != 1) {
        qDebug("Not PCM format!");
        return false;
    }
    stream >> uint16Channels >> uint32SampleRate >> uint32ByteRate >> uint16BlockAlign
        >> uint16BitsPerSample;
    if (stream.status() != QDataStream::Ok) {
        qDebug("No data chunk!");
        return false;
    }
    m_formatKnown = true;

    // The chunk's own size says where the next chunk starts; the extension
    // size field inside it may disagree (writers put the extensible format's
    // 22 there in an 18-byte chunk), and is not needed for PCM.
    const qint64 rest = chunkSize > 16 ? qint64(chunkSize) - 16 + (chunkSize & 1) : 0;
    if (rest > 0 && !skipBytes(rest)) {
        qDebug("No data chunk!");
        return false;
    }
    return true;
}

bool CWaveImage::readDataChunk(quint32 chunkSize)
{
    if (!m_formatKnown) {
        qDebug("No format chunk before data chunk!");
        return false;
    }
    // Fewer than 8 bits would be read as 8-bit garbage.
    if (uint16BitsPerSample < 8) {
        qDebug("Wrong bits per sample!");
        return false;
    }
    if (uint16Channels == 0) {
        qDebug("uint16Channels = 0");
        return false;
    }
    uint16BytesPerSample = quint16((uint16BitsPerSample + 7) / 8);
    if (uint16BytesPerSample > 2) {
        qDebug("uint16BytesPerSample = %u", unsigned(uint16BytesPerSample));
        return false;
    }
    // What the file holds decides, not a size its writer could not fill.
    const qint64 dataBytes = wavDataBytes(chunkSize, m_data64, remainingBytes());
    uint64SampleCount = quint64(dataBytes) / uint16BytesPerSample;
    if (uint64SampleCount == 0) {
        qDebug("uint32SampleCount = 0");
        return false;
    }

    if (m_peaks)
        m_peaks->begin(uint32SampleRate, uint16Channels);

    // One reusable block: memory stays flat however long the file is. A
    // declared size beyond the stream's end must not size the buffer.
    const qint64 blockSize = std::min<qint64>(BlockSize, dataBytes);
    std::vector<qint16> buffer(size_t((blockSize + 1) / 2));
    char *const bytes = reinterpret_cast<char *>(buffer.data());

    qint64 remaining = dataBytes;
    while (remaining > 0) {
        const qint64 want = std::min(remaining, blockSize);
        qint64 got = 0;
        while (got < want) {
            const qint64 n = m_device->read(bytes + got, want - got);
            if (n <= 0)
                break;
            got += n;
        }
        if (got > 0)
            accumulate(bytes, got);
        if (got < want)
            break;
        remaining -= got;
    }
    m_device->close();

    if (peakTable.empty())
        return false;
    if (m_peaks)
        m_peaks->finish();
    draw();
    return !m_image.isNull();
}

qint64 CWaveImage::remainingBytes() const
{
    if (m_device->isSequential())
        return -1;
    return std::max<qint64>(0, m_device->size() - m_device->pos());
}

bool CWaveImage::skipBytes(qint64 count)
{
    const qint64 left = remainingBytes();
    if (left >= 0) {
        if (count > left)
            return false;
        return m_device->seek(m_device->pos() + count);
    }
    return m_device->skip(count) == count;
}

void CWaveImage::accumulate(void *block, qint64 bytes)
{
    if (peakTable.empty()) {
        peakTable.assign(size_t(width), Peak());
        m_position = 0;
    }
    if (uint16BytesPerSample == 2) {
        const quint32 n = quint32(bytes / 2);
        auto *values = static_cast<qint16 *>(block);
#if Q_BYTE_ORDER == Q_BIG_ENDIAN
        for (quint32 i = 0; i < n; ++i)
            values[i] = qFromLittleEndian(values[i]);
#endif
        accumulate16(values, n);
        if (m_peaks)
            m_peaks->add16(values, n);
        m_position += n;
    } else {
        const quint32 n = quint32(bytes);
        accumulate8(static_cast<const quint8 *>(block), n);
        if (m_peaks)
            m_peaks->add8(static_cast<const quint8 *>(block), n);
        m_position += n;
    }
}

// Walks a block of count values one column at a time: the column boundaries
// come from waveColumnStart(), so the per-sample work is a plain min/max over
// each run. onRun gets the column's peak and the run [first, end) of block
// indices that feed it. Every channel counts: the band shows the louder one
// at each moment, so a recording with sound on one side only is not drawn
// flat.
template<typename OnRun>
void CWaveImage::forEachColumnRun(quint32 count, OnRun &&onRun)
{
    quint32 i = 0;
    while (i < count) {
        const int column = std::min(waveColumn(m_position + i, width, uint64SampleCount), width - 1);
        const quint64 next = waveColumnStart(column + 1, width, uint64SampleCount);
        // A sample count smaller than what a sequential stream delivers puts
        // the rest in the last column.
        const quint32 end = next > m_position ? quint32(std::min<quint64>(next - m_position, count)) : count;
        if (i < end)
            onRun(peakTable[size_t(column)], i, end);
        i = std::max(end, i + 1);
    }
}

void CWaveImage::accumulate16(const qint16 *values, quint32 count)
{
    forEachColumnRun(count, [&](Peak &peak, quint32 first, quint32 end) {
        const auto e = sampleExtremes(values + first, end - first, SampleExtremes<qint16>{peak.min, peak.max});
        peak.min = e.lo;
        peak.max = e.hi;
    });
}

void CWaveImage::accumulate8(const quint8 *values, quint32 count)
{
    forEachColumnRun(count, [&](Peak &peak, quint32 first, quint32 end) {
        const auto e = sampleExtremes(values + first, end - first, SampleExtremes<quint8>{255, 0});
        peak.min = std::min(peak.min, widen8(e.lo));
        peak.max = std::max(peak.max, widen8(e.hi));
    });
}

void CWaveImage::draw()
{
    m_image = QImage(width, height, QImage::Format_ARGB32);
    if (m_image.isNull())
        return;
    m_image.fill(0);

    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QBrush(Qt::yellow), 1));
    for (int x = 0; x < width; ++x) {
        const Peak &peak = peakTable[size_t(x)];
        painter.drawLine(x, waveRow(peak.min, height), x, waveRow(peak.max, height));
    }

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QBrush(Qt::black), 1));
    const int mid = height / 2;
    QPoint upper(0, mid);
    QPoint lower(0, mid);
    for (int x = 0; x < width; ++x) {
        const Peak &peak = peakTable[size_t(x)];
        const QPoint top(x, waveRow(peak.max, height));
        painter.drawLine(upper, top);
        upper = top;
        const QPoint bottom(x, waveRow(peak.min, height));
        painter.drawLine(lower, bottom);
        lower = bottom;
    }
}

QImage CreateWaveImage(QIODevice *device, int width, int height, CWavePeaks *peaks)
{
    CWaveImage builder(width, height);
    builder.setPeaks(peaks);
    if (!builder.read(device) && peaks)
        *peaks = CWavePeaks();
    return builder.image();
}
