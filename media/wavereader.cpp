#include "wavereader.h"

#include "wavelength.h"

#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cstring>

bool CWaveReader::open(const QString &path)
{
    m_frames = m_framesLeft = 0;
    m_sampleRate = 0;
    // Opening a named pipe would wait for a writer, forever.
    if (!QFileInfo(path).isFile())
        return false;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    const qint64 fileSize = m_file.size();
    char header[12];
    if (m_file.read(header, 12) != 12 || memcmp(header + 8, "WAVE", 4) != 0)
        return false;
    const bool rf64 = memcmp(header, "RF64", 4) == 0;
    if (!rf64 && memcmp(header, "RIFF", 4) != 0)
        return false;
    const quint32 riffSize = qFromLittleEndian<quint32>(header + 4);
    qint64 riff64 = -1;
    qint64 data64 = -1;
    quint16 format = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint16 bits = 0;
    bool first = true;
    while (!m_file.atEnd()) {
        char chunk[8];
        if (m_file.read(chunk, 8) != 8)
            return false;
        const quint32 size = qFromLittleEndian<quint32>(chunk + 4);
        const qint64 body = m_file.pos();
        if (rf64 && first) {
            char ds64[16];
            if (memcmp(chunk, "ds64", 4) != 0 || size < 16 || m_file.read(ds64, 16) != 16)
                return false;
            riff64 = qFromLittleEndian<qint64>(ds64);
            data64 = qFromLittleEndian<qint64>(ds64 + 8);
            if (riff64 < 0 || data64 < 0)
                return false;
        }
        first = false;
        if (!wavRiffSizeFits(riffSize, riff64, fileSize))
            return false;
        if (memcmp(chunk, "fmt ", 4) == 0) {
            char fmt[16];
            if (size < 16 || m_file.read(fmt, 16) != 16)
                return false;
            format = qFromLittleEndian<quint16>(fmt);
            channels = qFromLittleEndian<quint16>(fmt + 2);
            rate = qFromLittleEndian<quint32>(fmt + 4);
            bits = qFromLittleEndian<quint16>(fmt + 14);
        } else if (memcmp(chunk, "data", 4) == 0) {
            if (format != 1 || channels == 0 || rate == 0 || bits < 8 || bits > 16)
                return false;
            m_channels = channels;
            m_sampleRate = rate;
            m_bytesPerSample = (bits + 7) / 8;
            const qint64 bytes = wavDataBytes(size, data64, fileSize - body);
            m_frames = m_framesLeft = bytes / (qint64(m_bytesPerSample) * m_channels);
            m_dataStart = body;
            return true;
        }
        if (!m_file.seek(body + qint64(size) + (size & 1)))
            return false;
    }
    return false;
}

bool CWaveReader::setRange(qint64 first, qint64 count)
{
    if (first < 0 || first > m_frames || m_sampleRate == 0)
        return false;
    const qint64 frameBytes = qint64(m_bytesPerSample) * m_channels;
    if (!m_file.seek(m_dataStart + first * frameBytes))
        return false;
    m_framesLeft = count < 0 ? m_frames - first : std::min(count, m_frames - first);
    return true;
}

void CWaveReader::read(std::vector<float> &out, qint64 maxFrames, int factor)
{
    factor = std::max(1, factor);
    const qint64 frames = std::min(maxFrames, m_framesLeft);
    out.clear();
    if (frames <= 0)
        return;
    const qint64 frameBytes = qint64(m_bytesPerSample) * m_channels;
    m_raw.resize(size_t(frames * frameBytes));
    qint64 got = 0;
    while (got < qint64(m_raw.size())) {
        const qint64 n = m_file.read(m_raw.data() + got, qint64(m_raw.size()) - got);
        if (n <= 0)
            break;
        got += n;
    }
    const qint64 whole = got / frameBytes;
    // A file cut short ends here.
    m_framesLeft = whole < frames ? 0 : m_framesLeft - whole;
    const qint64 samples = whole / factor;
    out.resize(size_t(samples));
    const float scale = 1.0f / (float(m_channels) * float(factor) * (m_bytesPerSample == 2 ? 32768.0f : 128.0f));
    const char *p = m_raw.data();
    if (m_bytesPerSample == 2 && m_channels == 2) {
        // The waveform job's own format, and most of the time spent here.
        for (qint64 i = 0; i < samples; ++i) {
            int sum = 0;
            for (int f = 0; f < factor; ++f, p += 4)
                sum += int(qFromLittleEndian<qint16>(p)) + qFromLittleEndian<qint16>(p + 2);
            out[size_t(i)] = float(sum) * scale;
        }
        return;
    }
    for (qint64 i = 0; i < samples; ++i) {
        int sum = 0;
        for (int f = 0; f < factor; ++f) {
            if (m_bytesPerSample == 2) {
                for (int c = 0; c < m_channels; ++c, p += 2)
                    sum += qFromLittleEndian<qint16>(p);
            } else {
                for (int c = 0; c < m_channels; ++c, ++p)
                    sum += int(quint8(*p)) - 128;
            }
        }
        out[size_t(i)] = float(sum) * scale;
    }
}
