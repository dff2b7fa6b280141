#include "wavelength.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>

double waveLengthSeconds(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0.0;
    char header[12];
    if (file.read(header, 12) != 12 || memcmp(header, "RIFF", 4) != 0 || memcmp(header + 8, "WAVE", 4) != 0)
        return 0.0;
    quint32 rate = 0;
    quint16 blockAlign = 0;
    // Chunk headers are read one by one; the sizes come from the file, so
    // every seek is checked against what is really there.
    while (!file.atEnd()) {
        char chunk[8];
        if (file.read(chunk, 8) != 8)
            return 0.0;
        const quint32 size = qFromLittleEndian<quint32>(chunk + 4);
        const qint64 body = file.pos();
        if (memcmp(chunk, "fmt ", 4) == 0) {
            char fmt[16];
            if (size < 16 || file.read(fmt, 16) != 16)
                return 0.0;
            rate = qFromLittleEndian<quint32>(fmt + 4);
            blockAlign = qFromLittleEndian<quint16>(fmt + 12);
        } else if (memcmp(chunk, "data", 4) == 0) {
            if (rate == 0 || blockAlign == 0)
                return 0.0;
            const qint64 bytes = std::min<qint64>(size, file.size() - body);
            return double(bytes / blockAlign) / rate;
        }
        // Chunks are padded to an even size.
        if (!file.seek(body + qint64(size) + (size & 1)))
            return 0.0;
    }
    return 0.0;
}
