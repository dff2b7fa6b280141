#include "wavelength.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr qint64 kWrap = qint64(1) << 32;

} // namespace

bool wavRiffSizeFits(quint32 riffSize, qint64 riff64, qint64 streamSize)
{
    if (streamSize < 0)
        return true;
    if (riffSize == kWavSizeUnknown) {
        // With ds64 its figure must hold; without, the writer never came back
        // to fill the field and the stream ends where it ends.
        return riff64 < 0 || riff64 == streamSize - 8;
    }
    const qint64 body = streamSize - 8;
    if (body == qint64(riffSize))
        return true;
    // Written past 4 GiB by a writer that kept only the low 32 bits.
    return body >= kWrap && (body - qint64(riffSize)) % kWrap == 0;
}

qint64 wavStatedFileSize(quint32 riffSize, qint64 riff64)
{
    return (riffSize == kWavSizeUnknown && riff64 >= 0 ? riff64 : qint64(riffSize)) + 8;
}

qint64 wavDataBytes(quint32 declared, qint64 data64, qint64 available)
{
    qint64 bytes = declared;
    if (declared == kWavSizeUnknown)
        bytes = data64 >= 0 ? data64 : available >= 0 ? available : std::numeric_limits<qint64>::max();
    else if (available > bytes && (available - bytes) % kWrap == 0)
        bytes = available; // wrapped past 4 GiB
    return available >= 0 ? std::min(bytes, available) : bytes;
}

double waveLengthSeconds(const QString &path)
{
    // Opening a named pipe would wait for a writer, forever.
    const QFileInfo info(path);
    if (!info.isFile())
        return 0.0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0.0;
    const qint64 fileSize = file.size();
    char header[12];
    if (file.read(header, 12) != 12 || memcmp(header + 8, "WAVE", 4) != 0)
        return 0.0;
    const bool rf64 = memcmp(header, "RF64", 4) == 0;
    if (!rf64 && memcmp(header, "RIFF", 4) != 0)
        return 0.0;
    const quint32 riffSize = qFromLittleEndian<quint32>(header + 4);
    qint64 riff64 = -1;
    qint64 data64 = -1;
    quint32 rate = 0;
    quint16 blockAlign = 0;
    bool first = true;
    // Chunk headers are read one by one; the sizes come from the file, so
    // every seek is checked against what is really there.
    while (!file.atEnd()) {
        char chunk[8];
        if (file.read(chunk, 8) != 8)
            return 0.0;
        const quint32 size = qFromLittleEndian<quint32>(chunk + 4);
        const qint64 body = file.pos();
        if (rf64 && first) {
            char ds64[16];
            if (memcmp(chunk, "ds64", 4) != 0 || size < 16 || file.read(ds64, 16) != 16)
                return 0.0;
            riff64 = qFromLittleEndian<qint64>(ds64);
            data64 = qFromLittleEndian<qint64>(ds64 + 8);
            if (riff64 < 0 || data64 < 0)
                return 0.0;
        }
        first = false;
        if (!wavRiffSizeFits(riffSize, riff64, fileSize))
            return 0.0;
        if (memcmp(chunk, "fmt ", 4) == 0) {
            char fmt[16];
            if (size < 16 || file.read(fmt, 16) != 16)
                return 0.0;
            rate = qFromLittleEndian<quint32>(fmt + 4);
            blockAlign = qFromLittleEndian<quint16>(fmt + 12);
        } else if (memcmp(chunk, "data", 4) == 0) {
            if (rate == 0 || blockAlign == 0)
                return 0.0;
            const qint64 bytes = wavDataBytes(size, data64, fileSize - body);
            return double(bytes / blockAlign) / rate;
        }
        // Chunks are padded to an even size.
        if (!file.seek(body + qint64(size) + (size & 1)))
            return 0.0;
    }
    return 0.0;
}
