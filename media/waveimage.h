#pragma once

#include <QImage>
#include <QtGlobal>

#include <vector>

class CWavePeaks;
class QDataStream;
class QIODevice;

// Reads a RIFF/WAVE (or RF64) stream of PCM samples (8 or 16 bits) once and
// paints its waveform: a yellow band between the per-column extremes of all
// channels (a recording with sound on one side only still shows it) with a
// black outline, on a transparent background. Any format error gives a null
// image and one line on the debug channel. With peaks, it also keeps the fine
// waveform for the zoomed timeline (empty on an error).
QImage CreateWaveImage(QIODevice *device, int width, int height, CWavePeaks *peaks = nullptr);

// The pixel column of sample value p: floor(double(p) * width / sampleCount),
// with p < sampleCount. Kept in double precision because that is what decides
// the picture; waveColumnStart() must agree with it exactly.
inline int waveColumn(quint64 p, int width, quint64 sampleCount)
{
    return int(double(p) * width / sampleCount);
}

// The first sample value whose column is at least `column` (0 <= column <=
// width); sampleCount for column == width. Lets the reader walk whole runs of
// samples per column instead of dividing once per sample.
quint64 waveColumnStart(int column, int width, quint64 sampleCount);

// The row of sample value v (signed 16-bit scale) in an image of that height.
int waveRow(int value, int height);

// Builder behind CreateWaveImage; lives for one call. Public for the tests,
// which compare its column extremes with a plain reference.
class CWaveImage final
{
    Q_DISABLE_COPY_MOVE(CWaveImage)

public:
    struct Peak
    {
        qint16 max = 0;
        qint16 min = 0;
    };

    // Biggest image the builder agrees to paint; the caller passes a widget
    // size, so anything near this is a bug upstream, not a waveform.
    static constexpr qint64 MaxPixels = qint64(1) << 26;
    static constexpr qint64 BlockSize = 0x80000;

    CWaveImage(int width, int height);

    // Parses the stream and draws; false (and a null image) on any error.
    bool read(QIODevice *device);
    // Where the fine peaks go while the data is read; not owned.
    void setPeaks(CWavePeaks *peaks) { m_peaks = peaks; }

    const QImage &image() const { return m_image; }
    const std::vector<Peak> &peaks() const { return peakTable; }
    quint64 sampleCount() const { return uint64SampleCount; }
    quint64 position() const { return m_position; }

private:
    bool readHeader(QDataStream &stream);
    bool readDs64Chunk(QDataStream &stream);
    bool readFormatChunk(QDataStream &stream, quint32 chunkSize);
    bool readDataChunk(quint32 chunkSize);
    bool skipBytes(qint64 count);
    qint64 remainingBytes() const;
    void accumulate(void *block, qint64 bytes);
    void accumulate16(const qint16 *values, quint32 count);
    void accumulate8(const quint8 *values, quint32 count);
    template<typename OnRun>
    void forEachColumnRun(quint32 count, OnRun &&onRun);
    void draw();

    QIODevice *m_device = nullptr;
    int width;
    int height;
    QImage m_image;
    quint16 uint16Channels = 0;
    // Sample values (all channels) in the data chunk: past 2^32 from about
    // 13 hours of stereo.
    quint64 uint64SampleCount = 0;
    quint32 uint32FileSize = 0;
    // From the "ds64" chunk of an RF64 file; -1 without one.
    qint64 m_riff64 = -1;
    qint64 m_data64 = -1;
    quint32 uint32SampleRate = 0;
    quint32 uint32ByteRate = 0;
    quint16 uint16AudioFormat = 0;
    quint16 uint16BitsPerSample = 0;
    quint16 uint16BlockAlign = 0;
    quint16 uint16BytesPerSample = 0;
    bool m_formatKnown = false;
    std::vector<Peak> peakTable;
    quint64 m_position = 0;
    CWavePeaks *m_peaks = nullptr;
};
